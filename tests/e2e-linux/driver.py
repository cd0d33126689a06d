#!/usr/bin/python3
"""The Linux end-to-end driver: runs every scenario against the real program, one fresh folder
each, and prints one line per scenario and a closing count. Needs an X display and a D-Bus
session bus (scripts/test-e2e-linux.sh gives it both)."""
import argparse
import os
import signal
import sys
import time

import arp
import copying
import dumps
import handoff
import names
import options
import pictures
import recent
import refusals
import running
import settings
import startup
import transfers
from check import Failure, current_step, step
from program import x_windows
from sandbox import Payload, Sandbox
from scenario import Environment
from toollog import end_of, read_log, starts


def all_scenarios():
    groups = (
        startup, transfers, arp, refusals, dumps, options, settings, recent, copying, handoff,
        running, names, pictures,
    )
    return [scenario for group in groups for scenario in group.SCENARIOS]


def read_arguments():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--program", required=True, help="the built ravlinkgui")
    parser.add_argument("--tools", required=True, help="folder of the stand-in tools")
    parser.add_argument("--terminal", required=True, help="the stand-in terminal")
    parser.add_argument("--work", required=True, help="where the scenario folders go")
    parser.add_argument("--screenshots", help="where pictures of the windows go")
    parser.add_argument("--only", action="append", default=[], help="run names holding TEXT")
    parser.add_argument("--keep", action="store_true", help="keep every scenario folder")
    return parser.parse_args()


def end_leftovers(box):
    """Ends what a failed scenario left running: its programs and the tools they started."""
    for program in box.programs:
        program.stop()
    calls = read_log(box.tools)
    for start in starts(calls):
        if end_of(calls, start) is None:
            try:
                os.kill(start.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass


def run_one(arguments, payload, number, scenario, environment):
    step("lay out the scenario's folder")
    box = Sandbox(payload, arguments.work, number, scenario.name, scenario.without)
    failure = None
    try:
        scenario.run(box, environment)
    except Failure as seen:
        failure = str(seen)
    except Exception as error:  # a fault of the driver or the desktop: still one failed scenario
        failure = f"step '{current_step()}': {type(error).__name__}: {error}"
    end_leftovers(box)
    box.finish(arguments.keep or failure is not None)
    return failure


def main():
    arguments = read_arguments()
    payload = Payload(arguments.program, arguments.tools, arguments.terminal)
    environment = Environment(arguments.screenshots)
    os.makedirs(arguments.work, exist_ok=True)
    x_windows()  # the driver's own connection to the display, held for the whole run
    print(f"e2e-linux: program {arguments.program}, scenario folders in {arguments.work}")
    passed = failed = 0
    for number, scenario in enumerate(all_scenarios(), 1):
        if arguments.only and not any(text in scenario.name for text in arguments.only):
            continue
        started = time.monotonic()
        failure = run_one(arguments, payload, number, scenario, environment)
        seconds = time.monotonic() - started
        if failure is None:
            passed += 1
            print(f"PASS {scenario.name} ({seconds:.1f} s)", flush=True)
        else:
            failed += 1
            print(f"FAIL {scenario.name} ({seconds:.1f} s): {failure}", flush=True)
    print(f"{passed} passed, {failed} failed")
    return 0 if failed == 0 and passed > 0 else 1


if __name__ == "__main__":
    sys.exit(main())
