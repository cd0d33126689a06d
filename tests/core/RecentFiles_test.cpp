// The recent upload files: the list's order, limit and duplicates, the File menu's entries, every
// way a file enters the list, and choosing an entry.
#include "app/RecentFiles.h"

#include <filesystem>
#include <string>
#include <vector>

#include "AppFixture.h"
#include "app/Handlers.h"
#include "app/ProgramArguments.h"

namespace loadergui::testing {
namespace {

namespace fs = std::filesystem;

const PathRules kWindows{platform::kWindowsFacts, "C:\\prog", {}};
const PathRules kLinux{platform::kLinuxFacts, "/home/u/dc", {}};

using List = std::vector<std::string>;

struct ListCase {
  const char* name;
  const PathRules& rules;
  List before;
  std::string added;
  List after;
};

const ListCase kListCases[] = {
    {"the first file", kWindows, {}, "C:\\a.elf", {"C:\\a.elf"}},
    {"the newest first", kWindows, {"C:\\a.elf"}, "C:\\b.elf", {"C:\\b.elf", "C:\\a.elf"}},
    {"a file again moves to the top",
     kWindows,
     {"C:\\a.elf", "C:\\b.elf", "C:\\c.elf"},
     "C:\\c.elf",
     {"C:\\c.elf", "C:\\a.elf", "C:\\b.elf"}},
    {"Windows: the same file written otherwise takes its new spelling",
     kWindows,
     {"C:\\a.elf", "C:\\Work\\B.elf"},
     "c:/work/b.ELF",
     {"c:/work/b.ELF", "C:\\a.elf"}},
    {"Linux: another case is another file",
     kLinux,
     {"/w/a.elf"},
     "/w/A.elf",
     {"/w/A.elf", "/w/a.elf"}},
    {"at most eight: the oldest falls off",
     kWindows,
     {"C:\\1", "C:\\2", "C:\\3", "C:\\4", "C:\\5", "C:\\6", "C:\\7", "C:\\8"},
     "C:\\9",
     {"C:\\9", "C:\\1", "C:\\2", "C:\\3", "C:\\4", "C:\\5", "C:\\6", "C:\\7"}},
    {"a full list with the file in it loses none",
     kWindows,
     {"C:\\1", "C:\\2", "C:\\3", "C:\\4", "C:\\5", "C:\\6", "C:\\7", "C:\\8"},
     "C:\\8",
     {"C:\\8", "C:\\1", "C:\\2", "C:\\3", "C:\\4", "C:\\5", "C:\\6", "C:\\7"}},
};

TEST(RecentFileListTest, NewestFirstNoDuplicatesAtMostEight) {
  for (const ListCase& c : kListCases) {
    SCOPED_TRACE(c.name);
    List list = c.before;
    PutFirst(list, c.added, c.rules);
    EXPECT_EQ(list, c.after);
  }
}

TEST(RecentFileListTest, TakeOutRemovesTheFileHoweverItIsWritten) {
  List list{"C:\\a.elf", "C:\\Work\\B.elf", "C:\\c.elf"};
  TakeOut(list, "c:/work/b.elf", kWindows);
  EXPECT_EQ(list, (List{"C:\\a.elf", "C:\\c.elf"}));
  TakeOut(list, "C:\\gone.elf", kWindows);
  EXPECT_EQ(list, (List{"C:\\a.elf", "C:\\c.elf"}));
}

struct CaptionCase {
  const char* name;
  const PathRules& rules;
  std::size_t index;
  std::string path;
  std::string caption;
};

const CaptionCase kCaptionCases[] = {
    {"number and path", kWindows, 0, "C:\\work\\demo.elf", "&1 C:\\work\\demo.elf"},
    {"the eighth", kWindows, 7, "C:\\work\\demo.elf", "&8 C:\\work\\demo.elf"},
    {"ampersands doubled", kWindows, 1, "C:\\R&D\\a&b.elf", "&2 C:\\R&&D\\a&&b.elf"},
    {"a tab would start a shortcut's text", kLinux, 0, "/w/a\tb.elf", "&1 /w/a?b.elf"},
    {"a long path loses the folders in its middle", kWindows, 2,
     "C:\\Users\\someone\\Documents\\projects\\dreamcast\\game\\build\\release\\demo.elf",
     "&3 C:\\...\\dreamcast\\game\\build\\release\\demo.elf"},
    {"Linux keeps its first folder", kLinux, 0,
     "/home/someone/projects/dreamcast/homebrew/game/build/demo.elf",
     "&1 /home/.../dreamcast/homebrew/game/build/demo.elf"},
    {"a share keeps its server", kWindows, 0,
     "\\\\fileserver\\dreamcast\\projects\\homebrew\\game\\build\\demo.elf",
     "&1 \\\\fileserver\\...\\homebrew\\game\\build\\demo.elf"},
    {"a long file name stays whole", kWindows, 0,
     "C:\\work\\a-file-name-much-longer-than-any-menu-wants-to-show.elf",
     "&1 C:\\...\\a-file-name-much-longer-than-any-menu-wants-to-show.elf"},
};

TEST(RecentFileListTest, MenuCaptionsNumberShortenAndEscape) {
  for (const CaptionCase& c : kCaptionCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(RecentFileCaption(c.index, c.path, c.rules), c.caption);
  }
}

// In a double-byte code page the path is cut only at a separator that is a character of its own.
TEST(RecentFileListTest, ShorteningNeverSplitsADoubleByteCharacter) {
  platform::LeadBytes lead;
  lead.set(0x95);
  PathRules japanese{platform::kWindowsFacts, "C:\\prog", lead};
  std::string folder = "\x95\x5c\x95\x5c\x95\x5c\x95\x5c\x95\x5c\x95\x5c\x95\x5c\x95\x5c";
  std::string path = "C:\\" + folder + "\\" + folder + "\\" + folder + "\\a.elf";
  EXPECT_EQ(RecentFileCaption(0, path, japanese),
            "&1 C:\\...\\" + folder + "\\" + folder + "\\a.elf");
}

// ---- The program's list ----

class RecentFilesTest : public AppFixture {
 protected:
  RecentFilesTest() { installProgram(); }

  std::string file(const std::string& name) {
    writeFile(name);
    return path(name);
  }
  std::string path(const std::string& name) const { return (folder / name).string(); }
  // The entries of the File menu that are shown, in order, with the bar before Exit.
  std::vector<std::string> fileMenu() {
    std::vector<std::string> shown;
    for (const char* name :
         {"mnuBIOS", "mnuFlash", "Bar3", "mnuRecent1", "mnuRecent2", "mnuRecent3", "mnuRecent4",
          "mnuRecent5", "mnuRecent6", "mnuRecent7", "mnuRecent8", "BarRecent", "mnuFileExit"}) {
      if (mainControl(name).visible()) shown.push_back(mainControl(name).text());
    }
    return shown;
  }
  void browse(const std::string& path) {
    services->dialogAnswers.push_back(path);
    mainControl("cmdBrowse").click();
  }
  void choose(const char* entry) { mainControl(entry).click(); }
  void execute() { mainControl("cmdExecute").click(); }
  std::string upload() { return mainControl("txtUpload").text(); }
};

TEST_F(RecentFilesTest, WithoutFilesTheFileMenuIsAsEver) {
  ASSERT_TRUE(start());
  EXPECT_EQ(fileMenu(),
            (std::vector<std::string>{"Download &BIOS", "Download &Flash", "-", "E&xit"}));
}

TEST_F(RecentFilesTest, EveryWayIntoTheUploadBoxHeadsTheList) {
  ASSERT_TRUE(start());
  browse(file("browsed.elf"));
  main().onDropFiles({file("dropped.elf")});
  ApplyProgramArguments(*app, ReadProgramArguments({file("handed.elf")}));
  file("typed.elf");
  mainControl("txtUpload").setText("typed.elf");  // a relative name, from the program's folder
  execute();
  EXPECT_EQ(fileMenu(),
            (std::vector<std::string>{"Download &BIOS", "Download &Flash", "-",
                                      "&1 " + folder.string() + "\\typed.elf",
                                      "&2 " + path("handed.elf"), "&3 " + path("dropped.elf"),
                                      "&4 " + path("browsed.elf"), "-", "E&xit"}));
}

TEST_F(RecentFilesTest, NothingEntersThatIsNoFileOrStaysOutOfTheUploadBox) {
  ASSERT_TRUE(start());
  browse(path("never-made.elf"));  // the open dialog takes a name that is not there
  EXPECT_EQ(upload(), path("never-made.elf"));
  execute();  // refused: no such file
  mainControl("mnuConfigDownload").click();
  main().onDropFiles({file("dump.bin")});  // into the download box
  browse(path("saved.bin"));
  mainControl("txtDownload").setText(path("saved.bin"));
  EXPECT_EQ(fileMenu().size(), 4u) << "the list is still empty";
}

TEST_F(RecentFilesTest, TheListHoldsTheEightNewestInOrder) {
  ASSERT_TRUE(start());
  for (int n = 1; n <= 10; ++n) browse(file("f" + std::to_string(n) + ".elf"));
  browse(path("f5.elf"));
  std::vector<std::string> expected{"Download &BIOS", "Download &Flash", "-"};
  int order[] = {5, 10, 9, 8, 7, 6, 4, 3};
  for (int i = 0; i < 8; ++i) {
    expected.push_back("&" + std::to_string(i + 1) + " " +
                       path("f" + std::to_string(order[i]) + ".elf"));
  }
  expected.insert(expected.end(), {"-", "E&xit"});
  EXPECT_EQ(fileMenu(), expected);
}

TEST_F(RecentFilesTest, ChoosingAnEntryFillsTheUploadBoxAndMovesItToTheTop) {
  ASSERT_TRUE(start());
  browse(file("a.elf"));
  browse(file("b.elf"));
  mainControl("txtUpload").setText("something typed");
  choose("mnuRecent2");
  EXPECT_EQ(upload(), path("a.elf"));
  EXPECT_EQ(mainControl("mnuRecent1").text(), "&1 " + path("a.elf"));
  EXPECT_EQ(mainControl("mnuRecent2").text(), "&2 " + path("b.elf"));
  EXPECT_TRUE(services->messages.empty());
}

struct ModeCase {
  const char* name;
  std::vector<const char*> modesChosen;
  const char* modeAfter;
};

const ModeCase kModeCases[] = {
    {"Upload stays Upload", {"mnuConfigUpload"}, "mnuConfigUpload"},
    {"Upload and Execute stays", {"mnuConfigUlexecute"}, "mnuConfigUlexecute"},
    {"Download returns to Upload", {"mnuConfigUpload", "mnuConfigDownload"}, "mnuConfigUpload"},
    {"Download since start-up goes to Upload and Execute",
     {"mnuConfigDownload"},
     "mnuConfigUlexecute"},
};

TEST_F(RecentFilesTest, AnEntryChosenInDownloadLeavesItForTheUploadModeBefore) {
  ASSERT_TRUE(start());
  browse(file("a.elf"));
  for (const ModeCase& c : kModeCases) {
    SCOPED_TRACE(c.name);
    mainControl("mnuConfigUlexecute").click();
    app->lastUploadMode() = TransferMode::UploadExecute;
    for (const char* mode : c.modesChosen) mainControl(mode).click();
    mainControl("txtUpload").setText("before");
    choose("mnuRecent1");
    EXPECT_TRUE(mainControl(c.modeAfter).checked());
    EXPECT_TRUE(mainControl("txtUpload").visible());
    EXPECT_FALSE(mainControl("txtDownload").visible());
    EXPECT_EQ(upload(), path("a.elf"));
  }
}

TEST_F(RecentFilesTest, AGoneEntryIsRefusedAndLeavesTheList) {
  ASSERT_TRUE(start());
  browse(file("a.elf"));
  browse(file("gone.elf"));
  browse(file("b.elf"));
  fs::remove(path("gone.elf"));
  mainControl("mnuConfigDownload").click();
  mainControl("txtUpload").setText("kept text");
  choose("mnuRecent2");
  ASSERT_EQ(services->messages.size(), 1u);
  EXPECT_EQ(services->messages[0].text, "Sorry, that file does not exist!");
  EXPECT_EQ(services->messages[0].title, "Oops!");
  EXPECT_EQ(services->messages[0].owner, "frmMain");
  EXPECT_EQ(upload(), "kept text");
  EXPECT_TRUE(mainControl("mnuConfigDownload").checked()) << "a refusal changes no mode";
  EXPECT_EQ(fileMenu(),
            (std::vector<std::string>{"Download &BIOS", "Download &Flash", "-",
                                      "&1 " + path("b.elf"), "&2 " + path("a.elf"), "-", "E&xit"}));
}

TEST_F(RecentFilesTest, AnEntryThatBecameAFolderLeavesTheListToo) {
  ASSERT_TRUE(start());
  browse(file("a.elf"));
  fs::remove(path("a.elf"));
  fs::create_directory(path("a.elf"));
  choose("mnuRecent1");
  ASSERT_EQ(services->messages.size(), 1u);
  EXPECT_EQ(services->messages[0].text, "Sorry, a folder cannot be uploaded. Please drop a file.");
  EXPECT_EQ(fileMenu().size(), 4u);
}

}  // namespace
}  // namespace loadergui::testing
