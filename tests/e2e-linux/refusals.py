"""Every refusal of the Execute command: the message box, and that nothing starts (the ARP step
included) when it has been dismissed."""
import os
from dataclasses import dataclass
from typing import Callable

import dialogs
from check import step
from program import MAIN, Program
from scenario import Scenario
from support import (
    DOWNLOAD,
    IP,
    SERIAL,
    UPLOAD,
    UPLOAD_EXECUTE,
    choose,
    choose_mode,
    configure,
    pick_download,
    require_nothing_started,
)

NO_FILE = "Sorry, that file does not exist!"
NO_TARGET = "You must save a file to download to."
NO_SIZE = "You must set the file size before downloading."
QUOTE_IN_NAME = 'Sorry, a file name cannot contain a double quote (").'
QUOTE_IN_ADDRESS = 'Sorry, the address cannot contain a double quote (").'
NO_TERMINAL = (
    "Sorry, tools/ravlink-serial could not be started!\nNo terminal program was found to show it "
    "in; please install one of xdg-terminal-exec, x-terminal-emulator, ptyxis, kgx, "
    "gnome-terminal, konsole, xfce4-terminal, mate-terminal, tilix, terminator, alacritty, "
    "kitty, foot, wezterm or xterm."
)
NO_TERMINAL_FOR_IP = NO_TERMINAL.replace("ravlink-serial", "ravlink-ip")
NOT_RUNNABLE = (
    "Sorry, tools/ravlink-ip could not be started!\nIt is there, but it may not be run: it lacks "
    "the permission to execute."
)
QUOTE_IN_MAC = 'Sorry, the MAC address cannot contain a double quote (").'
WILDCARD_IN_ADDRESS = "Sorry, the address cannot contain *, ?, [, {, }, ( or )."


def type_upload(name, content=b"ELF image"):
    """Types the path of a file in files/ (made when CONTENT is given) into the upload box."""

    def setup(app, box):
        path = box.file(name, content) if content is not None else box.path("files", name)
        app.set_text(MAIN, "txtUpload", path)

    return setup


def with_arp(then=None, mac="00:11:22:33:44:55"):
    def setup(app, box):
        configure(app, (("cmbIP", "192.168.0.77"), ("txtARP", mac)), ("cbARP",))
        if then:
            then(app, box)

    return setup


def download_into(app, box):
    pick_download(app, box.path("files", "dump.bin"))


@dataclass
class Refusal:
    name: str
    variant: str
    mode: str
    setup: Callable  # setup(app, box): what the user does before pressing Execute
    message: str
    prepare: Callable = None  # prepare(box): changes to the folder before the start
    no_terminal: bool = False  # the program's PATH leads to no terminal program


# fmt: off
REFUSALS = [
    Refusal("upload-box-with-its-prompt", SERIAL, UPLOAD_EXECUTE, lambda app, box: None, NO_FILE),
    Refusal("upload-file-missing-runs-no-arp", IP, UPLOAD,
            with_arp(type_upload("gone.elf", content=None)), NO_FILE),
    Refusal("download-box-with-its-prompt", SERIAL, DOWNLOAD, lambda app, box: None, NO_TARGET),
    Refusal("download-box-empty", SERIAL, DOWNLOAD,
            lambda app, box: app.set_text(MAIN, "txtDownload", ""), NO_TARGET),
    Refusal("download-size-unset-runs-no-arp", IP, DOWNLOAD, with_arp(download_into), NO_SIZE),
    Refusal("quote-in-upload-name", SERIAL, UPLOAD, type_upload('say "hi".elf'), QUOTE_IN_NAME),
    Refusal("quote-in-address", SERIAL, UPLOAD_EXECUTE,
            lambda app, box: (configure(app, (("txtAddress", '0x8c"01'),)),
                              type_upload("demo.elf")(app, box)), QUOTE_IN_ADDRESS),
    Refusal("no-terminal-for-the-loader", SERIAL, UPLOAD_EXECUTE, type_upload("demo.elf"),
            NO_TERMINAL, no_terminal=True),
    Refusal("loader-not-executable", IP, UPLOAD_EXECUTE, type_upload("demo.elf"), NOT_RUNNABLE,
            prepare=lambda box: box.forbid_running("ravlink-ip")),
    # The ARP step would block the window for a loader that cannot follow: it does not run.
    Refusal("no-terminal-runs-no-arp", IP, UPLOAD, with_arp(type_upload("demo.elf")),
            NO_TERMINAL_FOR_IP, no_terminal=True),
    Refusal("loader-not-executable-runs-no-arp", IP, DOWNLOAD,
            with_arp(lambda app, box: (configure(app, (("txtFilesize", "0x400"),)),
                                       download_into(app, box))),
            NOT_RUNNABLE, prepare=lambda box: box.forbid_running("ravlink-ip")),
    # A split of the line would have eaten the quote and run ARP with what was left.
    Refusal("quote-in-mac-address", IP, UPLOAD_EXECUTE,
            with_arp(type_upload("demo.elf"), mac='00:11"22:33'), QUOTE_IN_MAC),
    # The Windows loaders would match it against the program's folder.
    Refusal("wildcard-in-address", SERIAL, UPLOAD,
            lambda app, box: (configure(app, (("txtAddress", "0x8c01*"),)),
                              type_upload("demo.elf")(app, box)), WILDCARD_IN_ADDRESS),
]
# fmt: on


def refusal(row):
    def run(box, environment):
        if row.prepare:
            row.prepare(box)
        path = None
        if row.no_terminal:
            path = box.path("no terminal here")
            os.makedirs(path)
        app = Program(box, path=path)
        choose(app, row.variant)
        choose_mode(app, row.mode)
        row.setup(app, box)
        step("press Execute")
        app.click(MAIN, "cmdExecute")
        dialogs.expect_message(app, row.message)
        require_nothing_started(app, box)
        app.exit()

    return run


SCENARIOS = [Scenario(row.name, refusal(row)) for row in REFUSALS]
