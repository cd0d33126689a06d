"""What a screen reader says: every control that takes the focus, in both windows and with both
loaders, has a name, and it is its own caption or, for a text box or combo box, its label's."""
import a11y
from check import fail, require_equal, step
from program import CONTROLS, MAIN, MENUS, OPTIONS, Program
from scenario import Scenario
from support import (
    DOWNLOAD,
    IP,
    MODE_CAPTIONS,
    SERIAL,
    UPLOAD_EXECUTE,
    choose,
    choose_mode,
    close_options,
    open_options,
)
from wait import wait_until

# The control that names each box: the label over it, or the check box that switches it on.
LABELS = {
    "txtUpload": "lblFilename",
    "txtDownload": "lblFilename",
    "txtAddress": "lblAddress",
    "txtFilesize": "lblFilesize",
    "cmbCOMPort": "lblCOMPort",
    "cmbIP": "lblCOMPort",
    "cmbBaudrate": "lblBaudrate",
    "txtChroot": "cbChroot",
    "txtCDFSRedir": "cbCDFSRedir",
    "txtARP": "cbARP",
}

# What the buttons and check boxes of the options dialog say (access keys are not read out).
OPTIONS_CAPTIONS = {
    "cmdOK": "OK",
    "cmdCancel": "Cancel",
    "cmdDefault": "Default",
    "cmdChroot": "Browse",
    "cmdCDFSRedir": "Browse",
    "cbNoConsole": "No console / fileserver",
    "cbDumbTerminal": "Use dumb terminal",
    "cbNoScreenClear": "No screen clear",
    "cbChroot": "Chroot to path",
    "cbCDFSRedir": "CDFS Redirection",
    "cbARP": "Use ARP (set DC modem's MAC address)",
}

# The device label follows the loader; the boxes it names follow it.
DEVICE_LABELS = {
    SERIAL: "Select a device (Default: /dev/ttyS0)",
    IP: "Set an IP (Default: 192.168.0.0)",
}

# The menus of the bar and their items, separators left out, as a screen reader says them.
MENU_NAMES = (
    ("File", ("Download BIOS", "Download Flash", "Exit")),
    (
        "Config",
        (
            "Ravlink Serial",
            "Ravlink IP",
            "Upload",
            "Upload and Execute",
            "Download",
            "Ravlink Configuration",
        ),
    ),
    ("Help", ("About ",)),
)


def misnamed(app, form, captions):
    """What is wrong with the names of the form's shown controls: an empty list when every one
    that takes the focus says its caption or its label's, and no label takes the focus."""
    problems = []
    for name in CONTROLS[form]:
        control = app.control(form, name)
        if not a11y.showing(control):
            continue
        said = control.name
        if name.startswith("lbl"):
            if a11y.focusable(control):
                problems.append(f"the label {name} takes the focus")
            continue
        if not a11y.focusable(control):
            problems.append(f"{name} ({control.getRoleName()}) does not take the focus")
        if name in LABELS:
            expected = app.control(form, LABELS[name]).name
        else:
            expected = captions[name]
        if not said or said != expected:
            problems.append(f"{name} is called {said!r}, not {expected!r}")
    return problems


def require_named(app, form, captions, what):
    step(f"read the names of the {what}")
    problems = wait_until(lambda: not a11y.quietly(lambda: misnamed(app, form, captions), ["?"]))
    if not problems:
        fail("; ".join(misnamed(app, form, captions)))


def main_captions(mode):
    execute, browse = MODE_CAPTIONS[mode]
    return {"cmdExecute": execute, "cmdBrowse": browse}


def require_menu_names(app):
    """Each menu opened in turn: only the items it shows are said (no recent files yet)."""
    step("read the names of the menus and their items")
    window = app.window(MAIN)
    bar = next(kid for kid in a11y.children(window) if kid.getRoleName() == "menu bar")
    said = []
    for title, (menu, _) in zip(a11y.children(bar), MENUS):
        items = [entry for entry in app.menu_entries(menu) if entry != "-"]
        said.append((title.name, tuple(items)))
    require_equal("menu names", MENU_NAMES, tuple(said))


def require_device_label(app, loader):
    require_equal("device label", DEVICE_LABELS[loader], app.control(OPTIONS, "lblCOMPort").name)


def every_control_named(box, environment):
    app = Program(box)
    require_named(app, MAIN, main_captions(UPLOAD_EXECUTE), "main window's controls")
    require_menu_names(app)
    choose_mode(app, DOWNLOAD)
    require_named(app, MAIN, main_captions(DOWNLOAD), "main window's controls in Download mode")
    require_equal("file box", "Save a file to download", app.control(MAIN, "txtDownload").name)
    for loader in (SERIAL, IP):
        choose(app, loader)
        require_named(app, MAIN, main_captions(DOWNLOAD), f"main window's controls with {loader}")
        open_options(app)
        require_device_label(app, loader)
        require_named(app, OPTIONS, OPTIONS_CAPTIONS, f"options dialog's controls with {loader}")
        step("press Cancel in the options dialog")
        close_options(app, "cmdCancel")
    app.exit()


SCENARIOS = [Scenario("screen-reader-names", every_control_named)]
