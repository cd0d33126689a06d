// Both windows as the layout tables lay them out: kinds, positions, sizes, texts, tab order and
// the menu tree.
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTest>
#include <set>
#include <string>

#include "QtFixture.h"
#include "app/MainLayout.h"
#include "qt/Twips.h"
#include "settings/OptionsLayout.h"

namespace loadergui::qttest {
namespace {

using ui::ControlKind;

struct KindClass {
  ControlKind kind;
  const char* className;
};

const KindClass kKindClasses[] = {
    {ControlKind::Button, "QPushButton"}, {ControlKind::Label, "QLabel"},
    {ControlKind::TextBox, "QLineEdit"},  {ControlKind::ComboBox, "QComboBox"},
    {ControlKind::CheckBox, "QCheckBox"},
};

const char* ClassFor(ControlKind kind) {
  for (const auto& entry : kKindClasses) {
    if (entry.kind == kind) return entry.className;
  }
  return "";
}

class LayoutTest : public QtFixture {
 protected:
  void SetUp() override { ASSERT_TRUE(start()); }
  // Every row's widget: of its kind, named after the row, where the row puts it.
  void expectRowsBuilt(qt::QtForm& form) {
    for (const ui::ControlLayout& row : form.layout().controls) {
      SCOPED_TRACE(std::string(row.name));
      QWidget* built = widget<QWidget>(form, std::string(row.name).c_str());
      ASSERT_NE(built, nullptr);
      EXPECT_TRUE(built->inherits(ClassFor(row.kind)));
      EXPECT_EQ(built->parentWidget(), &form.client());
      EXPECT_EQ(built->geometry(),
                QRect(qt::TwipsToPixels(row.left), qt::TwipsToPixels(row.top),
                      qt::TwipsToPixels(row.width), qt::TwipsToPixels(row.height)));
    }
  }
  // Tab from the first control reaches every control that can take the focus now, in table
  // order, and then the first again.
  void expectTabOrder(qt::QtForm& form) {
    std::vector<std::string> expected;
    for (ui::Control* control : form.controls()) {
      auto* built = widget<QWidget>(form, control->name().c_str());
      if (built && built->focusPolicy() != Qt::NoFocus && control->visible() &&
          control->enabled()) {
        expected.push_back(control->name());
      }
    }
    ASSERT_FALSE(expected.empty());
    form.window().show();
    form.window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form.window()));
    form.control(expected.front()).setFocus();
    std::vector<std::string> visited;
    for (std::size_t i = 0; i <= expected.size(); ++i) {
      visited.push_back(form.focusedControl());
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    expected.push_back(expected.front());
    EXPECT_EQ(visited, expected);
    if (&form == &optionsForm()) form.window().hide();
  }
};

TEST_F(LayoutTest, ClientAreasHaveTheTablesSizeInPixels) {
  EXPECT_EQ(mainForm().client().size(), QSize(297, 139));
  EXPECT_EQ(optionsForm().client().size(), QSize(346, 369));
}

TEST_F(LayoutTest, WindowsKeepTheirSizeAndHaveNoMaximiseBox) {
  for (qt::QtForm* form : {&mainForm(), &optionsForm()}) {
    QWidget& window = form->window();
    window.adjustSize();
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowCloseButtonHint);
  }
  EXPECT_TRUE(mainForm().window().windowFlags() & Qt::WindowMinimizeButtonHint);
}

TEST_F(LayoutTest, EveryRowIsBuiltWhereTheTablePutsIt) {
  expectRowsBuilt(mainForm());
  expectRowsBuilt(optionsForm());
}

TEST_F(LayoutTest, TabOrderFollowsTheTables) {
  expectTabOrder(mainForm());
  expectTabOrder(optionsForm());
}

TEST_F(LayoutTest, MainWindowIsCentredWithTheFocusOnBrowse) {
  QWidget& window = mainForm().window();
  QRect screen = window.screen()->availableGeometry();
  EXPECT_LE(std::abs(window.frameGeometry().center().x() - screen.center().x()), 1);
  EXPECT_LE(std::abs(window.frameGeometry().center().y() - screen.center().y()), 1);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  EXPECT_EQ(mainForm().focusedControl(), "cmdBrowse");
}

// The loader and mode items carry marks, so they are checkable from the start, marked or not;
// no other item shows the empty box of a checkable one.
TEST_F(LayoutTest, MenuTreeFollowsTheTableWithCheckableItems) {
  const std::set<std::string> marked = {"mnuRavlinkSerial", "mnuRavlinkIP", "mnuConfigUpload",
                                        "mnuConfigUlexecute", "mnuConfigDownload"};
  QMenuBar* bar = mainForm().menuBar();
  ASSERT_NE(bar, nullptr);
  std::vector<std::string> seen;
  for (QAction* top : bar->actions()) {
    seen.push_back("0 " + top->text().toStdString());
    for (QAction* item : top->menu()->actions()) {
      seen.push_back("1 " + (item->isSeparator() ? std::string("-") : item->text().toStdString()) +
                     (item->isVisible() ? "" : " (hidden)"));
      EXPECT_EQ(item->isCheckable(), marked.count(item->objectName().toStdString()) == 1)
          << item->text().toStdString();
      EXPECT_TRUE(item->shortcut().isEmpty());
    }
  }
  std::vector<std::string> expected;
  for (const ui::MenuEntry& entry : MainWindowLayout().menu) {
    bool hidden = (entry.flags & ui::kStartsHidden) != 0;
    expected.push_back(std::to_string(entry.level) + " " + std::string(entry.caption) +
                       (hidden ? " (hidden)" : ""));
  }
  EXPECT_EQ(seen, expected);
}

TEST_F(LayoutTest, FirstRunShowsTheLinuxDevicesAndCaptions) {
  EXPECT_EQ(mainForm().window().windowTitle(), QStringLiteral("Ravlink Serial GUI 2.0"));
  EXPECT_EQ(optionsForm().window().windowTitle(),
            QStringLiteral("Ravlink Serial Confirguration Options"));
  EXPECT_EQ(widget<QLabel>(mainForm(), "lblInformation")->text(),
            QStringLiteral("Upload through the serial port, /dev/ttyS0 at 115200bps"));
  EXPECT_EQ(widget<QLabel>(optionsForm(), "lblCOMPort")->text(),
            QStringLiteral("Select a device (Default: /dev/ttyS0)"));
  auto* devices = widget<QComboBox>(optionsForm(), "cmbCOMPort");
  EXPECT_EQ(devices->currentText(), QStringLiteral("/dev/ttyS0"));
  ASSERT_EQ(devices->count(), 4);
  EXPECT_EQ(devices->itemText(3), QStringLiteral("/dev/ttyS3"));
  EXPECT_TRUE(widget<QLineEdit>(mainForm(), "txtUpload")->isVisibleTo(&mainForm().window()));
  EXPECT_TRUE(widget<QLineEdit>(mainForm(), "txtDownload")->isHidden());
}

TEST_F(LayoutTest, CentredTextAndDefaultButtonsFollowTheFlags) {
  EXPECT_TRUE(widget<QLabel>(mainForm(), "lblInformation")->alignment() & Qt::AlignHCenter);
  EXPECT_TRUE(widget<QPushButton>(mainForm(), "cmdExecute")->isDefault());
  EXPECT_TRUE(widget<QPushButton>(optionsForm(), "cmdOK")->isDefault());
  EXPECT_FALSE(widget<QPushButton>(optionsForm(), "cmdCancel")->isDefault());
  EXPECT_FALSE(widget<QLineEdit>(optionsForm(), "txtChroot")->isEnabled());
  EXPECT_FALSE(widget<QPushButton>(optionsForm(), "cmdCDFSRedir")->isEnabled());
}

// A text that would not fit its table width gets a smaller font, so nothing is cut off.
TEST_F(LayoutTest, LabelAndCheckBoxTextsFitTheirWidth) {
  for (qt::QtForm* form : {&mainForm(), &optionsForm()}) {
    for (QLabel* label : form->client().findChildren<QLabel*>()) {
      EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width())
          << label->objectName().toStdString();
    }
    for (QCheckBox* box : form->client().findChildren<QCheckBox*>()) {
      int room = box->width() - box->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box);
      EXPECT_LE(QFontMetrics(box->font()).horizontalAdvance(box->text()), room)
          << box->objectName().toStdString();
    }
  }
}

TEST_F(LayoutTest, CheckBoxesShowTheGreyedValue) {
  app->frmOptions().cbNoConsole->setValue(ui::kGreyed);
  EXPECT_EQ(widget<QCheckBox>(optionsForm(), "cbNoConsole")->checkState(), Qt::PartiallyChecked);
  EXPECT_EQ(app->frmOptions().cbNoConsole->value(), ui::kGreyed);
  app->frmOptions().cbNoConsole->setValue(ui::kTicked);
  EXPECT_EQ(widget<QCheckBox>(optionsForm(), "cbNoConsole")->checkState(), Qt::Checked);
}

// What a screen reader or an end-to-end driver reads through the accessibility bridge.
TEST_F(LayoutTest, AccessibilityTellsCaptionsTextsAndStates) {
  auto face = [this](qt::QtForm& form, const char* name) {
    return QAccessible::queryAccessibleInterface(widget<QWidget>(form, name));
  };
  QAccessibleInterface* execute = face(mainForm(), "cmdExecute");
  ASSERT_NE(execute, nullptr);
  EXPECT_EQ(execute->role(), QAccessible::Button);
  EXPECT_EQ(execute->text(QAccessible::Name), QStringLiteral("Upload and Execute"));
  EXPECT_EQ(face(mainForm(), "txtUpload")->text(QAccessible::Value),
            QStringLiteral("Please select a file to upload..."));
  app->frmOptions().cbNoConsole->setValue(ui::kTicked);
  app->frmOptions().cbDumbTerminal->setValue(ui::kGreyed);
  EXPECT_TRUE(face(optionsForm(), "cbNoConsole")->state().checked);
  EXPECT_TRUE(face(optionsForm(), "cbDumbTerminal")->state().checkStateMixed);
  EXPECT_TRUE(face(optionsForm(), "txtChroot")->state().disabled);
  EXPECT_TRUE(face(optionsForm(), "cmbIP")->state().invisible);
}

}  // namespace
}  // namespace loadergui::qttest
