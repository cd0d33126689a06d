// The keyboard as a user works the windows: access keys, Enter, Esc, the close box and the
// baud-rate filter.
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "QtFixture.h"

namespace loadergui::qttest {
namespace {

class KeyboardTest : public QtFixture {
 protected:
  void SetUp() override {
    installProgram();
    installTerminal();
    ASSERT_TRUE(start());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&mainForm().window()));
  }
  // The message a refusal box shows, dismissed with Enter.
  void answerRefusal(std::string* text) {
    answerNext<QMessageBox>([text](QMessageBox& box) {
      *text = box.windowTitle().toStdString() + ": " + box.text().toStdString();
      QTest::keyClick(&box, Qt::Key_Return);
    });
  }
  // Opens the options dialog through its menu and lets work act while it is shown.
  void withOptions(std::function<void(QDialog&)> work) {
    answerNext<QDialog>([work](QDialog& dialog) { work(dialog); });
    app->frmMain().mnuConfigOptions->click();
    EXPECT_TRUE(allAnswered());
  }
};

struct AccessKeyCase {
  const char* name;
  Qt::Key key;
  const char* expectedWindow;  // the title of the window the press opens, and a box's text
};

// The upload box still holds its prompt: Execute refuses; Browse opens the open dialog.
const AccessKeyCase kAccessKeys[] = {
    {"AltEPressesExecute", Qt::Key_E, "Oops!: Sorry, that file does not exist!"},
    {"AltBPressesBrowse", Qt::Key_B, "Open a Dreamcast binary..."},
};

TEST_F(KeyboardTest, AccessKeyPressesItsButton) {
  for (const auto& c : kAccessKeys) {
    SCOPED_TRACE(c.name);
    std::string seen;
    answerNext<QDialog>([&seen](QDialog& dialog) {
      seen = dialog.windowTitle().toStdString();
      if (auto* box = qobject_cast<QMessageBox*>(&dialog)) seen += ": " + box->text().toStdString();
      dialog.reject();
    });
    // The offscreen platform hands the activation back to no window after a dialog.
    mainForm().window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&mainForm().window()));
    QTest::keyClick(mainForm().window().windowHandle(), c.key, Qt::AltModifier);
    // A button pressed by its access key shows itself pressed for a moment first.
    QTRY_VERIFY(allAnswered());
    EXPECT_EQ(seen, c.expectedWindow);
  }
}

TEST_F(KeyboardTest, EnterInTheFileBoxPressesExecute) {
  auto* upload = widget<QLineEdit>(mainForm(), "txtUpload");
  upload->setFocus();
  std::string message;
  answerRefusal(&message);
  QTest::keyClick(upload, Qt::Key_Return);
  EXPECT_EQ(message, "Oops!: Sorry, that file does not exist!");
}

TEST_F(KeyboardTest, EnterOnTheFocusedBrowseButtonPressesBrowse) {
  std::string title;
  answerNext<QDialog>([&title](QDialog& dialog) {
    title = dialog.windowTitle().toStdString();
    dialog.reject();
  });
  QTest::keyClick(widget<QPushButton>(mainForm(), "cmdBrowse"), Qt::Key_Return);
  EXPECT_EQ(title, "Open a Dreamcast binary...");
}

TEST_F(KeyboardTest, MenuAccessKeysChooseTheMode) {
  QWindow* window = mainForm().window().windowHandle();
  QTest::keyClick(window, Qt::Key_C, Qt::AltModifier);
  QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
  QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_D);
  QTRY_COMPARE(widget<QPushButton>(mainForm(), "cmdExecute")->text(), QStringLiteral("&Download"));
  EXPECT_TRUE(app->frmMain().mnuConfigDownload->checked());
  EXPECT_FALSE(app->frmMain().mnuConfigUlexecute->checked());
}

TEST_F(KeyboardTest, ChoosingACheckedItemLeavesItsMarkOn) {
  app->frmMain().mnuRavlinkSerial->click();
  auto* serial = mainForm().window().findChild<QAction*>(QStringLiteral("mnuRavlinkSerial"));
  ASSERT_NE(serial, nullptr);
  serial->trigger();
  EXPECT_TRUE(serial->isChecked());
  auto* bios = mainForm().window().findChild<QAction*>(QStringLiteral("mnuFlash"));
  answerNext<QDialog>([](QDialog& dialog) { dialog.reject(); });
  bios->trigger();
  EXPECT_FALSE(bios->isChecked());
}

TEST_F(KeyboardTest, OptionsDialogIsModalAndEnterPressesOK) {
  withOptions([this](QDialog& dialog) {
    EXPECT_EQ(&dialog, &optionsForm().window());
    EXPECT_EQ(QApplication::activeModalWidget(), &dialog);
    EXPECT_EQ(dialog.windowHandle()->transientParent(), mainForm().window().windowHandle());
    widget<QLineEdit>(optionsForm(), "txtAddress")->setText(QStringLiteral("0x8c020000"));
    QTest::keyClick(widget<QLineEdit>(optionsForm(), "txtAddress"), Qt::Key_Return);
  });
  EXPECT_FALSE(optionsForm().isShown());
  EXPECT_EQ(app->frmOptions().txtAddress->text(), "0x8c020000");
}

TEST_F(KeyboardTest, EscAndTheCloseBoxActAsCancel) {
  auto cancelWith = [this](std::function<void(QDialog&)> closing) {
    withOptions([this, closing](QDialog& dialog) {
      widget<QComboBox>(optionsForm(), "cmbBaudrate")->setEditText(QStringLiteral("9600"));
      closing(dialog);
    });
    EXPECT_FALSE(optionsForm().isShown());
    EXPECT_EQ(app->frmOptions().cmbBaudrate->text(), "115200");
    EXPECT_FALSE(optionsForm().destroyed());
  };
  cancelWith([](QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
  cancelWith([](QDialog& dialog) { dialog.close(); });
}

struct TypingCase {
  const char* name;
  const char* typed;
  const char* text;  // the baud rate after typing into "115200" at its end
  int beeps;
};

const TypingCase kTyping[] = {
    {"DigitsPass", "96", "11520096", 0},
    {"LettersAndFullStopsAreDropped", "a.1", "1152001", 2},
    {"BackspaceStillDeletes", "\b\b", "1152", 0},
};

TEST_F(KeyboardTest, BaudRateTakesDigitsOnlyWithABeepForOthers) {
  for (const auto& c : kTyping) {
    SCOPED_TRACE(c.name);
    app->frmOptions().cmbBaudrate->setText("115200");
    services->beeps = 0;
    withOptions([&c, this](QDialog& dialog) {
      auto* combo = widget<QComboBox>(optionsForm(), "cmbBaudrate");
      QLineEdit* edit = combo->lineEdit();
      edit->setFocus();
      edit->end(false);
      // Keys go to the combo box, as the window system delivers them: an editable combo box
      // keeps the focus itself (its field's focus proxy) and hands typed keys on to the field.
      for (const char* at = c.typed; *at; ++at) {
        if (*at == '\b') {
          QTest::keyClick(combo, Qt::Key_Backspace);
        } else {
          QTest::keyClicks(combo, QString::fromLatin1(at, 1));
        }
      }
      EXPECT_EQ(edit->text().toStdString(), c.text);
      QTest::keyClick(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(services->beeps, c.beeps);
  }
}

struct DeleteCase {
  const char* name;
  Qt::KeyboardModifiers modifiers;
};

// X gives Delete the text DEL (127), as the keys sent here have it; it types no character, so it
// deletes without a beep, the keypad's too. The keys go through the window system, as the
// user's do.
const DeleteCase kDeletes[] = {
    {"Delete", Qt::NoModifier},
    {"KeypadDelete", Qt::KeypadModifier},
};

TEST_F(KeyboardTest, DeleteDeletesInTheBaudRateBox) {
  for (const auto& c : kDeletes) {
    SCOPED_TRACE(c.name);
    app->frmOptions().cmbBaudrate->setText("115200");
    services->beeps = 0;
    withOptions([&c, this](QDialog& dialog) {
      QLineEdit* edit = widget<QComboBox>(optionsForm(), "cmbBaudrate")->lineEdit();
      edit->setFocus();
      edit->home(false);
      for (int press = 0; press < 2; ++press) {
        for (QTest::KeyAction action : {QTest::Press, QTest::Release}) {
          QTest::sendKeyEvent(action, dialog.windowHandle(), Qt::Key_Delete, QChar(0x7F),
                              c.modifiers);
        }
      }
      EXPECT_EQ(edit->text(), QStringLiteral("5200"));
      QTest::keyClick(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(services->beeps, 0);
    EXPECT_EQ(app->frmOptions().cmbBaudrate->text(), "5200");
  }
}

TEST_F(KeyboardTest, OtherFieldsTakeWhateverIsTyped) {
  withOptions([this](QDialog& dialog) {
    QLineEdit* edit = widget<QComboBox>(optionsForm(), "cmbCOMPort")->lineEdit();
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(edit->text(), QStringLiteral("/dev/ttyUSB0"));
    QTest::keyClick(&dialog, Qt::Key_Return);
  });
  EXPECT_EQ(services->beeps, 0);
  EXPECT_EQ(app->frmMain().lblInformation->text(),
            "Upload through the serial port, /dev/ttyUSB0 at 115200bps");
}

// The list is filled afresh as it drops down; the typed text stays as typed.
TEST_F(KeyboardTest, DeviceListIsRefreshedAsItDropsDown) {
  withOptions([this](QDialog& dialog) {
    auto* combo = widget<QComboBox>(optionsForm(), "cmbCOMPort");
    app->frmOptions().cmbCOMPort->setItems({"stale"});
    combo->setEditText(QStringLiteral("typed"));
    combo->showPopup();
    EXPECT_EQ(app->frmOptions().cmbCOMPort->items(),
              (std::vector<std::string>{"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"}));
    EXPECT_EQ(combo->currentText(), QStringLiteral("typed"));
    combo->hidePopup();
    QTest::keyClick(&dialog, Qt::Key_Escape);
  });
}

}  // namespace
}  // namespace loadergui::qttest
