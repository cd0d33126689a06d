// The refusal box: its title and text, a single OK button, no icon, modal to its owner; and the
// question box with Yes, No and Cancel.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "win32/Services.h"

namespace loadergui::win32::testing {
namespace {

constexpr int kMessageText = 0xFFFF;  // the Static control that holds a message box's text

struct BoxSeen {
  bool found = false;
  std::string text;
  int visibleButtons = 0;
  int okButtons = 0;
  int visibleIcons = 0;
  bool ownerDisabled = false;
  HWND owner = nullptr;
  bool closed = false;
};

TEST(MessageBoxTest, RefusalBoxShowsTheTextWithOnlyAnOkButton) {
  OwnerForm owner;
  Win32Services services;
  const std::string text = "A required file(s) was not found!";
  BoxSeen seen;
  WhileDialogRuns(
      [&] {
        HWND box = WaitForDialogShowing("Oops!");
        seen.found = box != nullptr;
        if (!box) {
          for (HWND other : OurDialogs()) PressButton(other, IDOK);
          return;
        }
        char shown[512] = {};
        GetDlgItemTextA(box, kMessageText, shown, sizeof shown);
        seen.text = shown;
        for (HWND child : Children(box)) {
          if (!IsWindowVisible(child)) continue;
          if (ClassOf(child) == "Button") {
            ++seen.visibleButtons;
            if (GetDlgCtrlID(child) == IDOK) ++seen.okButtons;
          }
          LONG style = GetWindowLongA(child, GWL_STYLE);
          // A message box without an icon may keep its icon control, but with no icon in it.
          if (ClassOf(child) == "Static" && (style & SS_TYPEMASK) == SS_ICON &&
              SendMessageA(child, STM_GETICON, 0, 0) != 0) {
            ++seen.visibleIcons;
          }
        }
        seen.owner = GetWindow(box, GW_OWNER);
        CaptureDialog(box, "refusal-box");
        seen.ownerDisabled = !IsWindowEnabled(owner.window());
        PressButton(box, IDOK);
        seen.closed = WaitForDialogToClose(box);
      },
      [&] { services.messageBox(&owner, text, "Oops!"); });

  ASSERT_TRUE(seen.found) << "no message box titled Oops!";
  EXPECT_TRUE(seen.closed);
  EXPECT_EQ(seen.text, text);
  EXPECT_EQ(seen.visibleButtons, 1);
  EXPECT_EQ(seen.okButtons, 1);
  EXPECT_EQ(seen.visibleIcons, 0);
  EXPECT_EQ(seen.owner, owner.window());
  EXPECT_TRUE(seen.ownerDisabled);
}

// A key as the box's modal loop reads it, given to the button that has the focus at first.
void PressKey(HWND box, WPARAM key) {
  HWND focused = GetDlgItem(box, IDYES);
  PostMessageA(focused, WM_KEYDOWN, key, 0);
  PostMessageA(focused, WM_KEYUP, key, 0);
}

// How the user answers the question box: a button, Enter (on Yes, the default), Esc, or the
// close box.
struct QuestionCase {
  const char* name;
  std::function<void(HWND box)> answer;
  platform::Answer expected;
};

const QuestionCase kQuestions[] = {
    {"Yes", [](HWND box) { PressButton(box, IDYES); }, platform::Answer::Yes},
    {"No", [](HWND box) { PressButton(box, IDNO); }, platform::Answer::No},
    {"Cancel", [](HWND box) { PressButton(box, IDCANCEL); }, platform::Answer::Cancel},
    {"Enter", [](HWND box) { PressKey(box, VK_RETURN); }, platform::Answer::Yes},
    {"Esc", [](HWND box) { PressKey(box, VK_ESCAPE); }, platform::Answer::Cancel},
    {"CloseBox", [](HWND box) { PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0); },
     platform::Answer::Cancel},
};

void PrintTo(const QuestionCase& row, std::ostream* out) {
  *out << row.name;
}

class QuestionBoxTest : public ::testing::TestWithParam<QuestionCase> {};

TEST_P(QuestionBoxTest, AsksWithYesNoAndCancelAndNoIcon) {
  OwnerForm owner;
  Win32Services services;
  const std::string text =
      "The serial loader started before is still running and may hold COM1. "
      "End it and start the new one?";
  BoxSeen seen;
  std::vector<int> buttons;
  platform::Answer answer = platform::Answer::No;
  WhileDialogRuns(
      [&] {
        HWND box = WaitForDialogShowing("Ravlink Serial GUI 2.0");
        seen.found = box != nullptr;
        if (!box) {
          for (HWND other : OurDialogs()) PressButton(other, IDCANCEL);
          return;
        }
        char shown[512] = {};
        GetDlgItemTextA(box, kMessageText, shown, sizeof shown);
        seen.text = shown;
        for (HWND child : Children(box)) {
          if (IsWindowVisible(child) && ClassOf(child) == "Button") {
            buttons.push_back(GetDlgCtrlID(child));
          }
          LONG style = GetWindowLongA(child, GWL_STYLE);
          if (ClassOf(child) == "Static" && (style & SS_TYPEMASK) == SS_ICON &&
              SendMessageA(child, STM_GETICON, 0, 0) != 0) {
            ++seen.visibleIcons;
          }
        }
        seen.owner = GetWindow(box, GW_OWNER);
        seen.ownerDisabled = !IsWindowEnabled(owner.window());
        if (GetParam().expected == platform::Answer::Yes) CaptureDialog(box, "question-box");
        GetParam().answer(box);
        seen.closed = WaitForDialogToClose(box);
      },
      [&] { answer = services.ask(&owner, text, "Ravlink Serial GUI 2.0"); });

  ASSERT_TRUE(seen.found) << "no question box titled with the main window's caption";
  EXPECT_TRUE(seen.closed);
  EXPECT_EQ(answer, GetParam().expected);
  EXPECT_EQ(seen.text, text);
  std::sort(buttons.begin(), buttons.end());
  EXPECT_EQ(buttons, (std::vector<int>{IDCANCEL, IDYES, IDNO}));
  EXPECT_EQ(seen.visibleIcons, 0);
  EXPECT_EQ(seen.owner, owner.window());
  EXPECT_TRUE(seen.ownerDisabled);
}

INSTANTIATE_TEST_SUITE_P(Answers, QuestionBoxTest, ::testing::ValuesIn(kQuestions),
                         [](const ::testing::TestParamInfo<QuestionCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace loadergui::win32::testing
