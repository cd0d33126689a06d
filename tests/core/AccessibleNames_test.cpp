// What a screen reader calls each control: boxes by their labels, the rest by their captions.
#include "ui/AccessibleNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "app/MainLayout.h"
#include "platform/PlatformFacts.h"
#include "settings/OptionsLayout.h"

namespace loadergui::testing {
namespace {

using ui::ControlKind;

struct FormCase {
  const char* name;
  ui::FormLayout layout;
};

const FormCase kForms[] = {
    {"main window", MainWindowLayout()},
    {"options dialog", OptionsDialogLayout()},
    {"options dialog on Linux", PlatformOptionsLayout(platform::kLinuxFacts)},
};

const ui::ControlLayout& Row(const ui::FormLayout& layout, std::string_view name) {
  for (const ui::ControlLayout& row : layout.controls) {
    if (row.name == name) return row;
  }
  ADD_FAILURE() << "no row " << name;
  return layout.controls.front();
}

bool TakesFocus(ControlKind kind) {
  return kind == ControlKind::Button || kind == ControlKind::CheckBox || ui::IsNamedByLabel(kind);
}

TEST(AccessibleNamesTest, EveryBoxIsNamedByALabelOrCheckBoxOfItsForm) {
  for (const FormCase& form : kForms) {
    for (const ui::ControlLayout& row : form.layout.controls) {
      if (!ui::IsNamedByLabel(row.kind)) continue;
      SCOPED_TRACE(std::string(form.name) + ", " + std::string(row.name));
      const ui::ControlLayout* label = ui::LabelOf(form.layout, row);
      ASSERT_NE(label, nullptr) << "has no label";
      EXPECT_TRUE(label->kind == ControlKind::Label || label->kind == ControlKind::CheckBox);
    }
  }
}

// An entry of the label table that names a label or a button, names a box twice, or points at
// a control of no row is a slip.
TEST(AccessibleNamesTest, LabelTableNamesEachBoxOnceAndNothingElse) {
  for (const FormCase& form : kForms) {
    SCOPED_TRACE(form.name);
    for (const ui::BoxLabel& entry : form.layout.labels) {
      auto isBox = [&](const ui::ControlLayout& row) { return row.member == entry.box; };
      auto isLabel = [&](const ui::ControlLayout& row) { return row.member == entry.label; };
      const auto& rows = form.layout.controls;
      auto box = std::find_if(rows.begin(), rows.end(), isBox);
      ASSERT_NE(box, rows.end()) << "an entry names a box of no row";
      EXPECT_EQ(std::count_if(rows.begin(), rows.end(), isLabel), 1) << box->name;
      EXPECT_TRUE(ui::IsNamedByLabel(box->kind)) << box->name << " is no box";
      auto sameBox = [&](const ui::BoxLabel& other) { return other.box == entry.box; };
      const auto& entries = form.layout.labels;
      EXPECT_EQ(std::count_if(entries.begin(), entries.end(), sameBox), 1) << box->name;
    }
  }
}

struct Naming {
  const char* box;
  const char* label;
};

// The label over each box; the three boxes that a check box switches on carry its caption.
const Naming kMainNamings[] = {{"txtUpload", "lblFilename"}, {"txtDownload", "lblFilename"}};
const Naming kOptionsNamings[] = {
    {"txtAddress", "lblAddress"},    {"txtFilesize", "lblFilesize"},
    {"cmbCOMPort", "lblCOMPort"},    {"cmbIP", "lblCOMPort"},
    {"cmbBaudrate", "lblBaudrate"},  {"txtChroot", "cbChroot"},
    {"txtCDFSRedir", "cbCDFSRedir"}, {"txtARP", "cbARP"},
};

TEST(AccessibleNamesTest, EachBoxIsNamedByTheControlThatTellsWhatItHolds) {
  const ui::FormLayout& main = MainWindowLayout();
  for (const Naming& naming : kMainNamings) {
    const ui::ControlLayout* label = ui::LabelOf(main, Row(main, naming.box));
    ASSERT_NE(label, nullptr) << naming.box;
    EXPECT_EQ(label->name, naming.label) << naming.box;
  }
  for (const FormCase& form : {kForms[1], kForms[2]}) {
    for (const Naming& naming : kOptionsNamings) {
      const ui::ControlLayout* label = ui::LabelOf(form.layout, Row(form.layout, naming.box));
      ASSERT_NE(label, nullptr) << form.name << ", " << naming.box;
      EXPECT_EQ(label->name, naming.label) << form.name << ", " << naming.box;
    }
  }
}

TEST(AccessibleNamesTest, ALabelNamesEveryBoxThatSharesItsSpot) {
  const ui::FormLayout& main = MainWindowLayout();
  auto names = [](const std::vector<const ui::ControlLayout*>& rows) {
    std::vector<std::string_view> found;
    for (const ui::ControlLayout* row : rows) found.push_back(row->name);
    return found;
  };
  EXPECT_EQ(names(ui::BoxesNamedBy(main, Row(main, "lblFilename"))),
            (std::vector<std::string_view>{"txtUpload", "txtDownload"}));
  EXPECT_TRUE(ui::BoxesNamedBy(main, Row(main, "lblInformation")).empty());
  const ui::FormLayout& options = OptionsDialogLayout();
  EXPECT_EQ(names(ui::BoxesNamedBy(options, Row(options, "lblCOMPort"))),
            (std::vector<std::string_view>{"cmbCOMPort", "cmbIP"}));
  EXPECT_EQ(names(ui::BoxesNamedBy(options, Row(options, "cbARP"))),
            (std::vector<std::string_view>{"txtARP"}));
  EXPECT_TRUE(ui::BoxesNamedBy(options, Row(options, "cbNoConsole")).empty());
}

// Buttons and check boxes are named by their own captions, boxes by their labels' captions,
// menu items by theirs; none of those names may be empty.
TEST(AccessibleNamesTest, EveryControlThatTakesTheFocusHasAName) {
  for (const FormCase& form : kForms) {
    for (const ui::ControlLayout& row : form.layout.controls) {
      if (!TakesFocus(row.kind)) continue;
      SCOPED_TRACE(std::string(form.name) + ", " + std::string(row.name));
      const ui::ControlLayout* label = ui::LabelOf(form.layout, row);
      std::string_view caption = ui::IsNamedByLabel(row.kind)
                                     ? (label ? label->caption : std::string_view())
                                     : row.caption;
      EXPECT_NE(ui::WithoutAccessKey(caption), "");
    }
    for (const ui::MenuEntry& entry : form.layout.menu) {
      if (entry.caption == "-") continue;
      EXPECT_NE(ui::WithoutAccessKey(entry.caption), "") << form.name << ", " << entry.name;
    }
  }
}

TEST(AccessibleNamesTest, NamesLeaveOutTheAccessKeyMarker) {
  struct Case {
    std::string_view caption;
    std::string_view name;
  };
  const Case cases[] = {
      {"&Browse", "Browse"},
      {"Upload and &Execute", "Upload and Execute"},
      {"&About ", "About "},
      {"Select a file to upload", "Select a file to upload"},
      {"Save && quit", "Save & quit"},
      {"&&&Both", "&Both"},
      {"Ends in &", "Ends in "},
      {"&", ""},
      {"", ""},
  };
  for (const Case& entry : cases) {
    EXPECT_EQ(ui::WithoutAccessKey(entry.caption), entry.name) << entry.caption;
  }
}

}  // namespace
}  // namespace loadergui::testing
