// One program per folder takes the files handed to it: a second start that names a file gives it
// to the program already running from the same folder, and ends.
#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <string>
#include <vector>

namespace loadergui {
class App;
}

namespace loadergui::qt {

// The local socket the program of this folder listens on: in the user's runtime folder, named
// after the user and the program's folder.
QString HandOffServerName();

// Hands the arguments to the program that listens for this folder. True once it has taken
// them; false when none listens, or none answered in time.
bool HandToRunningProgram(const std::vector<std::string>& arguments);

// Listens for later starts of this folder's program, and follows what they hand over, and the
// program's own arguments, in the shown main window.
class HandOffReceiver : public QObject {
 public:
  explicit HandOffReceiver(App& app);

  // Follows the program's own arguments as soon as the event loop runs.
  void follow(std::vector<std::string> arguments);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void listen();
  void receive();
  void followNow(const std::vector<std::string>& arguments, bool handedOver);
  void pressExecuteIfFree();

  App& app_;
  QWidget& main_;
  std::string folder_;
  QLocalServer server_;
  // Execute is pressed once no dialog or message box of the program keeps the window from input.
  bool executeWaits_ = false;
};

}  // namespace loadergui::qt
