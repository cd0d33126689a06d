"""Real keyboard and mouse input through the X server's test extension (xdotool), as a person
at the screen gives it."""
import subprocess


def _xdotool(*arguments):
    subprocess.run(["xdotool", *arguments], check=True, timeout=30)


def click_at(x, y):
    _xdotool("mousemove", str(x), str(y), "click", "1")


def right_click_at(x, y):
    _xdotool("mousemove", str(x), str(y), "click", "3")


def press(*keys):
    """Keys by their X names ("Return", "ctrl+a"), to the window that has the keyboard."""
    _xdotool("key", "--delay", "20", *keys)


def type_text(text):
    _xdotool("type", "--delay", "10", "--", text)


def move_pointer_away():
    """Puts the pointer in the screen's bottom right corner, where no window of a test stands."""
    size = subprocess.run(
        ["xdotool", "getdisplaygeometry"], capture_output=True, text=True, check=True, timeout=30
    )
    width, height = (int(n) for n in size.stdout.split())
    _xdotool("mousemove", str(width - 1), str(height - 1))
