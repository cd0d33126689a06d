// A scenario's fresh folder: a copy of the program beside a tools folder with the stand-ins.
#pragma once

#include <string>

namespace e2e {

// Where the driver finds what it lays out, and where the scenario folders go.
struct Layout {
  std::string payload;  // holds ravlinkgui.exe and tools\ with the three stand-in tools
  std::string workRoot;
};

class Sandbox {
 public:
  // Creates the folder "workRoot\NN-name" with ravlinkgui.exe, tools\ravlink-serial.exe,
  // tools\ravlink-ip.exe, tools\arp.exe and placeholder tools\cygwin1.dll and tools\cygintl.dll.
  Sandbox(const Layout& layout, int number, const std::string& name);
  // Lays the same out in the root of a drive ("R:") that the test run maps to a folder of its
  // own, emptied first; the folder is then the drive itself, without a separator.
  Sandbox(const Layout& layout, const std::string& drive);

  const std::string& folder() const { return folder_; }
  std::string tools() const { return folder_ + "\\tools"; }
  std::string program() const { return folder_ + "\\ravlinkgui.exe"; }
  std::string settings() const { return tools() + "\\settings.ini"; }
  std::string path(const std::string& relative) const { return folder_ + "\\" + relative; }

  // The stand-in tools stay alive this long (tools\standin-sleep-ms.txt).
  void setToolSleep(unsigned milliseconds) const;

  // Waits for every stand-in tool that started to end and go, then removes the folder (or empties
  // the drive) unless it is to be kept for a look after a failure.
  void finish(bool keep) const;

 private:
  void layOut(const Layout& layout);
  // Removes everything inside the folder, and the folder itself unless it is a drive's root.
  void clear() const;

  std::string folder_;
  bool driveRoot_ = false;
};

}  // namespace e2e
