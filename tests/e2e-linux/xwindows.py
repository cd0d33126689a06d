"""The program's windows as the X server sees them: which are mapped, their titles, the close
box, and a picture of one. This works while the program itself answers nothing."""
import subprocess

from Xlib import X, display, error, protocol


class XWindows:
    def __init__(self):
        self._display = display.Display()
        atom = self._display.intern_atom
        self._pid = atom("_NET_WM_PID")
        self._name = atom("_NET_WM_NAME")
        self._utf8 = atom("UTF8_STRING")
        self._protocols = atom("WM_PROTOCOLS")
        self._delete = atom("WM_DELETE_WINDOW")

    def _property(self, window, name, kind):
        value = window.get_full_property(name, kind)
        return value.value if value else None

    def mapped(self, pid):
        """The top-level windows of process PID that are on the screen, as (id, title) pairs."""
        found = []
        for window in self._display.screen().root.query_tree().children:
            try:
                owner = self._property(window, self._pid, X.AnyPropertyType)
                if owner is None or owner[0] != pid:
                    continue
                if window.get_attributes().map_state != X.IsViewable:
                    continue
                title = self._property(window, self._name, self._utf8) or b""
                found.append((window.id, title.decode("utf-8", "replace")))
            except error.XError:
                continue  # gone while we looked
        return found

    def window_titled(self, pid, title):
        for window, seen in self.mapped(pid):
            if seen == title:
                return window
        return None

    def titled(self, title):
        """A mapped top-level window of that title, whoever shows it; None if there is none."""
        found = self.all_titled(title)
        return found[0] if found else None

    def all_titled(self, title):
        """Every mapped top-level window of that title, whoever shows it."""
        found = []
        for window in self._display.screen().root.query_tree().children:
            try:
                name = self._property(window, self._name, self._utf8) or b""
                mapped = window.get_attributes().map_state == X.IsViewable
            except error.XError:
                continue
            if mapped and name.decode("utf-8", "replace") == title:
                found.append(window.id)
        return found

    def shown(self):
        """The ids of every mapped top-level window; a menu that is open is one of them, having
        no window manager to hold it."""
        found = set()
        for window in self._display.screen().root.query_tree().children:
            try:
                if window.get_attributes().map_state == X.IsViewable:
                    found.add(window.id)
            except error.XError:
                continue
        return found

    def area(self, window):
        """The window's (x, y, width, height) on the screen."""
        target = self._display.create_resource_object("window", window)
        size = target.get_geometry()
        corner = self._display.screen().root.translate_coords(target, 0, 0)
        return (corner.x, corner.y, size.width, size.height)

    def close_box(self, window):
        """What a window manager sends when the user clicks the window's close box."""
        target = self._display.create_resource_object("window", window)
        message = protocol.event.ClientMessage(
            window=target,
            client_type=self._protocols,
            data=(32, [self._delete, X.CurrentTime, 0, 0, 0]),
        )
        target.send_event(message, event_mask=X.NoEventMask)
        self._display.flush()

    def focus(self, window):
        """Gives the window the keyboard, as a window manager does on a click."""
        self._display.set_input_focus(window, X.RevertToParent, X.CurrentTime)
        self._display.sync()


# A drawn window has text, edges and shades; one not yet painted shows a colour or two.
DRAWN_COLOURS = 8


def picture(window, path):
    """Pictures the window into the PNG file PATH; true when the picture shows it drawn."""
    _import(str(window), path)
    colours, _ = _look(path)
    return colours >= DRAWN_COLOURS


def picture_drawn(window, path, seen):
    """Pictures a window drawn in a few flat colours, a menu say, into the PNG file PATH; true
    once it shows more than one colour and the same as the picture before, whose look SEEN
    keeps from call to call."""
    _import(str(window), path)
    look = _look(path)
    same = seen == [look]
    seen[:] = [look]
    return same and look[0] > 1


def picture_of_screen(area, path):
    """Pictures the (x, y, width, height) AREA of the screen, whatever windows it shows, into
    the PNG file PATH."""
    x, y, width, height = area
    _import("root", path, "-crop", f"{width}x{height}+{x}+{y}", "+repage")


def _import(window, path, *options):
    subprocess.run(["import", "-window", window, *options, path], check=True, timeout=30)


def _look(path):
    """The picture's number of colours and a digest of its pixels."""
    answer = subprocess.run(
        ["identify", "-format", "%k %#", path], capture_output=True, text=True, timeout=30
    )
    colours, digest = (answer.stdout or "0 -").split()
    return int(colours), digest
