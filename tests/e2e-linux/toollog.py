"""The stand-in tools' log: one line per start (with every argument in a field of its own) and
one per end, which is how the driver sees what the program started and how."""
import os
from dataclasses import dataclass, field

from check import fail
from wait import wait_until

LOG_NAME = "standin-calls.log"
_ESCAPES = {"\\": "\\", "t": "\t", "n": "\n", "r": "\r"}


@dataclass
class ToolCall:
    kind: str  # "start" or "end"
    stamp: int  # nanoseconds of the system clock
    pid: int
    tool: str
    directory: str = ""  # a start's current directory
    arguments: list = field(default_factory=list)  # a start's argv, argv[0] first


def _unescape(text):
    out, i = [], 0
    while i < len(text):
        if text[i] == "\\" and i + 1 < len(text):
            out.append(_ESCAPES.get(text[i + 1], text[i + 1]))
            i += 2
        else:
            out.append(text[i])
            i += 1
    return "".join(out)


def read_log(folder):
    """Every whole line of the log in FOLDER; none when there is no log yet."""
    path = os.path.join(folder, LOG_NAME)
    try:
        with open(path, encoding="utf-8", errors="surrogateescape") as log:
            lines = log.read().split("\n")[:-1]  # the last piece is empty or still being written
    except FileNotFoundError:
        return []
    calls = []
    for line in lines:
        fields = [_unescape(f) for f in line.split("\t")]
        call = ToolCall(fields[0], int(fields[1]), int(fields[2]), fields[3])
        if call.kind == "start":
            call.directory, call.arguments = fields[4], fields[5:]
        calls.append(call)
    return calls


def starts(calls):
    return [call for call in calls if call.kind == "start"]


def end_of(calls, start):
    """The end line of the process that START began, or None while it runs."""
    for call in calls:
        if call.kind == "end" and call.pid == start.pid and call.tool == start.tool:
            return call
    return None


def process_gone(folder, start):
    """Whether the process that START began has gone, having written its end line or been ended
    before: it no longer runs the tool of FOLDER (a process ended but not yet reaped runs
    nothing, and one that took the id later runs another program)."""
    try:
        running = os.readlink(f"/proc/{start.pid}/exe")
    except OSError:
        return True
    return running != os.path.realpath(os.path.join(folder, start.tool))


def all_gone(folder):
    """Whether every tool that started from FOLDER has ended and gone."""
    return all(process_gone(folder, call) for call in starts(read_log(folder)))


def describe(calls):
    return (
        "; ".join(
            f"{c.kind} {c.tool} pid {c.pid}" + (f" {c.arguments}" if c.kind == "start" else "")
            for c in calls
        )
        or "(no tool ran)"
    )


def wait_for_starts(folder, count):
    """The first COUNT starts logged in FOLDER; fails when fewer arrive in time."""
    found = wait_until(lambda: len(starts(read_log(folder))) >= count)
    calls = read_log(folder)
    if not found:
        fail(f"expected {count} tool start(s), saw: {describe(calls)}")
    return starts(calls)[:count]


def wait_for_ends(folder, calls):
    """The log once every start of CALLS has its end line; fails when one is still missing."""
    ended = wait_until(lambda: all(end_of(read_log(folder), call) for call in calls))
    log = read_log(folder)
    if not ended:
        fail(f"tools still running: {describe(log)}")
    return log
