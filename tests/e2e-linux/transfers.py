"""The transfers: the six loader and mode combinations and a typed value with a blank, each
checked in the loader's own arguments; the serial loader ignoring ARP, one loader per press."""
from dataclasses import dataclass

import dialogs
from check import require_equal, step
from program import MAIN, OPTIONS, Program
from scenario import Scenario
from support import (
    DOWNLOAD,
    IP,
    SERIAL,
    UPLOAD,
    UPLOAD_EXECUTE,
    choose,
    choose_mode,
    close_options,
    configure,
    execute_and_wait,
    open_options,
    pick_download,
    pick_upload,
    require_in_terminal,
    require_started,
    set_options,
    wait_for_size,
)
from toollog import read_log, starts

SERIAL_TOOL = "ravlink-serial"
IP_TOOL = "ravlink-ip"


@dataclass
class Transfer:
    name: str
    variant: str
    mode: str
    texts: tuple  # (control, text) typed into the options dialog
    ticked: tuple  # check boxes ticked there
    information: str  # the main window's information line after OK
    arguments: tuple  # after the loader's path; "{file}", "{dir}" and "{iso}" for picked paths
    chroot: bool = False  # tick "Chroot to path" and pick {dir} with its Browse button
    iso: bool = False  # tick "CDFS Redirection" and pick {iso} with its Browse button
    dump_size: int = 0  # bytes the stand-in loader writes for a download


# fmt: off
TRANSFERS = [
    Transfer("serial-upload", SERIAL, UPLOAD, (), (),
             "Upload through the serial port, /dev/ttyS0 at 115200bps",
             ("-t", "/dev/ttyS0", "-b", "115200", "-a", "0x8c010000", "-u", "{file}")),
    Transfer("serial-upload-execute", SERIAL, UPLOAD_EXECUTE, (), ("cbNoConsole",),
             "Upload through the serial port, /dev/ttyS0 at 115200bps",
             ("-t", "/dev/ttyS0", "-b", "115200", "-a", "0x8c010000", "-n", "-x", "{file}")),
    Transfer("serial-download", SERIAL, DOWNLOAD,
             (("cmbCOMPort", "/dev/ttyUSB1"), ("cmbBaudrate", "57600"), ("txtFilesize", "0x400")),
             ("cbDumbTerminal", "cbNoScreenClear"),
             "Download through the serial port, /dev/ttyUSB1 at 57600bps",
             ("-t", "/dev/ttyUSB1", "-b", "57600", "-a", "0x8c010000", "-p", "-q", "-s", "0x400",
              "-d", "{file}"), dump_size=0x400),
    Transfer("ip-upload", IP, UPLOAD, (("cmbIP", "192.168.1.50"),),
             ("cbNoConsole", "cbDumbTerminal", "cbNoScreenClear"),
             "Upload through IP, 192.168.1.50",
             ("-t", "192.168.1.50", "-a", "0x8c010000", "-n", "-p", "-q", "-c", "{dir}", "-i",
              "{iso}", "-u", "{file}"), chroot=True, iso=True),
    Transfer("ip-upload-execute", IP, UPLOAD_EXECUTE, (), (), "Upload through IP, 192.168.0.0",
             ("-t", "192.168.0.0", "-a", "0x8c010000", "-x", "{file}")),
    Transfer("ip-download", IP, DOWNLOAD,
             (("txtAddress", "0x8c020000"), ("txtFilesize", "0x10000")), (),
             "Download through IP, 192.168.0.0",
             ("-t", "192.168.0.0", "-a", "0x8c020000", "-c", "{dir}", "-s", "0x10000", "-d",
              "{file}"), chroot=True, dump_size=0x10000),
    # Typed values go as typed: a blank in one separates two arguments, as the loaders split
    # their command lines.
    Transfer("typed-address-with-blank", SERIAL, UPLOAD_EXECUTE, (("txtAddress", "0x8c010000 -v"),),
             (), "Upload through the serial port, /dev/ttyS0 at 115200bps",
             ("-t", "/dev/ttyS0", "-b", "115200", "-a", "0x8c010000", "-v", "-x", "{file}")),
]
# fmt: on


def pick_paths(app, box, row):
    """Ticks the path options of the row and picks their folder and image."""
    picked = {}
    if row.chroot:
        picked["{dir}"] = box.folder_in_files("chroot root")
        app.set_box("cbChroot", 1)
        step("pick the chroot folder with its Browse button")
        app.click(OPTIONS, "cmdChroot")
        dialogs.answer(app, "Select a Chroot folder...", picked["{dir}"])
        require_equal("chroot folder", picked["{dir}"], app.text(OPTIONS, "txtChroot"))
    if row.iso:
        picked["{iso}"] = box.file("game image.iso", b"ISO")
        app.set_box("cbCDFSRedir", 1)
        step("pick the ISO image with its Browse button")
        app.click(OPTIONS, "cmdCDFSRedir")
        dialogs.answer(app, "Select an ISO image...", picked["{iso}"])
        require_equal("ISO image", picked["{iso}"], app.text(OPTIONS, "txtCDFSRedir"))
    return picked


def transfer(row):
    def run(box, environment):
        app = Program(box)
        choose(app, row.variant)
        choose_mode(app, row.mode)
        open_options(app)
        set_options(app, row.texts, row.ticked)
        picked = pick_paths(app, box, row)
        step("press OK in the options dialog")
        close_options(app, "cmdOK")
        require_equal("information line", row.information, app.text(MAIN, "lblInformation"))
        if row.mode == DOWNLOAD:
            picked["{file}"] = box.path("files", "dump file.bin")
            pick_download(app, picked["{file}"])
        else:
            picked["{file}"] = box.file("demo file.elf")
            pick_upload(app, picked["{file}"])
        loader = execute_and_wait(app, box)
        tool = SERIAL_TOOL if row.variant == SERIAL else IP_TOOL
        require_started(box, loader, tool, [picked.get(a, a) for a in row.arguments])
        require_in_terminal(box, loader)
        if row.dump_size:
            wait_for_size(picked["{file}"], row.dump_size)
        app.exit()

    return run


def serial_ignores_arp(box, environment):
    """ARP ticked under the IP loader does nothing for the serial one; each press starts one
    more loader."""
    app = Program(box)
    choose(app, IP)
    configure(app, ticked=("cbARP",))
    choose(app, SERIAL)
    upload = box.file("demo file.elf")
    pick_upload(app, upload)
    first = execute_and_wait(app, box)
    second = execute_and_wait(app, box)
    expected = ("-t", "/dev/ttyS0", "-b", "115200", "-a", "0x8c010000", "-x", upload)
    for loader in (first, second):
        require_started(box, loader, SERIAL_TOOL, expected)
    tools = [call.tool for call in starts(read_log(box.tools))]
    require_equal("tools started", [SERIAL_TOOL, SERIAL_TOOL], tools)
    app.exit()


SCENARIOS = [Scenario(row.name, transfer(row)) for row in TRANSFERS] + [
    Scenario("serial-ignores-arp", serial_ignores_arp),
]
