// The external tools in the tools folder beside the program; their names are the platform's
// (platform/PlatformFacts.h).
#pragma once

namespace loadergui::tools {

// The show state of every started tool: a normal window that receives the focus.
inline constexpr int kNormalFocus = 1;

}  // namespace loadergui::tools
