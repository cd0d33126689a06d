// A scenario's fresh folder with the program and its tools.
#include "Sandbox.h"

#include <windows.h>

#include <cstdio>

#include "Files.h"
#include "ToolLog.h"
#include "Wait.h"

namespace e2e {

namespace {
const char* const kStandIns[] = {"ravlink-serial.exe", "ravlink-ip.exe", "arp.exe"};
const char* const kLibraries[] = {"cygwin1.dll", "cygintl.dll"};
}  // namespace

Sandbox::Sandbox(const Layout& layout, int number, const std::string& name) {
  char prefix[16];
  std::snprintf(prefix, sizeof prefix, "%02d-", number);
  folder_ = layout.workRoot + "\\" + prefix + name;
  if (FolderExists(folder_)) RemoveTree(folder_);
  MakeFolder(folder_);
  layOut(layout);
}

Sandbox::Sandbox(const Layout& layout, const std::string& drive)
    : folder_(drive), driveRoot_(true) {
  clear();
  layOut(layout);
}

void Sandbox::layOut(const Layout& layout) {
  MakeFolder(tools());
  CopyOneFile(layout.payload + "\\ravlinkgui.exe", program());
  for (const char* tool : kStandIns) {
    CopyOneFile(layout.payload + "\\tools\\" + tool, tools() + "\\" + tool);
  }
  // The program only checks that the loaders' libraries are there; nothing loads them.
  for (const char* library : kLibraries) {
    WriteWholeFile(tools() + "\\" + library, "placeholder\r\n");
  }
}

void Sandbox::setToolSleep(unsigned milliseconds) const {
  WriteWholeFile(tools() + "\\standin-sleep-ms.txt", std::to_string(milliseconds));
}

void Sandbox::finish(bool keep) const {
  WaitUntil([&] { return AllToolsGone(ReadToolLog(tools())); }, 30000);
  if (!keep) clear();
}

void Sandbox::clear() const {
  if (!driveRoot_) {
    RemoveTree(folder_);
    return;
  }
  WIN32_FIND_DATAA entry{};
  HANDLE search = FindFirstFileA((folder_ + "\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    std::string name = entry.cFileName;
    if (name == "." || name == "..") continue;
    RemoveTree(folder_ + "\\" + name);
  } while (FindNextFileA(search, &entry));
  FindClose(search);
}

}  // namespace e2e
