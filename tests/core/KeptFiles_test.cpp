// The kept files across a restart: the upload file and download target in force at exit, the
// recent files, the folder they are kept relative to, and the section that holds them, read and
// written by the Windows and the Linux program alike.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "AppFixture.h"
#include "settings/Ini.h"

namespace loadergui::testing {
namespace {

namespace fs = std::filesystem;

const char kUploadPrompt[] = "Please select a file to upload...";
const char kDownloadPrompt[] = "Please select a file to download to...";

class KeptFilesTest : public AppFixture {
 protected:
  KeptFilesTest() {
    installProgram();
    std::string pattern = (fs::temp_directory_path() / "loadergui-elsewhere-XXXXXX").string();
    elsewhere = mkdtemp(pattern.data());
  }
  ~KeptFilesTest() override {
    std::error_code ignored;
    fs::remove_all(elsewhere, ignored);
  }

  // A new run of the program over the folder (another one, once it has moved), as the platform
  // given; the old run is gone.
  void restart(const platform::PlatformFacts& facts = platform::kWindowsFacts) {
    app.reset();
    services = std::make_unique<null::NullServices>(folder.string(), "ravlinkgui", facts);
    app = std::make_unique<App>(services->interfaces(), toolkit);
    ASSERT_TRUE(start());
  }
  std::string file(const std::string& name) {
    writeFile(name);
    return (folder / name).string();
  }
  std::string outside(const std::string& name) {
    fs::path path = elsewhere / name;
    fs::create_directories(path.parent_path());
    std::ofstream(path) << "x";
    return path.string();
  }
  void browse(const std::string& path) {
    services->dialogAnswers.push_back(path);
    mainControl("cmdBrowse").click();
  }
  // The value of a key of [FILES] as the file holds it, read with the profile rules.
  std::string kept(const std::string& key) {
    auto file = services->open((folder / "tools/settings.ini").string());
    return ReadWholeSetting(*file, "FILES", key);
  }
  std::string upload() { return mainControl("txtUpload").text(); }
  std::string download() { return mainControl("txtDownload").text(); }
  std::vector<std::string> recentCaptions() {
    std::vector<std::string> captions;
    for (int n = 1; n <= 8; ++n) {
      ui::Control& entry = mainControl(("mnuRecent" + std::to_string(n)).c_str());
      if (entry.visible()) captions.push_back(entry.text());
    }
    return captions;
  }

  fs::path elsewhere;
};

TEST_F(KeptFilesTest, TheUploadFileInForceAtExitIsReadyAtTheNextStart) {
  ASSERT_TRUE(start());
  browse(file("files/demo.elf"));
  exitProgram();
  EXPECT_EQ(kept("UPLOAD"), "files/demo.elf");
  restart();
  EXPECT_EQ(upload(), folder.string() + "\\files\\demo.elf");
  EXPECT_TRUE(mainControl("txtUpload").visible());
}

TEST_F(KeptFilesTest, AKeptUploadFileThatIsGoneLeavesThePrompt) {
  ASSERT_TRUE(start());
  browse(file("demo.elf"));
  exitProgram();
  fs::remove(folder / "demo.elf");
  restart();
  EXPECT_EQ(upload(), kUploadPrompt);
}

TEST_F(KeptFilesTest, AKeptUploadNameThatIsNowAFolderLeavesThePrompt) {
  writeSettings("[FILES]\r\nUPLOAD=games\r\n");
  fs::create_directory(folder / "games");
  ASSERT_TRUE(start());
  EXPECT_EQ(upload(), kUploadPrompt);
}

TEST_F(KeptFilesTest, FilesOutsideTheProgramsFolderAreKeptAsTheyAre) {
  ASSERT_TRUE(start());
  std::string path = outside("build/demo.elf");
  browse(path);
  exitProgram();
  EXPECT_EQ(kept("UPLOAD"), path);
  EXPECT_EQ(kept("RECENT1"), path);
  restart();
  EXPECT_EQ(upload(), path);
}

TEST_F(KeptFilesTest, TheDownloadTargetNeedNotExistButItsFolderMust) {
  ASSERT_TRUE(start());
  mainControl("mnuConfigDownload").click();
  fs::create_directory(folder / "dumps");
  browse((folder / "dumps/out.bin").string());
  exitProgram();
  EXPECT_EQ(kept("DOWNLOAD"), "dumps/out.bin");
  restart();
  EXPECT_EQ(download(), folder.string() + "\\dumps\\out.bin");
  EXPECT_TRUE(mainControl("txtDownload").visible());
  exitProgram();
  fs::remove_all(folder / "dumps");
  restart();
  EXPECT_EQ(download(), kDownloadPrompt);
}

TEST_F(KeptFilesTest, ThePromptsAndAnEmptyBoxAreNeverKept) {
  ASSERT_TRUE(start());
  mainControl("txtDownload").setText("");
  exitProgram();
  EXPECT_EQ(kept("UPLOAD"), "");
  EXPECT_EQ(kept("DOWNLOAD"), "");
  restart();
  EXPECT_EQ(upload(), kUploadPrompt);
  EXPECT_EQ(download(), kDownloadPrompt);
}

TEST_F(KeptFilesTest, TheRecentFilesComeBackInTheirOrder) {
  ASSERT_TRUE(start());
  for (int n = 1; n <= 9; ++n) browse(file("f" + std::to_string(n) + ".elf"));
  browse(outside("x.elf"));
  exitProgram();
  EXPECT_EQ(kept("RECENT1"), (elsewhere / "x.elf").string());
  EXPECT_EQ(kept("RECENT2"), "f9.elf");
  EXPECT_EQ(kept("RECENT8"), "f3.elf");
  fs::remove(folder / "f5.elf");  // a gone file stays listed until it is chosen
  restart();
  std::vector<std::string> expected{"&1 " + (elsewhere / "x.elf").string()};
  for (int n = 9; n >= 3; --n) {
    expected.push_back("&" + std::to_string(11 - n) + " " + folder.string() + "\\f" +
                       std::to_string(n) + ".elf");
  }
  EXPECT_EQ(recentCaptions(), expected);
  EXPECT_TRUE(mainControl("BarRecent").visible());
}

TEST_F(KeptFilesTest, AHandWrittenListLosesItsGapsAndDuplicates) {
  std::string path = outside("a.elf");
  writeSettings("[files]\r\nrecent1=\r\nRECENT2=b.elf\r\nRECENT3=" + path +
                "\r\nRECENT4=B.ELF\r\nRECENT5=\"c.elf\"\r\nRECENT9=d.elf\r\n");
  ASSERT_TRUE(start());
  EXPECT_EQ(recentCaptions(),
            (std::vector<std::string>{"&1 " + folder.string() + "\\b.elf", "&2 " + path,
                                      "&3 " + folder.string() + "\\c.elf"}));
  exitProgram();
  EXPECT_EQ(kept("RECENT1"), "b.elf");
  EXPECT_EQ(kept("RECENT4"), "");
}

TEST_F(KeptFilesTest, TheProgramsFolderMayMove) {
  ASSERT_TRUE(start());
  browse(file("files/a.elf"));
  browse(file("files/b.elf"));
  mainControl("mnuConfigDownload").click();
  browse((folder / "files/dump.bin").string());
  exitProgram();
  fs::path moved = elsewhere / "moved";
  fs::rename(folder, moved);
  folder = moved;
  restart();
  EXPECT_EQ(upload(), moved.string() + "\\files\\b.elf");
  EXPECT_EQ(download(), moved.string() + "\\files\\dump.bin");
  EXPECT_EQ(recentCaptions(),
            (std::vector<std::string>{"&1 " + moved.string() + "\\files\\b.elf",
                                      "&2 " + moved.string() + "\\files\\a.elf"}));
  mainControl("mnuRecent2").click();
  EXPECT_TRUE(services->messages.empty());
  EXPECT_EQ(upload(), moved.string() + "\\files\\a.elf");
}

// One settings file beside both programs (a stick used on both systems): what either keeps
// below the folder, the other finds.
TEST_F(KeptFilesTest, AWindowsWrittenFileServesTheLinuxProgramAndBack) {
  for (const char* file : {"ravlinkgui", "tools/ravlink-serial", "tools/ravlink-ip"}) {
    writeFile(file);
  }
  ASSERT_TRUE(start());
  browse(file("files/a.elf"));
  browse(file("files/b.elf"));
  exitProgram();

  restart(platform::kLinuxFacts);
  EXPECT_EQ(upload(), folder.string() + "/files/b.elf");
  EXPECT_EQ(recentCaptions(), (std::vector<std::string>{"&1 " + folder.string() + "/files/b.elf",
                                                        "&2 " + folder.string() + "/files/a.elf"}));
  mainControl("mnuRecent2").click();
  EXPECT_TRUE(services->messages.empty());
  exitProgram();
  EXPECT_EQ(kept("UPLOAD"), "files/a.elf");
  EXPECT_EQ(kept("RECENT1"), "files/a.elf");

  restart(platform::kWindowsFacts);
  EXPECT_EQ(upload(), folder.string() + "\\files\\a.elf");
  EXPECT_EQ(recentCaptions(),
            (std::vector<std::string>{"&1 " + folder.string() + "\\files\\a.elf",
                                      "&2 " + folder.string() + "\\files\\b.elf"}));
}

// Each program leaves the other's absolute paths alone: they name no file here, but they are
// not lost for the other.
TEST_F(KeptFilesTest, TheOtherPlatformsAbsolutePathsStayListed) {
  writeSettings(
      "[FILES]\r\nUPLOAD=C:\\work\\demo.elf\r\nRECENT1=C:\\work\\demo.elf\r\n"
      "RECENT2=\\\\nas\\dc\\a.elf\r\n");
  for (const char* file : {"ravlinkgui", "tools/ravlink-serial", "tools/ravlink-ip"}) {
    writeFile(file);
  }
  restart(platform::kLinuxFacts);
  EXPECT_EQ(upload(), kUploadPrompt);
  EXPECT_EQ(recentCaptions(),
            (std::vector<std::string>{"&1 C:\\work\\demo.elf", "&2 \\\\nas\\dc\\a.elf"}));
  exitProgram();
  EXPECT_EQ(kept("RECENT1"), "C:\\work\\demo.elf");
  EXPECT_EQ(kept("RECENT2"), "\\\\nas\\dc\\a.elf");
}

// A program that knows only the sixteen keys writes them over the file; the section stays.
TEST_F(KeptFilesTest, AProgramThatKnowsOnlySixteenKeysLeavesTheSectionAlone) {
  ASSERT_TRUE(start());
  browse(file("demo.elf"));
  exitProgram();
  {
    auto older = services->open((folder / "tools/settings.ini").string());
    WriteSetting(*older, "SETTINGS", "TYPE", "&Upload");
    WriteSetting(*older, "SETTINGS", "RAVLINK", "IP");
    WriteSetting(*older, "OPTIONS", "ADDRESS", "0x8c020000");
    ASSERT_EQ(older->save(), "");
  }
  restart();
  EXPECT_EQ(mainControl("cmdExecute").text(), "&Upload");
  EXPECT_EQ(upload(), folder.string() + "\\demo.elf");
  EXPECT_EQ(recentCaptions(), (std::vector<std::string>{"&1 " + folder.string() + "\\demo.elf"}));
}

// The blanks and quotes that the profile read takes off a value come back as they were.
TEST_F(KeptFilesTest, BlanksAndQuotesAtAPathsEdgesSurvive) {
  for (const char* file : {"ravlinkgui", "tools/ravlink-serial", "tools/ravlink-ip"}) {
    writeFile(file);
  }
  restart(platform::kLinuxFacts);
  std::string blanks = file(" demo.elf ");
  std::string quoted = file("'demo'");
  main().onDropFiles({blanks});  // a dialog's answer loses its blanks; a drop keeps them
  main().onDropFiles({quoted});
  mainControl("txtUpload").setText(blanks);
  exitProgram();
  EXPECT_NE(settingsText().find("UPLOAD=\" demo.elf \"\r\n"), std::string::npos);
  EXPECT_NE(settingsText().find("RECENT1=\"'demo'\"\r\n"), std::string::npos);
  restart(platform::kLinuxFacts);
  EXPECT_EQ(upload(), blanks);
  EXPECT_EQ(recentCaptions(), (std::vector<std::string>{"&1 " + quoted, "&2 " + blanks}));
}

// A path cut at the end of the read's buffer would name another file: it is no path at all.
TEST_F(KeptFilesTest, AnOverlongKeptValueIsDroppedNotCut) {
  std::string longName(40000, 'a');
  writeSettings("[FILES]\r\nRECENT1=" + longName + "\r\nRECENT2=b.elf\r\n");
  ASSERT_TRUE(start());
  EXPECT_EQ(recentCaptions(), (std::vector<std::string>{"&1 " + folder.string() + "\\b.elf"}));
}

// Kept as read, written back the same: a run that changed nothing leaves even a read-only file
// alone without a word.
TEST_F(KeptFilesTest, ARunThatChangesNothingWritesTheSameFile) {
  ASSERT_TRUE(start());
  browse(outside("a.elf"));
  browse(file("b.elf"));
  mainControl("mnuConfigDownload").click();
  browse((folder / "out.bin").string());
  exitProgram();
  std::string first = settingsText();
  restart();
  services->markReadOnly((folder / "tools/settings.ini").string());
  exitProgram();
  EXPECT_TRUE(services->messages.empty());
  EXPECT_EQ(settingsText(), first);
}

}  // namespace
}  // namespace loadergui::testing
