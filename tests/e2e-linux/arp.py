"""The ARP step before an IP transfer: its command line, and that the program waits for it (the
window does not react until it has ended) before it starts the loader."""
import time

import a11y
import hands
from check import fail, require, step
from program import MAIN, Program, x_windows
from scenario import Scenario
from support import (
    DOWNLOAD,
    IP,
    UPLOAD,
    UPLOAD_EXECUTE,
    choose,
    choose_mode,
    close_options,
    open_options,
    pick_download,
    pick_upload,
    require_in_terminal,
    require_started,
    set_options,
)
from toollog import describe, end_of, read_log, wait_for_ends, wait_for_starts
from wait import wait_until

# Long enough for the driver to click while ARP runs, even on a busy machine.
TOOLS_RUN_FOR_MS = 2000
MAC = "00:11:22:33:44:55"
ARP_ARGUMENTS = ("-s", "192.168.0.77", MAC)

# fmt: off
ROWS = (
    ("ip-upload-with-arp", UPLOAD, ("-t", "192.168.0.77", "-a", "0x8c010000", "-u", "{file}")),
    ("ip-upload-execute-with-arp", UPLOAD_EXECUTE,
     ("-t", "192.168.0.77", "-a", "0x8c010000", "-x", "{file}")),
    ("ip-download-with-arp", DOWNLOAD,
     ("-t", "192.168.0.77", "-a", "0x8c010000", "-s", "0x800", "-d", "{file}")),
)
# fmt: on


def set_up(app, box, mode):
    choose(app, IP)
    choose_mode(app, mode)
    open_options(app)
    texts = [("cmbIP", "192.168.0.77")] + ([("txtFilesize", "0x800")] if mode == DOWNLOAD else [])
    set_options(app, texts, ("cbARP",))
    require(app.enabled("options", "txtARP"), "the MAC address box is disabled with ARP ticked")
    set_options(app, [("txtARP", MAC)])
    step("press OK in the options dialog")
    close_options(app, "cmdOK")
    if mode == DOWNLOAD:
        path = box.path("files", "dump file.bin")
        pick_download(app, path)
    else:
        path = box.file("demo file.elf")
        pick_upload(app, path)
    return path


def watch_for_reaction(app, arp, baseline):
    """Until ARP ends, no new window (the menu clicked open, a tip) may appear."""

    def ended():
        seen = x_windows().mapped(app.pid)
        calls = read_log(app.box.tools)  # read after looking: ARP ran on while SEEN was seen
        if len(seen) > len(baseline) and end_of(calls, arp) is None:
            fail(f"the window reacted while ARP ran: windows {seen}, {describe(calls)}")
        return end_of(calls, arp)

    end = wait_until(ended)
    require(end is not None, f"ARP did not end: {describe(read_log(app.box.tools))}")
    return end


def transfer_with_arp(mode, arguments):
    def run(box, environment):
        box.set_tool_sleep(TOOLS_RUN_FOR_MS)
        app = Program(box)
        path = set_up(app, box, mode)
        title, popup, _ = app.menu("mnuFile")
        file_menu = a11y.centre(title)
        baseline = x_windows().mapped(app.pid)

        step("press Execute and wait for ARP to start")
        app.click(MAIN, "cmdExecute")
        arp = wait_for_starts(box.tools, 1)[0]
        require_started(box, arp, "arp", ARP_ARGUMENTS)

        step("click the File menu while ARP runs")
        clicked = time.time_ns()
        hands.click_at(*file_menu)
        end = watch_for_reaction(app, arp, baseline)
        require(end.stamp > clicked, "ARP ended before the click; the machine was too slow to tell")

        step("wait for the File menu to open once ARP has ended")
        require(
            wait_until(lambda: a11y.quietly(lambda: a11y.showing(popup))),
            "the click given during ARP never opened the File menu",
        )
        app.close_menu(title, popup)

        step("wait for the loader")
        loader = wait_for_starts(box.tools, 2)[1]
        require(end.stamp <= loader.stamp, "the loader started before ARP ended")
        require_started(
            box, loader, "ravlink-ip", [path if a == "{file}" else a for a in arguments]
        )
        require_in_terminal(box, loader)
        wait_for_ends(box.tools, (loader,))
        app.exit()

    return run


SCENARIOS = [Scenario(name, transfer_with_arp(mode, arguments)) for name, mode, arguments in ROWS]
