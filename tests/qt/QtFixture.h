// The Linux program on Qt's offscreen platform, in a fresh program folder of its own with the
// stand-in tools, a stand-in terminal and a folder of device files.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/App.h"
#include "qt/Form.h"
#include "qt/Services.h"
#include "qt/Toolkit.h"

namespace loadergui::qttest {

// The platform services as the program has them, but for the beep, which is counted.
class TestServices : public qt::QtServices {
 public:
  using qt::QtServices::QtServices;
  void beep() override { ++beeps; }
  int beeps = 0;
};

// One line of a stand-in's log: "start" or "end", then stamp, process id, tool, and for a start
// the current directory and the arguments.
struct LogLine {
  std::string event;
  std::string processId;
  std::string tool;
  std::string currentDirectory;
  std::vector<std::string> arguments;
};

class QtFixture : public ::testing::Test {
 protected:
  QtFixture();
  ~QtFixture() override;

  // Lays out the program's folder: its own file, the two loaders and the ARP tool (stand-ins).
  void installProgram();
  // The stand-in terminal, under the given name, in the folder the terminal is looked for in.
  void installTerminal(const std::string& name = "x-terminal-emulator");
  void writeFile(const std::string& relativePath, const std::string& content = "x") const;
  std::string readFile(const std::string& relativePath) const;
  std::string path(const std::string& relativePath) const {
    return (folder / relativePath).string();
  }

  bool start();
  qt::QtForm& mainForm() { return static_cast<qt::QtForm&>(app->frmMain().form()); }
  qt::QtForm& optionsForm() { return static_cast<qt::QtForm&>(app->frmOptions().form()); }
  // A control's widget by its layout-table name, found as Qt finds it: by object name.
  template <typename Widget>
  Widget* widget(qt::QtForm& form, const char* name) {
    return form.window().findChild<Widget*>(QString::fromUtf8(name));
  }

  // Runs answer on the next modal window of type Window once it shows, from the event loop, so
  // that a test can act as the user of a message box or dialog that blocks it.
  template <typename Window>
  void answerNext(std::function<void(Window&)> answer);
  // Whether every answer given has run.
  bool allAnswered() const;

  // The lines of a stand-in log (tools/ or the terminal's folder), waiting until it holds at
  // least `lines` lines, as the tools write them while they run.
  std::vector<LogLine> logLines(const std::filesystem::path& log, std::size_t lines = 0);
  std::vector<LogLine> toolLog(std::size_t lines = 0) {
    return logLines(folder / "tools" / "standin-calls.log", lines);
  }
  std::vector<LogLine> terminalLog(std::size_t lines = 0) {
    return logLines(terminals / "standin-calls.log", lines);
  }

  std::filesystem::path folder;     // the program's folder
  std::filesystem::path terminals;  // where a terminal is looked for
  std::filesystem::path devices;    // the device files
  std::unique_ptr<TestServices> services;
  qt::QtToolkit toolkit;
  std::unique_ptr<App> app;
  int lastFormGone = 0;

 private:
  std::vector<QTimer*> answers_;
  std::filesystem::path previousDirectory_;
};

template <typename Window>
void QtFixture::answerNext(std::function<void(Window&)> answer) {
  auto* timer = new QTimer;
  timer->setInterval(0);
  answers_.push_back(timer);
  QObject::connect(timer, &QTimer::timeout, [timer, answer] {
    auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
    if (!window || !window->isVisible() || !timer->isActive()) return;
    timer->stop();
    answer(*window);
  });
  timer->start();
}

}  // namespace loadergui::qttest
