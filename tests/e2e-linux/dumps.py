"""The BIOS and flash dumps through the real save dialog: the name it offers, the loader's
arguments, the dump file, and a cancelled dialog that starts nothing."""
import dialogs
from check import require_equal, step
from program import Program
from scenario import Scenario
from support import (
    IP,
    SAVE_TITLE,
    SERIAL,
    choose,
    configure,
    require_in_terminal,
    require_nothing_started,
    require_started,
    wait_for_size,
)
from toollog import wait_for_starts

# fmt: off
ROWS = (
    # name, variant, menu item, offered name, options ticked, arguments before the path, size
    ("bios-dump-serial", SERIAL, "mnuBIOS", "dc_bios.bin", (),
     ("-t", "/dev/ttyS0", "-b", "115200", "-a", "0x0", "-s", "0x200000", "-d"), 0x200000),
    # Switch options count; path options (the chroot folder here) do not.
    ("flash-dump-ip", IP, "mnuFlash", "dc_flash.bin",
     ("cbNoConsole", "cbDumbTerminal", "cbNoScreenClear", "cbChroot"),
     ("-t", "192.168.0.0", "-a", "0x200000", "-n", "-p", "-q", "-s", "0x20000", "-d"), 0x20000),
)
# fmt: on


def dump(name, variant, item, offered, ticked, arguments, size):
    def run(box, environment):
        folder = box.folder_in_files("my dumps")
        target = box.file(f"my dumps/{offered}", b"an older dump, overwritten without a question")
        app = Program(box)
        choose(app, variant)
        if ticked:
            texts = (("txtChroot", folder),) if "cbChroot" in ticked else ()
            configure(app, texts, ticked)
        step(f"choose {item} in the File menu")
        app.choose(item)
        require_equal("name the save dialog offers", offered, dialogs.offered_name(app, SAVE_TITLE))
        step("save the dump over an existing file")
        dialogs.answer(app, SAVE_TITLE, target)
        loader = wait_for_starts(box.tools, 1)[0]
        tool = "ravlink-serial" if variant == SERIAL else "ravlink-ip"
        require_started(box, loader, tool, [*arguments, target])
        require_in_terminal(box, loader)
        wait_for_size(target, size)
        app.exit()

    return run


def cancelled_dumps(box, environment):
    app = Program(box)
    for item in ("mnuBIOS", "mnuFlash"):
        step(f"choose {item} and cancel the save dialog")
        app.choose(item)
        dialogs.cancel(app, SAVE_TITLE)
    require_nothing_started(app, box)
    app.exit()


SCENARIOS = [Scenario(row[0], dump(*row)) for row in ROWS] + [
    Scenario("dumps-cancelled", cancelled_dumps),
]
