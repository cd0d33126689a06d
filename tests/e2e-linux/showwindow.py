#!/usr/bin/python3
"""Starts a program, waits for its window of the given title to show on the X display, closes
it with the close box and waits for the program to end: a release's first start as a user
makes it. Exit status 0 when all of that happened in time."""
import argparse
import subprocess
import sys

from wait import wait_until
from xwindows import XWindows, picture


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--title", required=True, help="the main window's caption")
    parser.add_argument("--picture", help="a PNG file to picture the window into, once drawn")
    parser.add_argument("command", nargs="+", help="what starts the program")
    arguments = parser.parse_args()
    windows = XWindows()
    program = subprocess.Popen(arguments.command)

    # Under Wine the window belongs to a process of its own; its title tells it.
    def shown():
        return windows.titled(arguments.title) if program.poll() is None else "ended"

    window = wait_until(shown, 60)
    if not isinstance(window, int):
        print(
            f"showwindow: no window {arguments.title!r} showed; the program "
            f"{'ended' if program.poll() is not None else 'still runs'}"
        )
        program.kill()
        return 1
    if arguments.picture and not wait_until(lambda: picture(window, arguments.picture)):
        print(f"showwindow: the picture of {arguments.title!r} stayed blank")
        program.kill()
        return 1
    print(f"showwindow: the window {arguments.title!r} shows; closing it with its close box")
    windows.close_box(window)
    if not wait_until(lambda: program.poll() is not None, 60):
        print("showwindow: the program did not end after its close box")
        program.kill()
        return 1
    return program.returncode


if __name__ == "__main__":
    sys.exit(main())
