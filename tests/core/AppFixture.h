// A program running against the stand-in platform in a temporary folder of its own.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/App.h"
#include "null/Services.h"
#include "null/Toolkit.h"

namespace loadergui::testing {

// The keys one load reads and one save writes: the sixteen settings and the ten kept files.
constexpr int kKeysPerPass = 16 + 10;

class AppFixture : public ::testing::Test {
 protected:
  AppFixture();
  ~AppFixture() override;

  // Lays out the program's folder: its executable and the four required files.
  void installProgram();
  void writeFile(const std::string& relativePath, const std::string& content = "x");
  std::string readFile(const std::string& relativePath) const;
  bool exists(const std::string& relativePath) const;
  std::string settingsText() const { return readFile("tools/settings.ini"); }
  void writeSettings(const std::string& text) { writeFile("tools/settings.ini", text); }

  // Starts the program; false when start-up ended it.
  bool start();
  void exitProgram();

  ui::Form& main() { return app->frmMain().form(); }
  ui::Form& options() { return app->frmOptions().form(); }
  ui::Control& mainControl(const char* name) { return main().control(name); }
  ui::Control& optionControl(const char* name) { return options().control(name); }
  null::NullControl& optionStub(const char* name) {
    return static_cast<null::NullControl&>(options().control(name));
  }
  // Shows the options dialog modally and lets `work` act as the user while it is open.
  void withOptionsDialog(const std::function<void(null::NullForm&)>& work);

  std::filesystem::path folder;  // the program's folder
  std::unique_ptr<null::NullServices> services;
  null::NullToolkit toolkit;
  std::unique_ptr<App> app;
};

}  // namespace loadergui::testing
