"""What a user does again and again: choose the loader and the mode, set options, pick files,
press Execute; and what the driver checks each time: the tools' command lines."""
import os

import dialogs
from check import require, require_equal, step
from program import MAIN, OPTIONS
from toollog import all_gone, describe, read_log, starts, wait_for_starts
from wait import wait_until

SERIAL = "mnuRavlinkSerial"
IP = "mnuRavlinkIP"
UPLOAD = "mnuConfigUpload"
UPLOAD_EXECUTE = "mnuConfigUlexecute"
DOWNLOAD = "mnuConfigDownload"

OPEN_TITLE = "Open a Dreamcast binary..."
SAVE_TITLE = "Save file as..."

# What the Execute and Browse buttons say in each mode (access-key marks are not read out).
MODE_CAPTIONS = {
    UPLOAD: ("Upload", "Browse"),
    UPLOAD_EXECUTE: ("Upload and Execute", "Browse"),
    DOWNLOAD: ("Download", "Save"),
}


def choose(app, item):
    step(f"choose {item} in the Config menu")
    app.choose(item)
    require(wait_until(lambda: app.checked(item)), f"{item} has no check mark after choosing it")


def choose_mode(app, mode):
    choose(app, mode)
    execute, browse = MODE_CAPTIONS[mode]
    require_equal("Execute button", execute, app.text(MAIN, "cmdExecute"))
    require_equal("Browse button", browse, app.text(MAIN, "cmdBrowse"))


def open_options(app):
    step("open Ravlink Configuration")
    app.choose("mnuConfigOptions")
    require(
        wait_until(lambda: app.shown(OPTIONS)), f"the options dialog did not show; {app.describe()}"
    )


def close_options(app, button):
    app.click(OPTIONS, button)
    require(
        wait_until(lambda: not app.shown(OPTIONS)),
        f"the options dialog stayed open after {button}; {app.describe()}",
    )


def set_options(app, texts=(), ticked=(), cleared=()):
    """Sets texts and check boxes of the open options dialog."""
    for name in ticked:
        app.set_box(name, 1)
    for name in cleared:
        app.set_box(name, 0)
    for name, value in texts:
        app.set_text(OPTIONS, name, value)


def configure(app, texts=(), ticked=()):
    open_options(app)
    set_options(app, texts, ticked)
    step("press OK in the options dialog")
    close_options(app, "cmdOK")


def pick_upload(app, path):
    step("pick the file to upload with Browse")
    app.click(MAIN, "cmdBrowse")
    dialogs.answer(app, OPEN_TITLE, path)
    require_equal("upload box", path, app.text(MAIN, "txtUpload"))


def pick_download(app, path):
    step("pick the file to download into with Save")
    app.click(MAIN, "cmdBrowse")
    dialogs.answer(app, SAVE_TITLE, path)
    require_equal("download box", path, app.text(MAIN, "txtDownload"))


def loader_count(box):
    return len(starts(read_log(box.tools)))


def execute_and_wait(app, box):
    """Presses Execute once the tools started before have gone, as a user presses again after
    the loader has done its work (one still running would be asked about); gives the tool start
    the press caused."""
    before = loader_count(box)
    require(
        wait_until(lambda: all_gone(box.tools)),
        f"a tool started before still runs: {describe(read_log(box.tools))}",
    )
    step("press Execute")
    app.click(MAIN, "cmdExecute")
    return wait_for_starts(box.tools, before + 1)[before]


def require_started(box, call, tool, arguments):
    """CALL is TOOL from the folder's tools/, run from the program's folder with ARGUMENTS,
    one field each."""
    require_equal(
        f"{tool}'s arguments", [os.path.join(box.tools, tool), *arguments], call.arguments
    )
    require_equal(f"{tool}'s current directory", box.folder, call.directory)


def require_in_terminal(box, loader):
    """The loader was started through the stand-in terminal, which became it."""
    calls = [c for c in starts(read_log(box.bin)) if c.pid == loader.pid]
    require(calls, f"the loader (pid {loader.pid}) was not started in a terminal")
    require_equal("terminal's arguments", ["-e", *loader.arguments], calls[0].arguments[1:])


def require_nothing_started(app, box):
    """After a refusal: once the window answers again, no tool has been started."""
    require(wait_until(lambda: app.shown(MAIN)), "the main window did not answer after the refusal")
    require_equal("tools started", [], [c.tool for c in starts(read_log(box.tools))])
    require_equal("terminals started", [], [c.tool for c in starts(read_log(box.bin))])


def wait_for_size(path, size):
    """The dump file a loader writes, once it has SIZE bytes."""

    def grown():
        try:
            return os.path.getsize(path) == size
        except OSError:
            return False

    require(wait_until(grown), f"{path} did not reach {size} bytes")
