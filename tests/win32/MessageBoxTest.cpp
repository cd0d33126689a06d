// The refusal box: its title and text, a single OK button, no icon, modal to its owner.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

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

}  // namespace
}  // namespace loadergui::win32::testing
