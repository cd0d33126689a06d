// A press whose loader cannot be started starts nothing: the platform is asked first, so that the
// ARP step does not block the window for a transfer that cannot follow, and the tip and the
// dumps say so before anything else.
#include "AppFixture.h"

namespace loadergui::testing {
namespace {

class StartCheckTest : public AppFixture {
 protected:
  void SetUp() override {
    installProgram();
    ASSERT_TRUE(start());
    writeFile("demo.elf");
    mainControl("mnuRavlinkIP").click();
    mainControl("txtUpload").setText("demo.elf");
    optionStub("cbARP").setValue(1);
  }
  std::string tip() { return mainControl("cmdExecute").tipText(); }
};

struct CannotStartCase {
  const char* name;
  bool loaderGone;
  const char* reason;  // what the platform says
  const char* message;
};

const CannotStartCase kCannotStart[] = {
    {"NoTerminalToShowItIn", false, "No terminal program was found.",
     "Sorry, tools\\ravlink-ip.exe could not be started!\r\nNo terminal program was found."},
    {"LoaderGoneWithoutAReason", true, "", "Sorry, tools\\ravlink-ip.exe could not be started!"},
};

class CannotStartTest : public StartCheckTest,
                        public ::testing::WithParamInterface<CannotStartCase> {};

TEST_P(CannotStartTest, NothingStartsNotEvenTheArpStep) {
  const CannotStartCase& c = GetParam();
  if (c.loaderGone) std::filesystem::remove(folder / "tools/ravlink-ip.exe");
  services->refusesTools = !c.loaderGone;
  services->failureReason = c.reason;
  EXPECT_EQ(tip(), c.message);
  mainControl("cmdExecute").click();
  EXPECT_TRUE(services->processes.empty());
  ASSERT_EQ(services->messages.size(), 1u);
  EXPECT_EQ(services->messages[0].text, c.message);
  EXPECT_EQ(services->messages[0].title, "Oops!");
}

// The dumps ask before the save dialog: no file is chosen for a loader that cannot run.
TEST_P(CannotStartTest, TheDumpsSaySoBeforeTheSaveDialog) {
  const CannotStartCase& c = GetParam();
  if (c.loaderGone) std::filesystem::remove(folder / "tools/ravlink-ip.exe");
  services->refusesTools = !c.loaderGone;
  services->failureReason = c.reason;
  for (const char* dump : {"mnuBIOS", "mnuFlash"}) {
    SCOPED_TRACE(dump);
    services->messages.clear();
    services->dialogAnswers.push_back("C:\\dump.bin");
    mainControl(dump).click();
    EXPECT_TRUE(services->dialogs.empty());
    EXPECT_TRUE(services->processes.empty());
    ASSERT_EQ(services->messages.size(), 1u);
    EXPECT_EQ(services->messages[0].text, c.message);
    services->dialogAnswers.clear();
  }
}

INSTANTIATE_TEST_SUITE_P(Table, CannotStartTest, ::testing::ValuesIn(kCannotStart),
                         [](const auto& info) { return std::string(info.param.name); });

// A refused input says what the user can mend first; whether the loader can start comes after.
TEST_F(StartCheckTest, ARefusedInputIsReportedBeforeTheLoaderThatCannotStart) {
  services->refusesTools = true;
  mainControl("txtUpload").setText("nothere.elf");
  mainControl("cmdExecute").click();
  ASSERT_EQ(services->messages.size(), 1u);
  EXPECT_EQ(services->messages[0].text, "Sorry, that file does not exist!");
}

// A start that the system still turns down, after saying it could start the loader, is
// reported as ever, once the ARP step has run.
TEST_F(StartCheckTest, AStartThatStillFailsIsReportedAfterTheArpStep) {
  services->loaderStartsFail = true;
  services->failureReason = "Not enough memory.";
  EXPECT_EQ(tip(),
            "tools\\arp.exe -s 192.168.0.0 Set MAC address\r\n"
            "tools\\ravlink-ip.exe -t 192.168.0.0 -a 0x8c010000 -x \"demo.elf\"");
  mainControl("cmdExecute").click();
  ASSERT_EQ(services->processes.size(), 1u);
  EXPECT_TRUE(services->processes[0].waited);
  ASSERT_EQ(services->messages.size(), 1u);
  EXPECT_EQ(services->messages[0].text,
            "Sorry, tools\\ravlink-ip.exe could not be started!\r\nNot enough memory.");

  services->messages.clear();
  services->dialogAnswers.push_back("C:\\dump.bin");
  mainControl("mnuBIOS").click();
  EXPECT_EQ(services->dialogs.size(), 1u);
  ASSERT_EQ(services->messages.size(), 1u);
  EXPECT_EQ(services->messages[0].text,
            "Sorry, tools\\ravlink-ip.exe could not be started!\r\nNot enough memory.");
}

}  // namespace
}  // namespace loadergui::testing
