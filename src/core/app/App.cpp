// Lifetime of the program's two windows: created on first touch, unloaded through their handlers.
#include "app/App.h"

#include "app/Bindings.h"
#include "app/Handlers.h"
#include "app/MainLayout.h"
#include "settings/OptionsLayout.h"

namespace loadergui {

App::App(const platform::Services& services, ui::Toolkit& toolkit)
    : services_(services),
      toolkit_(toolkit),
      optionsLayout_(PlatformOptionsLayout(services.facts)),
      runningLoaders_(services.facts.serialPortNamesIgnoreCase) {}

App::~App() = default;

MainWindow& App::frmMain() {
  if (!main_) {
    main_ = std::make_unique<MainWindow>(toolkit_.createForm(MainWindowLayout()));
    BindMainWindow(*this, *main_);
  }
  return *main_;
}

OptionsDialog& App::frmOptions() {
  if (!options_) {
    options_ = std::make_unique<OptionsDialog>(toolkit_.createForm(optionsLayout_));
    BindOptionsDialog(*this, *options_);
  }
  return *options_;
}

bool App::start() {
  ended_ = false;
  frmMain();
  if (!frmMain::Form_Load(*this)) {
    abandon();
    return false;
  }
  main_->form().show();
  main_->cmdBrowse->setFocus();
  return true;
}

// Ends the program at once: the windows go without any unload handler, so nothing is saved.
void App::abandon() {
  close(options_);
  close(main_);
  ended_ = true;
}

template <typename Window>
void App::close(std::unique_ptr<Window>& window) {
  if (!window) return;
  window->form().destroy();
  closed_.push_back(std::move(window));
}

void App::unloadOptions() {
  if (!options_ || unloadingOptions_) return;
  unloadingOptions_ = true;
  int cancel = 0;
  frmOptions::Form_Unload(*this, cancel);
  close(options_);
  unloadingOptions_ = false;
}

// The main window's unload handler itself asks for the window to be unloaded; that inner
// request finds the unload already under way and leaves it to the outer one.
void App::unloadMain() {
  if (!main_ || unloadingMain_) return;
  unloadingMain_ = true;
  int cancel = 0;
  frmMain::Form_Unload(*this, cancel);
  if (cancel == 0) {
    close(main_);
    ended_ = true;
  }
  unloadingMain_ = false;
}

void App::endSession() {
  sessionEnding_ = true;
  unloadMain();
}

}  // namespace loadergui
