// The Execute button's tip as it is, and Copy Command Line: from the button's context menu (the
// right mouse button, the menu key, Shift+F10) and from Ctrl+Shift+C, exactly the tip's text
// goes to the clipboard.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QToolTip>

#include "QtFixture.h"
#include "qt/Text.h"

namespace loadergui::qttest {
namespace {

constexpr const char* kUnchanged = "what the user had copied";

class CopyCommandLineTest : public QtFixture {
 protected:
  void SetUp() override {
    installProgram();
    installTerminal();
    // Two blanks and a tab in the name, which neither the tip nor the copy may change.
    writeFile("my  demo\t1.elf");
    ASSERT_TRUE(start());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&mainForm().window()));
    app->frmMain().txtUpload->setText("my  demo\t1.elf");
    QGuiApplication::clipboard()->setText(QString::fromUtf8(kUnchanged));
  }
  QPushButton* execute() { return widget<QPushButton>(mainForm(), "cmdExecute"); }
  QWindow* window() { return mainForm().window().windowHandle(); }
  std::string tip() { return app->frmMain().cmdExecute->tipText(); }
  std::string clipboard() { return QGuiApplication::clipboard()->text().toStdString(); }

  // What a popup menu offers once it shows; then the key is pressed in it.
  struct SeenMenu {
    bool shown = false;
    QStringList captions;
    QStringList shortcuts;
  };
  void answerMenu(SeenMenu* seen, Qt::Key key) {
    auto* timer = new QTimer(&mainForm().window());
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, [timer, seen, key] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (!menu || !menu->isVisible()) return;
      timer->stop();
      seen->shown = true;
      for (QAction* action : menu->actions()) {
        seen->captions << action->text();
        seen->shortcuts << action->shortcut().toString(QKeySequence::PortableText);
      }
      QTest::keyClick(menu, key);
    });
    timer->start();
  }
  // Waits until no popup shows any more, and then lets whatever was queued behind it run.
  void waitForNoMenu() {
    QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "a second menu opened";
  }
};

// The user reads the tip that Qt shows, as the document its markup makes.
TEST_F(CopyCommandLineTest, TheTipShowsEveryBlankAndTab) {
  QPoint centre = execute()->rect().center();
  QHelpEvent help(QEvent::ToolTip, centre, execute()->mapToGlobal(centre));
  QApplication::sendEvent(execute(), &help);
  QTRY_VERIFY(QToolTip::isVisible());
  QTextDocument shown;
  shown.setHtml(QToolTip::text());
  EXPECT_EQ(shown.toPlainText().toStdString(), tip());
  EXPECT_NE(tip().find("'my  demo\t1.elf'"), std::string::npos) << tip();
  QToolTip::hideText();
}

TEST_F(CopyCommandLineTest, TheRightButtonOffersItAndItCopiesTheTip) {
  SeenMenu seen;
  answerMenu(&seen, Qt::Key_C);
  QTest::mouseClick(execute(), Qt::RightButton, {}, execute()->rect().center());
  QTRY_VERIFY(seen.shown);
  waitForNoMenu();
  EXPECT_EQ(seen.captions, QStringList{QStringLiteral("&Copy Command Line")});
  EXPECT_EQ(seen.shortcuts, QStringList{QStringLiteral("Ctrl+Shift+C")});
  EXPECT_EQ(clipboard(), tip());
  EXPECT_TRUE(toolLog().empty());
}

TEST_F(CopyCommandLineTest, ClosingTheMenuCopiesNothing) {
  SeenMenu seen;
  answerMenu(&seen, Qt::Key_Escape);
  QTest::mouseClick(execute(), Qt::RightButton, {}, execute()->rect().center());
  QTRY_VERIFY(seen.shown);
  waitForNoMenu();
  EXPECT_EQ(clipboard(), kUnchanged);
}

struct MenuKeyCase {
  const char* name;
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
};

const MenuKeyCase kMenuKeys[] = {
    {"MenuKey", Qt::Key_Menu, Qt::NoModifier},
    {"ShiftF10", Qt::Key_F10, Qt::ShiftModifier},
};

// Each opens one menu, no more, while the button has the focus.
TEST_F(CopyCommandLineTest, TheKeyboardOpensTheMenuOnTheFocusedButton) {
  for (const auto& c : kMenuKeys) {
    SCOPED_TRACE(c.name);
    QGuiApplication::clipboard()->setText(QString::fromUtf8(kUnchanged));
    execute()->setFocus();
    SeenMenu seen;
    answerMenu(&seen, Qt::Key_C);
    QTest::keyClick(window(), c.key, c.modifiers);
    QTRY_VERIFY(seen.shown);
    waitForNoMenu();
    EXPECT_EQ(clipboard(), tip());
  }
}

// From anywhere in the window: the focus on Browse or in the file box.
TEST_F(CopyCommandLineTest, CtrlShiftCCopiesTheTip) {
  for (const char* focus : {"cmdBrowse", "txtUpload"}) {
    SCOPED_TRACE(focus);
    QGuiApplication::clipboard()->setText(QString::fromUtf8(kUnchanged));
    mainForm().window().findChild<QWidget*>(QString::fromUtf8(focus))->setFocus();
    QTest::keyClick(window(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(clipboard(), tip());
  }
  EXPECT_EQ(widget<QLineEdit>(mainForm(), "txtUpload")->text().toStdString(), "my  demo\t1.elf");
}

// The ARP step's line comes first; the lines end as a terminal takes them, in a line feed.
TEST_F(CopyCommandLineTest, TwoLinesAreCopiedWithLineFeeds) {
  app->frmMain().mnuRavlinkIP->click();
  app->frmOptions().cbARP->setValue(ui::kTicked);
  QTest::keyClick(window(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  std::string copied = clipboard();
  EXPECT_EQ(copied, qt::ToQtLines(tip()).toStdString());
  EXPECT_EQ(copied.find('\r'), std::string::npos);
  EXPECT_NE(copied.find("tools/arp -s 192.168.0.0 Set MAC address\ncd "), std::string::npos)
      << copied;
}

TEST_F(CopyCommandLineTest, ARefusedPressShowsWhyAndLeavesTheClipboard) {
  app->frmMain().txtUpload->setText("nothere.elf");
  QString message;
  answerNext<QMessageBox>([&message](QMessageBox& box) {
    message = box.windowTitle() + QStringLiteral(": ") + box.text();
    QTest::keyClick(&box, Qt::Key_Return);
  });
  QTest::keyClick(window(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  QTRY_VERIFY(allAnswered());
  EXPECT_EQ(message, QStringLiteral("Oops!: Sorry, that file does not exist!"));
  EXPECT_EQ(clipboard(), kUnchanged);
}

// The other controls keep the menus Qt gives them (Cut, Copy, Paste in a text box).
TEST_F(CopyCommandLineTest, OnlyTheExecuteButtonHasThisMenu) {
  EXPECT_EQ(execute()->contextMenuPolicy(), Qt::CustomContextMenu);
  for (const char* name : {"txtUpload", "txtDownload", "cmdBrowse"}) {
    EXPECT_EQ(mainForm().window().findChild<QWidget*>(QString::fromUtf8(name))->contextMenuPolicy(),
              Qt::DefaultContextMenu)
        << name;
  }
}

}  // namespace
}  // namespace loadergui::qttest
