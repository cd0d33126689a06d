// The file search, the serial devices, the settings file and the program as a whole on Linux.
#include <fcntl.h>
#include <unistd.h>

#include <QAction>
#include <QDropEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QTest>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fstream>

#include "QtFixture.h"
#include "qt/SessionEnd.h"

namespace loadergui::qttest {
namespace {

using platform::SearchFor;

struct FindCase {
  const char* name;
  const char* pattern;  // relative to the program folder
  SearchFor what;
  bool found;
};

const FindCase kFinds[] = {
    {"OrdinaryFile", "demo.elf", SearchFor::OrdinaryFiles, true},
    {"MissingFile", "other.elf", SearchFor::OrdinaryFiles, false},
    {"FolderIsNoFile", "root", SearchFor::OrdinaryFiles, false},
    {"FolderWhenAskedFor", "root", SearchFor::FilesAndFolders, true},
    {"FolderWithTrailingSlash", "root/", SearchFor::FilesAndFolders, true},
    {"Wildcards", "de?o.*", SearchFor::OrdinaryFiles, true},
    {"WildcardsMatchCase", "DEMO.*", SearchFor::OrdinaryFiles, false},
    {"WildcardsFindNoFolderAsFile", "ro*", SearchFor::OrdinaryFiles, false},
    {"NameWithBracketsAsItIs", "dump[1].bin", SearchFor::OrdinaryFiles, true},
    {"NameWithAQuestionMarkAsItIs", "what?.bin", SearchFor::OrdinaryFiles, true},
    {"DotFileCounts", ".hidden.bin", SearchFor::OrdinaryFiles, true},
    {"Empty", "", SearchFor::FilesAndFolders, false},
};

class PlatformTest : public QtFixture {};

TEST_F(PlatformTest, FileSearchFollowsTheProgramsRules) {
  for (const char* file : {"demo.elf", "dump[1].bin", "what?.bin", ".hidden.bin"}) writeFile(file);
  std::filesystem::create_directories(folder / "root");
  std::filesystem::current_path(folder);
  for (const auto& c : kFinds) {
    EXPECT_EQ(services->findFile(c.pattern, c.what), c.found) << c.name;
  }
  EXPECT_FALSE(services->findFile("/dev/null", SearchFor::FilesAndFolders));
}

TEST_F(PlatformTest, SerialPortsAreThePluggedInDevicesPresent) {
  for (const char* name : {"ttyUSB0", "ttyACM3", "ttyS0", "ttyUSBfile", "tty"}) {
    std::filesystem::create_symlink("/dev/null", devices / name);
  }
  std::ofstream(devices / "ttyUSB9") << "no device";
  std::vector<std::string> ports = services->serialPorts();
  std::sort(ports.begin(), ports.end());
  EXPECT_EQ(ports, (std::vector<std::string>{(devices / "ttyACM3").string(),
                                             (devices / "ttyUSB0").string(),
                                             (devices / "ttyUSBfile").string()}));
}

TEST_F(PlatformTest, TheProgramsOwnFolderAndNameComeFromItsFile) {
  qt::QtFileSystem files;
  EXPECT_EQ(files.programBaseName(), "qt_tests");
  EXPECT_TRUE(std::filesystem::exists(files.programFolder() + "/" + files.programBaseName()));
}

// A file the Windows program wrote (CR LF, keys in another case) loads; the first exit writes
// the sixteen keys once, in the order of the key table, beside the program.
TEST_F(PlatformTest, SettingsFileIsSharedWithTheWindowsProgram) {
  installProgram();
  writeFile("tools/settings.ini",
            "[SETTINGS]\r\nTYPE=&Upload\r\nRAVLINK=IP\r\n[options]\r\nip=10.0.0.5\r\n");
  ASSERT_TRUE(start());
  EXPECT_EQ(app->frmMain().lblInformation->text(), "Upload through IP, 10.0.0.5");
  app->frmMain().mnuFileExit->click();
  EXPECT_EQ(lastFormGone, 1);
  std::string saved = readFile("tools/settings.ini");
  EXPECT_EQ(saved.rfind("[SETTINGS]\r\nTYPE=&Upload\r\nRAVLINK=IP\r\n[options]\r\nip=10.0.0.5\r\n"
                        "ADDRESS=0x8c010000\r\nSIZE=0x0\r\nDEVICE=/dev/ttyS0\r\n",
                        0),
            0u)
      << saved;
  EXPECT_NE(saved.find("[CDFSREDIRECT]\r\nISO=Please select an ISO image...\r\n"),
            std::string::npos);
}

TEST_F(PlatformTest, MissingLoaderEndsTheProgramAfterOneMessage) {
  installProgram();
  std::filesystem::remove(folder / "tools/ravlink-ip");
  QString message;
  answerNext<QMessageBox>([&message](QMessageBox& box) {
    message = box.windowTitle() + QStringLiteral(": ") + box.text();
    box.accept();
  });
  EXPECT_FALSE(start());
  EXPECT_EQ(message, QStringLiteral("Oops!: A required file(s) was not found!"));
  EXPECT_EQ(lastFormGone, 1);
  EXPECT_FALSE(std::filesystem::exists(folder / "tools/settings.ini"));
}

TEST_F(PlatformTest, ClosingTheMainWindowSavesOnceAndEndsTheProgram) {
  installProgram();
  ASSERT_TRUE(start());
  mainForm().window().close();
  EXPECT_EQ(lastFormGone, 1);
  EXPECT_FALSE(mainForm().window().isVisible());
  EXPECT_NE(readFile("tools/settings.ini").find("DEVICE=/dev/ttyS0"), std::string::npos);
}

// Logging out sends the program SIGTERM (or SIGHUP): it ends as at any close, saving the run's
// settings once.
TEST_F(PlatformTest, TheEndOfTheSessionSavesLikeAClose) {
  installProgram();
  ASSERT_TRUE(start());
  qt::QuitOnTerminationSignals();
  QTimer::singleShot(0, [] { std::raise(SIGTERM); });
  QCoreApplication::exec();
  EXPECT_TRUE(app->ended());
  EXPECT_EQ(lastFormGone, 1);
  EXPECT_NE(readFile("tools/settings.ini").find("DEVICE=/dev/ttyS0"), std::string::npos);
}

// With the options dialog open, its values are saved as they stand, as at any close.
TEST_F(PlatformTest, TheEndOfTheSessionWithTheOptionsOpenSavesThemAsTheyStand) {
  installProgram();
  ASSERT_TRUE(start());
  qt::QuitOnTerminationSignals();
  answerNext<QWidget>([&](QWidget&) {
    widget<QLineEdit>(optionsForm(), "txtAddress")->setText(QStringLiteral("0x8c000123"));
    std::raise(SIGHUP);
  });
  QTimer::singleShot(0, [&] {
    mainForm().window().findChild<QAction*>(QStringLiteral("mnuConfigOptions"))->trigger();
  });
  QCoreApplication::exec();
  EXPECT_TRUE(allAnswered());
  EXPECT_TRUE(app->ended());
  EXPECT_NE(readFile("tools/settings.ini").find("ADDRESS=0x8c000123"), std::string::npos);
}

// The open pipes of the process, by descriptor.
std::vector<int> OpenPipes() {
  std::vector<int> pipes;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    std::string target = std::filesystem::read_symlink(entry.path(), error).string();
    if (!error && target.rfind("pipe:", 0) == 0)
      pipes.push_back(std::stoi(entry.path().filename()));
  }
  std::sort(pipes.begin(), pipes.end());
  return pipes;
}

// What a fresh process checks of the signal pipe: the programs it starts do not inherit it,
// neither end blocks, and the handler leaves errno as it found it, even when the pipe is full
// and its write fails. Exits 0 when all hold, else with the number of the first that does not.
[[noreturn]] void CheckTheSignalPipe() {
  std::vector<int> before = OpenPipes();
  qt::QuitOnTerminationSignals();
  std::vector<int> ends;
  for (int fd : OpenPipes()) {
    if (!std::binary_search(before.begin(), before.end(), fd)) ends.push_back(fd);
  }
  if (ends.size() != 2) std::_Exit(1);
  int writeEnd = -1;
  for (int fd : ends) {
    if ((fcntl(fd, F_GETFD) & FD_CLOEXEC) == 0) std::_Exit(2);
    int flags = fcntl(fd, F_GETFL);
    if ((flags & O_NONBLOCK) == 0) std::_Exit(3);
    if ((flags & O_ACCMODE) == O_WRONLY) writeEnd = fd;
  }
  if (writeEnd < 0) std::_Exit(4);
  char byte = 0;
  while (write(writeEnd, &byte, 1) == 1) {
  }
  errno = EDOM;
  std::raise(SIGTERM);
  std::_Exit(errno == EDOM ? 0 : 5);
}

TEST(SignalPipeTest, IsNotInheritedNeverBlocksAndKeepsErrno) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(CheckTheSignalPipe(), ::testing::ExitedWithCode(0), "");
}

// Upload and Execute through the IP loader with the ARP step: the ARP tool has ended before the
// loader starts, in its terminal, from the program's folder.
TEST_F(PlatformTest, ExecuteRunsTheArpStepThenTheLoaderInATerminal) {
  installProgram();
  installTerminal();
  writeFile("my demo.elf");
  ASSERT_TRUE(start());
  app->frmMain().mnuRavlinkIP->click();
  app->frmOptions().cbARP->setValue(ui::kTicked);
  app->frmOptions().txtARP->setText("00:11:22:33:44:55");
  app->frmMain().txtUpload->setText("my demo.elf");
  std::filesystem::current_path(terminals);
  app->frmMain().cmdExecute->click();
  std::vector<LogLine> log = toolLog(4);
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[0].tool, "arp");
  EXPECT_EQ(log[1].event, "end");
  EXPECT_EQ(log[2].tool, "ravlink-ip");
  EXPECT_EQ(log[2].arguments,
            (std::vector<std::string>{path("tools/ravlink-ip"), "-t", "192.168.0.0", "-a",
                                      "0x8c010000", "-x", "my demo.elf"}));
  EXPECT_EQ(log[2].currentDirectory, folder.string());
  EXPECT_EQ(terminalLog(1).at(0).processId, log[2].processId);
}

TEST_F(PlatformTest, DroppedFileLandsInTheVisibleFileBox) {
  installProgram();
  writeFile("dropped.elf");
  ASSERT_TRUE(start());
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path("dropped.elf")))});
  QWidget& window = mainForm().window();
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &drop);
  EXPECT_EQ(app->frmMain().txtUpload->text(), path("dropped.elf"));
}

}  // namespace
}  // namespace loadergui::qttest
