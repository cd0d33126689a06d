"""What the program shows, read through the accessibility interface (AT-SPI): its windows, their
controls, texts, check marks and states."""
import pyatspi

ROLE_TEXT = "text"
ROLE_COMBO = "combo box"
ROLE_LABEL = "label"


def quietly(read, default=None):
    """A read that may find the program gone or busy gives DEFAULT instead of an error."""
    try:
        return read()
    except Exception:  # GLib errors, and objects that vanished between two calls
        return default


def application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        app = quietly(lambda: desktop.getChildAtIndex(index))
        if app is not None and quietly(app.get_process_id) == pid:
            return app
    return None


def children(accessible):
    return [accessible.getChildAtIndex(i) for i in range(accessible.childCount)]


def has_state(accessible, state):
    return accessible.getState().contains(state)


def showing(accessible):
    return has_state(accessible, pyatspi.STATE_SHOWING)


def enabled(accessible):
    return has_state(accessible, pyatspi.STATE_ENABLED)


def focused(accessible):
    return has_state(accessible, pyatspi.STATE_FOCUSED)


def focusable(accessible):
    return has_state(accessible, pyatspi.STATE_FOCUSABLE)


def check_value(accessible):
    """0 cleared, 1 ticked, 2 greyed: a check box's value as the program keeps it."""
    if has_state(accessible, pyatspi.STATE_INDETERMINATE):
        return 2
    return 1 if has_state(accessible, pyatspi.STATE_CHECKED) else 0


def editable_part(accessible):
    """The line a user types into: the text box itself, or an editable combo box's field."""
    if accessible.getRoleName() == ROLE_COMBO:
        for child in children(accessible):
            if child.getRoleName() == ROLE_TEXT:
                return child
    return accessible


def text(accessible):
    """A text box's or combo box's text; a caption for anything else."""
    part = editable_part(accessible)
    if part.getRoleName() == ROLE_TEXT:
        return part.queryText().getText(0, -1)
    return part.name


def centre(accessible):
    extents = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return extents.x + extents.width // 2, extents.y + extents.height // 2


def extents(accessible):
    box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def labels(accessible):
    """Every label text shown in a window, in the order of its tree."""
    found = []
    for child in children(accessible):
        if child.getRoleName() == ROLE_LABEL and child.name and showing(child):
            found.append(child.name)
        found.extend(labels(child))
    return found


def find(accessible, role, name):
    """The first descendant of that role and name, or None."""
    for child in children(accessible):
        if child.getRoleName() == role and child.name == name:
            return child
        deeper = find(child, role, name)
        if deeper is not None:
            return deeper
    return None
