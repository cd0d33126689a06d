"""Copy Command Line and the clipboard: the Execute button's context menu (right button, menu
key, Shift+F10) and Ctrl+Shift+C put the line a press would start on the clipboard, which run in
a shell starts the same thing; a refused press copies nothing; text pasted into a box keeps its
first line only."""
import os
import subprocess

import a11y
import clipboard
import dialogs
import hands
import settingsfile
from check import require, require_equal, step
from program import INPUT_PATIENCE, INPUT_TRIES, MAIN, OPTIONS, Program, x_windows
from scenario import Scenario
from support import IP, choose, close_options, configure, execute_and_wait, open_options
from toollog import read_log, starts, wait_for_ends, wait_for_starts
from wait import wait_until

MARKER = "what the user copied before"
NO_FILE = "Sorry, that file does not exist!"


def mapped_count(app):
    return len(x_windows().mapped(app.pid))


def copy_by_menu(app, open_menu, what):
    """Opens the button's context menu with OPEN_MENU and chooses Copy Command Line by its
    access key; again while no menu came up."""
    before = mapped_count(app)
    for _ in range(INPUT_TRIES):
        step(f"open the Execute button's context menu by {what}")
        open_menu()
        if wait_until(lambda: mapped_count(app) > before, INPUT_PATIENCE):
            break
    require(mapped_count(app) > before, f"{what} opened no menu")
    step("choose Copy Command Line by its access key")
    hands.press("c")
    require(wait_until(lambda: mapped_count(app) == before), "the menu stayed open")


def focus_execute(app):
    """The keyboard on the Execute button, reached with Tab from the upload box (a click would
    press it)."""
    app.click(MAIN, "txtUpload")
    button = app.control(MAIN, "cmdExecute")
    for _ in range(INPUT_TRIES):
        hands.press("Tab")
        if wait_until(lambda: a11y.quietly(lambda: a11y.focused(button)), INPUT_PATIENCE):
            return
        app.click(MAIN, "txtUpload")
    require(False, "Tab did not reach the Execute button")


def copied(previous):
    """The clipboard's text once the program has replaced PREVIOUS there."""
    text = wait_until(lambda: (lambda seen: seen if seen != previous else None)(clipboard.read()))
    require(text is not None, f"the clipboard still holds {previous!r}")
    return text


def run_in_shell(box, line):
    """Runs the copied line as a user pasting it into a shell would, from another folder."""
    step("run the copied line in a shell")
    finished = subprocess.run(["/bin/sh", "-c", line], cwd=box.files, timeout=60)
    require_equal("the shell's exit status", 0, finished.returncode)


def program_of(call):
    """The program file a start ran: the shell names it relative to the folder it went to."""
    return os.path.normpath(os.path.join(call.directory, call.arguments[0]))


def require_same_start(pasted, pressed):
    """The same program, with the same arguments, from the same folder."""
    require_equal("program run by the copied line", program_of(pressed), program_of(pasted))
    require_equal("arguments from the copied line", pressed.arguments[1:], pasted.arguments[1:])
    require_equal("folder of the copied line", pressed.directory, pasted.directory)


def copy_from_the_menu(box, environment):
    """The right button and the keyboard open the menu; the line copied runs in a shell as the
    press runs, blanks and all."""
    app = Program(box)
    path = box.file("my  demo.elf")
    app.set_text(MAIN, "txtUpload", path)
    button = app.control(MAIN, "cmdExecute")
    ways = (
        ("the right mouse button", lambda: hands.right_click_at(*a11y.centre(button))),
        ("the menu key", lambda: hands.press("Menu")),
        ("Shift+F10", lambda: hands.press("shift+F10")),
    )
    lines = []
    for what, open_menu in ways:
        if what != "the right mouse button":
            focus_execute(app)
        with clipboard.Offer(MARKER):
            copy_by_menu(app, open_menu, what)
            lines.append(copied(MARKER))
    require_equal("lines copied each way", [lines[0]] * len(ways), lines)
    require("my  demo.elf'" in lines[0], f"the copied line lost a blank: {lines[0]!r}")
    require_equal("tools started by copying", [], starts(read_log(box.tools)))
    run_in_shell(box, lines[0])
    pasted = wait_for_starts(box.tools, 1)[0]
    wait_for_ends(box.tools, [pasted])
    pressed = execute_and_wait(app, box)
    require_same_start(pasted, pressed)
    app.exit()


def copy_with_the_keys(box, environment):
    """Ctrl+Shift+C anywhere in the main window; the ARP step's line comes first, on a line of
    its own, and the two run in a shell as the press runs them."""
    app = Program(box)
    path = box.file("demo.elf")
    choose(app, IP)
    configure(app, (("txtARP", "00:11:22:33:44:55"),), ("cbARP",))
    app.set_text(MAIN, "txtUpload", path)
    with clipboard.Offer(MARKER):
        step("press Ctrl+Shift+C in the upload box")
        hands.press("ctrl+shift+c")
        line = copied(MARKER)
    require_equal("lines copied", 2, len(line.split("\n")))
    require("\r" not in line, f"a carriage return in the copy: {line!r}")
    run_in_shell(box, line)
    pasted = wait_for_starts(box.tools, 2)
    wait_for_ends(box.tools, pasted)
    step("press Execute")
    app.click(MAIN, "cmdExecute")
    pressed = wait_for_starts(box.tools, 4)[2:]
    require_equal("tools started by the press", ["arp", "ravlink-ip"], [c.tool for c in pressed])
    for pasted_call, pressed_call in zip(pasted, pressed):
        require_same_start(pasted_call, pressed_call)
    app.exit()


def refused_copy(box, environment):
    """With no file to upload, Ctrl+Shift+C says why, as a press would, and the clipboard keeps
    what it held."""
    app = Program(box)
    with clipboard.Offer(MARKER):
        app.click(MAIN, "txtUpload")
        step("press Ctrl+Shift+C with the upload box still holding its prompt")
        hands.press("ctrl+shift+c")
        dialogs.expect_message(app, NO_FILE)
        require_equal("the clipboard", MARKER, clipboard.read())
    require_equal("tools started", [], starts(read_log(box.tools)))
    app.exit()


def paste_into(app, form, name, text):
    """Selects the whole box and pastes TEXT over it with Ctrl+V."""
    part = a11y.editable_part(app.control(form, name))
    with clipboard.Offer(text):
        app.type_keys(part, "", name)
        hands.press("ctrl+v")
        wait_until(lambda: a11y.quietly(lambda: a11y.text(part)) != "", INPUT_PATIENCE)
    return a11y.text(part)


def pasted_line_breaks(box, environment):
    """A device pasted from a terminal with its line end, and a value with a line and a key
    after it: the boxes keep the first line, and so do the settings file and the loader."""
    app = Program(box)
    path = box.file("demo.elf")
    open_options(app)
    step("paste a device with its line end and a key after it")
    device = paste_into(app, OPTIONS, "cmbCOMPort", "/dev/ttyUSB0\nDEVICE=/dev/evil\n")
    require_equal("device box", "/dev/ttyUSB0", device)
    close_options(app, "cmdOK")
    require_equal(
        "information line",
        "Upload through the serial port, /dev/ttyUSB0 at 115200bps",
        app.text(MAIN, "lblInformation"),
    )
    step("paste a file's path with a line end")
    require_equal("upload box", path, paste_into(app, MAIN, "txtUpload", path + "\r\n"))
    loader = execute_and_wait(app, box)
    require_equal("the loader's device", "/dev/ttyUSB0", loader.arguments[2])
    require_equal("the loader's file", path, loader.arguments[-1])
    app.exit()
    settings = box.read_settings().decode("latin-1")
    devices = [line for line in settings.splitlines() if line.upper().startswith("DEVICE=")]
    require_equal("device lines in the settings file", ["DEVICE=/dev/ttyUSB0"], devices)
    kept = settingsfile.kept(box.read_settings())
    require_equal("upload file kept", "files/demo.elf", kept["UPLOAD"])
    require_equal("recent files kept", ["files/demo.elf", ""], [kept["RECENT1"], kept["RECENT2"]])


SCENARIOS = [
    Scenario("copy-command-line-from-the-menu", copy_from_the_menu),
    Scenario("copy-command-line-with-ctrl-shift-c", copy_with_the_keys),
    Scenario("copy-command-line-refused", refused_copy),
    Scenario("pasted-line-breaks-stay-out", pasted_line_breaks),
]
