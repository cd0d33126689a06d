"""tools/settings.ini as the program writes it: four sections, sixteen keys, in table order."""

# fmt: off
LAYOUT = (
    ("SETTINGS", ("TYPE", "RAVLINK")),
    ("OPTIONS", ("ADDRESS", "SIZE", "DEVICE", "IP", "BAUDRATE", "ARP", "ARPMAC", "NOCONSOLE",
                 "DUMBTERM", "NOCLEAR", "CHROOT", "CDFS")),
    ("CHROOT", ("DIR",)),
    ("CDFSREDIRECT", ("ISO",)),
)
# fmt: on

# What a first exit writes on Linux: the key table's defaults with the Linux serial device.
# fmt: off
DEFAULTS = {
    "TYPE": "Upload and &Execute", "RAVLINK": "Serial", "ADDRESS": "0x8c010000", "SIZE": "0x0",
    "DEVICE": "/dev/ttyS0", "IP": "192.168.0.0", "BAUDRATE": "115200", "ARP": "0",
    "ARPMAC": "Set MAC address", "NOCONSOLE": "0", "DUMBTERM": "0", "NOCLEAR": "0",
    "CHROOT": "0", "CDFS": "0", "DIR": "Please select a folder...",
    "ISO": "Please select an ISO image...",
}
# fmt: on


def expected(**changes):
    """The sections with their keys and values in the order a save writes them."""
    values = {**DEFAULTS, **changes}
    return [(section, [(key, values[key]) for key in keys]) for section, keys in LAYOUT]


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
