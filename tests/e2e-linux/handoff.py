"""A file handed to the program on its command line, as a build script or an IDE's tool entry
hands it: into the upload box, refused, executed at once, or handed by a second start to the
program already running from the same folder."""
import os
import shutil
from dataclasses import dataclass

import arp
import dialogs
import settingsfile
from check import require, require_equal, step
from program import MAIN, OPTIONS, Program, x_windows
from scenario import Scenario
from support import (
    DOWNLOAD,
    SERIAL,
    UPLOAD,
    UPLOAD_EXECUTE,
    choose_mode,
    close_options,
    open_options,
    require_nothing_started,
    require_started,
)
from toollog import wait_for_ends, wait_for_starts
from wait import wait_until

SERIAL_TOOL = "ravlink-serial"
MAIN_CAPTION = "Ravlink Serial GUI 2.0"
UPLOAD_PROMPT = "Please select a file to upload..."
SERIAL_HEAD = ("-t", "/dev/ttyS0", "-b", "115200", "-a", "0x8c010000")


def files_path(box, name):
    """A file of files/ as the program names it: its folder's links resolved."""
    return os.path.join(os.path.realpath(box.files), name)


def main_windows():
    return len(x_windows().all_titled(MAIN_CAPTION))


def require_handed_over(second):
    """A second start that hands its file over ends by itself, having shown no window."""
    second.wait_for_end("handing its file over")
    require_equal("the second start's exit status", 0, second.process.returncode)
    require_equal("main windows on the screen", 1, main_windows())


def require_box(app, path):
    require(
        wait_until(lambda: app.text(MAIN, "txtUpload") == path),
        f"the upload box shows {app.text(MAIN, 'txtUpload')!r}, not {path!r}",
    )


def file_fills_the_box(box, environment):
    """Started from files/ with a relative name, after a last run in Download mode: the name is
    taken from files/ and goes into the upload box in full, and the window shows the upload
    mode."""
    box.file("demo.elf")
    box.write_settings(settingsfile.text(settingsfile.expected(TYPE="&Download")))
    step("start the program from files/ with the argument demo.elf")
    app = Program(box, arguments=["demo.elf"])
    require_box(app, files_path(box, "demo.elf"))
    require_equal("check marks", [SERIAL, UPLOAD_EXECUTE], app.checked_items())
    require(app.visible(MAIN, "txtUpload"), "the upload box is not shown")
    require(app.top_window(dialogs.OOPS) is None, "a message box showed")
    require_nothing_started(app, box)
    app.exit()


def execute_on_the_command_line(box, environment):
    path = box.file("demo build.elf")
    step("start the program with --execute and a file")
    app = Program(box, arguments=["--execute", path])
    loader = wait_for_starts(box.tools, 1)[0]
    path = files_path(box, "demo build.elf")
    require_started(box, loader, SERIAL_TOOL, [*SERIAL_HEAD, "-x", path])
    require_box(app, path)
    app.exit()


@dataclass
class RefusedLine:
    name: str
    arguments: tuple  # "{files}" stands for files/
    message: str


# fmt: off
REFUSED_LINES = [
    RefusedLine("command-line-folder", ("--execute", "{files}/games"),
                "Sorry, a folder cannot be uploaded. Please drop a file."),
    RefusedLine("command-line-missing-file", ("--execute", "gone.elf"),
                "Sorry, that file does not exist!"),
    RefusedLine("command-line-two-files", ("--execute", "a.elf", "b.elf"),
                "Sorry, only one file can be handed to the program at a time."),
    RefusedLine("command-line-unknown-option", ("--run", "a.elf"),
                'Sorry, the option "--run" is not known. The program takes the name of one file, '
                "and --execute to upload and execute it at once."),
]
# fmt: on


def refused_line(line):
    """The refusal shows over the main window; once dismissed, the program runs on with its box
    as it was, and nothing has been started, --execute or not."""

    def run(box, environment):
        box.file("a.elf")
        box.file("b.elf")
        box.folder_in_files("games")
        arguments = [argument.replace("{files}", box.files) for argument in line.arguments]
        step(f"start the program with {arguments}")
        app = Program(box, arguments=arguments)
        dialogs.expect_message(app, line.message)
        step("look at the program after the refusal")
        require_equal("upload box", UPLOAD_PROMPT, app.text(MAIN, "txtUpload"))
        require_nothing_started(app, box)
        app.exit()

    return run


def missing_loader_first(box, environment):
    """The required-file check ends the program before the file is looked at."""
    path = box.file("demo.elf")
    step("start the program without tools/ravlink-serial, with --execute and a file")
    app = Program(box, expect_main=False, arguments=["--execute", path])
    dialogs.expect_message(app, "A required file(s) was not found!")
    app.wait_for_end("the required-file message")
    require_equal("settings file", None, box.read_settings())


def second_start_hands_over(box, environment):
    """Each later start with a file ends at once and the running program takes the file: the
    relative name is taken from where that start was made, and Download gives way to the upload
    mode chosen before it. With --execute the running program starts the loader."""
    box.file("first.elf")
    second_file = box.file("second.elf")
    first = Program(box)
    choose_mode(first, UPLOAD)
    choose_mode(first, DOWNLOAD)
    step("start it again with first.elf")
    require_handed_over(Program(box, expect_main=False, arguments=["first.elf"]))
    require_box(first, files_path(box, "first.elf"))
    require_equal("check marks", [SERIAL, UPLOAD], first.checked_items())
    require_nothing_started(first, box)
    require_equal("settings file while the first program runs", None, box.read_settings())
    step("start it again with --execute and second.elf")
    require_handed_over(Program(box, expect_main=False, arguments=["--execute", second_file]))
    loader = wait_for_starts(box.tools, 1)[0]
    require_started(box, loader, SERIAL_TOOL, [*SERIAL_HEAD, "-u", files_path(box, "second.elf")])
    first.exit()


def hand_over_while_options_open(box, environment):
    """The file reaches the box at once, and Execute waits until the dialog has closed, so that
    it sends with the options as they end up."""
    path = box.file("demo.elf")
    first = Program(box)
    open_options(first)
    step("start it again with --execute and demo.elf while the options dialog is open")
    require_handed_over(Program(box, expect_main=False, arguments=["--execute", path]))
    require_box(first, files_path(box, "demo.elf"))
    require(first.shown(OPTIONS), "the options dialog has closed")
    require_nothing_started(first, box)
    step("tick No console and press OK: the loader starts with it")
    first.set_box("cbNoConsole", 1)
    close_options(first, "cmdOK")
    loader = wait_for_starts(box.tools, 1)[0]
    arguments = [*SERIAL_HEAD, "-n", "-x", files_path(box, "demo.elf")]
    require_started(box, loader, SERIAL_TOOL, arguments)
    first.exit()


def second_start_without_file(box, environment):
    """Without a file a start is a program of its own, beside the first, as always; it leaves
    the files handed over later to the first, also once it has ended."""
    path = box.file("demo.elf")
    first = Program(box)
    step("start the program again without arguments")
    second = Program(box)
    require_equal("main windows on the screen", 2, main_windows())
    second.exit()
    step("start it again with demo.elf")
    require_handed_over(Program(box, expect_main=False, arguments=[path]))
    require_box(first, files_path(box, "demo.elf"))
    first.exit()


def copy_in_another_folder(box, environment):
    """A copy of the program in another folder is another program: a start of it with a file
    opens its own window, and the first keeps its box."""
    copy = box.path("copy")
    os.makedirs(copy)
    shutil.copy2(box.program, copy)
    shutil.copytree(box.tools, os.path.join(copy, "tools"))
    path = box.file("demo.elf")
    first = Program(box)
    step("start the copy in copy/ with demo.elf")
    second = Program(box, arguments=[path], program=os.path.join(copy, "ravlinkgui"))
    require_box(second, files_path(box, "demo.elf"))
    require_equal("the first program's upload box", UPLOAD_PROMPT, first.text(MAIN, "txtUpload"))
    require_equal("main windows on the screen", 2, main_windows())
    second.exit()
    first.exit()


# Longer than a running program may take to take a file, shorter than a start waits for it.
BUSY_FOR_MS = 6000


def busy_program_keeps_its_box(box, environment):
    """A running program busy with the ARP step past the time a hand-over may take: the new
    start opens a window of its own with the file, and the busy program, once free, turns the
    late message away and keeps its box."""
    box.set_tool_sleep(BUSY_FOR_MS)
    busy = Program(box)
    path = arp.set_up(busy, box, UPLOAD)
    second_path = box.file("second.elf")
    step("press Execute and wait for ARP to start")
    busy.click(MAIN, "cmdExecute")
    arp_call = wait_for_starts(box.tools, 1)[0]
    step("start the program again with second.elf while ARP runs")
    second = Program(box, arguments=[second_path])
    require_box(second, files_path(box, "second.elf"))
    wait_for_ends(box.tools, (arp_call,))
    loader = wait_for_starts(box.tools, 2)[1]
    require_equal("the busy program's loader's file", path, loader.arguments[-1])
    require_equal("the busy program's upload box", path, busy.text(MAIN, "txtUpload"))
    second.exit()
    busy.exit()


def killed_program_leaves_no_hold(box, environment):
    """A program that was killed leaves its socket behind: the next start with a file opens a
    window of its own, and takes the files of the starts after it."""
    box.file("first.elf")
    box.file("second.elf")
    killed = Program(box)
    step("kill the running program")
    killed.process.kill()
    killed.wait_for_end("being killed")
    step("start the program with first.elf")
    app = Program(box, arguments=["first.elf"])
    require_box(app, files_path(box, "first.elf"))
    step("start it again with second.elf")
    require_handed_over(Program(box, expect_main=False, arguments=["second.elf"]))
    require_box(app, files_path(box, "second.elf"))
    app.exit()


SCENARIOS = [
    Scenario("command-line-file", file_fills_the_box),
    Scenario("command-line-execute", execute_on_the_command_line),
    *[Scenario(line.name, refused_line(line)) for line in REFUSED_LINES],
    Scenario("command-line-no-loader", missing_loader_first, ("tools/ravlink-serial",)),
    Scenario("second-start-hands-over", second_start_hands_over),
    Scenario("hand-over-under-options", hand_over_while_options_open),
    Scenario("second-start-no-file", second_start_without_file),
    Scenario("copy-in-another-folder", copy_in_another_folder),
    Scenario("busy-program", busy_program_keeps_its_box),
    Scenario("killed-program", killed_program_leaves_no_hold),
]
