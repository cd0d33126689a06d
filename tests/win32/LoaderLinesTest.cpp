// The whole program's presses through the real process start: the stand-in loader logs the
// command line it was handed, which must read back, as the Windows loaders read their command
// lines, as exactly the paths and values chosen.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "PlatformTestSupport.h"
#include "ReaderChecks.h"
#include "StandInLog.h"
#include "WindowsTestSupport.h"
#include "app/App.h"
#include "win32/CodePage.h"
#include "win32/Services.h"
#include "win32/Toolkit.h"

namespace loadergui::win32::testing {
namespace {

// The real services, but a refusal is kept rather than shown, and the code page of the command
// lines may be another than the system's.
class PressServices : public Win32Services {
 public:
  using Win32Services::Win32Services;
  void messageBox(const ui::Form*, const std::string& text, const std::string&) override {
    messages.push_back(text);
  }
  platform::LeadBytes commandLineLeadBytes() override {
    return codePage ? LeadBytesOf(codePage) : Win32Services::commandLineLeadBytes();
  }
  std::vector<std::string> messages;
  unsigned codePage = 0;  // the system's
};

// 表 in code page 932, whose second byte is 0x5C.
const std::string kTable = "\x95\\";

struct PressCase {
  const char* name;
  unsigned codePage;
  const char* chroot;   // ticks "Chroot to path" with this folder; {program} for its folder
  const char* upload;   // relative to the program's folder, or {program}\...
  const char* address;  // typed
  std::vector<std::string> arguments;  // after the loader; {program} for the program's folder
};

const PressCase kPresses[] = {
    {"ChrootOnAShare",
     0,
     "\\\\nas\\dc\\root",
     "demo.elf",
     "0x8c010000",
     {"-t", "COM1", "-b", "115200", "-a", "0x8c010000", "-c", "\\\\nas\\dc\\root", "-x",
      "demo.elf"}},
    {"ChrootAtTheRootOfTheProgramsDrive",
     0,
     "{root}",
     "{program}\\demo file.elf",
     "0x8c010000",
     {"-t", "COM1", "-b", "115200", "-a", "0x8c010000", "-c", "{root}", "-x",
      "{program}\\demo file.elf"}},
    {"ChrootFolderWithASeparatorAtTheEnd",
     0,
     "{program}\\",
     "demo.elf",
     "0x8c010000",
     {"-t", "COM1", "-b", "115200", "-a", "0x8c010000", "-c", "{program}\\", "-x", "demo.elf"}},
    {"RelativeUploadAndAnAddressWithABlank",
     0,
     nullptr,
     "demo.elf",
     "0x8c010000 -q",
     {"-t", "COM1", "-b", "115200", "-a", "0x8c010000", "-q", "-x", "demo.elf"}},
    {"JapaneseFolderOnTheJapaneseCodePage",
     932,
     "C:\\dc\\\x95\\",
     "demo.elf",
     "0x8c010000",
     {"-t", "COM1", "-b", "115200", "-a", "0x8c010000", "-c", "C:\\dc\\\x95\\", "-x", "demo.elf"}},
    {"JapaneseShareOnTheJapaneseCodePage",
     932,
     "\\\\nas\\\x95\\\\x",
     "demo.elf",
     "0x8c010000",
     {"-t", "COM1", "-b", "115200", "-a", "0x8c010000", "-c", "\\\\nas\\\x95\\\\x", "-x",
      "demo.elf"}},
};

void PrintTo(const PressCase& row, std::ostream* out) {
  *out << row.name;
}

class LoaderLinesTest : public ::testing::TestWithParam<PressCase> {
 protected:
  void SetUp() override {
    formtest::DrainMessages();
    std::string tools = program_ / "tools";
    CreateDirectoryA(tools.c_str(), nullptr);
    for (const char* tool : {"ravlink-serial.exe", "ravlink-ip.exe", "arp.exe"}) {
      std::string built = TestExecutableFolder() + "\\tools\\" + tool;
      ASSERT_TRUE(CopyFileA(built.c_str(), (tools + "\\" + tool).c_str(), FALSE)) << built;
    }
    ASSERT_TRUE(WriteWholeFile(program_ / "demo.elf", "elf"));
    ASSERT_TRUE(WriteWholeFile(program_ / "demo file.elf", "elf"));
    originalDirectory_ = services_.currentDirectory();
    app_ = std::make_unique<App>(services_.interfaces(), toolkit_);
    ASSERT_TRUE(app_->start());
  }
  void TearDown() override {
    app_.reset();
    formtest::DrainMessages();
    SetCurrentDirectoryA(originalDirectory_.c_str());
  }
  // The row's text with the program's folder and its drive's root put in.
  std::string filled(std::string text) const {
    for (const auto& [mark, value] :
         {std::pair<std::string, std::string>("{program}", program_.path()),
          std::pair<std::string, std::string>("{root}", program_.path().substr(0, 3))}) {
      for (std::size_t at; (at = text.find(mark)) != std::string::npos;) {
        text.replace(at, mark.size(), value);
      }
    }
    return text;
  }

  ScratchFolder program_;
  PressServices services_{program_.path(), "ravlinkgui"};
  Win32Toolkit toolkit_{GetModuleHandleA(nullptr)};
  std::unique_ptr<App> app_;
  std::string originalDirectory_;
};

TEST_P(LoaderLinesTest, TheLoaderReadsThePathsAndValuesChosen) {
  const PressCase& c = GetParam();
  services_.codePage = c.codePage;
  OptionsDialog& options = app_->frmOptions();
  if (c.chroot) {
    options.cbChroot->setValue(ui::kTicked);
    options.txtChroot->setText(filled(c.chroot));
  }
  options.txtAddress->setText(c.address);
  app_->frmMain().txtUpload->setText(filled(c.upload));
  app_->frmMain().cmdExecute->click();
  ASSERT_EQ(services_.messages, std::vector<std::string>{});

  std::string tools = program_ / "tools";
  const ToolCall* start = nullptr;
  std::vector<ToolCall> calls;
  ASSERT_TRUE(WaitUntil([&] {
    calls = ReadToolLog(tools);
    start = FindStart(calls, "ravlink-serial.exe");
    return start != nullptr;
  })) << "the loader did not start";
  std::vector<std::string> arguments{"tools\\ravlink-serial.exe"};
  for (const std::string& argument : c.arguments) arguments.push_back(filled(argument));
  EXPECT_TRUE(cygwin::LoadersRead(start->commandLine, arguments, services_.commandLineLeadBytes()))
      << Visible(start->commandLine);
  ASSERT_TRUE(WaitUntil([&] { return FindEnd(ReadToolLog(tools), *start) != nullptr; }));
}

INSTANTIATE_TEST_SUITE_P(Table, LoaderLinesTest, ::testing::ValuesIn(kPresses),
                         [](const ::testing::TestParamInfo<PressCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace loadergui::win32::testing
