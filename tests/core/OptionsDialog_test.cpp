// The configuration dialog as the user works it: OK with its path tests, Cancel, Default, the
// dependent controls, the Browse buttons and the baud-rate key filter.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <map>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "AppFixture.h"

namespace loadergui::testing {
namespace {

namespace fs = std::filesystem;

const char* const kChrootMessage = "Sorry, that Chroot folder does not exist!";
const char* const kIsoMessage = "Sorry, that ISO image does not exist!";

// A settings file in which every option differs from both the start-up defaults and the
// Default button's values, with every check box ticked.
const char* const kNonDefaultSettings =
    "[SETTINGS]\r\nTYPE=Upload and &Execute\r\nRAVLINK=Serial\r\n"
    "[OPTIONS]\r\nADDRESS=0x8c020000\r\nSIZE=0x4000\r\nDEVICE=COM3\r\nIP=10.0.0.3\r\n"
    "BAUDRATE=38400\r\nARP=1\r\nARPMAC=00:d0:f1:01:02:03\r\nNOCONSOLE=1\r\nDUMBTERM=1\r\n"
    "NOCLEAR=1\r\nCHROOT=1\r\nCDFS=1\r\n"
    "[CHROOT]\r\nDIR=C:\\dc\\root\r\n[CDFSREDIRECT]\r\nISO=C:\\iso\\game.iso\r\n";

// What a user sees of one control.
struct ControlState {
  std::string text;
  int value;
  bool enabled;
  bool visible;
};

std::map<std::string, ControlState> StateOf(const ui::Form& form) {
  std::map<std::string, ControlState> state;
  for (const ui::Control* control : form.controls()) {
    state[control->name()] = {control->text(), control->value(), control->enabled(),
                              control->visible()};
  }
  return state;
}

void ExpectSameState(const std::map<std::string, ControlState>& expected,
                     const std::map<std::string, ControlState>& actual) {
  ASSERT_EQ(expected.size(), actual.size());
  for (const auto& [name, want] : expected) {
    SCOPED_TRACE(name);
    const ControlState& got = actual.at(name);
    EXPECT_EQ(got.text, want.text);
    EXPECT_EQ(got.value, want.value);
    EXPECT_EQ(got.enabled, want.enabled);
    EXPECT_EQ(got.visible, want.visible);
  }
}

class OptionsDialogTest : public AppFixture {
 protected:
  OptionsDialogTest() {
    installProgram();
    fs::create_directories(folder / "data" / "root");
    writeFile("data/game.iso");
    writeFile("data/hidden.iso");
    writeFile("data/locked.iso");
    services->markHidden(path("data/hidden.iso"));
    services->markReadOnly(path("data/locked.iso"));
  }

  // Starts the program, from the given settings text when there is one.
  void startWith(const char* settings = nullptr) {
    if (settings) writeSettings(settings);
    ASSERT_TRUE(start());
  }
  std::string path(const std::string& relative) const { return (folder / relative).string(); }
  null::NullForm& optionsForm() { return static_cast<null::NullForm&>(options()); }
  const std::vector<null::ShownMessage>& messages() const { return services->messages; }
};

// ---- Opening ----

TEST_F(OptionsDialogTest, ShownModallyOwnedByMainWindow) {
  startWith();
  bool shownWhileOpen = false;
  withOptionsDialog([&](null::NullForm& form) {
    shownWhileOpen = form.isShown();
    form.control("cmdCancel").click();
  });
  EXPECT_TRUE(shownWhileOpen);
  EXPECT_EQ(optionsForm().timesShownModal(), 1);
  EXPECT_EQ(optionsForm().modalOwner(), &main());
  EXPECT_FALSE(options().isShown());
}

TEST_F(OptionsDialogTest, SnapshotRecordedOnOpen) {
  startWith(kNonDefaultSettings);
  optionControl("cbNoScreenClear").setValue(2);
  const OptionSnapshot expected = {
      "0x8c020000", "0x4000", "COM3", "10.0.0.3", "38400",        "1", "00:d0:f1:01:02:03",
      "1",          "1",      "2",    "1",        "C:\\dc\\root", "1", "C:\\iso\\game.iso"};
  OptionSnapshot seen;
  withOptionsDialog([&](null::NullForm& form) {
    seen = app->snapshot();
    form.control("cmdCancel").click();
  });
  EXPECT_EQ(seen, expected);
}

TEST_F(OptionsDialogTest, SnapshotTakenAgainAtEachOpen) {
  startWith();
  withOptionsDialog([](null::NullForm& form) {
    form.control("txtAddress").setText("0x8c0a0000");
    form.control("cmdOK").click();
  });
  withOptionsDialog([](null::NullForm& form) {
    form.control("txtAddress").setText("0x8c0b0000");
    form.control("cmdCancel").click();
  });
  EXPECT_EQ(optionControl("txtAddress").text(), "0x8c0a0000");
}

// ---- OK and its path tests ----

TEST_F(OptionsDialogTest, ChrootPromptRefusedAndDialogStays) {
  startWith();
  bool shownAfterOk = false;
  withOptionsDialog([&](null::NullForm& form) {
    form.control("cbChroot").setValue(1);
    form.control("cmdOK").click();
    shownAfterOk = form.isShown();
  });
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].text, kChrootMessage);
  EXPECT_EQ(messages()[0].title, "Oops!");
  EXPECT_EQ(messages()[0].owner, "frmOptions");
  EXPECT_TRUE(shownAfterOk);
  EXPECT_EQ(optionControl("txtChroot").text(), "Please select a folder...");
  EXPECT_EQ(optionControl("cbChroot").value(), 1) << "values stay as the user left them";
}

struct PathCase {
  const char* name;
  const char* text;  // "@" at the start stands for the program's folder
  bool passes;
};

void PrintTo(const PathCase& c, std::ostream* os) {
  *os << c.name;
}

const PathCase kChrootCases[] = {
    {"Prompt", "Please select a folder...", false},
    {"ExistingFolder", "@/data/root", true},
    {"ExistingOrdinaryFile", "@/data/game.iso", true},
    {"FolderWithWildcard", "@/data/ro*", true},
    {"RelativeFromCurrentDirectory", "data/root", true},
    {"HiddenFile", "@/data/hidden.iso", false},
    {"MissingFolder", "@/data/none", false},
    {"MissingParent", "@/none/root", false},
    {"Empty", "", false},
};

const PathCase kIsoCases[] = {
    {"Prompt", "Please select an ISO image...", false},
    {"OrdinaryFile", "@/data/game.iso", true},
    {"ReadOnlyFile", "@/data/locked.iso", true},
    {"Wildcard", "@/data/g*.iso", true},
    {"RelativeFromCurrentDirectory", "data/game.iso", true},
    {"Folder", "@/data/root", false},
    {"HiddenFile", "@/data/hidden.iso", false},
    {"MissingFile", "@/data/none.iso", false},
    {"Empty", "", false},
};

std::string Resolve(const fs::path& folder, const std::string& text) {
  return !text.empty() && text[0] == '@' ? folder.string() + text.substr(1) : text;
}

class PathTestCase : public OptionsDialogTest,
                     public ::testing::WithParamInterface<std::tuple<const char*, PathCase>> {};

TEST_P(PathTestCase, OkPassesExactlyWhenPathFits) {
  const auto& [which, c] = GetParam();
  bool chroot = std::string(which) == "Chroot";
  const char* checkBox = chroot ? "cbChroot" : "cbCDFSRedir";
  const char* textBox = chroot ? "txtChroot" : "txtCDFSRedir";
  startWith();
  const std::string text = Resolve(folder, c.text);
  bool shownAfterOk = false;
  withOptionsDialog([&](null::NullForm& form) {
    form.control(checkBox).setValue(1);
    form.control(textBox).setText(text);
    form.control("cmdOK").click();
    shownAfterOk = form.isShown();
    if (shownAfterOk) form.control("cmdCancel").click();
  });
  EXPECT_EQ(shownAfterOk, !c.passes);
  if (c.passes) {
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(optionControl(textBox).text(), text);
  } else {
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, chroot ? kChrootMessage : kIsoMessage);
    EXPECT_EQ(messages()[0].title, "Oops!");
    EXPECT_EQ(messages()[0].owner, "frmOptions");
  }
}

INSTANTIATE_TEST_SUITE_P(Chroot, PathTestCase,
                         ::testing::Combine(::testing::Values("Chroot"),
                                            ::testing::ValuesIn(kChrootCases)),
                         [](const auto& info) {
                           return std::string(std::get<1>(info.param).name);
                         });
INSTANTIATE_TEST_SUITE_P(
    Iso, PathTestCase, ::testing::Combine(::testing::Values("Iso"), ::testing::ValuesIn(kIsoCases)),
    [](const auto& info) { return std::string(std::get<1>(info.param).name); });

TEST_F(OptionsDialogTest, BothWrongOnlyChrootMessageThenIsoAfterMending) {
  startWith();
  std::vector<std::string> afterEachOk;
  withOptionsDialog([&](null::NullForm& form) {
    form.control("cbChroot").setValue(1);
    form.control("cbCDFSRedir").setValue(1);
    form.control("txtChroot").setText(path("data/none"));
    form.control("txtCDFSRedir").setText(path("data/root"));
    form.control("cmdOK").click();
    afterEachOk.push_back(messages().empty() ? "" : messages().back().text);
    form.control("txtChroot").setText(path("data/root"));
    form.control("cmdOK").click();
    afterEachOk.push_back(messages().empty() ? "" : messages().back().text);
    form.control("txtCDFSRedir").setText(path("data/game.iso"));
    form.control("cmdOK").click();
  });
  EXPECT_EQ(afterEachOk, (std::vector<std::string>{kChrootMessage, kIsoMessage}));
  EXPECT_EQ(messages().size(), 2u);
  EXPECT_FALSE(options().isShown());
}

// A box holding anything but 1 counts as cleared: its controls are disabled, OK skips its test.
struct BoxCase {
  const char* checkBox;
  std::vector<const char*> dependents;
  const char* textBox;  // the path OK tests, nullptr when none
};

const BoxCase kBoxes[] = {
    {"cbChroot", {"txtChroot", "cmdChroot"}, "txtChroot"},
    {"cbCDFSRedir", {"txtCDFSRedir", "cmdCDFSRedir"}, "txtCDFSRedir"},
    {"cbARP", {"txtARP"}, nullptr},
};

class CheckBoxValueTest : public OptionsDialogTest,
                          public ::testing::WithParamInterface<std::tuple<BoxCase, int>> {};

TEST_P(CheckBoxValueTest, OnlyOneEnablesAndTests) {
  const auto& [box, value] = GetParam();
  startWith(kNonDefaultSettings);  // every box ticked, both paths wrong
  optionControl("cbChroot").setValue(0);
  optionControl("cbCDFSRedir").setValue(0);
  bool shownAfterOk = false;
  std::map<std::string, bool> enabled;
  withOptionsDialog([&](null::NullForm& form) {
    form.control(box.checkBox).setValue(1);      // from ticked ...
    form.control(box.checkBox).setValue(value);  // ... to the value under test
    for (const char* dependent : box.dependents)
      enabled[dependent] = form.control(dependent).enabled();
    form.control("cmdOK").click();
    shownAfterOk = form.isShown();
  });
  for (const char* dependent : box.dependents) {
    EXPECT_EQ(enabled[dependent], value == 1) << dependent;
  }
  bool tested = box.textBox && value == 1;
  EXPECT_EQ(shownAfterOk, tested);
  EXPECT_EQ(messages().size(), tested ? 1u : 0u);
  if (box.textBox) {
    EXPECT_EQ(optionControl(box.textBox).text(),
              box.textBox == std::string("txtChroot") ? "C:\\dc\\root" : "C:\\iso\\game.iso")
        << "disabling never clears a text";
  }
}

INSTANTIATE_TEST_SUITE_P(Table, CheckBoxValueTest,
                         ::testing::Combine(::testing::ValuesIn(kBoxes),
                                            ::testing::Values(0, 1, 2)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).checkBox) + "_" +
                                  std::to_string(std::get<1>(info.param));
                         });

TEST_F(OptionsDialogTest, ClearedBoxesSkipTestsWhateverTheirTexts) {
  startWith();
  withOptionsDialog([](null::NullForm& form) {
    form.control("txtChroot").setText("?:\\<nothing>");
    form.control("txtCDFSRedir").setText("");
    form.control("cmdOK").click();
  });
  EXPECT_TRUE(messages().empty());
  EXPECT_FALSE(options().isShown());
}

// OK brings the main window's information line up to date from the confirmed values.
struct InformationCase {
  const char* name;
  const char* variantItem;
  const char* modeItem;
  std::vector<std::pair<const char*, const char*>> edits;
  const char* information;
};

void PrintTo(const InformationCase& c, std::ostream* os) {
  *os << c.name;
}

const InformationCase kInformationCases[] = {
    {"SerialPortAndSpeed",
     "mnuRavlinkSerial",
     "mnuConfigUlexecute",
     {{"cmbCOMPort", "COM3"}, {"cmbBaudrate", "57600"}},
     "Upload through the serial port, COM3 at 57600bps"},
    {"SerialDownload",
     "mnuRavlinkSerial",
     "mnuConfigDownload",
     {{"cmbCOMPort", "COM2"}, {"cmbBaudrate", "9600"}},
     "Download through the serial port, COM2 at 9600bps"},
    {"SerialEmptyPort",
     "mnuRavlinkSerial",
     "mnuConfigUpload",
     {{"cmbCOMPort", ""}},
     "Upload through the serial port,  at 115200bps"},
    {"IPAddress",
     "mnuRavlinkIP",
     "mnuConfigUlexecute",
     {{"cmbIP", "10.0.0.7"}, {"cmbCOMPort", "COM4"}},
     "Upload through IP, 10.0.0.7"},
    {"IPDownload",
     "mnuRavlinkIP",
     "mnuConfigDownload",
     {{"cmbIP", "10.0.0.8"}},
     "Download through IP, 10.0.0.8"},
};

class InformationLineTest : public OptionsDialogTest,
                            public ::testing::WithParamInterface<InformationCase> {};

TEST_P(InformationLineTest, OkRefreshesInformationLine) {
  const InformationCase& c = GetParam();
  startWith();
  mainControl(c.variantItem).click();
  mainControl(c.modeItem).click();
  const std::string lineBefore = mainControl("lblInformation").text();
  std::string lineWhileOpen;
  withOptionsDialog([&](null::NullForm& form) {
    for (const auto& [control, text] : c.edits) form.control(control).setText(text);
    lineWhileOpen = mainControl("lblInformation").text();
    form.control("cmdOK").click();
  });
  EXPECT_EQ(lineWhileOpen, lineBefore) << "edits show only once confirmed";
  EXPECT_EQ(mainControl("lblInformation").text(), c.information);
  EXPECT_TRUE(mainControl(c.modeItem).checked()) << "the mode stays";
  EXPECT_FALSE(options().isShown());
  EXPECT_EQ(optionsForm().focusedControl(), "cmdOK");
}

INSTANTIATE_TEST_SUITE_P(Table, InformationLineTest, ::testing::ValuesIn(kInformationCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(OptionsDialogTest, OkWritesNothing) {
  startWith(kNonDefaultSettings);
  const std::string before = settingsText();
  withOptionsDialog([&](null::NullForm& form) {
    form.control("txtChroot").setText(path("data/root"));
    form.control("txtCDFSRedir").setText(path("data/game.iso"));
    form.control("txtAddress").setText("0x8c0f0000");
    form.control("cmdOK").click();
  });
  ASSERT_FALSE(options().isShown());
  EXPECT_EQ(services->profileWrites, 0);
  EXPECT_EQ(settingsText(), before);
  EXPECT_TRUE(app->optionsLoaded());
}

// ---- Cancel, Default and the close box ----

TEST_F(OptionsDialogTest, CancelAfterDefaultRestoresEverything) {
  startWith(kNonDefaultSettings);
  optionControl("cbNoScreenClear").setValue(2);
  const auto before = StateOf(options());
  withOptionsDialog([](null::NullForm& form) {
    form.control("cmdDefault").click();
    form.control("cmdCancel").click();
  });
  ExpectSameState(before, StateOf(options()));
  EXPECT_FALSE(options().isShown());
  EXPECT_EQ(optionsForm().focusedControl(), "cmdOK");
  EXPECT_EQ(services->profileWrites, 0);
}

TEST_F(OptionsDialogTest, CancelAfterEditsRestoresEverything) {
  startWith();
  const auto before = StateOf(options());
  const std::string lineBefore = mainControl("lblInformation").text();
  withOptionsDialog([&](null::NullForm& form) {
    for (const char* text : {"txtAddress", "txtFilesize", "cmbCOMPort", "cmbIP", "cmbBaudrate",
                             "txtARP", "txtChroot", "txtCDFSRedir"}) {
      form.control(text).setText("edited");
    }
    for (const char* box :
         {"cbARP", "cbNoConsole", "cbDumbTerminal", "cbNoScreenClear", "cbChroot", "cbCDFSRedir"}) {
      form.control(box).setValue(1);
    }
    form.control("cmdCancel").click();
  });
  ExpectSameState(before, StateOf(options()));
  EXPECT_EQ(mainControl("lblInformation").text(), lineBefore);
  EXPECT_TRUE(messages().empty());
}

struct DefaultValue {
  const char* control;
  const char* text;  // nullptr for a check box, which Default clears
};

const DefaultValue kDefaultButtonValues[] = {
    {"txtAddress", "0x8c010000"},
    {"txtFilesize", "0"},
    {"cmbCOMPort", "COM1"},
    {"cmbIP", "192.168.0.0"},
    {"cmbBaudrate", "115200"},
    {"cbARP", nullptr},
    {"txtARP", "Set MAC address"},
    {"cbNoConsole", nullptr},
    {"cbDumbTerminal", nullptr},
    {"cbNoScreenClear", nullptr},
    {"cbChroot", nullptr},
    {"cbCDFSRedir", nullptr},
    {"txtChroot", "Please select a folder..."},
    {"txtCDFSRedir", "Please select an ISO image..."},
};

TEST_F(OptionsDialogTest, DefaultSetsEveryDefaultAndSizeZero) {
  startWith(kNonDefaultSettings);
  optionControl("cbNoConsole").setValue(2);
  std::map<std::string, ControlState> after;
  bool shownAfterDefault = false;
  withOptionsDialog([&](null::NullForm& form) {
    form.control("cmdDefault").click();
    after = StateOf(form);
    shownAfterDefault = form.isShown();
    form.control("cmdOK").click();
  });
  for (const auto& value : kDefaultButtonValues) {
    SCOPED_TRACE(value.control);
    if (value.text) {
      EXPECT_EQ(after[value.control].text, value.text);
    } else {
      EXPECT_EQ(after[value.control].value, 0);
    }
  }
  for (const char* dependent :
       {"txtChroot", "cmdChroot", "txtCDFSRedir", "cmdCDFSRedir", "txtARP"}) {
    EXPECT_FALSE(after[dependent].enabled) << dependent;
  }
  EXPECT_TRUE(shownAfterDefault);
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(services->profileWrites, 0);
  EXPECT_EQ(optionControl("txtFilesize").text(), "0") << "OK keeps what Default set";
}

TEST_F(OptionsDialogTest, CloseRequestActsLikeCancelAndNeverUnloads) {
  startWith(kNonDefaultSettings);
  const auto before = StateOf(options());
  withOptionsDialog([](null::NullForm& form) {
    form.control("cmdDefault").click();
    form.control("txtAddress").setText("0x8c0e0000");
    ASSERT_TRUE(form.onCloseRequest);
    form.onCloseRequest();
  });
  EXPECT_TRUE(app->optionsLoaded());
  EXPECT_FALSE(optionsForm().destroyed());
  EXPECT_FALSE(options().isShown());
  ExpectSameState(before, StateOf(options()));
  EXPECT_EQ(services->profileWrites, 0);
  EXPECT_FALSE(app->ended());
  // The dialog can be opened again and still holds the values.
  withOptionsDialog([](null::NullForm& form) { form.control("cmdCancel").click(); });
  EXPECT_EQ(optionsForm().timesShownModal(), 2);
  EXPECT_EQ(optionControl("txtAddress").text(), "0x8c020000");
}

// ---- Browse buttons ----

TEST_F(OptionsDialogTest, ChrootBrowseTakesAnswerUntrimmed) {
  startWith();
  const std::string answer = "  " + path("data/root") + "  ";
  services->dialogAnswers.push_back(answer);
  withOptionsDialog([](null::NullForm& form) {
    form.control("cmdChroot").click();
    form.control("cmdOK").click();
  });
  EXPECT_EQ(optionControl("txtChroot").text(), answer);
  ASSERT_EQ(services->dialogs.size(), 1u);
  EXPECT_EQ(services->dialogs[0].call, null::DialogCall::Folder);
  EXPECT_EQ(services->dialogs[0].owner, "frmOptions");
  EXPECT_EQ(services->dialogs[0].record.title, "Select a Chroot folder...");
  EXPECT_EQ(optionControl("cbChroot").value(), 0) << "the check box is not touched";
  EXPECT_FALSE(optionControl("txtChroot").enabled());
}

TEST_F(OptionsDialogTest, IsoBrowseTakesAnswerTrimmed) {
  startWith();
  services->dialogAnswers.push_back("  " + path("data/game.iso") + "  ");
  withOptionsDialog([](null::NullForm& form) {
    form.control("cmdCDFSRedir").click();
    form.control("cmdOK").click();
  });
  EXPECT_EQ(optionControl("txtCDFSRedir").text(), path("data/game.iso"));
  ASSERT_EQ(services->dialogs.size(), 1u);
  EXPECT_EQ(services->dialogs[0].call, null::DialogCall::Open);
  EXPECT_EQ(services->dialogs[0].owner, "frmOptions");
  EXPECT_EQ(services->dialogs[0].record.title, "Select an ISO image...");
  EXPECT_EQ(optionControl("cbCDFSRedir").value(), 0) << "the check box is not touched";
}

struct PickerCase {
  const char* name;
  const char* button;
  const char* textBox;
  const char* picked;  // relative to the program's folder
};

void PrintTo(const PickerCase& c, std::ostream* os) {
  *os << c.name;
}

const PickerCase kPickers[] = {
    {"Chroot", "cmdChroot", "txtChroot", "data/root"},
    {"Iso", "cmdCDFSRedir", "txtCDFSRedir", "data/game.iso"},
};

class OptionsPickerTest : public OptionsDialogTest,
                          public ::testing::WithParamInterface<PickerCase> {};

TEST_P(OptionsPickerTest, PickedPathThenCancelRestoresPreviousPath) {
  const PickerCase& c = GetParam();
  startWith(kNonDefaultSettings);
  const std::string previous = optionControl(c.textBox).text();
  services->dialogAnswers.push_back(path(c.picked));
  std::string shownAfterPick;
  withOptionsDialog([&](null::NullForm& form) {
    form.control(c.button).click();
    shownAfterPick = form.control(c.textBox).text();
    form.control("cmdCancel").click();
  });
  EXPECT_EQ(shownAfterPick, path(c.picked));
  EXPECT_EQ(optionControl(c.textBox).text(), previous);
}

TEST_P(OptionsPickerTest, CancelledPickerLeavesTextUnchanged) {
  const PickerCase& c = GetParam();
  startWith(kNonDefaultSettings);
  const std::string previous = optionControl(c.textBox).text();
  services->dialogAnswers.push_back(std::nullopt);  // the user cancels the first time ...
  std::vector<std::string> texts;
  withOptionsDialog([&](null::NullForm& form) {
    form.control(c.button).click();
    texts.push_back(form.control(c.textBox).text());
    form.control(c.button).click();  // ... and the dialog fails the second time
    texts.push_back(form.control(c.textBox).text());
    form.control("cmdCancel").click();
  });
  EXPECT_EQ(texts, (std::vector<std::string>{previous, previous}));
  EXPECT_EQ(services->dialogs.size(), 2u);
  EXPECT_TRUE(messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Table, OptionsPickerTest, ::testing::ValuesIn(kPickers),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(OptionsDialogTest, IsoPickerMakesProgramFolderCurrentEvenWhenCancelled) {
  startWith();
  fs::create_directory(folder / "elsewhere");
  std::string currentWhenPicking;
  withOptionsDialog([&](null::NullForm& form) {
    services->setCurrentDirectory(path("elsewhere"));
    form.control("cmdCDFSRedir").click();
    currentWhenPicking = services->currentDirectory();
    form.control("cmdCancel").click();
  });
  EXPECT_EQ(currentWhenPicking, folder.string());
  EXPECT_EQ(optionControl("txtCDFSRedir").text(), "Please select an ISO image...");
}

TEST_F(OptionsDialogTest, ChrootPickerLeavesCurrentDirectory) {
  startWith();
  fs::create_directory(folder / "elsewhere");
  std::string currentAfterPicking;
  withOptionsDialog([&](null::NullForm& form) {
    services->setCurrentDirectory(path("elsewhere"));
    form.control("cmdChroot").click();
    currentAfterPicking = services->currentDirectory();
    form.control("cmdCancel").click();
  });
  EXPECT_EQ(currentAfterPicking, path("elsewhere"));
}

// ---- Baud-rate key filter ----

struct TypingCase {
  const char* name;
  const char* initial;
  std::string typed;
  const char* expected;
  int beeps;
};

void PrintTo(const TypingCase& c, std::ostream* os) {
  *os << c.name;
}

const TypingCase kBaudrateTyping[] = {
    {"Digits", "", "57600", "57600", 0},
    {"LetterDotDigitBackspace", "1152", "a.5\b", "1152", 2},
    {"LetterDiscarded", "9600", "x", "9600", 1},
    {"FullStopDiscarded", "9600", ".", "9600", 1},
    {"BackspaceDeletes", "115200", "\b\b", "1152", 0},
    {"BackspaceOnEmpty", "", "\b", "", 0},
    {"EdgesOfDigitRange", "", "/0:9", "09", 2},
    {"BlankMinusPlusDiscarded", "4800", " -+", "4800", 3},
    {"TabAndEnterDiscarded", "4800", "\t\r", "4800", 2},
    {"HighCharacterDiscarded", "", "\xe9", "", 1},
    {"Mixed", "", "9x6\b0", "90", 1},
};

class BaudrateFilterTest : public OptionsDialogTest,
                           public ::testing::WithParamInterface<TypingCase> {};

TEST_P(BaudrateFilterTest, KeepsDigitsAndBackspaceAndBeepsForTheRest) {
  const TypingCase& c = GetParam();
  startWith();
  withOptionsDialog([&](null::NullForm& form) {
    form.control("cmbBaudrate").setText(c.initial);
    form.stub("cmbBaudrate").type(c.typed);
    form.control("cmdOK").click();
  });
  EXPECT_EQ(optionControl("cmbBaudrate").text(), c.expected);
  EXPECT_EQ(services->beeps, c.beeps);
}

INSTANTIATE_TEST_SUITE_P(Table, BaudrateFilterTest, ::testing::ValuesIn(kBaudrateTyping),
                         [](const auto& info) { return std::string(info.param.name); });

class UnfilteredFieldTest : public OptionsDialogTest,
                            public ::testing::WithParamInterface<const char*> {};

TEST_P(UnfilteredFieldTest, TakesAnyCharacterAsTypedWithoutBeep) {
  startWith();
  std::string typedText;
  withOptionsDialog([&](null::NullForm& form) {
    form.control(GetParam()).setText("");
    form.stub(GetParam()).type("a.5 -x\b");
    typedText = form.control(GetParam()).text();
    form.control("cmdOK").click();
  });
  EXPECT_EQ(typedText, "a.5 -");
  EXPECT_EQ(optionControl(GetParam()).text(), "a.5 -");
  EXPECT_EQ(services->beeps, 0);
  EXPECT_TRUE(messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Table, UnfilteredFieldTest,
                         ::testing::Values("txtAddress", "txtFilesize", "cmbCOMPort", "cmbIP",
                                           "txtARP"));

}  // namespace
}  // namespace loadergui::testing
