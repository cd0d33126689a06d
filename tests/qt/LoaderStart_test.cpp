// A press on Linux: the loader gets the arguments the Windows loader would read from the same
// press's command line; a value the loaders would not take as typed, or a loader that cannot
// be started, starts nothing, the ARP step included, and the tip says why.
#include <QMessageBox>

#include "CygwinReader.h"
#include "QtFixture.h"
#include "app/Handlers.h"
#include "loader/ExecutePlan.h"
#include "qt/Terminals.h"

namespace loadergui::qttest {
namespace {

class LoaderStartTest : public QtFixture {
 protected:
  void SetUp() override {
    installProgram();
    writeFile("demo file.elf");
    ASSERT_TRUE(start());
    app->frmMain().txtUpload->setText("demo file.elf");
  }
  // Presses Execute; the refusal box's text, or empty when none showed.
  std::string press() {
    std::string shown;
    answerNext<QMessageBox>([&](QMessageBox& box) {
      shown = box.text().toStdString();
      box.accept();
    });
    app->frmMain().cmdExecute->click();
    return shown;
  }
};

// Blanks in typed values, backslashes and blanks in paths: the Linux loader's argv is the
// argument list the Windows loader reads from the line of the same press.
TEST_F(LoaderStartTest, TheLoaderGetsWhatTheWindowsLoaderReads) {
  installTerminal();
  OptionsDialog& options = app->frmOptions();
  options.txtAddress->setText(" 0x8c010000\t-q");
  options.cmbCOMPort->setText("/dev/ttyUSB0 ");
  options.cbChroot->setValue(ui::kTicked);
  options.txtChroot->setText(path("my root\\"));
  options.cbCDFSRedir->setValue(ui::kTicked);
  options.txtCDFSRedir->setText("\\\\nas\\images\\game.iso");
  services->setCurrentDirectory(folder.string());
  ExecutePlan plan = PlanExecute(*app);
  ASSERT_EQ(plan.outcome, ExecutePlan::Outcome::Start) << plan.refusal;
  EXPECT_EQ(press(), "");

  std::vector<LogLine> log = toolLog(1);
  ASSERT_GE(log.size(), 1u);
  std::vector<std::string> expected{path("tools/ravlink-serial"),
                                    "-t",
                                    "/dev/ttyUSB0",
                                    "-b",
                                    "115200",
                                    "-a",
                                    "0x8c010000",
                                    "-q",
                                    "-c",
                                    path("my root\\"),
                                    "-i",
                                    "\\\\nas\\images\\game.iso",
                                    "-x",
                                    "demo file.elf"};
  EXPECT_EQ(log[0].arguments, expected);
  for (auto reader : {cygwin::Reader::Bytes, cygwin::Reader::Wide}) {
    cygwin::Reading reading = cygwin::ReadCommandLine(plan.loader.line, reader, {});
    EXPECT_EQ(reading.verdict, cygwin::Verdict::Whole) << reading.why;
    reading.arguments.front() = path(reading.arguments.front());
    EXPECT_EQ(reading.arguments, expected) << plan.loader.line;
  }
}

// The quote would have been eaten by a split of the line; now the value is refused, and neither
// the ARP tool nor the loader starts.
TEST_F(LoaderStartTest, AQuoteInTheMacAddressIsRefused) {
  installTerminal();
  app->frmMain().mnuRavlinkIP->click();
  app->frmOptions().cbARP->setValue(ui::kTicked);
  app->frmOptions().txtARP->setText("00:11\"22:33");
  const char* refusal = "Sorry, the MAC address cannot contain a double quote (\").";
  EXPECT_EQ(frmMain::cmdExecute_Tip(*app), refusal);
  EXPECT_EQ(press(), refusal);
  EXPECT_TRUE(toolLog().empty());
  EXPECT_TRUE(terminalLog().empty());
}

struct CannotStartCase {
  const char* name;
  bool terminal;
  bool runnable;
  const char* message;
};

const CannotStartCase kCannotStart[] = {
    // The terminals it names are the table's (Processes_test checks the table).
    {"NoTerminal", false, true,
     "Sorry, tools/ravlink-ip could not be started!\r\nNo terminal program was found to show it "
     "in; please install one of "},
    {"LoaderMayNotBeRun", true, false,
     "Sorry, tools/ravlink-ip could not be started!\r\nIt is there, but it may not be run: it "
     "lacks the permission to execute."},
};

class CannotStartTest : public LoaderStartTest,
                        public ::testing::WithParamInterface<CannotStartCase> {};

// The ARP step would block the window for nothing: the press is refused before it, and the
// tip shows the refusal rather than the lines a press would not start.
TEST_P(CannotStartTest, NothingStartsNotEvenArp) {
  const CannotStartCase& c = GetParam();
  if (c.terminal) installTerminal();
  if (!c.runnable) {
    std::filesystem::permissions(folder / "tools/ravlink-ip", std::filesystem::perms::owner_read);
  }
  app->frmMain().mnuRavlinkIP->click();
  app->frmOptions().cbARP->setValue(ui::kTicked);
  app->frmOptions().txtARP->setText("00:11:22:33:44:55");
  std::string message = c.message;
  if (!c.terminal) message += qt::TerminalNames() + ".";
  EXPECT_EQ(frmMain::cmdExecute_Tip(*app), message);
  EXPECT_EQ(press(), message.replace(message.find("\r\n"), 2, "\n"));
  EXPECT_TRUE(toolLog().empty());
  EXPECT_TRUE(terminalLog().empty());
}

INSTANTIATE_TEST_SUITE_P(Table, CannotStartTest, ::testing::ValuesIn(kCannotStart),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace loadergui::qttest
