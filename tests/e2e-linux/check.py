"""Steps and checks of a scenario: a failed check names the step it happened in and what it saw."""


class Failure(Exception):
    """Raised by a failed check; the runner prints it and goes on with the next scenario."""

    def __init__(self, step, seen):
        super().__init__(f"step '{step}': {seen}")
        self.step = step
        self.seen = seen


_current = ["(before the first step)"]


def step(description):
    """Names what the scenario does next, as a user would describe it."""
    _current[0] = description


def current_step():
    return _current[0]


def fail(seen):
    raise Failure(_current[0], seen)


def require(condition, seen):
    if not condition:
        fail(seen)


def require_equal(what, expected, seen):
    if expected != seen:
        fail(f"{what}: expected {expected!r}, saw {seen!r}")
