#!/usr/bin/python3
"""Starts a program, waits for its window of the given title to show on the X display, closes
it with the close box and waits for the program to end: a release's first start as a user
makes it. On the way it can picture the window, and the window with its File menu opened by
Alt+F. Exit status 0 when all of that happened in time."""
import argparse
import subprocess
import sys

import hands
from wait import wait_until
from xwindows import XWindows, picture, picture_drawn, picture_of_screen

# A menu that did not open is asked for again, this many times in all, each given this long.
MENU_TRIES = 3
MENU_PATIENCE = 5.0


def open_file_menu(windows, window):
    """Opens the File menu with Alt+F, as a user would, and waits for it to show; its window
    id, or None when it would not open."""
    before = windows.shown()
    for _ in range(MENU_TRIES):
        windows.focus(window)
        hands.press("alt+f")
        menus = wait_until(lambda: windows.shown() - before, MENU_PATIENCE)
        if menus:
            return menus.pop()
    return None


def close_menu(windows, menu):
    """Closes the menu with Esc, and leaves the menu bar with another; true once it is gone."""
    for _ in range(MENU_TRIES):
        hands.press("Escape")
        if wait_until(lambda: menu not in windows.shown(), MENU_PATIENCE):
            hands.press("Escape")
            return True
    return False


def both_areas(first, second):
    """The smallest (x, y, width, height) that holds both areas."""
    left, top = min(first[0], second[0]), min(first[1], second[1])
    right = max(first[0] + first[2], second[0] + second[2])
    bottom = max(first[1] + first[3], second[1] + second[3])
    return (left, top, right - left, bottom - top)


def picture_menu(windows, window, path):
    """Pictures the window with its File menu open, the two cut from the screen together; a
    message when that failed, else None."""
    # A pointer resting over a control would bring up its tip over the picture.
    hands.move_pointer_away()
    menu = open_file_menu(windows, window)
    if menu is None:
        return "the File menu did not open with Alt+F"
    seen = []
    if not wait_until(lambda: picture_drawn(menu, path, seen)):
        return "the File menu's picture stayed blank"
    picture_of_screen(both_areas(windows.area(window), windows.area(menu)), path)
    if not close_menu(windows, menu):
        return "the File menu did not close with Esc"
    return None


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--title", required=True, help="the main window's caption")
    parser.add_argument("--picture", help="a PNG file to picture the window into, once drawn")
    parser.add_argument("--menu-picture", help="a PNG file to picture it into with its File menu")
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
    failure = arguments.menu_picture and picture_menu(windows, window, arguments.menu_picture)
    if failure:
        print(f"showwindow: {failure}")
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
