// What a screen reader says for each control: boxes by their labels, the rest by their captions.
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>

#include "QtFixture.h"
#include "qt/WidgetControl.h"
#include "ui/AccessibleNames.h"

namespace loadergui::qttest {
namespace {

using ui::ControlKind;

class AccessibilityTest : public QtFixture {
 protected:
  void SetUp() override { ASSERT_TRUE(start()); }

  QAccessibleInterface* face(qt::QtForm& form, const char* name) {
    return QAccessible::queryAccessibleInterface(widget<QWidget>(form, name));
  }
  std::string nameOf(qt::QtForm& form, const char* name) {
    QAccessibleInterface* found = face(form, name);
    return found ? found->text(QAccessible::Name).toStdString() : "(no interface)";
  }
  // Every box of the form is named by what its label or check box shows now.
  void expectBoxesNamedByTheirLabels(qt::QtForm& form) {
    for (const ui::ControlLayout& row : form.layout().controls) {
      const ui::ControlLayout* label = ui::LabelOf(form.layout(), row);
      if (!label) continue;
      std::string labelName(label->name);
      std::string shown = form.control(labelName).text();
      EXPECT_EQ(nameOf(form, std::string(row.name).c_str()), ui::WithoutAccessKey(shown))
          << row.name << " named by " << labelName;
    }
  }
};

struct ExpectedName {
  const char* box;
  const char* name;
};

// As a first run on Linux shows them, with the serial loader and Upload and Execute.
const ExpectedName kFirstRunMain[] = {
    {"txtUpload", "Select a file to upload"},
    {"txtDownload", "Select a file to upload"},
};
const ExpectedName kFirstRunOptions[] = {
    {"txtAddress", "Set address location (Default: 0x8c010000)"},
    {"txtFilesize", "Set filesize (required when downloading)"},
    {"cmbCOMPort", "Select a device (Default: /dev/ttyS0)"},
    {"cmbIP", "Select a device (Default: /dev/ttyS0)"},
    {"cmbBaudrate", "Set the baudrate (Default: 115200)"},
    {"txtChroot", "Chroot to path"},
    {"txtCDFSRedir", "CDFS Redirection"},
    {"txtARP", "Use ARP (set DC modem's MAC address)"},
};

TEST_F(AccessibilityTest, EveryBoxIsNamedByItsLabelOrCheckBox) {
  for (const ExpectedName& expected : kFirstRunMain) {
    EXPECT_EQ(nameOf(mainForm(), expected.box), expected.name) << expected.box;
  }
  for (const ExpectedName& expected : kFirstRunOptions) {
    EXPECT_EQ(nameOf(optionsForm(), expected.box), expected.name) << expected.box;
  }
  expectBoxesNamedByTheirLabels(mainForm());
  expectBoxesNamedByTheirLabels(optionsForm());
}

// lblCOMPort names both the device and the IP box, and its caption follows the loader.
TEST_F(AccessibilityTest, DeviceAndIpBoxesFollowTheLabelAcrossLoaders) {
  app->frmMain().mnuRavlinkIP->click();
  EXPECT_EQ(nameOf(optionsForm(), "cmbIP"), "Set an IP (Default: 192.168.0.0)");
  EXPECT_EQ(nameOf(optionsForm(), "cmbCOMPort"), "Set an IP (Default: 192.168.0.0)");
  expectBoxesNamedByTheirLabels(optionsForm());
  app->frmMain().mnuRavlinkSerial->click();
  EXPECT_EQ(nameOf(optionsForm(), "cmbIP"), "Select a device (Default: /dev/ttyS0)");
  EXPECT_EQ(nameOf(optionsForm(), "cmbCOMPort"), "Select a device (Default: /dev/ttyS0)");
}

TEST_F(AccessibilityTest, FileBoxesFollowTheLabelAcrossModes) {
  app->frmMain().mnuConfigDownload->click();
  EXPECT_EQ(nameOf(mainForm(), "txtDownload"), "Save a file to download");
  EXPECT_EQ(nameOf(mainForm(), "cmdExecute"), "Download");
  EXPECT_EQ(nameOf(mainForm(), "cmdBrowse"), "Save");
  app->frmMain().mnuConfigUpload->click();
  EXPECT_EQ(nameOf(mainForm(), "txtUpload"), "Select a file to upload");
  EXPECT_EQ(nameOf(mainForm(), "cmdExecute"), "Upload");
  expectBoxesNamedByTheirLabels(mainForm());
}

// A screen reader says that it changed; a name set to the same text again says nothing.
TEST_F(AccessibilityTest, ANameChangesOnlyWithItsLabel) {
  QWidget* box = widget<QWidget>(optionsForm(), "cmbIP");
  app->frmMain().mnuRavlinkSerial->click();
  QString before = box->accessibleName();
  app->frmOptions().lblCOMPort->setText("Set an &IP");
  EXPECT_EQ(box->accessibleName(), QStringLiteral("Set an IP"));
  app->frmOptions().lblCOMPort->setText(before.toStdString());
  EXPECT_EQ(box->accessibleName(), before);
}

// The label over a box is its buddy: Qt relates the two for a screen reader, and the label's
// access key would give the box the focus.
TEST_F(AccessibilityTest, LabelsAreTheBuddiesOfTheBoxesUnderThem) {
  struct Buddy {
    qt::QtForm& form;
    const char* label;
    const char* box;
  };
  const Buddy buddies[] = {
      {mainForm(), "lblFilename", "txtUpload"},      {optionsForm(), "lblAddress", "txtAddress"},
      {optionsForm(), "lblFilesize", "txtFilesize"}, {optionsForm(), "lblCOMPort", "cmbCOMPort"},
      {optionsForm(), "lblBaudrate", "cmbBaudrate"},
  };
  for (const Buddy& buddy : buddies) {
    SCOPED_TRACE(buddy.label);
    QWidget* box = widget<QWidget>(buddy.form, buddy.box);
    EXPECT_EQ(widget<QLabel>(buddy.form, buddy.label)->buddy(), box);
    QAccessibleInterface* label = face(buddy.form, buddy.label);
    bool related = false;
    for (const auto& [other, relation] : face(buddy.form, buddy.box)->relations()) {
      related |= other == label && (relation & QAccessible::Label);
    }
    EXPECT_TRUE(related);
  }
}

// Named like a text box, the combo box still tells its text, its list and its edit field.
TEST_F(AccessibilityTest, ComboBoxesKeepTheirRoleValueAndEditField) {
  QAccessibleInterface* baud = face(optionsForm(), "cmbBaudrate");
  ASSERT_NE(baud, nullptr);
  EXPECT_EQ(baud->role(), QAccessible::ComboBox);
  EXPECT_EQ(baud->text(QAccessible::Value), QStringLiteral("115200"));
  app->frmOptions().cmbBaudrate->setText("57600");
  EXPECT_EQ(baud->text(QAccessible::Value), QStringLiteral("57600"));
  EXPECT_TRUE(baud->state().editable);
  EXPECT_TRUE(baud->state().expandable);
  EXPECT_FALSE(baud->state().expanded);
  auto* combo = widget<QComboBox>(optionsForm(), "cmbBaudrate");
  QAccessibleInterface* field = QAccessible::queryAccessibleInterface(combo->lineEdit());
  ASSERT_GE(baud->indexOfChild(field), 0);
  EXPECT_EQ(field->role(), QAccessible::EditableText);
  EXPECT_EQ(field->parent(), baud);
  EXPECT_TRUE(face(optionsForm(), "cmbIP")->state().invisible);
}

TEST_F(AccessibilityTest, AScreenReaderOpensAndClosesAComboBoxList) {
  optionsForm().window().show();
  auto* combo = widget<QComboBox>(optionsForm(), "cmbBaudrate");
  QAccessibleActionInterface* actions = face(optionsForm(), "cmbBaudrate")->actionInterface();
  ASSERT_NE(actions, nullptr);
  ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::showMenuAction()));
  actions->doAction(QAccessibleActionInterface::showMenuAction());
  EXPECT_TRUE(QTest::qWaitFor([&] { return combo->view()->isVisible(); }));
  actions->doAction(QAccessibleActionInterface::showMenuAction());
  EXPECT_TRUE(QTest::qWaitFor([&] { return !combo->view()->isVisible(); }));
  optionsForm().window().hide();
}

// Buttons and check boxes say their captions; menus and their items too. None is left unnamed.
TEST_F(AccessibilityTest, EveryControlThatTakesTheFocusHasItsCaptionOrLabelAsName) {
  for (qt::QtForm* form : {&mainForm(), &optionsForm()}) {
    for (ui::Control* control : form->controls()) {
      auto* child = dynamic_cast<qt::WidgetControl*>(control);
      if (!child || child->widget()->focusPolicy() == Qt::NoFocus) continue;
      SCOPED_TRACE(control->name());
      std::string name = nameOf(*form, control->name().c_str());
      EXPECT_NE(name, "");
      const ui::ControlLayout* label = ui::LabelOf(form->layout(), child->row());
      std::string caption = label ? form->control(label->name).text() : control->text();
      EXPECT_EQ(name, ui::WithoutAccessKey(caption));
    }
  }
  QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(mainForm().menuBar());
  ASSERT_NE(bar, nullptr);
  std::vector<std::string> said;
  for (int menu = 0; menu < bar->childCount(); ++menu) {
    QAccessibleInterface* title = bar->child(menu);
    said.push_back(title->text(QAccessible::Name).toStdString());
    QAccessibleInterface* popup = title->childCount() ? title->child(0) : nullptr;
    for (int item = 0; popup && item < popup->childCount(); ++item) {
      if (popup->child(item)->role() == QAccessible::Separator) continue;
      said.push_back(popup->child(item)->text(QAccessible::Name).toStdString());
    }
  }
  std::vector<std::string> expected;
  for (const ui::MenuEntry& entry : mainForm().layout().menu) {
    if (entry.caption != "-") expected.push_back(ui::WithoutAccessKey(entry.caption));
  }
  EXPECT_EQ(said, expected);
}

}  // namespace
}  // namespace loadergui::qttest
