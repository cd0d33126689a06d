// A file handed to the program from outside: its command line, the checks and the mode it lands
// in, --execute, and the message a second start hands to the running program.
#include "AppFixture.h"
#include "app/HandOffMessage.h"
#include "app/Handlers.h"
#include "app/ProgramArguments.h"

namespace loadergui::testing {
namespace {

const char* const kModeItems[] = {"mnuConfigUpload", "mnuConfigUlexecute", "mnuConfigDownload"};
const char kSeveralFiles[] = "Sorry, only one file can be handed to the program at a time.";
const char kNoSuchFile[] = "Sorry, that file does not exist!";
const char kFolder[] = "Sorry, a folder cannot be uploaded. Please drop a file.";
const char kNotPassable[] =
    "Sorry, the path of that file or folder holds characters that cannot be handed to the "
    "loader. Please rename it, or choose another.";
std::string UnknownOption(const std::string& option) {
  return "Sorry, the option \"" + option +
         "\" is not known. The program takes the name of one file, and --execute to upload and "
         "execute it at once.";
}

struct ReadCase {
  const char* name;
  std::vector<std::string> arguments;
  std::vector<std::string> files;
  bool execute;
  std::string unknownOption;
  std::string refusal;
};

const ReadCase kReadCases[] = {
    {"nothing", {}, {}, false, "", ""},
    {"one file", {"/b/a.elf"}, {"/b/a.elf"}, false, "", ""},
    {"--execute first", {"--execute", "/b/a.elf"}, {"/b/a.elf"}, true, "", ""},
    {"--execute last", {"/b/a.elf", "--execute"}, {"/b/a.elf"}, true, "", ""},
    {"--execute twice", {"--execute", "/b/a.elf", "--execute"}, {"/b/a.elf"}, true, "", ""},
    {"--execute alone", {"--execute"}, {}, true, "", ""},
    {"a name the platform cannot pass", {""}, {""}, false, "", ""},
    {"two files", {"/b/a.elf", "/b/c.elf"}, {"/b/a.elf", "/b/c.elf"}, false, "", kSeveralFiles},
    {"an unknown option",
     {"--bogus", "/b/a.elf"},
     {"/b/a.elf"},
     false,
     "--bogus",
     UnknownOption("--bogus")},
    {"the first unknown option is named, before several files",
     {"-x", "/b/a.elf", "/b/c.elf", "--later"},
     {"/b/a.elf", "/b/c.elf"},
     false,
     "-x",
     UnknownOption("-x")},
    {"a lone dash", {"-"}, {}, false, "-", UnknownOption("-")},
    {"the option's case counts", {"--EXECUTE"}, {}, false, "--EXECUTE", UnknownOption("--EXECUTE")},
};

TEST(ProgramArgumentsTest, OptionsAndFilesAreToldApartAndBadLinesRefused) {
  for (const auto& c : kReadCases) {
    SCOPED_TRACE(c.name);
    ProgramArguments read = ReadProgramArguments(c.arguments);
    EXPECT_EQ(read.files, c.files);
    EXPECT_EQ(read.execute, c.execute);
    EXPECT_EQ(read.unknownOption, c.unknownOption);
    EXPECT_EQ(ArgumentsRefusal(read), c.refusal);
  }
}

class HandOverTest : public AppFixture {
 protected:
  void SetUp() override {
    installProgram();
    writeFile("build/a.elf");
    writeFile("build/b.elf");
    std::filesystem::create_directories(folder / "games");
  }
  // Names of files and folders become absolute paths below the program's folder, as a front
  // end hands them over; options and the empty text stay as they are.
  std::vector<std::string> argumentsFor(const std::vector<std::string>& names) {
    std::vector<std::string> arguments;
    for (const std::string& name : names) {
      bool file = !name.empty() && name.front() != '-';
      arguments.push_back(file ? path(name) : name);
    }
    return arguments;
  }
  std::string path(const std::string& name) { return (folder / name).string(); }
  // Applies the arguments as the front end does, Execute included when asked for.
  bool handOver(const std::vector<std::string>& names) {
    bool press = ApplyProgramArguments(*app, ReadProgramArguments(argumentsFor(names)));
    if (press) frmMain::cmdExecute_Click(*app);
    return press;
  }
  std::string checkedMode() {
    std::string checked;
    for (const char* item : kModeItems) {
      if (mainControl(item).checked()) checked += item;
    }
    return checked;
  }
};

struct OpenCase {
  const char* name;
  // Menu items chosen before the hand-over, in order, after Upload and Execute.
  std::vector<const char*> modesBefore;
  std::vector<std::string> arguments;
  const char* refusal;  // empty when the file is taken
  const char* modeAfter;
  bool pressesExecute;
  const char* loaderAction;  // the action piece of the loader started, empty for none
};

const OpenCase kOpenCases[] = {
    {"a file fills the upload box", {}, {"build/a.elf"}, "", "mnuConfigUlexecute", false, ""},
    {"in Upload it stays Upload",
     {"mnuConfigUpload"},
     {"build/a.elf"},
     "",
     "mnuConfigUpload",
     false,
     ""},
    {"Download returns to Upload chosen before it",
     {"mnuConfigUpload", "mnuConfigDownload"},
     {"build/a.elf"},
     "",
     "mnuConfigUpload",
     false,
     ""},
    {"Download returns to the last upload mode chosen",
     {"mnuConfigUpload", "mnuConfigUlexecute", "mnuConfigDownload"},
     {"build/a.elf"},
     "",
     "mnuConfigUlexecute",
     false,
     ""},
    {"--execute uploads and executes the file",
     {},
     {"--execute", "build/a.elf"},
     "",
     "mnuConfigUlexecute",
     true,
     " -x \"{a}\""},
    {"--execute in Download uploads in the mode before it",
     {"mnuConfigUpload", "mnuConfigDownload"},
     {"build/a.elf", "--execute"},
     "",
     "mnuConfigUpload",
     true,
     " -u \"{a}\""},
    {"a folder is refused",
     {"mnuConfigDownload"},
     {"--execute", "games"},
     kFolder,
     "mnuConfigDownload",
     false,
     ""},
    {"a missing file is refused",
     {},
     {"--execute", "build/gone.elf"},
     kNoSuchFile,
     "mnuConfigUlexecute",
     false,
     ""},
    {"a name the code page cannot hold is refused",
     {"mnuConfigUpload"},
     {""},
     kNotPassable,
     "mnuConfigUpload",
     false,
     ""},
    {"two files are refused",
     {},
     {"--execute", "build/a.elf", "build/b.elf"},
     kSeveralFiles,
     "mnuConfigUlexecute",
     false,
     ""},
};

TEST_F(HandOverTest, TheFileLandsInTheUploadBoxOrIsRefusedWithTheWindowAsItWas) {
  ASSERT_TRUE(start());
  for (const auto& c : kOpenCases) {
    SCOPED_TRACE(c.name);
    mainControl("mnuConfigUlexecute").click();
    for (const char* item : c.modesBefore) mainControl(item).click();
    mainControl("txtUpload").setText("kept upload");
    mainControl("txtDownload").setText("kept download");
    services->messages.clear();
    services->processes.clear();
    bool refused = *c.refusal != '\0';

    EXPECT_EQ(handOver(c.arguments), c.pressesExecute);

    ASSERT_EQ(services->messages.size(), refused ? 1u : 0u);
    if (refused) {
      EXPECT_EQ(services->messages[0].text, c.refusal);
      EXPECT_EQ(services->messages[0].title, "Oops!");
      EXPECT_EQ(services->messages[0].owner, "frmMain");
    }
    EXPECT_EQ(mainControl("txtUpload").text(), refused ? "kept upload" : path("build/a.elf"));
    EXPECT_EQ(mainControl("txtDownload").text(), "kept download");
    EXPECT_EQ(checkedMode(), c.modeAfter);
    EXPECT_EQ(mainControl("txtUpload").visible(), std::string(c.modeAfter) != "mnuConfigDownload");
    std::string action = c.loaderAction;
    if (action.empty()) {
      EXPECT_TRUE(services->processes.empty());
    } else {
      action.replace(action.find("{a}"), 3, path("build/a.elf"));
      ASSERT_EQ(services->processes.size(), 1u);
      EXPECT_EQ(services->processes[0].commandLine,
                "tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x8c010000" + action);
    }
  }
}

TEST_F(HandOverTest, AnUnknownOptionRefusesTheWholeLine) {
  ASSERT_TRUE(start());
  mainControl("txtUpload").setText("kept");
  EXPECT_FALSE(handOver({"--execute", "--bogus", "build/a.elf"}));
  ASSERT_EQ(services->messages.size(), 1u);
  EXPECT_EQ(services->messages[0].text, UnknownOption("--bogus"));
  EXPECT_EQ(mainControl("txtUpload").text(), "kept");
  EXPECT_TRUE(services->processes.empty());
}

// Without a file, --execute presses Execute on what the window holds; the press refuses as any
// press would.
TEST_F(HandOverTest, ExecuteAloneIsAPressOfTheButton) {
  ASSERT_TRUE(start());
  EXPECT_TRUE(handOver({"--execute"}));
  ASSERT_EQ(services->messages.size(), 1u);
  EXPECT_EQ(services->messages[0].text, kNoSuchFile);
  EXPECT_TRUE(services->processes.empty());
}

TEST_F(HandOverTest, NoArgumentsChangeNothing) {
  ASSERT_TRUE(start());
  EXPECT_FALSE(handOver({}));
  EXPECT_TRUE(services->messages.empty());
  EXPECT_EQ(mainControl("txtUpload").text(), "Please select a file to upload...");
}

struct StoredModeCase {
  const char* storedType;
  const char* modeAfter;
};

// With Download in force since start-up no upload mode came before it: Upload and Execute.
const StoredModeCase kStoredModes[] = {
    {"&Download", "mnuConfigUlexecute"},
    {"&Upload", "mnuConfigUpload"},
    {"Upload and &Execute", "mnuConfigUlexecute"},
};

TEST_F(HandOverTest, TheModeStoredAtTheLastExitCountsAsTheOneBefore) {
  for (const auto& c : kStoredModes) {
    SCOPED_TRACE(c.storedType);
    app = std::make_unique<App>(services->interfaces(), toolkit);
    writeSettings(std::string("[SETTINGS]\r\nTYPE=") + c.storedType + "\r\n");
    ASSERT_TRUE(start());
    mainControl("mnuConfigDownload").click();
    EXPECT_TRUE(frmMain::Form_OpenFile(*app, path("build/a.elf")));
    EXPECT_EQ(checkedMode(), c.modeAfter);
    EXPECT_EQ(mainControl("txtUpload").text(), path("build/a.elf"));
  }
}

// Leaving Download for the mode before it is the same rule whoever asks for it.
TEST_F(HandOverTest, ReturnToUploadModeLeavesUploadModesAlone) {
  ASSERT_TRUE(start());
  for (const char* item : {"mnuConfigUpload", "mnuConfigUlexecute"}) {
    SCOPED_TRACE(item);
    mainControl(item).click();
    ReturnToUploadMode(*app);
    EXPECT_EQ(checkedMode(), item);
    mainControl("mnuConfigDownload").click();
    ReturnToUploadMode(*app);
    EXPECT_EQ(checkedMode(), item);
    EXPECT_EQ(mainControl("cmdBrowse").text(), "&Browse");
  }
}

struct MessageCase {
  const char* name;
  HandOffMessage message;
};

const MessageCase kMessages[] = {
    {"one file", {"C:\\GAMES\\RAVLINK", 12345, {"C:\\build\\a.elf"}}},
    {"execute and a file", {"/opt/ravlink", 0, {"--execute", "/home/me/a b.elf"}}},
    {"no arguments", {"/opt/ravlink", 4294967295u, {}}},
    {"an empty argument and 8-bit bytes", {"/opt", 7, {"", "/t\xe9st.elf", "-x"}}},
};

TEST(HandOffMessageTest, WhatIsSentIsWhatArrives) {
  for (const auto& c : kMessages) {
    SCOPED_TRACE(c.name);
    std::optional<HandOffMessage> decoded = DecodeHandOff(EncodeHandOff(c.message));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->folder, c.message.folder);
    EXPECT_EQ(decoded->sentAt, c.message.sentAt);
    EXPECT_EQ(decoded->arguments, c.message.arguments);
  }
}

// Each field ended by a NUL, the last one too unless said otherwise.
std::string Joined(const std::vector<std::string>& fields, bool endLast = true) {
  std::string bytes;
  for (const std::string& field : fields) bytes += field + '\0';
  if (!endLast && !bytes.empty()) bytes.pop_back();
  return bytes;
}

const char kTag[] = "ravlinkgui hand-off 1";

struct MalformedCase {
  const char* name;
  std::string bytes;
};

const MalformedCase kMalformed[] = {
    {"nothing", ""},
    {"another tag", Joined({"ravlinkgui hand-off 2", "/opt", "1"})},
    {"the last field not ended", Joined({kTag, "/opt", "1", "/a.elf"}, false)},
    {"no time", Joined({kTag, "/opt"})},
    {"no folder", Joined({kTag, "", "1"})},
    {"a time that is no number", Joined({kTag, "/opt", "-1"})},
    {"an empty time", Joined({kTag, "/opt", "", "/a.elf"})},
    {"a time past the tick count's range", Joined({kTag, "/opt", "4294967296"})},
    {"a time too long", Joined({kTag, "/opt", "000000000001"})},
};

TEST(HandOffMessageTest, AnythingElseIsNoHandOff) {
  ASSERT_TRUE(DecodeHandOff(Joined({kTag, "/opt", "1", "/a.elf"})));
  for (const auto& c : kMalformed) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(DecodeHandOff(c.bytes));
  }
  std::string tooLong = EncodeHandOff({"/opt", 1, {std::string(kHandOffMaxBytes, 'a')}});
  EXPECT_FALSE(DecodeHandOff(tooLong));
}

struct FreshCase {
  std::uint32_t sentAt;
  std::uint32_t now;
  bool fresh;
};

// Ticks wrap around after some 49 days; a message is judged by its age across the wrap too.
const FreshCase kFreshCases[] = {
    {100000, 100000, true},
    {100000, 100000 + kHandOffFreshMs, true},
    {100000, 100000 + kHandOffFreshMs + 1, false},
    {100000, 160000, false},
    {100001, 100000, false},  // sent after it arrived
    {4294967295u - 1000, 2000, true},
    {4294967295u - 1000, kHandOffFreshMs, false},
};

TEST(HandOffMessageTest, AMessageIsFreshOnlyWhileItsSenderWaits) {
  for (const auto& c : kFreshCases) {
    SCOPED_TRACE(std::to_string(c.sentAt) + " at " + std::to_string(c.now));
    EXPECT_EQ(IsFresh({"/opt", c.sentAt, {}}, c.now), c.fresh);
  }
  EXPECT_LT(kHandOffFreshMs, kHandOffAnswerMs);
}

}  // namespace
}  // namespace loadergui::testing
