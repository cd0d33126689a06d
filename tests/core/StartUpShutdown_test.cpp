// Start-up and shutdown: the required-file check, the windows after start-up, and the exits.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "AppFixture.h"

namespace loadergui::testing {
namespace {

namespace fs = std::filesystem;

const char* const kSettings = "[SETTINGS]\r\nRAVLINK=IP\r\nTYPE=&Download\r\n";

class StartUpTest : public AppFixture {
 protected:
  null::NullForm& mainForm() { return static_cast<null::NullForm&>(main()); }
  null::NullForm& optionsForm() { return static_cast<null::NullForm&>(options()); }
  // The same folder run under another executable name.
  void runAs(const std::string& baseName) {
    app.reset();
    services = std::make_unique<null::NullServices>(folder.string(), baseName);
    app = std::make_unique<App>(services->interfaces(), toolkit);
  }
};

// ---- Required-file check ----

enum class Spoil { Missing, Hidden, Folder };

struct RequiredCase {
  const char* name;
  const char* file;  // below the program's folder
  Spoil spoil;
};

void PrintTo(const RequiredCase& c, std::ostream* os) {
  *os << c.name;
}

const RequiredCase kRequiredCases[] = {
    {"CygintlMissing", "tools/cygintl.dll", Spoil::Missing},
    {"Cygwin1Missing", "tools/cygwin1.dll", Spoil::Missing},
    {"SerialLoaderMissing", "tools/ravlink-serial.exe", Spoil::Missing},
    {"IPLoaderMissing", "tools/ravlink-ip.exe", Spoil::Missing},
    {"CygintlHidden", "tools/cygintl.dll", Spoil::Hidden},
    {"Cygwin1Hidden", "tools/cygwin1.dll", Spoil::Hidden},
    {"SerialLoaderHidden", "tools/ravlink-serial.exe", Spoil::Hidden},
    {"IPLoaderHidden", "tools/ravlink-ip.exe", Spoil::Hidden},
    {"CygintlIsFolder", "tools/cygintl.dll", Spoil::Folder},
    {"Cygwin1IsFolder", "tools/cygwin1.dll", Spoil::Folder},
    {"SerialLoaderIsFolder", "tools/ravlink-serial.exe", Spoil::Folder},
    {"IPLoaderIsFolder", "tools/ravlink-ip.exe", Spoil::Folder},
};

class RequiredFileTest : public StartUpTest, public ::testing::WithParamInterface<RequiredCase> {};

TEST_P(RequiredFileTest, OneMessageAndTheProgramEndsUntouched) {
  const RequiredCase& c = GetParam();
  installProgram();
  writeSettings(kSettings);
  const std::string before = settingsText();
  fs::path spoiled = folder / c.file;
  switch (c.spoil) {
    case Spoil::Missing:
      fs::remove(spoiled);
      break;
    case Spoil::Hidden:
      services->markHidden(spoiled.string());
      break;
    case Spoil::Folder:
      fs::remove(spoiled);
      fs::create_directory(spoiled);
      break;
  }
  bool mainShownDuringMessage = true;
  services->onMessage = [&](const null::ShownMessage&) {
    mainShownDuringMessage = app->mainLoaded() && main().isShown();
  };

  EXPECT_FALSE(start());

  ASSERT_EQ(services->messages.size(), 1u);
  EXPECT_EQ(services->messages[0].text, "A required file(s) was not found!");
  EXPECT_EQ(services->messages[0].title, "Oops!");
  EXPECT_EQ(services->messages[0].owner, "");
  EXPECT_FALSE(mainShownDuringMessage);
  EXPECT_TRUE(app->ended());
  EXPECT_FALSE(app->mainLoaded());
  EXPECT_FALSE(app->optionsLoaded());
  EXPECT_EQ(toolkit.created, std::vector<std::string>{"frmMain"}) << "the dialog never existed";
  EXPECT_EQ(services->profileReads, 0);
  EXPECT_EQ(services->profileWrites, 0);
  EXPECT_EQ(settingsText(), before);
}

INSTANTIATE_TEST_SUITE_P(Table, RequiredFileTest, ::testing::ValuesIn(kRequiredCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartUpTest, AllRequiredFilesMissingStillOneMessage) {
  writeFile("ravlinkgui.exe");
  EXPECT_FALSE(start());
  EXPECT_EQ(services->messages.size(), 1u);
  EXPECT_FALSE(exists("tools/settings.ini"));
}

TEST_F(StartUpTest, AllRequiredFilesPresentStartsWithoutMessage) {
  installProgram();
  EXPECT_TRUE(start());
  EXPECT_TRUE(services->messages.empty());
  EXPECT_EQ(services->profileReads, kKeysPerPass);
  EXPECT_EQ(services->profileWrites, 0);
}

TEST_F(StartUpTest, ArpToolMissingIsFine) {
  installProgram();
  fs::remove(folder / "tools/arp.exe");
  EXPECT_TRUE(start());
  EXPECT_TRUE(services->messages.empty());
  EXPECT_TRUE(main().isShown());
}

TEST_F(StartUpTest, RenamedProgramSkipsCheckAndStartsWithoutTools) {
  installProgram();
  fs::remove_all(folder / "tools");
  fs::create_directory(folder / "tools");
  runAs("renamed");
  EXPECT_TRUE(start());
  EXPECT_TRUE(services->messages.empty());
  EXPECT_TRUE(main().isShown());
}

TEST_F(StartUpTest, ProgramFileMissingSkipsCheck) {
  // Nothing installed at all: no executable of the running name, no tools.
  EXPECT_TRUE(start());
  EXPECT_TRUE(services->messages.empty());
  EXPECT_EQ(main().caption().text(), "Ravlink Serial GUI 2.0");
}

TEST_F(StartUpTest, ProgramFileOnlyAsFolderSkipsCheck) {
  fs::create_directory(folder / "ravlinkgui.exe");
  EXPECT_TRUE(start());
  EXPECT_TRUE(services->messages.empty());
}

TEST_F(StartUpTest, CheckLooksInProgramFolderNotStartingDirectory) {
  // The directory the program is started from has every tool; its own folder lacks one.
  installProgram();
  fs::remove(folder / "tools/cygintl.dll");
  fs::path elsewhere = folder / "elsewhere";
  for (const char* file : {"ravlinkgui.exe", "tools/cygintl.dll", "tools/cygwin1.dll",
                           "tools/ravlink-serial.exe", "tools/ravlink-ip.exe"}) {
    writeFile("elsewhere/" + std::string(file));
  }
  services->setCurrentDirectory(elsewhere.string());
  EXPECT_FALSE(start());
  EXPECT_EQ(services->messages.size(), 1u);
}

TEST_F(StartUpTest, CurrentDirectoryIsProgramFolderAfterStartUp) {
  installProgram();
  fs::create_directory(folder / "elsewhere");
  services->setCurrentDirectory((folder / "elsewhere").string());
  ASSERT_TRUE(start());
  EXPECT_TRUE(services->messages.empty());
  EXPECT_EQ(services->currentDirectory(), folder.string());
}

// ---- The windows after start-up ----

TEST_F(StartUpTest, MainWindowShownWithFocusOnBrowse) {
  installProgram();
  ASSERT_TRUE(start());
  EXPECT_TRUE(main().isShown());
  EXPECT_EQ(mainForm().focusedControl(), "cmdBrowse");
}

TEST_F(StartUpTest, OptionsDialogExistsHiddenAfterStartUp) {
  installProgram();
  ASSERT_TRUE(start());
  EXPECT_TRUE(app->optionsLoaded());
  EXPECT_FALSE(options().isShown());
  EXPECT_EQ(optionsForm().timesShownModal(), 0);
  EXPECT_EQ(toolkit.created, (std::vector<std::string>{"frmMain", "frmOptions"}));
}

TEST_F(StartUpTest, FirstRunShowsSerialUploadAndExecute) {
  installProgram();
  ASSERT_TRUE(start());
  EXPECT_EQ(main().caption().text(), "Ravlink Serial GUI 2.0");
  EXPECT_TRUE(mainControl("mnuRavlinkSerial").checked());
  EXPECT_EQ(mainControl("cmdExecute").text(), "Upload and &Execute");
  EXPECT_TRUE(mainControl("mnuConfigUlexecute").checked());
  EXPECT_FALSE(mainControl("mnuConfigUpload").checked());
  EXPECT_FALSE(mainControl("mnuConfigDownload").checked());
  EXPECT_EQ(mainControl("cmdBrowse").text(), "&Browse");
  EXPECT_TRUE(mainControl("txtUpload").visible());
  EXPECT_FALSE(mainControl("txtDownload").visible());
  EXPECT_EQ(mainControl("lblInformation").text(),
            "Upload through the serial port, COM1 at 115200bps");
}

TEST_F(StartUpTest, StoredVariantAndModeShownAtStartUp) {
  installProgram();
  writeSettings(kSettings);
  ASSERT_TRUE(start());
  EXPECT_EQ(main().caption().text(), "Ravlink IP GUI 2.0");
  EXPECT_EQ(mainControl("cmdExecute").text(), "&Download");
  EXPECT_EQ(mainControl("lblInformation").text(), "Download through IP, 192.168.0.0");
}

// ---- Shutdown ----

TEST_F(StartUpTest, ExitUnloadsDialogThenMainWindow) {
  installProgram();
  ASSERT_TRUE(start());
  null::NullForm& mainWindow = mainForm();
  null::NullForm& dialog = optionsForm();
  exitProgram();
  EXPECT_TRUE(app->ended());
  EXPECT_FALSE(app->optionsLoaded());
  EXPECT_FALSE(app->mainLoaded());
  EXPECT_TRUE(dialog.destroyed());
  EXPECT_TRUE(mainWindow.destroyed());
  EXPECT_EQ(services->profileWrites, kKeysPerPass);
  EXPECT_TRUE(exists("tools/settings.ini"));
}

TEST_F(StartUpTest, CloseBoxEndsProgramLikeExit) {
  installProgram();
  ASSERT_TRUE(start());
  null::NullForm& mainWindow = mainForm();
  null::NullForm& dialog = optionsForm();
  mainWindow.onCloseRequest();
  EXPECT_TRUE(app->ended());
  EXPECT_TRUE(dialog.destroyed());
  EXPECT_TRUE(mainWindow.destroyed());
  EXPECT_EQ(services->profileWrites, kKeysPerPass);
}

TEST_F(StartUpTest, ExitWhileDialogWasNeverOpenedStillSaves) {
  installProgram();
  writeSettings(kSettings);
  ASSERT_TRUE(start());
  exitProgram();
  EXPECT_NE(settingsText().find("RAVLINK=IP\r\n"), std::string::npos) << settingsText();
  EXPECT_NE(settingsText().find("TYPE=&Download\r\n"), std::string::npos) << settingsText();
  EXPECT_NE(settingsText().find("ADDRESS=0x8c010000\r\n"), std::string::npos) << settingsText();
}

TEST_F(StartUpTest, RestartAfterExitShowsSameChoices) {
  installProgram();
  ASSERT_TRUE(start());
  mainControl("mnuRavlinkIP").click();
  mainControl("mnuConfigUpload").click();
  exitProgram();
  app.reset();
  app = std::make_unique<App>(services->interfaces(), toolkit);
  ASSERT_TRUE(start());
  EXPECT_TRUE(mainControl("mnuRavlinkIP").checked());
  EXPECT_TRUE(mainControl("mnuConfigUpload").checked());
  EXPECT_EQ(mainControl("cmdExecute").text(), "&Upload");
  EXPECT_EQ(mainControl("lblInformation").text(), "Upload through IP, 192.168.0.0");
}

}  // namespace
}  // namespace loadergui::testing
