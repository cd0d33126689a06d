// Forms built from the two layout tables: controls, positions, styles, tab order and menus.
#include <gtest/gtest.h>

#include <algorithm>

#include "TextFitChecks.h"
#include "WindowsTestSupport.h"
#include "app/MainLayout.h"
#include "settings/OptionsLayout.h"

namespace loadergui::win32 {
namespace {

using formtest::ChildWindow;
using formtest::FormWindow;
using formtest::kLayouts;
using formtest::LayoutCase;
using formtest::StyleOf;
using ui::ControlKind;

constexpr DWORD kButtonTypeMask = 0x0F;

class WindowsLayoutTest : public ::testing::TestWithParam<LayoutCase> {
 protected:
  const ui::FormLayout& layout() { return GetParam().layout(); }
  ui::Form& form() { return form_; }
  HWND window() { return FormWindow(form_); }
  int dpi() { return WindowDpi(window()); }

 private:
  formtest::FormFixture fixture_;
  ui::Form& form_ = fixture_.build(GetParam().layout());
};

TEST_P(WindowsLayoutTest, EveryRowIsARealControlWithItsCaptionItemsAndState) {
  for (const ui::ControlLayout& row : layout().controls) {
    SCOPED_TRACE(std::string(row.name));
    ASSERT_TRUE(form().hasControl(row.name));
    ui::Control& control = form().control(row.name);
    HWND child = ChildWindow(form(), row.name);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(GetParent(child), window());
    EXPECT_EQ(control.kind(), row.kind);
    EXPECT_EQ(control.text(), row.caption);
    EXPECT_EQ(WindowText(child), row.caption);
    std::vector<std::string> items(row.items.begin(), row.items.end());
    EXPECT_EQ(control.items(), items);
    bool startsEnabled = (row.flags & ui::kStartsDisabled) == 0;
    EXPECT_EQ(control.enabled(), startsEnabled);
    EXPECT_EQ(IsWindowEnabled(child) != FALSE, startsEnabled);
    EXPECT_TRUE(control.visible());
    EXPECT_EQ(control.value(), ui::kCleared);
  }
}

TEST_P(WindowsLayoutTest, ControlsSitWhereTheTableSaysAtTheWindowsDpi) {
  for (const ui::ControlLayout& row : layout().controls) {
    SCOPED_TRACE(std::string(row.name));
    PixelRect expected = ControlPixels(row, dpi());
    PixelRect actual = formtest::RectInParent(ChildWindow(form(), row.name));
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.width, expected.width);
    EXPECT_EQ(actual.height, expected.height);
  }
}

TEST_P(WindowsLayoutTest, ClientAreaIsTheTablesSize) {
  RECT client;
  GetClientRect(window(), &client);
  EXPECT_EQ(client.right, TwipsToPixels(layout().clientWidth, dpi()));
  EXPECT_EQ(client.bottom, TwipsToPixels(layout().clientHeight, dpi()));
}

TEST_P(WindowsLayoutTest, FrameIsFixedAndStartsHidden) {
  DWORD style = StyleOf(window());
  EXPECT_EQ(formtest::ClassOf(window()), Win32Toolkit::WindowClassName());
  EXPECT_EQ(style & WS_THICKFRAME, 0u);
  EXPECT_EQ(style & WS_MAXIMIZEBOX, 0u);
  EXPECT_NE(style & WS_SYSMENU, 0u);  // both have a close box
  EXPECT_EQ(style & WS_CHILD, 0u);
  bool isMainWindow = !layout().menu.empty();
  EXPECT_EQ((style & WS_MINIMIZEBOX) != 0, isMainWindow);
  EXPECT_EQ(GetMenu(window()) != nullptr, isMainWindow);
  EXPECT_FALSE(form().isShown());
  EXPECT_FALSE(IsWindowVisible(window()));
  EXPECT_EQ(form().caption().text(), layout().caption);
  EXPECT_EQ(WindowText(window()), layout().caption);
}

// Tab reaches every control that can take the focus, in table order, then wraps around.
TEST_P(WindowsLayoutTest, TabOrderIsTableOrder) {
  std::vector<std::string> expected;
  for (const ui::ControlLayout& row : layout().controls) {
    if (row.kind != ControlKind::Label && !(row.flags & ui::kStartsDisabled)) {
      expected.emplace_back(row.name);
    }
  }
  ASSERT_FALSE(expected.empty());
  std::vector<std::string> visited;
  HWND first = ChildWindow(form(), expected.front());
  HWND current = first;
  do {
    std::string name;
    for (const ui::ControlLayout& row : layout().controls) {
      if (ChildWindow(form(), row.name) == current) name = row.name;
    }
    visited.push_back(name);
    current = GetNextDlgTabItem(window(), current, FALSE);
  } while (current && current != first && visited.size() <= layout().controls.size());
  EXPECT_EQ(visited, expected);
}

struct KindStyle {
  ControlKind kind;
  const char* className;
  DWORD required;
  DWORD forbidden;
};

const KindStyle kKindStyles[] = {
    {ControlKind::Button, "Button", WS_TABSTOP, 0},
    {ControlKind::Label, "Static", SS_ENDELLIPSIS, WS_TABSTOP},
    {ControlKind::TextBox, "Edit", WS_TABSTOP | ES_AUTOHSCROLL, ES_MULTILINE | ES_READONLY},
    {ControlKind::ComboBox, "ComboBox", WS_TABSTOP | CBS_DROPDOWN, CBS_SIMPLE & ~CBS_DROPDOWN},
    {ControlKind::CheckBox, "Button", WS_TABSTOP, 0},
};

// The forms are built at the system DPI here, which the system's message font is measured at;
// a label or check box has it too, or a smaller one of its face that its text fits in.
TEST_P(WindowsLayoutTest, ControlsHaveTheirKindsClassStyleAndFont) {
  ASSERT_EQ(dpi(), SystemDpi());
  LOGFONTW messageFont = formtest::SystemMessageFont();
  ASSERT_NE(formtest::FaceOf(messageFont), "");
  for (const ui::ControlLayout& row : layout().controls) {
    SCOPED_TRACE(std::string(row.name));
    HWND child = ChildWindow(form(), row.name);
    DWORD style = StyleOf(child);
    auto kindStyle = std::find_if(std::begin(kKindStyles), std::end(kKindStyles),
                                  [&](const KindStyle& entry) { return entry.kind == row.kind; });
    ASSERT_NE(kindStyle, std::end(kKindStyles));
    EXPECT_EQ(lstrcmpiA(formtest::ClassOf(child).c_str(), kindStyle->className), 0);
    EXPECT_EQ(style & kindStyle->required, kindStyle->required);
    EXPECT_EQ(style & kindStyle->forbidden, 0u);
    LOGFONTW font = formtest::FontOf(child);
    EXPECT_EQ(formtest::FaceOf(font), formtest::FaceOf(messageFont));
    EXPECT_EQ(font.lfWeight, messageFont.lfWeight);
    // A label's or check box's text may need a smaller font to fit on one line.
    if (row.kind == ControlKind::Label || row.kind == ControlKind::CheckBox) {
      formtest::ExpectTextFits(child, row.kind, dpi());
    } else {
      EXPECT_EQ(font.lfHeight, messageFont.lfHeight);
    }
    if (row.kind == ControlKind::CheckBox) {
      EXPECT_EQ(style & kButtonTypeMask, DWORD{BS_3STATE});
    }
    if (row.kind == ControlKind::Label) {
      DWORD alignment = style & (SS_CENTER | SS_RIGHT);
      EXPECT_EQ(alignment, (row.flags & ui::kCentredText) ? DWORD{SS_CENTER} : 0u);
    }
    if (row.kind == ControlKind::TextBox) {
      EXPECT_GE(static_cast<DWORD>(SendMessageA(child, EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEu);
    }
  }
}

TEST_P(WindowsLayoutTest, OnlyTheTablesDefaultButtonHasTheDefaultStyle) {
  int defaults = 0;
  for (const ui::ControlLayout& row : layout().controls) {
    if (row.kind != ControlKind::Button) continue;
    SCOPED_TRACE(std::string(row.name));
    bool isDefault = (row.flags & ui::kDefaultButton) != 0;
    defaults += isDefault;
    DWORD type = StyleOf(ChildWindow(form(), row.name)) & kButtonTypeMask;
    EXPECT_EQ(type, isDefault ? DWORD{BS_DEFPUSHBUTTON} : DWORD{BS_PUSHBUTTON});
    if (isDefault) {
      LRESULT answer = SendMessageA(window(), DM_GETDEFID, 0, 0);
      EXPECT_EQ(HIWORD(answer), DC_HASDEFID);
      EXPECT_EQ(LOWORD(answer), GetDlgCtrlID(ChildWindow(form(), row.name)));
    }
  }
  EXPECT_EQ(defaults, 1);
}

// The menu bar holds the table's entries in order: level 0 on the bar, level 1 in the menu of
// the level-0 entry before them, "-" as separators; an entry that starts hidden is not in it.
TEST_P(WindowsLayoutTest, MenuTreeFollowsTheTable) {
  HMENU bar = GetMenu(window());
  if (layout().menu.empty()) {
    EXPECT_EQ(bar, nullptr);
    return;
  }
  ASSERT_NE(bar, nullptr);
  int barPosition = -1;
  int itemPosition = 0;
  std::vector<int> shownItems(layout().menu.size(), 0);  // by menu
  HMENU popup = nullptr;
  for (const ui::MenuEntry& entry : layout().menu) {
    SCOPED_TRACE(std::string(entry.name));
    ui::Control& control = form().control(entry.name);
    bool separator = entry.caption == "-";
    EXPECT_EQ(control.text(), entry.caption);
    // A separator cannot be chosen at all.
    if (!separator) {
      EXPECT_TRUE(control.enabled());
    }
    EXPECT_FALSE(control.checked());
    bool startsHidden = (entry.flags & ui::kStartsHidden) != 0;
    EXPECT_EQ(control.visible(), !startsHidden);
    if (startsHidden) continue;
    if (entry.level == 0) {
      ++barPosition;
      itemPosition = 0;
      popup = GetSubMenu(bar, barPosition);
      ASSERT_NE(popup, nullptr);
      EXPECT_EQ(control.kind(), ControlKind::Menu);
      EXPECT_EQ(formtest::MenuCaption(bar, static_cast<UINT>(barPosition)), entry.caption);
      continue;
    }
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    ASSERT_TRUE(GetMenuItemInfoA(popup, static_cast<UINT>(itemPosition), TRUE, &info));
    EXPECT_EQ((info.fType & MFT_SEPARATOR) != 0, separator);
    EXPECT_EQ(control.kind(), separator ? ControlKind::Separator : ControlKind::MenuItem);
    if (!separator) {
      EXPECT_EQ(formtest::MenuCaption(popup, static_cast<UINT>(itemPosition)), entry.caption);
    }
    ++itemPosition;
    shownItems[static_cast<std::size_t>(barPosition)] = itemPosition;
  }
  EXPECT_EQ(GetMenuItemCount(bar), barPosition + 1);
  for (int menu = 0; menu <= barPosition; ++menu) {
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, menu)), shownItems[static_cast<std::size_t>(menu)])
        << "menu " << menu << " holds more than the table shows";
  }
}

INSTANTIATE_TEST_SUITE_P(BothForms, WindowsLayoutTest, ::testing::ValuesIn(kLayouts),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace loadergui::win32
