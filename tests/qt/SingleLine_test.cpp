// The text boxes and combo box fields hold one line, as on Windows, however a line break comes:
// set by code, pasted, dropped, committed by an input method or picked from a list.
#include "qt/SingleLine.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include "QtFixture.h"
#include "app/Captions.h"

namespace loadergui::qttest {
namespace {

struct KeepCase {
  const char* name;
  const char* before;
  const char* after;
  int cursor;  // after the edit, at the end of what came in
  const char* kept;
  int keptCursor;
};

const KeepCase kKeeps[] = {
    {"NoLineBreakStaysAsItIs", "abc", "abXc", 3, "abXc", 3},
    {"SetTextEndsAtTheFirstBreak", "old", "/dev/ttyUSB0\n", 13, "/dev/ttyUSB0", 12},
    {"CarriageReturnToo", "", "a\r\nb", 4, "a", 1},
    {"PasteInTheMiddleKeepsBothSides", "abcxyz", "abc1\n2xyz", 6, "abc1xyz", 4},
    {"PasteOverASelection", "abcdef", "abX\nYef", 5, "abXef", 3},
    {"PasteOfABreakFirst", "abc", "a\nzzbc", 4, "abc", 1},
    {"InsertedTextLikeTheTextAround", "ab", "ab\nxb", 4, "abb", 2},
    {"EverythingReplaced", "keep", "new\nDEVICE=x", 12, "new", 3},
    {"AValueThatWouldBeAKey", "", "COM1\nDEVICE=/dev/evil", 21, "COM1", 4},
};

TEST(KeepOneLineTest, KeepsWhatCameInUpToItsFirstLineBreak) {
  for (const auto& c : kKeeps) {
    qt::LineEdit kept =
        qt::KeepOneLine(QString::fromUtf8(c.before), QString::fromUtf8(c.after), c.cursor);
    EXPECT_EQ(kept.text.toStdString(), c.kept) << c.name;
    EXPECT_EQ(kept.cursor, c.keptCursor) << c.name;
  }
}

class SingleLineTest : public QtFixture {
 protected:
  void SetUp() override {
    installProgram();
    ASSERT_TRUE(start());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&mainForm().window()));
  }
  QLineEdit* upload() { return widget<QLineEdit>(mainForm(), "txtUpload"); }
  QLineEdit* comboField(const char* name) {
    return widget<QComboBox>(optionsForm(), name)->lineEdit();
  }
};

TEST_F(SingleLineTest, TextSetByCodeEndsAtTheFirstLineBreak) {
  struct Box {
    const char* name;
    ui::Control* control;
  };
  OptionsDialog& options = app->frmOptions();
  for (const Box& box :
       {Box{"txtUpload", app->frmMain().txtUpload}, Box{"txtDownload", app->frmMain().txtDownload},
        Box{"txtAddress", options.txtAddress}, Box{"txtARP", options.txtARP},
        Box{"cmbCOMPort", options.cmbCOMPort}, Box{"cmbIP", options.cmbIP},
        Box{"cmbBaudrate", options.cmbBaudrate}}) {
    box.control->setText("/dev/ttyUSB0\nDEVICE=/dev/evil");
    EXPECT_EQ(box.control->text(), "/dev/ttyUSB0") << box.name;
    box.control->setText("9600\r\n");
    EXPECT_EQ(box.control->text(), "9600") << box.name;
  }
}

// Ctrl+V at the cursor: what was pasted goes in up to its first line break, and the text on
// both sides of the cursor stays.
TEST_F(SingleLineTest, APasteKeepsItsFirstLine) {
  upload()->setText(QStringLiteral("/home/me/.elf"));
  upload()->setFocus();
  upload()->setCursorPosition(9);
  QGuiApplication::clipboard()->setText(QStringLiteral("demo\n/etc/passwd\n"));
  QTest::keyClick(mainForm().window().windowHandle(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(upload()->text(), QStringLiteral("/home/me/demo.elf"));
  EXPECT_EQ(upload()->cursorPosition(), 13);
  EXPECT_EQ(app->frmMain().txtUpload->text(), "/home/me/demo.elf");
}

TEST_F(SingleLineTest, APasteIntoAComboBoxKeepsItsFirstLine) {
  app->frmOptions().cmbCOMPort->setText("");
  QLineEdit* field = comboField("cmbCOMPort");
  field->setFocus();
  QGuiApplication::clipboard()->setText(QStringLiteral("/dev/ttyUSB0\n"));
  field->paste();
  EXPECT_EQ(app->frmOptions().cmbCOMPort->text(), "/dev/ttyUSB0");
}

TEST_F(SingleLineTest, DroppedTextKeepsItsFirstLine) {
  upload()->setText(QString());
  QMimeData data;
  data.setText(QStringLiteral("my.elf\r\nrm -rf ~"));
  QPoint at = upload()->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(upload(), &enter);
  QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(upload(), &move);
  QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(upload(), &drop);
  EXPECT_EQ(app->frmMain().txtUpload->text(), "my.elf");
}

TEST_F(SingleLineTest, AnInputMethodsLineBreakIsDropped) {
  upload()->setText(QStringLiteral("ab"));
  upload()->setFocus();
  upload()->setCursorPosition(1);
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("X\nY"));
  QApplication::sendEvent(upload(), &commit);
  EXPECT_EQ(app->frmMain().txtUpload->text(), "aXb");
}

TEST_F(SingleLineTest, AListItemWithALineBreakIsPickedAsItsFirstLine) {
  app->frmOptions().cmbCOMPort->setItems({"/dev/ttyS0", "/dev/ttyUSB0\nDEVICE=x"});
  widget<QComboBox>(optionsForm(), "cmbCOMPort")->setCurrentIndex(1);
  EXPECT_EQ(app->frmOptions().cmbCOMPort->text(), "/dev/ttyUSB0");
}

// A file whose name holds a line break cannot go into a box without becoming another path: it
// is refused as a name the loader cannot be given, and the box keeps its text.
TEST_F(SingleLineTest, AFileNamedWithALineBreakIsRefused) {
  writeFile("two\nlines.elf");
  QString linebroken = QString::fromStdString(path("two\nlines.elf"));
  const std::string kept = app->frmMain().txtUpload->text();
  std::vector<QString> messages;
  auto answerRefusal = [this, &messages] {
    answerNext<QMessageBox>([&messages](QMessageBox& box) {
      messages.push_back(box.windowTitle() + QStringLiteral(": ") + box.text());
      QTest::keyClick(&box, Qt::Key_Return);
    });
  };

  answerNext<QFileDialog>([linebroken](QFileDialog& dialog) {
    dialog.selectFile(linebroken);
    QMetaObject::invokeMethod(&dialog, "accept");
  });
  answerRefusal();
  app->frmMain().cmdBrowse->click();
  EXPECT_TRUE(allAnswered());

  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(linebroken)});
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&mainForm().window(), &enter);
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  answerRefusal();
  QApplication::sendEvent(&mainForm().window(), &drop);
  EXPECT_TRUE(allAnswered());

  QString expected = QStringLiteral("Oops!: ") + QString::fromUtf8(text::kNameNotPassable);
  EXPECT_EQ(messages, (std::vector<QString>{expected, expected}));
  EXPECT_EQ(app->frmMain().txtUpload->text(), kept);
}

// Typing is as before: every blank typed stays where it was typed.
TEST_F(SingleLineTest, TypingIsAsBefore) {
  upload()->setText(QStringLiteral("ab"));
  upload()->setFocus();
  upload()->setCursorPosition(1);
  QTest::keyClicks(upload(), QStringLiteral(" x  y "));
  EXPECT_EQ(app->frmMain().txtUpload->text(), "a x  y b");
}

}  // namespace
}  // namespace loadergui::qttest
