// Labels and check boxes fit their texts on one line: in every variant and mode, for texts too
// long even for the smallest font, and without leaking the fonts made for fitting.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "FakeServices.h"
#include "TextFitChecks.h"
#include "WindowsTestSupport.h"
#include "app/App.h"
#include "app/MainLayout.h"

namespace loadergui::win32 {
namespace {

using formtest::ChildWindow;
using formtest::FormWindow;
using ui::ControlKind;

// Each loader variant in each transfer mode, and the information line the main window shows.
struct Situation {
  const char* name;
  const char* variantItem;
  const char* modeItem;
  const char* information;
};

const Situation kSituations[] = {
    {"SerialUpload", "Ravlink &Serial", "&Upload",
     "Upload through the serial port, COM1 at 115200bps"},
    {"SerialUploadExecute", "Ravlink &Serial", "Upload and &Execute",
     "Upload through the serial port, COM1 at 115200bps"},
    {"SerialDownload", "Ravlink &Serial", "&Download",
     "Download through the serial port, COM1 at 115200bps"},
    {"IpUpload", "Ravlink &IP", "&Upload", "Upload through IP, 192.168.0.0"},
    {"IpUploadExecute", "Ravlink &IP", "Upload and &Execute", "Upload through IP, 192.168.0.0"},
    {"IpDownload", "Ravlink &IP", "&Download", "Download through IP, 192.168.0.0"},
};

class TextFitTest : public ::testing::TestWithParam<Situation> {
 protected:
  void SetUp() override {
    formtest::DrainMessages();
    app_ = std::make_unique<App>(services_.interfaces(), toolkit_);
    ASSERT_TRUE(app_->start());
  }
  void TearDown() override {
    app_.reset();
    formtest::DrainMessages();
  }

  // The main window in each situation, and the dialog once for each variant, as they look at
  // the system's DPI; the dialog is shown without its modal loop, for the picture only.
  void screenshots() {
    std::string folder = formtest::ScreenshotFolder();
    if (folder.empty()) return;
    HWND main = FormWindow(app_->frmMain().form());
    std::string suffix =
        std::string("-") + GetParam().name + "-" + std::to_string(WindowDpi(main)) + "dpi.bmp";
    formtest::DrainMessages();
    EXPECT_TRUE(formtest::WriteWindowBitmap(main, folder + "\\fit-main" + suffix));
    if (std::string(GetParam().modeItem) != "&Download") return;
    ui::Form& options = app_->frmOptions().form();
    options.show();
    formtest::DrainMessages();
    EXPECT_TRUE(
        formtest::WriteWindowBitmap(FormWindow(options), folder + "\\fit-options" + suffix));
    options.hide();
  }

  formtest::FakeServices services_;
  Win32Toolkit toolkit_{GetModuleHandleA(nullptr)};
  std::unique_ptr<App> app_;
};

bool ShowsText(ControlKind kind) {
  return kind == ControlKind::Label || kind == ControlKind::CheckBox;
}

TEST_P(TextFitTest, EveryLabelAndCheckBoxOfBothFormsFitsItsText) {
  HWND main = FormWindow(app_->frmMain().form());
  formtest::ChooseMenuItem(main, GetParam().variantItem);
  formtest::ChooseMenuItem(main, GetParam().modeItem);
  formtest::DrainMessages();
  ASSERT_EQ(WindowText(ChildWindow(app_->frmMain().form(), "lblInformation")),
            GetParam().information);
  int checked = 0;
  for (ui::Form* form : {&app_->frmMain().form(), &app_->frmOptions().form()}) {
    int dpi = WindowDpi(FormWindow(*form));
    for (const ui::ControlLayout& row : form->layout().controls) {
      if (!ShowsText(row.kind)) continue;
      SCOPED_TRACE(std::string(row.name));
      formtest::ExpectTextFits(ChildWindow(*form, row.name), row.kind, dpi);
      ++checked;
    }
  }
  // Two labels on the main window; four labels and six check boxes in the dialog.
  EXPECT_EQ(checked, 12);
  screenshots();
}

INSTANTIATE_TEST_SUITE_P(VariantsAndModes, TextFitTest, ::testing::ValuesIn(kSituations),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Texts no font fits, and the fonts made for fitting

// Far wider than any control of the forms, even in the smallest fitted font.
const std::string kOverlongText =
    "Upload through the serial port, COM1 at 115200bps, and then once more through the serial "
    "port, COM1 at 115200bps";
const std::string kShortText = "COM1";

class TextFitLimitsTest : public ::testing::Test {
 protected:
  ChildControl& control(std::string_view name) {
    return *formtest::AsChildControl(main_.control(name));
  }
  int dpi() { return WindowDpi(FormWindow(main_)); }

  formtest::FormFixture fixture_;
  ui::Form& main_ = fixture_.build(MainWindowLayout());
};

// The label keeps its whole text, drawn in the smallest font and cut with an ellipsis, and
// takes the form's font back with a text that fits.
TEST_F(TextFitLimitsTest, ALabelTooNarrowEvenForTheSmallestFontEndsInAnEllipsis) {
  ChildControl& label = control("lblInformation");
  LONG formHeight = MessageFontAt(dpi()).lfHeight;
  label.setText(kOverlongText);
  EXPECT_EQ(WindowText(label.window()), kOverlongText);
  LOGFONTW font = formtest::FontOf(label.window());
  EXPECT_EQ(std::labs(font.lfHeight), formtest::SmallestFittedHeight(formHeight));
  EXPECT_FALSE(formtest::FitsIn(label.window(), ControlKind::Label,
                                formtest::FontHandleOf(label.window()), dpi()));
  DWORD style = formtest::StyleOf(label.window());
  EXPECT_EQ(style & SS_ELLIPSISMASK, DWORD{SS_ENDELLIPSIS});
  EXPECT_EQ(style & SS_TYPEMASK, DWORD{SS_CENTER}) << "the information line stays centred";
  label.setText(kShortText);
  EXPECT_EQ(formtest::FontOf(label.window()).lfHeight, formHeight);
}

// Every fitted font that a control gives up is deleted at once, and the last one goes with the
// form; where the system counts a process's GDI objects, the count does not grow either.
TEST(TextFitResourcesTest, SettingALabelsText500TimesLeavesNoFontBehind) {
  HFONT lastFitted = nullptr;
  {
    formtest::FormFixture fixture;
    ui::Form& main = fixture.build(MainWindowLayout());
    auto& label = *formtest::AsChildControl(main.control("lblInformation"));
    label.setText(kShortText);
    HFONT formFont = formtest::FontHandleOf(label.window());
    DWORD objectsBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    int fittedFonts = 0;
    int deletedFonts = 0;
    for (int change = 0; change < 500; change += 2) {
      label.setText(kOverlongText);
      HFONT fitted = formtest::FontHandleOf(label.window());
      fittedFonts += fitted != formFont && GetObjectType(fitted) == OBJ_FONT;
      label.setText(kShortText);
      deletedFonts += GetObjectType(fitted) == 0;
      EXPECT_EQ(formtest::FontHandleOf(label.window()), formFont);
    }
    EXPECT_EQ(fittedFonts, 250);
    EXPECT_EQ(deletedFonts, 250);
    DWORD objectsAfter = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    // Wine does not count GDI objects and answers 0; Windows does.
    if (objectsBefore != 0) {
      EXPECT_LE(objectsAfter, objectsBefore + 3);
    }
    label.setText(kOverlongText);
    lastFitted = formtest::FontHandleOf(label.window());
    EXPECT_EQ(GetObjectType(lastFitted), static_cast<DWORD>(OBJ_FONT));
  }
  EXPECT_EQ(GetObjectType(lastFitted), 0u) << "the form's end leaves its fitted font behind";
}

}  // namespace
}  // namespace loadergui::win32
