#!/usr/bin/python3
"""Reads a desktop entry as a desktop does (GLib's key file and shell rules) and prints the
command it would run for one file, one argument a line; or checks the PNG icons of a hicolor
tree. The release check uses it on the Linux archive and on what the program installs."""
import argparse
import struct
import sys
from pathlib import Path

import gi

gi.require_version("GLib", "2.0")
from gi.repository import GLib  # noqa: E402


def expand_field_codes(argument, file):
    """%f becomes the file and %% a percent sign; the entry uses no other field code."""
    out, at = "", 0
    while at < len(argument):
        if argument[at] == "%" and at + 1 < len(argument):
            code = argument[at + 1]
            if code not in "f%":
                raise ValueError(f"field code %{code} in {argument!r}")
            out += file if code == "f" else "%"
            at += 2
        else:
            out += argument[at]
            at += 1
    return out


def command(entry, file):
    keys = GLib.KeyFile()
    keys.load_from_file(entry, GLib.KeyFileFlags.NONE)
    _, argv = GLib.shell_parse_argv(keys.get_string("Desktop Entry", "Exec"))
    return [expand_field_codes(argument, file) for argument in argv]


def png_size(path):
    data = Path(path).read_bytes()[:24]
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        return None
    return struct.unpack(">II", data[16:24])


def check_icons(hicolor, sizes):
    """Whether the tree holds <n>x<n>/apps/ravlinkgui.png of each size, that size, and the
    scalable SVG; says what is wrong."""
    good = True
    for size in sizes:
        png = Path(hicolor) / f"{size}x{size}" / "apps" / "ravlinkgui.png"
        found = png_size(png) if png.is_file() else None
        if found != (size, size):
            print(f"desktopentry: {png} is {'missing' if found is None else found}")
            good = False
    svg = Path(hicolor) / "scalable" / "apps" / "ravlinkgui.svg"
    if not svg.is_file() or b"<svg" not in svg.read_bytes():
        print(f"desktopentry: {svg} is missing or no SVG")
        good = False
    return good


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--command", nargs=2, metavar=("ENTRY", "FILE"))
    parser.add_argument("--icons", metavar="HICOLOR")
    parser.add_argument("--sizes", default="16,24,32,48,64,128,256")
    arguments = parser.parse_args()
    if arguments.command:
        try:
            print("\n".join(command(*arguments.command)))
        except (GLib.Error, ValueError) as error:
            print(f"desktopentry: {error}")
            return 1
        return 0
    if arguments.icons:
        sizes = [int(size) for size in arguments.sizes.split(",")]
        return 0 if check_icons(arguments.icons, sizes) else 1
    parser.error("say --command or --icons")


if __name__ == "__main__":
    sys.exit(main())
