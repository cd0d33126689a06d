// The external tools in the tools folder beside the program.
#pragma once

namespace loadergui::tools {

inline constexpr const char* kSerialLoader = "tools\\ravlink-serial.exe";
inline constexpr const char* kIPLoader = "tools\\ravlink-ip.exe";
inline constexpr const char* kArp = "tools\\arp.exe";

// What the loaders need to run; the ARP tool is optional and not among them.
inline constexpr const char* kRequiredFiles[] = {
    "tools\\cygintl.dll",
    "tools\\cygwin1.dll",
    "tools\\ravlink-serial.exe",
    "tools\\ravlink-ip.exe",
};

// The show state of every started tool: a normal window that receives the focus.
inline constexpr int kNormalFocus = 1;

}  // namespace loadergui::tools
