// Each window's typed members: every layout row has one, and it holds the control the row names.
#include <gtest/gtest.h>

#include <set>
#include <string_view>

#include "app/MainLayout.h"
#include "app/MainWindow.h"
#include "null/Toolkit.h"
#include "settings/OptionsDialog.h"
#include "settings/OptionsLayout.h"

namespace loadergui::testing {
namespace {

// A row without a member, two rows sharing one, or a member bound to another row's control is
// caught by the names; a member that no row points at stays empty, which only the size of the
// struct shows: the typed form plus one pointer for each row.
template <typename Window>
void ExpectEveryRowBoundToItsMember(const ui::FormLayout& layout) {
  null::NullToolkit toolkit;
  Window window(toolkit.createForm(layout));
  std::set<ui::Control*> seen;
  std::size_t rows = 0;
  auto expectBound = [&](std::string_view name, ui::ControlMember member) {
    ++rows;
    ASSERT_NE(member, nullptr) << name << " has no typed member";
    ui::Control* control = window.*member;
    ASSERT_NE(control, nullptr) << name;
    EXPECT_EQ(control->name(), name);
    EXPECT_TRUE(seen.insert(control).second) << name << " shares its member";
  };
  for (const ui::ControlLayout& row : layout.controls) expectBound(row.name, row.member);
  for (const ui::MenuEntry& entry : layout.menu) expectBound(entry.name, entry.member);
  EXPECT_EQ(sizeof(Window), sizeof(ui::TypedForm) + rows * sizeof(ui::Control*));
  EXPECT_EQ(window.caption, &window.form().caption());
}

TEST(TypedControlsTest, MainWindowMembersMatchItsLayoutRows) {
  ExpectEveryRowBoundToItsMember<MainWindow>(MainWindowLayout());
}

TEST(TypedControlsTest, OptionsDialogMembersMatchItsLayoutRows) {
  ExpectEveryRowBoundToItsMember<OptionsDialog>(OptionsDialogLayout());
}

}  // namespace
}  // namespace loadergui::testing
