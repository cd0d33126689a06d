// The forms at raised DPIs: laid out from the tables at the system DPI, laid out again when
// Windows moves them to another DPI, and whole runs of the layout tests at 144 and 192 DPI.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "PlatformTestSupport.h"
#include "TextFitChecks.h"
#include "WindowsTestSupport.h"
#include "app/MainLayout.h"
#include "settings/OptionsLayout.h"
#include "win32/MessageFont.h"

namespace loadergui::win32 {
namespace {

using formtest::ChildWindow;
using formtest::FormWindow;
using formtest::kLayouts;
using formtest::LayoutCase;

// The tables' sizes worked out by hand at each DPI the tests run at: 15 twips make a pixel at
// 96 DPI, and halves round up.
struct ScaledForms {
  int dpi;
  int mainWidth, mainHeight;
  int optionsWidth, optionsHeight;
  PixelRect execute;  // 240, 1400, 3975, 375 twips
};

const ScaledForms kScaledForms[] = {
    {96, 297, 139, 346, 369, {16, 93, 265, 25}},
    {144, 446, 209, 519, 554, {24, 140, 398, 38}},
    {192, 594, 278, 692, 738, {32, 187, 530, 50}},
};

const ScaledForms* ScaledAt(int dpi) {
  for (const ScaledForms& scaled : kScaledForms) {
    if (scaled.dpi == dpi) return &scaled;
  }
  return nullptr;
}

PixelRect ClientSize(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  return {0, 0, client.right, client.bottom};
}

void ExpectRect(const PixelRect& actual, const PixelRect& expected) {
  EXPECT_EQ(actual.left, expected.left);
  EXPECT_EQ(actual.top, expected.top);
  EXPECT_EQ(actual.width, expected.width);
  EXPECT_EQ(actual.height, expected.height);
}

TEST(SystemDpiTest, FormsAreLaidOutAtTheSystemDpi) {
  const ScaledForms* scaled = ScaledAt(formtest::ExpectedSystemDpi());
  ASSERT_NE(scaled, nullptr) << "no sizes worked out for " << formtest::ExpectedSystemDpi();
  formtest::FormFixture fixture;
  ui::Form& main = fixture.build(MainWindowLayout());
  ui::Form& options = fixture.build(OptionsDialogLayout());
  EXPECT_EQ(SystemDpi(), scaled->dpi);
  EXPECT_EQ(WindowDpi(FormWindow(main)), scaled->dpi);
  EXPECT_EQ(static_cast<Win32Form&>(main).dpi(), scaled->dpi);
  PixelRect mainClient = ClientSize(FormWindow(main));
  EXPECT_EQ(mainClient.width, scaled->mainWidth);
  EXPECT_EQ(mainClient.height, scaled->mainHeight);
  PixelRect optionsClient = ClientSize(FormWindow(options));
  EXPECT_EQ(optionsClient.width, scaled->optionsWidth);
  EXPECT_EQ(optionsClient.height, scaled->optionsHeight);
  ExpectRect(formtest::RectInParent(ChildWindow(main, "cmdExecute")), scaled->execute);
}

// The system's message font is measured at the system DPI, which is the forms' DPI here.
TEST(SystemDpiTest, ControlsUseTheMessageFontAtTheSystemDpi) {
  formtest::FormFixture fixture;
  ui::Form& main = fixture.build(MainWindowLayout());
  LOGFONTW expected = formtest::SystemMessageFont();
  LOGFONTW font = formtest::FontOf(ChildWindow(main, "cmdExecute"));
  EXPECT_EQ(formtest::FaceOf(font), formtest::FaceOf(expected));
  EXPECT_EQ(font.lfHeight, expected.lfHeight);
  // The bold system font is what a control shows when nobody sets one.
  LOGFONTW systemFont{};
  GetObjectW(GetStockObject(SYSTEM_FONT), sizeof systemFont, &systemFont);
  EXPECT_NE(formtest::FaceOf(font), formtest::FaceOf(systemFont));
}

// ---- A DPI change while the program runs

using DpiChangeTest = ::testing::TestWithParam<LayoutCase>;

// The message font as SystemParametersInfoForDpi gives it, where the system has that call.
bool MessageFontHeightFromTheSystem(int dpi, LONG& height) {
  using ForDpi = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
  auto forDpi = FindUser32Function<ForDpi>("SystemParametersInfoForDpi");
  if (!forDpi) return false;
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi))) {
    return false;
  }
  height = metrics.lfMessageFont.lfHeight;
  return true;
}

void ExpectLaidOutAt(const ui::Form& form, int dpi) {
  for (const ui::ControlLayout& row : form.layout().controls) {
    SCOPED_TRACE(std::string(row.name));
    HWND child = ChildWindow(form, row.name);
    ExpectRect(formtest::RectInParent(child), ControlPixels(row, dpi));
    LOGFONTW font = formtest::FontOf(child);
    EXPECT_EQ(formtest::FaceOf(font), formtest::FaceOf(formtest::SystemMessageFont()));
    // Labels and check boxes are fitted to their texts again at the new DPI.
    if (row.kind == ui::ControlKind::Label || row.kind == ui::ControlKind::CheckBox) {
      formtest::ExpectTextFits(child, row.kind, dpi);
    } else {
      EXPECT_EQ(font.lfHeight, MessageFontAt(dpi).lfHeight);
    }
  }
  PixelRect client = ClientSize(FormWindow(form));
  EXPECT_EQ(client.width, TwipsToPixels(form.layout().clientWidth, dpi));
  EXPECT_EQ(client.height, TwipsToPixels(form.layout().clientHeight, dpi));
}

void ChangeDpi(const ui::Form& form, int dpi, const RECT& suggested) {
  SendMessageA(FormWindow(form), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
               reinterpret_cast<LPARAM>(&suggested));
}

TEST_P(DpiChangeTest, TheFormIsLaidOutAgainAtTheNewDpiWhereWindowsSuggests) {
  formtest::FormFixture fixture;
  ui::Form& form = fixture.build(GetParam().layout());
  HWND window = FormWindow(form);
  int startDpi = WindowDpi(window);
  int raisedDpi = startDpi * 3 / 2;
  HWND tip = formtest::TipWindowOf(window);
  LRESULT startTipWidth = SendMessageA(tip, TTM_GETMAXTIPWIDTH, 0, 0);
  RECT start;
  GetWindowRect(window, &start);
  RECT suggested{start.left + 40, start.top + 30,
                 start.left + 40 + (start.right - start.left) * 3 / 2,
                 start.top + 30 + (start.bottom - start.top) * 3 / 2};

  ChangeDpi(form, raisedDpi, suggested);
  EXPECT_EQ(static_cast<Win32Form&>(form).dpi(), raisedDpi);
  ExpectLaidOutAt(form, raisedDpi);
  RECT moved;
  GetWindowRect(window, &moved);
  EXPECT_EQ(moved.left, suggested.left);
  EXPECT_EQ(moved.top, suggested.top);
  LONG systemHeight = 0;
  if (MessageFontHeightFromTheSystem(raisedDpi, systemHeight)) {
    EXPECT_EQ(formtest::FontOf(ChildWindow(form, form.layout().controls[0].name)).lfHeight,
              systemHeight);
  }
  EXPECT_EQ(SendMessageA(tip, TTM_GETMAXTIPWIDTH, 0, 0), startTipWidth * 3 / 2);

  ChangeDpi(form, startDpi, start);
  ExpectLaidOutAt(form, startDpi);
  RECT back;
  GetWindowRect(window, &back);
  EXPECT_EQ(back.left, start.left);
  EXPECT_EQ(back.top, start.top);
  EXPECT_EQ(SendMessageA(tip, TTM_GETMAXTIPWIDTH, 0, 0), startTipWidth);
}

INSTANTIATE_TEST_SUITE_P(BothForms, DpiChangeTest, ::testing::ValuesIn(kLayouts),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Whole runs at a raised system DPI

// Wine reads the DPI from this value when a program starts; Windows only after the user signs
// in again, so the runs below are for Wine.
constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr char kLogPixels[] = "LogPixels";

// Sets the DPI that programs started from now on get, and puts the old value back at the end.
class SystemDpiSetting {
 public:
  explicit SystemDpiSetting(DWORD dpi) {
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_,
                        nullptr) != ERROR_SUCCESS) {
      key_ = nullptr;
      return;
    }
    DWORD size = sizeof previous_;
    DWORD type = 0;
    hadValue_ = RegQueryValueExA(key_, kLogPixels, nullptr, &type,
                                 reinterpret_cast<BYTE*>(&previous_), &size) == ERROR_SUCCESS &&
                type == REG_DWORD;
    set_ = RegSetValueExA(key_, kLogPixels, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                          sizeof dpi) == ERROR_SUCCESS;
  }
  ~SystemDpiSetting() {
    if (!key_) return;
    if (hadValue_) {
      RegSetValueExA(key_, kLogPixels, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&previous_),
                     sizeof previous_);
    } else {
      RegDeleteValueA(key_, kLogPixels);
    }
    RegCloseKey(key_);
  }
  SystemDpiSetting(const SystemDpiSetting&) = delete;
  SystemDpiSetting& operator=(const SystemDpiSetting&) = delete;

  bool set() const { return set_; }

 private:
  HKEY key_ = nullptr;
  DWORD previous_ = 0;
  bool hadValue_ = false;
  bool set_ = false;
};

struct ChildRun {
  DWORD exitCode = 1;
  bool finished = false;
  std::string output;
};

// Runs this test program again with a test filter, LOADERGUI_EXPECTED_DPI set, and its output
// in a file.
ChildRun RunTestsAgain(const std::string& filter, int dpi) {
  ChildRun run;
  testing::ScratchFolder folder;
  std::string outputPath = folder / "output.txt";
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  HANDLE output = CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inheritable,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (output == INVALID_HANDLE_VALUE) return run;
  char self[MAX_PATH * 4] = {};
  GetModuleFileNameA(nullptr, self, sizeof self);
  std::string commandLine = std::string("\"") + self + "\" --gtest_filter=" + filter;
  SetEnvironmentVariableA("LOADERGUI_EXPECTED_DPI", std::to_string(dpi).c_str());
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = output;
  startup.hStdError = output;
  PROCESS_INFORMATION process{};
  bool started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                nullptr, &startup, &process) != FALSE;
  SetEnvironmentVariableA("LOADERGUI_EXPECTED_DPI", nullptr);
  CloseHandle(output);
  if (!started) return run;
  constexpr DWORD kLimitMilliseconds = 60000;
  run.finished = WaitForSingleObject(process.hProcess, kLimitMilliseconds) == WAIT_OBJECT_0;
  if (!run.finished) TerminateProcess(process.hProcess, 1);
  GetExitCodeProcess(process.hProcess, &run.exitCode);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  run.output = testing::ReadWholeFile(outputPath);
  return run;
}

// The number in GoogleTest's closing "[  PASSED  ] N tests." line; -1 without one.
int PassedCount(const std::string& output) {
  std::size_t at = output.rfind("[  PASSED  ] ");
  int count = -1;
  if (at != std::string::npos) std::sscanf(output.c_str() + at, "[  PASSED  ] %d", &count);
  return count;
}

// Every layout, font and text-fit test, the DPI-change test, the window's icons, the
// screenshots and a tip, at the raised DPI.
constexpr char kRaisedDpiTests[] =
    "*/WindowsLayoutTest.*:SystemDpiTest.*:*/DpiChangeTest.*:WindowIconDpiTest.*:"
    "WindowsAppTest.WritesScreenshotsAtTheSystemDpi:"
    "WindowsHooksTest.RestingTheMouseOnAControlShowsItsTip:"
    "*/TextFitTest.*:TextFitLimitsTest.*:TextFitResourcesTest.*";
// Seven layout tests on each of two forms, two system-DPI tests, two DPI changes, four icon
// tests, the tip, six variant-and-mode text fits, the too-long text and the fonts' deletion.
constexpr int kFewestRaisedDpiTests = 31;

class RaisedDpiTest : public ::testing::TestWithParam<int> {};

TEST_P(RaisedDpiTest, TheLayoutTestsPassWhenTheSystemRunsAtThisDpi) {
  if (!GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")) {
    GTEST_SKIP() << "Windows takes a new DPI only at the next sign-in";
  }
  SystemDpiSetting setting(static_cast<DWORD>(GetParam()));
  ASSERT_TRUE(setting.set());
  ChildRun run = RunTestsAgain(kRaisedDpiTests, GetParam());
  ASSERT_TRUE(run.finished) << run.output;
  EXPECT_EQ(run.exitCode, 0u) << run.output;
  EXPECT_EQ(run.output.find("[  FAILED  ]"), std::string::npos) << run.output;
  EXPECT_GE(PassedCount(run.output), kFewestRaisedDpiTests) << run.output;
}

INSTANTIATE_TEST_SUITE_P(WineDpiSettings, RaisedDpiTest, ::testing::Values(144, 192),
                         [](const auto& info) { return std::to_string(info.param) + "Dpi"; });

}  // namespace
}  // namespace loadergui::win32
