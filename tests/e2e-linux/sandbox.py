"""A scenario's fresh folder: the program beside tools/ with the stand-in loaders and ARP tool,
a bin/ with the stand-in terminal to put first on the program's PATH, and room for files."""
import os
import shutil
import stat
from dataclasses import dataclass

PROGRAM = "ravlinkgui"
TOOLS = ("ravlink-serial", "ravlink-ip", "arp")
TERMINAL = "x-terminal-emulator"


@dataclass
class Payload:
    """Where the built program and the stand-ins come from."""

    program: str  # the program file
    tools: str  # the folder with the stand-in tools
    terminal: str  # the stand-in terminal


class Sandbox:
    def __init__(self, payload, work_root, number, name, without=()):
        self.folder = os.path.join(work_root, f"{number:02d}-{name}")
        shutil.rmtree(self.folder, ignore_errors=True)
        self.tools = os.path.join(self.folder, "tools")
        self.bin = os.path.join(self.folder, "bin")
        self.files = os.path.join(self.folder, "files")  # what the user picks and saves
        self.config = os.path.join(self.folder, "config")  # the dialogs' own memory
        self.runtime = os.path.join(self.folder, "runtime")  # Qt's private runtime folder
        for folder in (self.tools, self.bin, self.files, self.config):
            os.makedirs(folder)
        os.makedirs(self.runtime, mode=0o700)
        self.program = os.path.join(self.folder, PROGRAM)
        shutil.copy2(payload.program, self.program)
        for tool in TOOLS:
            if f"tools/{tool}" not in without:
                shutil.copy2(os.path.join(payload.tools, tool), os.path.join(self.tools, tool))
        shutil.copy2(payload.terminal, os.path.join(self.bin, TERMINAL))
        self.settings = os.path.join(self.tools, "settings.ini")
        self.programs = []  # started in this folder, ended by the runner if still running

    def path(self, *parts):
        return os.path.join(self.folder, *parts)

    def file(self, name, content=b"ELF image"):
        """A file the user can pick, in files/."""
        path = os.path.join(self.files, name)
        with open(path, "wb") as out:
            out.write(content)
        return path

    def folder_in_files(self, name):
        path = os.path.join(self.files, name)
        os.makedirs(path)
        return path

    def tool(self, name):
        return os.path.join(self.tools, name)

    def set_tool_sleep(self, milliseconds):
        """How long each stand-in tool stays alive."""
        with open(os.path.join(self.tools, "standin-sleep-ms.txt"), "w") as out:
            out.write(str(milliseconds))

    def forbid_running(self, tool):
        mode = os.stat(self.tool(tool)).st_mode
        os.chmod(self.tool(tool), mode & ~(stat.S_IXUSR | stat.S_IXGRP | stat.S_IXOTH))

    def write_settings(self, text):
        with open(self.settings, "wb") as out:
            out.write(text.encode("latin-1"))

    def read_settings(self):
        try:
            with open(self.settings, "rb") as settings:
                return settings.read()
        except FileNotFoundError:
            return None

    def finish(self, keep):
        if not keep:
            shutil.rmtree(self.folder, ignore_errors=True)
