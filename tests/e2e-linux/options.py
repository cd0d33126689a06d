"""The options dialog: OK with its chroot and ISO tests, Cancel, the close box and Esc, Default,
and the baud-rate box that takes digits only (and Delete)."""
import a11y
import dialogs
import hands
from check import require, require_equal, step
from program import INPUT_PATIENCE, INPUT_TRIES, MAIN, OPTIONS, Program
from scenario import Scenario
from support import close_options, open_options, set_options
from wait import wait_until

TEXTS = (
    "txtAddress",
    "txtFilesize",
    "cmbCOMPort",
    "cmbIP",
    "cmbBaudrate",
    "txtARP",
    "txtChroot",
    "txtCDFSRedir",
)
BOXES = ("cbARP", "cbNoConsole", "cbDumbTerminal", "cbNoScreenClear", "cbChroot", "cbCDFSRedir")
NO_CHROOT = "Sorry, that Chroot folder does not exist!"
NO_ISO = "Sorry, that ISO image does not exist!"
SERIAL_TITLE = "Ravlink Serial Confirguration Options"


def option_values(app):
    """The fourteen option values as the dialog shows them."""
    values = {name: app.text(OPTIONS, name) for name in TEXTS}
    values.update({name: app.value(OPTIONS, name) for name in BOXES})
    return values


def require_values(what, expected, app):
    require_equal(what, expected, option_values(app))


def require_windows(app, titles):
    """The program answers again and shows exactly these windows (no further message)."""
    require_equal("windows shown", sorted(titles), sorted(app.titles()))


def ok_tests(box, environment):
    """OK runs the chroot test first, then the ISO test; each failure keeps the dialog open."""
    existing_folder = box.folder_in_files("root")
    existing_file = box.file("some.bin")
    missing = box.path("files", "no such thing")
    steps = (
        # what the user sets, the message OK then shows (None: the dialog closes)
        ((("txtChroot", missing),), ("cbChroot",), (), NO_CHROOT),
        ((("txtCDFSRedir", missing),), ("cbCDFSRedir",), (), NO_CHROOT),
        ((("txtChroot", existing_folder),), (), (), NO_ISO),
        ((("txtCDFSRedir", existing_folder),), (), (), NO_ISO),  # a folder is no image
        ((("txtChroot", existing_file),), (), ("cbCDFSRedir",), None),  # a file passes; unticked
    )
    app = Program(box)
    main_title = app.caption(MAIN)
    open_options(app)
    set_options(app, (("cmbBaudrate", "57600"),))
    for texts, ticked, cleared, message in steps:
        step(f"set {texts}, tick {ticked}, clear {cleared}, press OK")
        set_options(app, texts, ticked, cleared)
        app.click(OPTIONS, "cmdOK")
        if message is None:
            break
        dialogs.expect_message(app, message)
        require_windows(app, [main_title, SERIAL_TITLE])
    require(wait_until(lambda: not app.shown(OPTIONS)), "OK did not close the dialog")
    require_equal(
        "information line",
        "Upload through the serial port, /dev/ttyS0 at 57600bps",
        app.text(MAIN, "lblInformation"),
    )
    app.exit()


CHANGES = (
    ("txtAddress", "0x8c008000"),
    ("txtFilesize", "0x100"),
    ("cmbCOMPort", "/dev/ttyUSB0"),
    ("cmbBaudrate", "9600"),
    ("txtChroot", "/nowhere"),
)
TICKS = ("cbNoConsole", "cbDumbTerminal", "cbChroot")


def close_by_escape(app):
    for _ in range(INPUT_TRIES):
        hands.press("Escape")
        if wait_until(lambda: not app.shown(OPTIONS), INPUT_PATIENCE):
            return
    require(False, "Esc did not close the options dialog")


WAYS = {
    "cancel-button": lambda app: close_options(app, "cmdCancel"),
    "close-box": lambda app: app.close_box(SERIAL_TITLE),
    "escape-key": close_by_escape,
}


def dismissed(way):
    """Leaving the dialog but through OK puts back what it held when it opened."""

    def run(box, environment):
        app = Program(box)
        information = app.text(MAIN, "lblInformation")
        open_options(app)
        before = option_values(app)
        step("change texts and tick boxes")
        set_options(app, CHANGES, TICKS)
        require(app.enabled(OPTIONS, "txtChroot"), "the chroot box is disabled with its box ticked")
        step(f"leave the dialog by the {way}")
        WAYS[way](app)
        require(wait_until(lambda: not app.shown(OPTIONS)), f"the {way} did not close the dialog")
        require_equal("information line", information, app.text(MAIN, "lblInformation"))
        open_options(app)
        require_values("values after reopening", before, app)
        require(not app.enabled(OPTIONS, "txtChroot"), "the chroot box stayed enabled")
        close_options(app, "cmdOK")
        app.exit()

    return run


# fmt: off
DEFAULTS = {
    "txtAddress": "0x8c010000", "txtFilesize": "0", "cmbCOMPort": "/dev/ttyS0",
    "cmbIP": "192.168.0.0", "cmbBaudrate": "115200", "txtARP": "Set MAC address",
    "txtChroot": "Please select a folder...", "txtCDFSRedir": "Please select an ISO image...",
    "cbARP": 0, "cbNoConsole": 0, "cbDumbTerminal": 0, "cbNoScreenClear": 0, "cbChroot": 0,
    "cbCDFSRedir": 0,
}
# fmt: on


def default_button(box, environment):
    """Default sets the defaults (the size as "0"), Cancel still puts back what was there, and
    OK keeps them."""
    app = Program(box)
    open_options(app)
    set_options(
        app,
        (("txtAddress", "0x8c008000"), ("cmbBaudrate", "38400"), ("cmbCOMPort", "/dev/ttyUSB2")),
        ("cbNoScreenClear", "cbDumbTerminal"),
    )
    chosen = option_values(app)
    close_options(app, "cmdOK")
    for leave in ("cmdCancel", "cmdOK"):
        open_options(app)
        step(f"press Default, then {leave}")
        app.click(OPTIONS, "cmdDefault")
        require(
            wait_until(lambda: option_values(app) == DEFAULTS),
            f"after Default: {option_values(app)}",
        )
        for name in ("txtChroot", "cmdChroot", "txtCDFSRedir", "cmdCDFSRedir", "txtARP"):
            require(not a11y.enabled(app.control(OPTIONS, name)), f"{name} enabled after Default")
        require(app.shown(OPTIONS), "Default closed the dialog")
        close_options(app, leave)
        open_options(app)
        require_values(
            f"values after Default and {leave}", DEFAULTS if leave == "cmdOK" else chosen, app
        )
        close_options(app, "cmdCancel")
    require_equal(
        "information line",
        "Upload through the serial port, /dev/ttyS0 at 115200bps",
        app.text(MAIN, "lblInformation"),
    )
    app.exit()


def baud_rate_digits_only(box, environment):
    """Letters typed into the baud-rate box are dropped; digits stay; Delete deletes."""
    app = Program(box)
    open_options(app)
    part = a11y.editable_part(app.control(OPTIONS, "cmbBaudrate"))
    for _ in range(INPUT_TRIES):
        step("type 5x7y6z00 into the baud-rate box")
        app.type_into(OPTIONS, "cmbBaudrate", "5x7y6z00")
        wait_until(lambda: a11y.text(part) == "57600", INPUT_PATIENCE)
        seen = a11y.text(part)
        require(not any(c.isalpha() for c in seen), f"the baud-rate box took letters: {seen!r}")
        if seen == "57600":  # else a digit did not arrive: type it all again
            break
    require_equal("baud-rate box", "57600", a11y.text(part))
    step("press Home, then Delete and the keypad's Delete")
    hands.press("Home", "Delete", "KP_Delete")
    require(
        wait_until(lambda: a11y.text(part) == "600", INPUT_PATIENCE),
        f"the Delete keys did not delete: {a11y.text(part)!r}",
    )
    close_options(app, "cmdOK")
    app.exit()


SCENARIOS = [
    Scenario("options-ok-tests", ok_tests),
    *(Scenario(f"options-left-by-{way}", dismissed(way)) for way in WAYS),
    Scenario("options-default", default_button),
    Scenario("baud-rate-digits-only", baud_rate_digits_only),
]
