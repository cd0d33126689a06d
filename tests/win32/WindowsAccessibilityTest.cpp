// What a screen reader reads of the real windows: each text box and combo box is named by the
// static text directly before it in the child order, and the focus stops keep the table order.
#include <gtest/gtest.h>
#include <windows.h>
// windows.h first: the headers below rely on its types.
#include <oleacc.h>

#include <memory>
#include <string>
#include <vector>

#include "FakeServices.h"
#include "WindowsTestSupport.h"
#include "app/App.h"
#include "ui/AccessibleNames.h"

namespace loadergui::win32 {
namespace {

using formtest::ChildWindow;
using formtest::ClassOf;
using formtest::DrainMessages;
using formtest::FakeServices;
using formtest::FormWindow;
using formtest::StyleOf;
using ui::ControlKind;

// IAccessible's identifier, spelt out: the tests find the accessibility layer (oleacc) at run
// time, as a screen reader does, rather than link its library.
constexpr IID kIAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

using AccessibleObjectFromWindowFunction = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);

// The name that the system's accessibility layer gives a window, as a screen reader asks for
// it; "(none)" when it gives none.
std::string AccessibleName(HWND window) {
  static const auto fromWindow =
      reinterpret_cast<AccessibleObjectFromWindowFunction>(reinterpret_cast<void (*)()>(
          GetProcAddress(LoadLibraryA("oleacc.dll"), "AccessibleObjectFromWindow")));
  if (!fromWindow) return "(no oleacc)";
  IAccessible* accessible = nullptr;
  if (FAILED(fromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIAccessible,
                        reinterpret_cast<void**>(&accessible))) ||
      !accessible) {
    return "(no accessible object)";
  }
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  std::string said = "(none)";
  if (accessible->get_accName(self, &name) == S_OK && name) {
    said.clear();
    for (const wchar_t* letter = name; *letter; ++letter) said += static_cast<char>(*letter);
  }
  if (name) SysFreeString(name);
  accessible->Release();
  return said;
}

class WindowsAccessibilityTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DrainMessages();
    comReady_ = SUCCEEDED(CoInitialize(nullptr));
    app_ = std::make_unique<App>(services_.interfaces(), toolkit_);
    ASSERT_TRUE(app_->start());
  }
  void TearDown() override {
    app_.reset();
    DrainMessages();
    if (comReady_) CoUninitialize();
  }

  ui::Form& main() { return app_->frmMain().form(); }
  ui::Form& options() { return app_->frmOptions().form(); }
  void choose(const char* caption) { formtest::ChooseMenuItem(FormWindow(main()), caption); }

  // Each box's window comes directly after a static text with its label's caption: the label
  // itself before the first box it names, a hidden label with the same caption otherwise.
  void expectLabelsDirectlyBeforeTheirBoxes(ui::Form& form) {
    for (const ui::ControlLayout& row : form.layout().controls) {
      const ui::ControlLayout* label = ui::LabelOf(form.layout(), row);
      if (!label) continue;
      SCOPED_TRACE(std::string(row.name) + " named by " + std::string(label->name));
      HWND before = GetWindow(ChildWindow(form, row.name), GW_HWNDPREV);
      ASSERT_NE(before, nullptr);
      EXPECT_EQ(lstrcmpiA(ClassOf(before).c_str(), "Static"), 0);
      EXPECT_EQ(WindowText(before), form.control(label->name).text());
      bool firstBox = ui::BoxesNamedBy(form.layout(), *label).front() == &row;
      if (label->kind == ControlKind::Label && firstBox) {
        EXPECT_EQ(before, ChildWindow(form, label->name));
      } else {
        EXPECT_EQ(StyleOf(before) & WS_VISIBLE, 0u) << "a label copy that shows";
      }
    }
  }

  // Text boxes only: Wine's accessibility layer names a combo box after its own text.
  void expectTextBoxesSayTheirLabels(ui::Form& form) {
    for (const ui::ControlLayout& row : form.layout().controls) {
      const ui::ControlLayout* label = ui::LabelOf(form.layout(), row);
      if (!label || row.kind != ControlKind::TextBox) continue;
      std::string caption = form.control(label->name).text();
      EXPECT_EQ(AccessibleName(ChildWindow(form, row.name)), ui::WithoutAccessKey(caption))
          << row.name;
    }
  }

  FakeServices services_;
  Win32Toolkit toolkit_{GetModuleHandleA(nullptr)};
  std::unique_ptr<App> app_;
  bool comReady_ = false;
};

TEST_F(WindowsAccessibilityTest, EachBoxFollowsAStaticTextWithItsLabelsCaption) {
  expectLabelsDirectlyBeforeTheirBoxes(main());
  expectLabelsDirectlyBeforeTheirBoxes(options());
}

// The device label's caption follows the loader, the file label's the mode; so do the copies.
TEST_F(WindowsAccessibilityTest, LabelCopiesFollowTheLoaderAndTheMode) {
  choose("Ravlink &IP");
  choose("&Download");
  ASSERT_EQ(app_->frmOptions().lblCOMPort->text(), "Set an IP (Default: 192.168.0.0)");
  ASSERT_EQ(app_->frmMain().lblFilename->text(), "Save a file to download");
  expectLabelsDirectlyBeforeTheirBoxes(main());
  expectLabelsDirectlyBeforeTheirBoxes(options());
}

// A label moved in the child order moves no focus stop: the controls that take the focus come
// in the table's order, and every child window besides the table's controls is a hidden label.
TEST_F(WindowsAccessibilityTest, FocusStopsKeepTheTablesOrder) {
  for (ui::Form* form : {&main(), &options()}) {
    SCOPED_TRACE(std::string(form->name()));
    std::vector<std::string> expected;
    for (const ui::ControlLayout& row : form->layout().controls) {
      if (row.kind != ControlKind::Label) expected.emplace_back(row.name);
    }
    std::vector<std::string> stops;
    for (HWND child = GetWindow(FormWindow(*form), GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
      std::string name;
      for (const ui::ControlLayout& row : form->layout().controls) {
        if (ChildWindow(*form, row.name) == child) name = row.name;
      }
      if (name.empty()) {
        EXPECT_EQ(lstrcmpiA(ClassOf(child).c_str(), "Static"), 0) << WindowText(child);
        EXPECT_EQ(StyleOf(child) & (WS_VISIBLE | WS_TABSTOP), 0u) << WindowText(child);
      } else if (StyleOf(child) & WS_TABSTOP) {
        stops.push_back(name);
      }
    }
    EXPECT_EQ(stops, expected);
  }
}

TEST_F(WindowsAccessibilityTest, ScreenReadersReadEachTextBoxsLabel) {
  expectTextBoxesSayTheirLabels(main());
  expectTextBoxesSayTheirLabels(options());
  choose("&Download");
  choose("Ravlink &IP");
  EXPECT_EQ(AccessibleName(ChildWindow(main(), "txtDownload")), "Save a file to download");
  EXPECT_EQ(AccessibleName(ChildWindow(options(), "txtARP")),
            "Use ARP (set DC modem's MAC address)");
  expectTextBoxesSayTheirLabels(main());
  expectTextBoxesSayTheirLabels(options());
}

}  // namespace
}  // namespace loadergui::win32
