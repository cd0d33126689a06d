"""tools/settings.ini as the program writes it: the sixteen keys of the options in four sections,
in table order, then the section of the kept files."""
from check import require, require_equal

# fmt: off
LAYOUT = (
    ("SETTINGS", ("TYPE", "RAVLINK")),
    ("OPTIONS", ("ADDRESS", "SIZE", "DEVICE", "IP", "BAUDRATE", "ARP", "ARPMAC", "NOCONSOLE",
                 "DUMBTERM", "NOCLEAR", "CHROOT", "CDFS")),
    ("CHROOT", ("DIR",)),
    ("CDFSREDIRECT", ("ISO",)),
    ("FILES", ("UPLOAD", "DOWNLOAD", "RECENT1", "RECENT2", "RECENT3", "RECENT4", "RECENT5",
               "RECENT6", "RECENT7", "RECENT8")),
)
# fmt: on

# What a first exit writes on Linux: the key table's defaults with the Linux serial device, and no
# kept files.
# fmt: off
DEFAULTS = {
    "TYPE": "Upload and &Execute", "RAVLINK": "Serial", "ADDRESS": "0x8c010000", "SIZE": "0x0",
    "DEVICE": "/dev/ttyS0", "IP": "192.168.0.0", "BAUDRATE": "115200", "ARP": "0",
    "ARPMAC": "Set MAC address", "NOCONSOLE": "0", "DUMBTERM": "0", "NOCLEAR": "0",
    "CHROOT": "0", "CDFS": "0", "DIR": "Please select a folder...",
    "ISO": "Please select an ISO image...",
    "UPLOAD": "", "DOWNLOAD": "", "RECENT1": "", "RECENT2": "", "RECENT3": "", "RECENT4": "",
    "RECENT5": "", "RECENT6": "", "RECENT7": "", "RECENT8": "",
}
# fmt: on


def expected(**changes):
    """The sections with their keys and values in the order a save writes them."""
    values = {**DEFAULTS, **changes}
    return [(section, [(key, values[key]) for key in keys]) for section, keys in LAYOUT]


def kept(data):
    """The kept files' keys and values in the settings file DATA, once its layout is checked."""
    sections = parse(data)
    require(sections is not None, "no settings file was written")
    layout = [(section, [key for key, _ in pairs]) for section, pairs in sections]
    wanted = [(section, list(keys)) for section, keys in LAYOUT]
    require_equal("sections and keys of the settings file, in order", wanted, layout)
    return dict(sections[-1][1])


def parse(data):
    """Sections and their key-value pairs in file order; blank lines are skipped."""
    if data is None:
        return None
    sections = []
    for line in data.decode("latin-1").split("\r\n"):
        if line.startswith("["):
            sections.append((line.strip("[]"), []))
        elif "=" in line and sections:
            key, value = line.split("=", 1)
            sections[-1][1].append((key, value))
    return sections


def text(sections):
    """A settings file holding SECTIONS, as the Windows profile functions would write it."""
    lines = []
    for section, entries in sections:
        lines.append(f"[{section}]")
        lines.extend(f"{key}={value}" for key, value in entries)
    return "\r\n".join(lines) + "\r\n"
