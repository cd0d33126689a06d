// A loader started before that still runs: the question before Execute or a dump starts the same
// loader again, its three answers, and what the program keeps of the loaders it started.
#include "AppFixture.h"
#include "app/Handlers.h"

namespace loadergui::testing {
namespace {

using platform::Answer;

constexpr const char* kSerialQuestion =
    "The serial loader started before is still running and may hold COM1. End it and start the "
    "new one?";
constexpr const char* kIpQuestion =
    "The IP loader started before is still running and may hold the console's connection. End "
    "it and start the new one?";

class RunningLoaderTest : public AppFixture {
 protected:
  void SetUp() override {
    installProgram();
    ASSERT_TRUE(start());
    writeFile("demo.elf");
    mainControl("txtUpload").setText((folder / "demo.elf").string());
    services->loadersKeepRunning = true;
  }
  void execute() { mainControl("cmdExecute").click(); }
  void chooseIp() { mainControl("mnuRavlinkIP").click(); }
  // The tools started so far, by their program.
  std::vector<std::string> programs() const {
    std::vector<std::string> names;
    for (const auto& process : services->processes) names.push_back(process.arguments.front());
    return names;
  }
  null::ProcessLife& life(std::size_t index) { return *services->processes.at(index).life; }
  std::size_t questions() const { return services->questions.size(); }
};

TEST_F(RunningLoaderTest, TheSameSerialLoaderOnTheSameDeviceIsAskedAbout) {
  execute();
  EXPECT_EQ(questions(), 0u);
  services->answer = Answer::No;
  execute();
  ASSERT_EQ(questions(), 1u);
  EXPECT_EQ(services->questions[0].text, kSerialQuestion);
  EXPECT_EQ(services->questions[0].title, "Ravlink Serial GUI 2.0");
  EXPECT_EQ(services->questions[0].owner, "frmMain");
  EXPECT_TRUE(services->messages.empty());
}

TEST_F(RunningLoaderTest, TheIpLoaderIsAskedAboutWhateverItsAddress) {
  chooseIp();
  execute();
  optionControl("cmbIP").setText("10.0.0.7");
  services->answer = Answer::No;
  execute();
  ASSERT_EQ(questions(), 1u);
  EXPECT_EQ(services->questions[0].text, kIpQuestion);
  EXPECT_EQ(services->questions[0].title, main().caption().text());
  EXPECT_EQ(main().caption().text(), "Ravlink IP GUI 2.0");
}

// What was started first, what is pressed second: only the same loader on the same device asks.
struct PairCase {
  const char* name;
  bool firstIp;
  const char* firstDevice;
  bool secondIp;
  const char* secondDevice;
  bool asks;
};

const PairCase kPairs[] = {
    {"same serial device", false, "COM1", false, "COM1", true},
    {"serial device as typed with blanks", false, "COM3", false, " COM3 ", true},
    {"serial device named in other case", false, "COM2", false, "com2", true},
    {"another serial device", false, "COM1", false, "COM2", false},
    {"serial, then IP", false, "COM1", true, "COM1", false},
    {"IP, then serial", true, "COM1", false, "COM1", false},
    {"IP, then IP", true, "COM1", true, "COM2", true},
};

TEST_F(RunningLoaderTest, OnlyTheSameLoaderOnTheSameDeviceAsks) {
  services->answer = Answer::No;
  for (const PairCase& c : kPairs) {
    SCOPED_TRACE(c.name);
    for (auto& process : services->processes) process.life->running = false;
    services->questions.clear();
    mainControl(c.firstIp ? "mnuRavlinkIP" : "mnuRavlinkSerial").click();
    optionControl("cmbCOMPort").setText(c.firstDevice);
    execute();
    mainControl(c.secondIp ? "mnuRavlinkIP" : "mnuRavlinkSerial").click();
    optionControl("cmbCOMPort").setText(c.secondDevice);
    execute();
    EXPECT_EQ(questions(), c.asks ? 1u : 0u);
  }
}

TEST_F(RunningLoaderTest, OnLinuxDevicesDifferingInCaseAreTwoDevices) {
  app.reset();
  services =
      std::make_unique<null::NullServices>(folder.string(), "ravlinkgui", platform::kLinuxFacts);
  app = std::make_unique<App>(services->interfaces(), toolkit);
  for (const char* file : {"ravlinkgui", "tools/ravlink-serial", "tools/ravlink-ip", "tools/arp"}) {
    writeFile(file);
  }
  ASSERT_TRUE(start());
  mainControl("txtUpload").setText((folder / "demo.elf").string());
  services->loadersKeepRunning = true;
  services->answer = Answer::No;
  optionControl("cmbCOMPort").setText("/dev/ttyUSB0");
  execute();
  optionControl("cmbCOMPort").setText("/dev/ttyusb0");
  execute();
  EXPECT_EQ(questions(), 0u);
  optionControl("cmbCOMPort").setText("/dev/ttyUSB0");
  execute();
  ASSERT_EQ(questions(), 1u);
  EXPECT_EQ(services->questions[0].text,
            "The serial loader started before is still running and may hold /dev/ttyUSB0. End "
            "it and start the new one?");
}

TEST_F(RunningLoaderTest, ALoaderThatHasEndedIsNotAskedAbout) {
  execute();
  life(0).running = false;
  execute();
  EXPECT_EQ(questions(), 0u);
  EXPECT_EQ(programs().size(), 2u);
}

TEST_F(RunningLoaderTest, TheTipShowsThePressWithoutAsking) {
  execute();
  std::string tip = frmMain::cmdExecute_Tip(*app);
  EXPECT_EQ(tip.find("tools\\ravlink-serial.exe -t COM1"), 0u) << tip;
  EXPECT_EQ(questions(), 0u);
  EXPECT_EQ(programs().size(), 1u);
}

// Each answer to the question, for the serial loader and for the IP loader with its ARP step.
struct AnswerCase {
  Answer answer;
  bool ip;
  bool firstEnded;
  std::vector<std::string> startedSecond;  // the tools the second press starts, in order
};

const AnswerCase kAnswers[] = {
    {Answer::Yes, false, true, {"tools\\ravlink-serial.exe"}},
    {Answer::No, false, false, {"tools\\ravlink-serial.exe"}},
    {Answer::Cancel, false, false, {}},
    {Answer::Yes, true, true, {"tools\\arp.exe", "tools\\ravlink-ip.exe"}},
    {Answer::No, true, false, {"tools\\arp.exe", "tools\\ravlink-ip.exe"}},
    {Answer::Cancel, true, false, {}},
};

TEST_F(RunningLoaderTest, EachAnswerEndsStartsOrLeavesAlone) {
  for (const AnswerCase& c : kAnswers) {
    SCOPED_TRACE(std::string(c.ip ? "IP, " : "serial, ") + "answer " +
                 std::to_string(static_cast<int>(c.answer)));
    for (auto& process : services->processes) process.life->running = false;
    services->processes.clear();
    mainControl(c.ip ? "mnuRavlinkIP" : "mnuRavlinkSerial").click();
    optionStub("cbARP").setValue(c.ip ? 1 : 0);
    execute();
    std::size_t firstPress = services->processes.size();
    // The question comes before the second press has started anything, the ARP step included.
    std::size_t startedWhenAsked = 0;
    services->onQuestion = [&](const null::ShownMessage&) {
      startedWhenAsked = services->processes.size();
    };
    services->answer = c.answer;
    execute();
    services->onQuestion = nullptr;
    EXPECT_EQ(startedWhenAsked, firstPress);
    null::ProcessLife& first = life(firstPress - 1);
    EXPECT_EQ(first.running, !c.firstEnded);
    EXPECT_EQ(first.endRequests, c.firstEnded ? 1 : 0);
    std::vector<std::string> all = programs();
    EXPECT_EQ(std::vector<std::string>(all.begin() + firstPress, all.end()), c.startedSecond);
    EXPECT_TRUE(services->messages.empty());
  }
}

TEST_F(RunningLoaderTest, YesEndsEveryLoaderStartedAlongside) {
  services->answer = Answer::No;
  execute();
  execute();
  execute();
  ASSERT_EQ(programs().size(), 3u);
  services->answer = Answer::Yes;
  execute();
  ASSERT_EQ(programs().size(), 4u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_FALSE(life(i).running) << i;
    EXPECT_EQ(life(i).endRequests, 1) << i;
  }
  EXPECT_TRUE(life(3).running);
}

TEST_F(RunningLoaderTest, ALoaderThatWillNotEndKeepsTheNewOneFromStarting) {
  chooseIp();
  optionStub("cbARP").setValue(1);
  execute();
  ASSERT_EQ(programs().size(), 2u);
  life(1).endable = false;
  services->answer = Answer::Yes;
  execute();
  EXPECT_EQ(programs().size(), 2u);  // neither the ARP step nor a loader
  EXPECT_EQ(life(1).endRequests, 1);
  ASSERT_EQ(services->messages.size(), 1u);
  EXPECT_EQ(services->messages[0].text,
            "Sorry, the IP loader started before could not be ended, so the new one was not "
            "started.");
  EXPECT_EQ(services->messages[0].title, "Oops!");
}

TEST_F(RunningLoaderTest, TheQuestionComesAfterEveryRefusal) {
  execute();
  services->answer = Answer::No;
  mainControl("txtUpload").setText((folder / "missing.elf").string());
  execute();
  ASSERT_EQ(services->messages.size(), 1u);
  EXPECT_EQ(services->messages[0].text, "Sorry, that file does not exist!");
  services->messages.clear();
  mainControl("txtUpload").setText((folder / "demo.elf").string());
  std::filesystem::remove(folder / "tools/ravlink-serial.exe");
  execute();
  ASSERT_EQ(services->messages.size(), 1u);
  EXPECT_EQ(services->messages[0].text.find("Sorry, tools\\ravlink-serial.exe could not be"), 0u);
  EXPECT_EQ(questions(), 0u);
}

// The dumps ask once the target file is chosen, as the dump is about to start.
struct DumpAnswerCase {
  const char* menuItem;
  Answer answer;
  std::size_t loaders;  // loaders started in all
  bool firstEnded;
};

const DumpAnswerCase kDumpAnswers[] = {
    {"mnuBIOS", Answer::Yes, 2, true},
    {"mnuFlash", Answer::No, 2, false},
    {"mnuBIOS", Answer::Cancel, 1, false},
};

TEST_F(RunningLoaderTest, DumpsAskToo) {
  for (const DumpAnswerCase& c : kDumpAnswers) {
    SCOPED_TRACE(c.menuItem);
    for (auto& process : services->processes) process.life->running = false;
    services->processes.clear();
    services->questions.clear();
    services->dialogs.clear();
    execute();
    services->dialogAnswers = {"C:\\dumps\\memory.bin"};
    services->answer = c.answer;
    std::size_t dialogsWhenAsked = 0;
    services->onQuestion = [&](const null::ShownMessage&) {
      dialogsWhenAsked = services->dialogs.size();
    };
    mainControl(c.menuItem).click();
    services->onQuestion = nullptr;
    ASSERT_EQ(questions(), 1u);
    EXPECT_EQ(services->questions[0].text, kSerialQuestion);
    EXPECT_EQ(dialogsWhenAsked, 1u);
    EXPECT_EQ(programs().size(), c.loaders);
    EXPECT_EQ(life(0).running, !c.firstEnded);
  }
}

TEST_F(RunningLoaderTest, ACancelledSaveDialogAsksNothing) {
  execute();
  mainControl("mnuBIOS").click();
  EXPECT_EQ(questions(), 0u);
  EXPECT_EQ(programs().size(), 1u);
}

TEST_F(RunningLoaderTest, ThePlatformIsToldHowToFindEachLoaderAgain) {
  optionControl("cmbCOMPort").setText("COM4 ");
  execute();
  chooseIp();
  execute();
  ASSERT_EQ(services->processes.size(), 2u);
  EXPECT_EQ(services->processes[0].match.option, "-t");
  EXPECT_EQ(services->processes[0].match.value, "COM4");
  EXPECT_EQ(services->processes[1].match.option, "");
  EXPECT_EQ(services->processes[1].match.value, "");
}

TEST_F(RunningLoaderTest, OnlyLoadersThatRunAreKept) {
  services->loadersKeepRunning = false;
  for (int press = 0; press < 50; ++press) execute();
  EXPECT_EQ(programs().size(), 50u);
  EXPECT_EQ(app->runningLoaders().remembered(), 1u);
  services->loadersKeepRunning = true;
  services->answer = Answer::No;
  execute();
  execute();
  EXPECT_EQ(app->runningLoaders().remembered(), 2u);
}

TEST_F(RunningLoaderTest, ALoaderThatDidNotStartIsNotKept) {
  services->loaderStartsFail = true;
  execute();
  ASSERT_EQ(services->messages.size(), 1u);
  services->loaderStartsFail = false;
  execute();
  EXPECT_EQ(questions(), 0u);
  EXPECT_EQ(app->runningLoaders().remembered(), 1u);
}

}  // namespace
}  // namespace loadergui::testing
