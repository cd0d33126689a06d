"""A scenario: a name and what it does in its own fresh folder."""
from dataclasses import dataclass
from typing import Callable, Optional


@dataclass
class Environment:
    """What every scenario may use besides its folder."""

    screenshots: Optional[str]  # where pictures of the windows go, if anywhere


@dataclass
class Scenario:
    name: str  # also names the scenario's folder
    run: Callable  # run(box, environment)
    without: tuple = ()  # files of tools/ left out of the folder ("tools/arp")
