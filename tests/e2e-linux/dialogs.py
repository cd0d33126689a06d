"""The dialogs the program opens besides its own windows: message boxes, the file dialogs and
the folder dialog, read and answered as a user would."""
import a11y
import hands
from check import require, require_equal
from program import INPUT_PATIENCE, INPUT_TRIES
from wait import wait_until

OOPS = "Oops!"
# The box a path is typed into, by its label: file dialogs, then the folder dialog.
NAME_BOXES = ("File name:", "Directory:")


def message(app, title=OOPS):
    """The text of the message box of that title, once it shows."""
    box = app.wait_for_window(title)
    return "\n".join(a11y.labels(box))


def expect_message(app, text, title=OOPS):
    """Waits for the message box, checks its text, and presses its OK button."""
    require_equal(f"text of the message box {title!r}", text, message(app, title))
    app.press_button(app.top_window(title), "OK")


def name_box(dialog):
    for label in NAME_BOXES:
        box = a11y.find(dialog, "text", label)
        if box is not None:
            return box
    return None


def offered_name(app, title):
    """The file name a file dialog offers when it opens."""
    dialog = app.wait_for_window(title)
    box = name_box(dialog)
    require(box is not None, f"the dialog {title!r} has no box for the name")
    return a11y.text(box)


def answer(app, title, path):
    """Types PATH into the dialog's name box and presses Enter, again if the dialog stays
    with the path still in its box (a completion list may take the first press)."""
    dialog = app.wait_for_window(title)
    box = name_box(dialog)
    require(box is not None, f"the dialog {title!r} has no box for the name")
    app.fill(box, path, f"the name box of {title!r}")
    for _ in range(INPUT_TRIES):
        hands.press("Return")
        if wait_until(
            lambda: a11y.quietly(lambda: app.top_window(title) is None, True), INPUT_PATIENCE
        ):
            return
        require(a11y.quietly(lambda: a11y.text(box)) == path, f"the dialog {title!r} stayed open")
    require(
        app.top_window(title) is None, f"the dialog {title!r} stayed after {INPUT_TRIES} Enters"
    )


def cancel(app, title):
    app.press_button(app.wait_for_window(title), "Cancel")
