"""The program under test, started in a scenario's folder and worked only through its windows:
controls found by the order of their window's layout table and read through AT-SPI, pressed,
chosen and typed into with real input."""
import os
import subprocess

import a11y
import hands
from check import fail, require
from wait import PATIENCE, wait_until
from xwindows import XWindows

MAIN = "main"
OPTIONS = "options"

# The children of each window's client area come in the order of its layout table.
# fmt: off
CONTROLS = {
    MAIN: ("cmdBrowse", "txtUpload", "lblFilename", "lblInformation", "cmdExecute", "txtDownload"),
    OPTIONS: (
        "cmdOK", "cmdCancel", "cmdDefault", "txtAddress", "lblFilesize", "txtFilesize",
        "lblCOMPort", "cmbCOMPort", "lblBaudrate", "cmbBaudrate", "cbNoConsole",
        "cbDumbTerminal", "cbNoScreenClear", "cbChroot", "cbCDFSRedir", "lblAddress",
        "txtChroot", "cmdChroot", "cmdCDFSRedir", "txtCDFSRedir", "cmbIP", "cbARP", "txtARP",
    ),
}
# fmt: on

# The menus of the bar, each with its items in order.
# fmt: off
MENUS = (
    ("mnuFile", ("mnuBIOS", "mnuFlash", "Bar3", "mnuRecent1", "mnuRecent2", "mnuRecent3",
                 "mnuRecent4", "mnuRecent5", "mnuRecent6", "mnuRecent7", "mnuRecent8",
                 "BarRecent", "mnuFileExit")),
    ("mnuConfig", ("mnuRavlinkSerial", "mnuRavlinkIP", "Bar1", "mnuConfigUpload",
                   "mnuConfigUlexecute", "mnuConfigDownload", "Bar2", "mnuConfigOptions")),
    ("mnuHelp", ("mnuHelpAbout",)),
)
# fmt: on

# How long an input may take to show its effect before a person would give it again.
INPUT_PATIENCE = 3.0
INPUT_TRIES = 3

_x = []


def x_windows():
    if not _x:
        _x.append(XWindows())
    return _x[0]


class Program:
    def __init__(self, box, path=None, expect_main=True, arguments=(), cwd=None, program=None):
        """Starts the program (PROGRAM, else the sandbox's) with ARGUMENTS from another folder
        than its own (CWD, else files/); PATH defaults to the sandbox's bin/ (the stand-in
        terminal) before the driver's own."""
        self.box = box
        environment = dict(os.environ)
        environment.update(
            PATH=path if path is not None else box.bin + os.pathsep + os.environ["PATH"],
            QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
            QT_QPA_PLATFORM="xcb",
            XDG_CONFIG_HOME=box.config,
            XDG_RUNTIME_DIR=box.runtime,
            LC_ALL="C.UTF-8",
        )
        number = f"-{len(box.programs) + 1}" if box.programs else ""
        self._output = open(box.path(f"program-output{number}.txt"), "wb")
        self.process = subprocess.Popen(
            [program or box.program, *arguments],
            cwd=cwd or box.files,
            env=environment,
            stdout=self._output,
            stderr=subprocess.STDOUT,
        )
        self.pid = self.process.pid
        box.programs.append(self)
        self._app = None
        if expect_main:
            require(
                wait_until(lambda: self._quiet_window(MAIN) is not None),
                f"the main window did not show; {self.describe()}",
            )

    # --- finding things -------------------------------------------------------------------

    def app(self):
        if self._app is None:
            self._app = a11y.application(self.pid)
        return self._app

    def windows(self):
        """The program's windows on the screen; none once it has ended."""
        app = self.app()
        return a11y.quietly(lambda: a11y.children(app), []) if app is not None else []

    def titles(self):
        return [a11y.quietly(lambda w=w: w.name, "?") for w in self.windows()]

    def describe(self):
        state = "running" if self.process.poll() is None else f"ended ({self.process.returncode})"
        return f"program {state}, windows {self.titles()}"

    def _client(self, window):
        for child in a11y.children(window):
            if child.getRoleName() == "filler":
                return child
        return None

    def _is_form(self, window, form):
        kids = a11y.children(window)
        if form == MAIN:
            return any(kid.getRoleName() == "menu bar" for kid in kids)
        client = self._client(window)
        return client is not None and client.childCount == len(CONTROLS[OPTIONS])

    def window(self, form):
        for window in self.windows():
            if self._is_form(window, form) and a11y.showing(window):
                return window
        return None

    def _quiet_window(self, form):
        return a11y.quietly(lambda: self.window(form))

    def shown(self, form):
        return self._quiet_window(form) is not None

    def control(self, form, name):
        window = self.window(form)
        require(window is not None, f"the {form} window is not shown; {self.describe()}")
        kids = a11y.children(self._client(window))
        require(
            len(kids) == len(CONTROLS[form]),
            f"the {form} window has {len(kids)} controls, its table {len(CONTROLS[form])}",
        )
        return kids[CONTROLS[form].index(name)]

    def menu(self, item):
        """The popup holding ITEM (a menu item's name), its title in the bar, and the item."""
        window = self.window(MAIN)
        bar = next(kid for kid in a11y.children(window) if kid.getRoleName() == "menu bar")
        for index, (menu, items) in enumerate(MENUS):
            if item in items or item == menu:
                title = bar.getChildAtIndex(index)
                popup = title.getChildAtIndex(0)
                entry = popup.getChildAtIndex(items.index(item)) if item in items else None
                return title, popup, entry
        raise KeyError(item)

    # --- reading ----------------------------------------------------------------------------

    def text(self, form, name):
        return a11y.text(self.control(form, name))

    def value(self, form, name):
        return a11y.check_value(self.control(form, name))

    def enabled(self, form, name):
        return a11y.enabled(self.control(form, name))

    def visible(self, form, name):
        return a11y.showing(self.control(form, name))

    def caption(self, form):
        return self.window(form).name

    def checked(self, item):
        return a11y.check_value(self.menu(item)[2]) == 1

    def checked_items(self):
        return [
            item
            for _, items in MENUS
            for item in items
            if not item.startswith("Bar") and self.checked(item)
        ]

    # --- input ------------------------------------------------------------------------------

    def click(self, form, name):
        hands.click_at(*a11y.centre(self.control(form, name)))

    def _take_keyboard(self, part, what):
        for _ in range(INPUT_TRIES):
            hands.click_at(*a11y.centre(part))
            if wait_until(lambda: a11y.quietly(lambda: a11y.focused(part)), INPUT_PATIENCE):
                return
        fail(f"{what} did not take the keyboard after {INPUT_TRIES} clicks")

    def type_keys(self, part, keys, what):
        """Clears the box PART and types KEYS as they are; what the box makes of them is for the
        caller to check."""
        self._take_keyboard(part, what)
        # Selected with keys that type no character, since the baud-rate box turns away every
        # character but digits and Backspace (Ctrl+A types one).
        hands.press("End", "shift+Home", "BackSpace")
        if keys:
            hands.type_text(keys)

    def fill(self, part, value, what):
        """Types VALUE into the box PART, again while the box does not show it."""
        for _ in range(INPUT_TRIES):
            self.type_keys(part, value, what)
            if wait_until(lambda: a11y.quietly(lambda: a11y.text(part)) == value, INPUT_PATIENCE):
                return
        fail(f"{what} shows {a11y.quietly(lambda: a11y.text(part))!r} after typing {value!r}")

    def type_into(self, form, name, keys):
        self.type_keys(a11y.editable_part(self.control(form, name)), keys, name)

    def set_text(self, form, name, value):
        self.fill(a11y.editable_part(self.control(form, name)), value, name)

    def set_box(self, name, value):
        """Clicks an options check box until it shows VALUE (1 ticked, 0 cleared)."""
        box = self.control(OPTIONS, name)
        for _ in range(INPUT_TRIES):
            if a11y.check_value(box) == value:
                return
            before = a11y.check_value(box)
            hands.click_at(*a11y.centre(box))
            wait_until(
                lambda: a11y.quietly(lambda: a11y.check_value(box)) != before, INPUT_PATIENCE
            )
        require(a11y.check_value(box) == value, f"{name} would not change to {value}")

    def _open_menu(self, title, popup):
        """Opens a menu of the bar with a click on its title, again while it stays closed."""
        for _ in range(INPUT_TRIES):
            if a11y.quietly(lambda: a11y.showing(popup)):
                break
            hands.click_at(*a11y.centre(title))
            wait_until(lambda: a11y.quietly(lambda: a11y.showing(popup)), INPUT_PATIENCE)
        require(a11y.showing(popup), f"the menu {title.name!r} did not open")

    def menu_entries(self, menu):
        """What the menu of the bar named MENU shows once opened: the names of its shown items,
        a separator as "-". Esc closes it again."""
        title, popup, _ = self.menu(menu)
        self._open_menu(title, popup)
        entries = [
            "-" if kid.getRoleName() == "separator" else kid.name
            for kid in a11y.children(popup)
            if a11y.showing(kid)
        ]
        self.close_menu(title, popup)
        return entries

    def close_menu(self, title, popup):
        """Closes the open menu of the bar with Esc, again while it stays open."""
        for _ in range(INPUT_TRIES):
            hands.press("Escape")
            if wait_until(
                lambda: not a11y.quietly(lambda: a11y.showing(popup), True), INPUT_PATIENCE
            ):
                return
        fail(f"the menu {title.name!r} would not close with Esc")

    def choose(self, item):
        """Opens the item's menu with a click on its title, then clicks the item."""
        title, popup, entry = self.menu(item)
        menu, chosen = title.name, entry.name
        self._open_menu(title, popup)
        hands.click_at(*a11y.centre(entry))
        require(
            wait_until(lambda: not a11y.quietly(lambda: a11y.showing(popup), False)),
            f"the menu {menu!r} stayed open after choosing {chosen!r}",
        )

    # --- windows ----------------------------------------------------------------------------

    def top_window(self, title):
        for window in self.windows():
            if a11y.quietly(lambda: window.name) == title and a11y.quietly(
                lambda: a11y.showing(window)
            ):
                return window
        return None

    def wait_for_window(self, title):
        window = wait_until(lambda: a11y.quietly(lambda: self.top_window(title)))
        require(window is not None, f"no window titled {title!r} showed; {self.describe()}")
        return window

    def wait_gone(self, title):
        require(
            wait_until(lambda: a11y.quietly(lambda: self.top_window(title) is None, True)),
            f"the window {title!r} did not close; {self.describe()}",
        )

    def press_button(self, window, caption):
        """Clicks a button of a dialog, again while the dialog stays."""
        title = window.name
        button = a11y.find(window, "push button", caption)
        require(button is not None, f"the window {title!r} has no button {caption!r}")
        for _ in range(INPUT_TRIES):
            hands.click_at(*a11y.centre(button))
            if wait_until(
                lambda: a11y.quietly(lambda: self.top_window(title) is None, True), INPUT_PATIENCE
            ):
                return
        fail(f"the window {title!r} stayed after {INPUT_TRIES} clicks on {caption!r}")

    def x_window(self, title):
        window = wait_until(lambda: x_windows().window_titled(self.pid, title))
        require(window is not None, f"no X window titled {title!r}; {x_windows().mapped(self.pid)}")
        return window

    def close_box(self, title):
        x_windows().close_box(self.x_window(title))

    # --- the end ----------------------------------------------------------------------------

    def wait_for_end(self, what):
        require(
            wait_until(lambda: self.process.poll() is not None),
            f"the program did not end after {what}; {self.describe()}",
        )

    def exit(self):
        self.choose("mnuFileExit")
        self.wait_for_end("File, Exit")

    def stop(self):
        """Ends the program if a failed scenario left it running."""
        if self.process.poll() is None:
            self.process.kill()
        self.process.wait(timeout=PATIENCE)
        self._output.close()
