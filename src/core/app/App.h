// The running program: its two windows, the platform it runs on, and the option snapshot.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "app/SubRoutines.h"
#include "loader/RunningLoaders.h"
#include "platform/Services.h"
#include "settings/OptionsDialog.h"
#include "ui/Form.h"
#include "ui/Layout.h"
#include "ui/TypedForm.h"

namespace loadergui {

// The fourteen option values as text, recorded when the options dialog opens and put back
// by its Cancel button.
using OptionSnapshot = std::array<std::string, 14>;

class App {
 public:
  App(const platform::Services& services, ui::Toolkit& toolkit);
  ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  // Loads the main window and runs its start-up; then shows it. False when start-up ended
  // the program (a required file missing): no window is left and nothing was saved.
  bool start();

  // Each window comes into existence, loaded and hidden, the first time anything touches it.
  MainWindow& frmMain();
  OptionsDialog& frmOptions();
  bool mainLoaded() const { return main_ != nullptr; }
  bool optionsLoaded() const { return options_ != nullptr; }

  // Unloading runs the form's unload handler, then closes its window; a form that is not
  // loaded, or is already being unloaded, is left alone.
  void unloadMain();
  void unloadOptions();
  // True once the main window has gone, normally or at start-up.
  bool ended() const { return ended_; }
  // The user's session ends (logging off, shutting down): the main window unloads as a close
  // does, but nobody is left to answer a message.
  void endSession();
  bool sessionEnding() const { return sessionEnding_; }

  const platform::Services& services() const { return services_; }
  OptionSnapshot& snapshot() { return snapshot_; }
  // The upload mode last in force, which leaving Download returns to (ReturnToUploadMode).
  TransferMode& lastUploadMode() { return lastUploadMode_; }
  // The loaders started in this run, which a start of the same loader asks about.
  RunningLoaders& runningLoaders() { return runningLoaders_; }
  // The upload files used last, newest first (app/RecentFiles.h); the menu shows them.
  std::vector<std::string>& recentFiles() { return recentFiles_; }

 private:
  void abandon();
  template <typename Window>
  void close(std::unique_ptr<Window>& window);

  platform::Services services_;
  ui::Toolkit& toolkit_;
  // The options dialog as this platform shows it; declared before the windows built from it.
  const ui::FormLayout optionsLayout_;
  std::unique_ptr<MainWindow> main_;
  std::unique_ptr<OptionsDialog> options_;
  // Closed windows are kept until the App goes, since a handler of theirs may still be running.
  std::vector<std::unique_ptr<ui::TypedForm>> closed_;
  bool unloadingMain_ = false;
  bool unloadingOptions_ = false;
  bool ended_ = false;
  bool sessionEnding_ = false;
  OptionSnapshot snapshot_;
  TransferMode lastUploadMode_ = TransferMode::UploadExecute;
  RunningLoaders runningLoaders_;
  std::vector<std::string> recentFiles_;
};

}  // namespace loadergui
