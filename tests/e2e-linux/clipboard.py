"""The X clipboard (the CLIPBOARD selection) as another program on the desktop sees it: read
from whichever program holds it, or offered by the driver for the program to paste."""
import select
import threading
import time

from Xlib import X, Xatom, display
from Xlib.protocol import event


class _Connection:
    """A display connection of its own with a window to talk about selections through."""

    def __init__(self):
        self.display = display.Display()
        self.window = self.display.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
        atom = self.display.intern_atom
        self.clipboard = atom("CLIPBOARD")
        self.utf8 = atom("UTF8_STRING")
        self.targets = atom("TARGETS")
        self.text = atom("TEXT")
        self.answer = atom("LOADERGUI_E2E_CLIPBOARD")

    def close(self):
        self.window.destroy()
        self.display.close()


def read(timeout=5.0):
    """The clipboard's text as UTF-8, or None when nobody holds it or the holder gave none."""
    connection = _Connection()
    try:
        connection.window.convert_selection(
            connection.clipboard, connection.utf8, connection.answer, X.CurrentTime
        )
        connection.display.flush()
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            while connection.display.pending_events():
                seen = connection.display.next_event()
                if seen.type != X.SelectionNotify:
                    continue
                if seen.property == X.NONE:
                    return None
                value = connection.window.get_full_property(connection.answer, X.AnyPropertyType)
                return value.value.decode("utf-8") if value else None
            select.select([connection.display], [], [], 0.05)
        return None
    finally:
        connection.close()


class Offer:
    """Holds the clipboard with TEXT until closed or until another program takes it, answering
    requests from a thread of its own; use as a context manager."""

    def __init__(self, text):
        self._data = text.encode("utf-8")
        self._connection = _Connection()
        self._stop = threading.Event()
        c = self._connection
        c.window.set_selection_owner(c.clipboard, X.CurrentTime)
        c.display.flush()
        if c.display.get_selection_owner(c.clipboard) != c.window:
            c.close()
            raise RuntimeError("could not take the clipboard")
        self._thread = threading.Thread(target=self._serve, daemon=True)
        self._thread.start()

    def _answer(self, request):
        c = self._connection
        target = request.property if request.property != X.NONE else request.target
        if request.target == c.targets:
            request.requestor.change_property(
                target, Xatom.ATOM, 32, [c.targets, c.utf8, Xatom.STRING, c.text]
            )
        elif request.target in (c.utf8, Xatom.STRING, c.text):
            request.requestor.change_property(target, request.target, 8, self._data)
        else:
            target = X.NONE
        notify = event.SelectionNotify(
            time=request.time,
            requestor=request.requestor,
            selection=request.selection,
            target=request.target,
            property=target,
        )
        request.requestor.send_event(notify)
        c.display.flush()

    def _serve(self):
        c = self._connection
        while not self._stop.is_set():
            while c.display.pending_events():
                seen = c.display.next_event()
                if seen.type == X.SelectionRequest:
                    self._answer(seen)
                elif seen.type == X.SelectionClear:
                    return
            select.select([c.display], [], [], 0.05)

    def close(self):
        self._stop.set()
        self._thread.join(timeout=5)
        self._connection.close()

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.close()
