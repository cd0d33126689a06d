"""Start-up and the required files, the first exit, and the About box."""
import os

import dialogs
import settingsfile
from check import require, require_equal, step
from program import MAIN, Program, x_windows
from scenario import Scenario
from support import SERIAL, UPLOAD_EXECUTE
from toollog import read_log

SERIAL_CAPTION = "Ravlink Serial GUI 2.0"


def start_without_settings(box, environment):
    """A first start, without the optional ARP tool: every default, and the first exit writes
    them all."""
    step("start the program in a folder without settings and without tools/arp")
    app = Program(box)
    step("read the main window")
    require_equal("window caption", SERIAL_CAPTION, app.caption(MAIN))
    require_equal("check marks", [SERIAL, UPLOAD_EXECUTE], app.checked_items())
    expected = {
        "cmdBrowse": "Browse",
        "lblFilename": "Select a file to upload",
        "txtUpload": "Please select a file to upload...",
        "lblInformation": "Upload through the serial port, /dev/ttyS0 at 115200bps",
        "cmdExecute": "Upload and Execute",
    }
    for name, text in expected.items():
        require_equal(name, text, app.text(MAIN, name))
    require(app.visible(MAIN, "txtUpload"), "the upload box is not shown")
    require(not app.visible(MAIN, "txtDownload"), "the download box is shown in upload mode")
    require_equal("settings file while running", None, box.read_settings())
    step("choose File, Exit")
    app.exit()
    require_equal(
        "settings written at exit", settingsfile.expected(), settingsfile.parse(box.read_settings())
    )


def missing_loader(missing):
    def run(box, environment):
        box.write_settings(settingsfile.text(settingsfile.expected(RAVLINK="IP", TYPE="&Download")))
        before = (box.read_settings(), os.stat(box.settings).st_mtime_ns)
        step(f"start the program without {missing}")
        app = Program(box, expect_main=False)
        text = dialogs.message(app)
        require_equal("message", "A required file(s) was not found!", text)
        shown = [title for _, title in x_windows().mapped(app.pid)]
        require_equal("windows on the screen", [dialogs.OOPS], shown)
        step("press OK")
        app.press_button(app.top_window(dialogs.OOPS), "OK")
        app.wait_for_end("the required-file message")
        require_equal(
            "settings file", before, (box.read_settings(), os.stat(box.settings).st_mtime_ns)
        )
        require_equal("tools started", [], read_log(box.tools))

    return run


ABOUT_START = [
    "This is a GUI for the programming tool Ravlink.",
    "",
    "It supports all of Ravlink's command-line parameters",
    "with support for uploading, uploading then executing,",
    "and downloading.",
    "",
]


def about_box(box, environment):
    app = Program(box)
    step("choose Help, About")
    app.choose("mnuHelpAbout")
    lines = dialogs.message(app, "About").split("\n")
    require_equal("About text, lines 1 to 6", ABOUT_START, lines[:6])
    require_equal("lines of the About text", 8, len(lines))
    step("press OK")
    app.press_button(app.top_window("About"), "OK")
    require_equal("window caption after About", SERIAL_CAPTION, app.caption(MAIN))
    app.exit()


SCENARIOS = [
    Scenario("start-without-settings", start_without_settings, ("tools/arp",)),
    Scenario(
        "missing-serial-loader", missing_loader("tools/ravlink-serial"), ("tools/ravlink-serial",)
    ),
    Scenario("missing-ip-loader", missing_loader("tools/ravlink-ip"), ("tools/ravlink-ip",)),
    Scenario("about-box", about_box),
]
