"""Pictures of both windows, as they show on the screen, for the documentation and for a look
by eye; each is checked to be the whole window, drawn."""
import os
import struct

import a11y
from check import require, require_equal, step
from program import MAIN, OPTIONS, Program
from scenario import Scenario
from support import close_options, open_options
from wait import wait_until
from xwindows import picture


def png_size(path):
    with open(path, "rb") as image:
        header = image.read(24)
    require(header[:8] == b"\x89PNG\r\n\x1a\n", f"{path} is no PNG picture")
    return struct.unpack(">II", header[16:24])


def take(app, window, form, path):
    """Pictures the window until the picture shows it drawn; checks its size."""
    x_window = app.x_window(window.name)
    require(wait_until(lambda: picture(x_window, path)), f"the picture of the {form} stayed blank")
    _, _, width, height = a11y.extents(window)
    require_equal(f"size of the {form} window's picture", (width, height), png_size(path))


def both_windows(box, environment):
    folder = environment.screenshots or box.folder
    os.makedirs(folder, exist_ok=True)
    app = Program(box)
    step("picture the main window")
    take(app, app.window(MAIN), MAIN, os.path.join(folder, "main-linux.png"))
    open_options(app)
    step("picture the options dialog")
    take(app, app.window(OPTIONS), OPTIONS, os.path.join(folder, "options-linux.png"))
    close_options(app, "cmdCancel")
    app.exit()


SCENARIOS = [Scenario("pictures-of-both-windows", both_windows)]
