"""The files kept across a restart and the recent files of the File menu: the last upload file
and download target ready at the next start, gone ones leaving the prompts, the list filling up
to eight in its order from every way into the upload box, an entry chosen in Download, a gone
entry refused and dropped, a program folder copied elsewhere, and a settings file that the
Windows program wrote."""
import os
import shutil

import dialogs
import settingsfile
from check import require_equal, step
from handoff import files_path, require_box, require_handed_over
from program import MAIN, Program
from scenario import Scenario
from support import (
    DOWNLOAD,
    SERIAL,
    UPLOAD,
    UPLOAD_EXECUTE,
    choose_mode,
    execute_and_wait,
    pick_download,
    pick_upload,
    require_started,
)
from toollog import wait_for_starts

SERIAL_TOOL = "ravlink-serial"
SERIAL_HEAD = ("-t", "/dev/ttyS0", "-b", "115200", "-a", "0x8c010000")
UPLOAD_PROMPT = "Please select a file to upload..."
DOWNLOAD_PROMPT = "Please select a file to download to..."
NO_SUCH_FILE = "Sorry, that file does not exist!"

# A longer path shows with the folders after its first one left out, as "..."
LONGEST_SHOWN = 50
LEFT_OUT = "..."


def shown_path(path):
    """PATH as its entry shows it: a long one keeps its first folder and as much of its end,
    from a separator on, as fits."""
    if len(path) <= LONGEST_SHOWN:
        return path
    head_end = path.index("/", len(path) - len(path.lstrip("/"))) + 1
    tail = path.rindex("/")
    for at in range(head_end, tail):
        if path[at] == "/" and head_end + len(LEFT_OUT) + len(path) - at <= LONGEST_SHOWN:
            tail = at
            break
    return path[:head_end] + LEFT_OUT + path[tail:]


def file_menu_with(recent):
    """The File menu's entries as a screen reader says them, a separator as "-", with RECENT
    listed newest first (the access-key marks are not read out, so "&" is one again)."""
    entries = [f"{number} {shown_path(path)}" for number, path in enumerate(recent, 1)]
    return ["Download BIOS", "Download Flash", "-", *entries, *(["-"] if recent else []), "Exit"]


def require_file_menu(app, recent):
    require_equal("the File menu", file_menu_with(recent), app.menu_entries("mnuFile"))


def require_kept(data, **values):
    """The settings file DATA holds its sections and keys in order, and the kept files VALUES."""
    kept = settingsfile.kept(data)
    require_equal("kept files", values, {key: kept[key] for key in values})


def make_files(box, *names):
    return [box.file(name, f"ELF image {name}".encode()) for name in names]


def kept_across_a_restart(box, environment):
    """The upload file and the download target at exit are there at the next start, so one
    press of Execute uploads the file again; once the file or the target's folder is gone, the
    prompt is, and the list still offers the file."""
    (path,) = make_files(box, "demo.elf")
    target = os.path.join(box.folder_in_files("dumps"), "out.bin")
    app = Program(box)
    pick_upload(app, path)
    choose_mode(app, DOWNLOAD)
    pick_download(app, target)
    choose_mode(app, UPLOAD_EXECUTE)
    app.exit()
    require_kept(
        box.read_settings(),
        UPLOAD="files/demo.elf",
        DOWNLOAD="files/dumps/out.bin",
        RECENT1="files/demo.elf",
        RECENT2="",
    )

    step("start again: both boxes hold the files, Execute uploads at once")
    again = Program(box)
    require_equal("check marks", [SERIAL, UPLOAD_EXECUTE], again.checked_items())
    require_equal("upload box", path, again.text(MAIN, "txtUpload"))
    require_equal("download box", target, again.text(MAIN, "txtDownload"))
    require_file_menu(again, [path])
    loader = execute_and_wait(again, box)
    require_started(box, loader, SERIAL_TOOL, [*SERIAL_HEAD, "-x", path])
    again.exit()

    step("take the file and the target's folder away, start again")
    os.remove(path)
    shutil.rmtree(os.path.dirname(target))
    last = Program(box)
    require_equal("upload box", UPLOAD_PROMPT, last.text(MAIN, "txtUpload"))
    require_equal("download box", DOWNLOAD_PROMPT, last.text(MAIN, "txtDownload"))
    require_file_menu(last, [path])
    last.exit()


def fill_up_to_eight(box, environment):
    """Browse, a second start handing a file over, a typed name that Execute uploads and a file
    on the command line all head the list; the ninth file pushes the oldest out; a file listed
    again moves to the top instead of being listed twice."""
    files = make_files(box, *(f"f{n}.elf" for n in range(1, 11)))
    app = Program(box)
    require_file_menu(app, [])
    pick_upload(app, files[0])
    step("start the program again with f2.elf, then f3.elf")
    for path in files[1:3]:
        require_handed_over(Program(box, expect_main=False, arguments=[path]))
        require_box(app, path)
    step("type files/f4.elf into the upload box")
    app.set_text(MAIN, "txtUpload", "files/f4.elf")
    loader = execute_and_wait(app, box)
    require_started(box, loader, SERIAL_TOOL, [*SERIAL_HEAD, "-x", "files/f4.elf"])
    require_file_menu(app, files[3::-1])
    step("Browse f5.elf to f9.elf: f1.elf falls off")
    for path in files[4:9]:
        pick_upload(app, path)
    require_file_menu(app, files[8:0:-1])
    step("Browse f6.elf again: it moves to the top")
    pick_upload(app, files[5])
    order = [files[5], files[8], files[7], files[6], files[4], files[3], files[2], files[1]]
    require_file_menu(app, order)
    app.exit()

    step("start with f10.elf on the command line: f2.elf falls off")
    again = Program(box, arguments=[files[9]])
    require_box(again, files_path(box, "f10.elf"))
    order = [files[9], *order[:7]]
    require_file_menu(again, order)
    chosen = order[5]
    step(f"choose the sixth entry, {os.path.basename(chosen)}: it moves to the top")
    again.choose("mnuRecent6")
    require_box(again, chosen)
    order = [chosen, *order[:5], *order[6:]]
    require_file_menu(again, order)
    again.exit()
    kept = {f"RECENT{n}": "files/" + os.path.basename(p) for n, p in enumerate(order, 1)}
    require_kept(box.read_settings(), UPLOAD="files/" + os.path.basename(chosen), **kept)


def chosen_in_download(box, environment):
    """In Download the entry returns the window to the upload mode chosen before it."""
    a, b = make_files(box, "a.elf", "b.elf")
    app = Program(box)
    pick_upload(app, a)
    pick_upload(app, b)
    choose_mode(app, UPLOAD)
    choose_mode(app, DOWNLOAD)
    step("choose the entry of a.elf in Download")
    app.choose("mnuRecent2")
    require_box(app, a)
    require_equal("check marks", [SERIAL, UPLOAD], app.checked_items())
    require_equal("Execute button", "Upload", app.text(MAIN, "cmdExecute"))
    require_equal(
        "information line",
        "Upload through the serial port, /dev/ttyS0 at 115200bps",
        app.text(MAIN, "lblInformation"),
    )
    require_file_menu(app, [a, b])
    app.exit()


def gone_entry_refused(box, environment):
    """The entry of a file that is gone is refused with the Execute command's words and leaves
    the list; the upload box keeps what it held."""
    a, b, c = make_files(box, "a.elf", "b&c.elf", "c.elf")
    app = Program(box)
    for path in (a, b, c):
        pick_upload(app, path)
    require_file_menu(app, [c, b, a])
    os.remove(b)
    step("choose the entry of the deleted b&c.elf")
    app.choose("mnuRecent2")
    dialogs.expect_message(app, NO_SUCH_FILE)
    require_equal("upload box", c, app.text(MAIN, "txtUpload"))
    require_file_menu(app, [c, a])
    app.exit()
    require_kept(
        box.read_settings(),
        UPLOAD="files/c.elf",
        RECENT1="files/c.elf",
        RECENT2="files/a.elf",
        RECENT3="",
    )


def moved_folder(box, environment):
    """The program's folder copied elsewhere: the files below it come along, named from the new
    place, and the upload goes from there."""
    a, b = make_files(box, "a.elf", "b.elf")
    app = Program(box)
    pick_upload(app, a)
    pick_upload(app, b)
    app.exit()

    step("copy the program with its tools, settings and files to moved/")
    moved = box.path("moved")
    shutil.copytree(box.files, os.path.join(moved, "files"))
    os.makedirs(os.path.join(moved, "tools"))
    for name in ("ravlink-serial", "ravlink-ip", "arp", "settings.ini"):
        shutil.copy2(box.tool(name), os.path.join(moved, "tools", name))
    shutil.copy2(box.program, moved)
    moved_a, moved_b = (os.path.join(moved, "files", name) for name in ("a.elf", "b.elf"))

    step("start the copy")
    copy = Program(box, program=os.path.join(moved, "ravlinkgui"), cwd=moved)
    require_equal("upload box", moved_b, copy.text(MAIN, "txtUpload"))
    require_file_menu(copy, [moved_b, moved_a])
    step("choose a.elf from the list and press Execute")
    copy.choose("mnuRecent2")
    require_box(copy, moved_a)
    copy.click(MAIN, "cmdExecute")
    loader = wait_for_starts(os.path.join(moved, "tools"), 1)[0]
    require_equal(
        "loader's arguments",
        [os.path.join(moved, "tools", SERIAL_TOOL), *SERIAL_HEAD, "-x", moved_a],
        loader.arguments,
    )
    require_equal("loader's current directory", moved, loader.directory)
    copy.exit()
    with open(os.path.join(moved, "tools", "settings.ini"), "rb") as written:
        kept = written.read()
    require_kept(
        kept, UPLOAD="files/a.elf", RECENT1="files/a.elf", RECENT2="files/b.elf", RECENT3=""
    )


# As the Windows program leaves the file, CRLF line ends and all: its own serial device, the
# kept files below the folder with "/", one of its own absolute paths.
WINDOWS_WRITTEN = settingsfile.text(
    settingsfile.expected(
        DEVICE="COM1",
        UPLOAD="files/demo.elf",
        DOWNLOAD="dumps/out.bin",
        RECENT1="C:\\dc\\other.elf",
        RECENT2="files/demo.elf",
    )
)


def windows_written(box, environment):
    """The relative paths name the files here and Execute uploads at once; the Windows path is
    listed, and refused and dropped when chosen."""
    (path,) = make_files(box, "demo.elf")
    os.makedirs(box.path("dumps"))
    box.write_settings(WINDOWS_WRITTEN)
    app = Program(box)
    require_equal(
        "information line",
        "Upload through the serial port, COM1 at 115200bps",
        app.text(MAIN, "lblInformation"),
    )
    require_equal("upload box", path, app.text(MAIN, "txtUpload"))
    require_equal("download box", box.path("dumps", "out.bin"), app.text(MAIN, "txtDownload"))
    require_file_menu(app, ["C:\\dc\\other.elf", path])
    step("choose the Windows path")
    app.choose("mnuRecent1")
    dialogs.expect_message(app, NO_SUCH_FILE)
    require_file_menu(app, [path])
    loader = execute_and_wait(app, box)
    require_started(box, loader, SERIAL_TOOL, ["-t", "COM1", *SERIAL_HEAD[2:], "-x", path])
    app.exit()
    require_kept(
        box.read_settings(),
        UPLOAD="files/demo.elf",
        DOWNLOAD="dumps/out.bin",
        RECENT1="files/demo.elf",
        RECENT2="",
    )


SCENARIOS = [
    Scenario("kept-files-across-a-restart", kept_across_a_restart),
    Scenario("recent-files-fill-up-to-eight", fill_up_to_eight),
    Scenario("recent-file-chosen-in-download", chosen_in_download),
    Scenario("recent-file-gone-is-refused", gone_entry_refused),
    Scenario("recent-files-folder-moved", moved_folder),
    Scenario("recent-files-windows-written", windows_written),
]
