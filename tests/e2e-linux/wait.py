"""Polling with a bounded timeout: the driver never waits by a fixed sleep."""
import time

# Generous for a slow, shared machine; a scenario that passes never waits this long.
PATIENCE = 15.0
POLL_INTERVAL = 0.02


def wait_until(condition, timeout=PATIENCE, interval=POLL_INTERVAL):
    """The condition's first true value, or its last false one once the timeout has passed."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value or time.monotonic() >= deadline:
            return value
        time.sleep(interval)
