"""A loader started before that still runs: a press that would start the same loader asks
first; Yes ends it, also when a server terminal runs it, and starts the new one; No starts a
dump alongside; Cancel starts nothing, the ARP step included."""
import os

import a11y
import dialogs
import hands
from check import fail, require, require_equal, step
from program import INPUT_PATIENCE, INPUT_TRIES, MAIN, Program
from scenario import Scenario
from support import (
    IP,
    SAVE_TITLE,
    choose,
    configure,
    execute_and_wait,
    pick_upload,
    require_in_terminal,
    require_started,
)
from toollog import describe, end_of, process_gone, read_log, starts, wait_for_starts
from wait import wait_until

STAY_MS = 60000  # longer than any scenario: the loaders run until ended
SERIAL_QUESTION = (
    "The serial loader started before is still running and may hold /dev/ttyS0. End it and "
    "start the new one?"
)
IP_QUESTION = (
    "The IP loader started before is still running and may hold the console's connection. End "
    "it and start the new one?"
)
# Marks the stand-in terminal as one that hands its command to a server process.
SERVER_MARKER = "standin-terminal-server"


def start_staying_loader(app, box):
    step("press Execute: the loader starts and stays")
    return execute_and_wait(app, box)


def question(app, text):
    """The question box, once it shows: the main window's caption as its title (the main window
    is the one with the menu bar), the text, and Yes, No and Cancel."""
    title = app.caption(MAIN)

    def shown():
        for window in app.windows():
            if window.name == title and a11y.showing(window) and not app._is_form(window, MAIN):
                return window
        return None

    box = wait_until(lambda: a11y.quietly(shown))
    require(box is not None, f"no question showed; {app.describe()}")
    require_equal("question text", text, "\n".join(a11y.labels(box)))
    buttons = [name for name in ("Yes", "No", "Cancel") if a11y.find(box, "push button", name)]
    require_equal("question buttons", ["Yes", "No", "Cancel"], buttons)
    return box


def answer(box, caption):
    """Clicks the button, again while the box stays."""
    button = a11y.find(box, "push button", caption)
    for _ in range(INPUT_TRIES):
        hands.click_at(*a11y.centre(button))
        if wait_until(lambda: not a11y.quietly(lambda: a11y.showing(box), False), INPUT_PATIENCE):
            return
    fail(f"the question stayed after {INPUT_TRIES} clicks on {caption!r}")


def require_runs(box, loader):
    require(
        not process_gone(box.tools, loader) and end_of(read_log(box.tools), loader) is None,
        f"the loader {loader.pid} no longer runs: {describe(read_log(box.tools))}",
    )


def require_no_more_starts(app, box, count):
    """Once the window answers again, no tool or terminal beyond the first COUNT has started."""
    require(wait_until(lambda: app.shown(MAIN)), "the main window did not answer")
    require_equal("tools started", count, len(starts(read_log(box.tools))))
    require_equal("terminals started", count, len(starts(read_log(box.bin))))


def yes_ends_it(server_terminal):
    def run(box, environment):
        box.set_tool_sleep(STAY_MS)
        if server_terminal:
            open(os.path.join(box.bin, SERVER_MARKER), "w").close()
        app = Program(box)
        upload = box.file("demo.elf")
        pick_upload(app, upload)
        first = start_staying_loader(app, box)
        terminal = starts(read_log(box.bin))[0]
        if server_terminal:
            require(terminal.pid != first.pid, "the server terminal became the loader itself")
            require(
                wait_until(lambda: not os.path.exists(f"/proc/{terminal.pid}/exe")),
                "the server terminal did not end once it had handed the loader over",
            )
        else:
            require_in_terminal(box, first)

        step("press Execute again and answer Yes")
        app.click(MAIN, "cmdExecute")
        box_shown = question(app, SERIAL_QUESTION)
        require_no_more_starts(app, box, 1)
        answer(box_shown, "Yes")
        second = wait_for_starts(box.tools, 2)[1]
        require_started(box, second, "ravlink-serial", first.arguments[1:])
        require(process_gone(box.tools, first), "the loader started before still runs")
        require(end_of(read_log(box.tools), first) is None, "the loader before ran to its end")
        require_runs(box, second)
        app.exit()

    return run


def no_starts_a_dump_alongside(box, environment):
    box.set_tool_sleep(STAY_MS)
    app = Program(box)
    pick_upload(app, box.file("demo.elf"))
    first = start_staying_loader(app, box)

    step("choose Download BIOS, save, and answer No")
    target = box.path("files", "bios.bin")
    app.choose("mnuBIOS")
    dialogs.answer(app, SAVE_TITLE, target)
    box_shown = question(app, SERIAL_QUESTION)
    require_no_more_starts(app, box, 1)
    answer(box_shown, "No")
    second = wait_for_starts(box.tools, 2)[1]
    arguments = ("-t", "/dev/ttyS0", "-b", "115200", "-a", "0x0", "-s", "0x200000", "-d", target)
    require_started(box, second, "ravlink-serial", arguments)
    require_in_terminal(box, second)
    require_runs(box, first)
    require_runs(box, second)
    app.exit()


def cancel_starts_nothing(box, environment):
    box.set_tool_sleep(STAY_MS)
    app = Program(box)
    choose(app, IP)
    pick_upload(app, box.file("demo.elf"))
    first = start_staying_loader(app, box)
    configure(app, (("txtARP", "00:11:22:33:44:55"),), ("cbARP",))

    step("press Execute again and answer Cancel")
    app.click(MAIN, "cmdExecute")
    answer(question(app, IP_QUESTION), "Cancel")
    require_no_more_starts(app, box, 1)
    require_runs(box, first)
    app.exit()


SCENARIOS = [
    Scenario("running-loader-yes-ends-it", yes_ends_it(server_terminal=False)),
    Scenario("running-loader-yes-server-terminal", yes_ends_it(server_terminal=True)),
    Scenario("running-loader-no-dump-alongside", no_starts_a_dump_alongside),
    Scenario("running-loader-cancel-starts-nothing", cancel_starts_nothing),
]
