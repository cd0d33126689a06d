// The end of the user's session on Linux: the session closing sends SIGTERM or SIGHUP, and the
// session manager may ask the event loop to quit; the main window then unloads as at any close.
#pragma once

namespace loadergui::qt {

// Turns SIGTERM and SIGHUP into a quit of the event loop, which each form hears of while it still
// stands (QtForm runs its end-of-session handler then). Called once, by main, as soon as the
// application object exists.
void QuitOnTerminationSignals();

}  // namespace loadergui::qt
