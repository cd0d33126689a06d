"""The settings round trip: tools/settings.ini is written once, at exit, and read back at the
next start; a file written by hand is read with the profile rules."""
import os

import settingsfile
from check import require, require_equal, step
from dialogs import expect_message
from options import option_values
from program import MAIN, OPTIONS, Program
from scenario import Scenario
from support import (
    DOWNLOAD,
    IP,
    UPLOAD_EXECUTE,
    choose,
    choose_mode,
    close_options,
    configure,
    open_options,
)

IP_CAPTION = "Ravlink IP GUI 2.0"


def round_trip(box, environment):
    root = box.folder_in_files("chroot root")
    image = box.file("game.iso", b"ISO")
    app = Program(box)
    step("set the serial device and speed, then the IP loader's options")
    configure(app, (("cmbCOMPort", "/dev/ttyUSB0"), ("cmbBaudrate", "38400")))
    choose(app, IP)
    choose_mode(app, DOWNLOAD)
    texts = (
        ("txtAddress", "0x8c004000"),
        ("txtFilesize", "0x2000"),
        ("cmbIP", "10.0.0.9"),
        ("txtARP", "00:aa:bb:cc:dd:ee"),
        ("txtChroot", root),
        ("txtCDFSRedir", image),
    )
    ticked = ("cbARP", "cbNoConsole", "cbNoScreenClear", "cbChroot", "cbCDFSRedir")
    configure(app, texts, ticked)
    open_options(app)
    shown = option_values(app)
    close_options(app, "cmdCancel")
    require_equal("settings file before the exit", None, box.read_settings())

    step("close the main window with its close box")
    app.close_box(IP_CAPTION)
    app.wait_for_end("the close box")
    written = box.read_settings()
    stored = settingsfile.expected(
        TYPE="&Download",
        RAVLINK="IP",
        ADDRESS="0x8c004000",
        SIZE="0x2000",
        DEVICE="/dev/ttyUSB0",
        IP="10.0.0.9",
        BAUDRATE="38400",
        ARP="1",
        ARPMAC="00:aa:bb:cc:dd:ee",
        NOCONSOLE="1",
        NOCLEAR="1",
        CHROOT="1",
        CDFS="1",
        DIR=root,
        ISO=image,
    )
    require_equal("settings written at exit", stored, settingsfile.parse(written))

    step("start again")
    again = Program(box)
    require_equal("window caption", IP_CAPTION, again.caption(MAIN))
    require_equal("check marks", [IP, DOWNLOAD], again.checked_items())
    require_equal(
        "information line", "Download through IP, 10.0.0.9", again.text(MAIN, "lblInformation")
    )
    require(again.visible(MAIN, "txtDownload"), "the download box is not shown")
    open_options(again)
    require_equal(
        "options dialog title", "Ravlink IP Confirguration Options", again.caption(OPTIONS)
    )
    require_equal("option values read back", shown, option_values(again))
    for name in ("txtARP", "txtChroot", "cmdChroot", "txtCDFSRedir", "cmdCDFSRedir"):
        require(again.enabled(OPTIONS, name), f"{name} is disabled though its box is ticked")
    require(not again.visible(OPTIONS, "cmbCOMPort"), "the serial device shows for the IP loader")
    close_options(again, "cmdCancel")
    again.exit()
    require_equal("settings after an exit without changes", written, box.read_settings())


# Written by hand: names in any case, a value in blanks, an empty address, words that are no
# mode and no loader the program knows.
HAND_WRITTEN = (
    "[settings]\r\ntype=Upload\r\nravlink=serial\r\n[Options]\r\naddress=\r\n"
    "Size=  0x40  \r\nDevice=/dev/ttyACM0\r\nnoconsole=1\r\nDumbTerm=2\r\n"
)


def read_at_start(box, environment):
    box.write_settings(HAND_WRITTEN)
    app = Program(box)
    require_equal("window caption", IP_CAPTION, app.caption(MAIN))
    require_equal("check marks", [IP, UPLOAD_EXECUTE], app.checked_items())
    open_options(app)
    values = option_values(app)
    seen = {
        name: values[name]
        for name in ("txtAddress", "txtFilesize", "cmbCOMPort", "cbNoConsole", "cbDumbTerminal")
    }
    expected = {
        "txtAddress": "0x8c010000",
        "txtFilesize": "0x40",
        "cmbCOMPort": "/dev/ttyACM0",
        "cbNoConsole": 1,
        "cbDumbTerminal": 2,
    }
    require_equal("values read", expected, seen)
    close_options(app, "cmdCancel")
    app.exit()
    entries = {
        k.upper(): v for _, pairs in settingsfile.parse(box.read_settings()) for k, v in pairs
    }
    require_equal("mode written back", "Upload and &Execute", entries.get("TYPE"))
    require_equal("loader written back", "IP", entries.get("RAVLINK"))
    require_equal("address written back", "0x8c010000", entries.get("ADDRESS"))


NOT_SAVED = "Sorry, the settings could not be saved to tools/settings.ini.\nPermission denied."


def read_only_at_exit(box, environment):
    """A read-only settings file keeps its values: a run that changed something is told so at
    its end, and still ends; a run that changed nothing is not."""
    step("a first run writes the settings file; make it read-only")
    Program(box).exit()
    written = box.read_settings()
    os.chmod(box.settings, 0o444)
    step("start, change nothing, exit: nothing to say")
    Program(box).exit()
    step("start, choose the IP loader, exit: the save fails and says why")
    app = Program(box)
    choose(app, IP)
    app.choose("mnuFileExit")
    expect_message(app, NOT_SAVED)
    app.wait_for_end("the message that the settings could not be saved")
    require_equal("read-only settings file", written, box.read_settings())
    require_equal("the tools folder", ["arp", "ravlink-ip", "ravlink-serial", "settings.ini"],
                  sorted(name for name in os.listdir(box.tools) if not name.endswith(".log")))


SCENARIOS = [
    Scenario("settings-round-trip", round_trip),
    Scenario("settings-read-at-start", read_at_start),
    Scenario("read-only-settings-at-exit", read_only_at_exit),
]
