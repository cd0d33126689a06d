// The message boxes and the pickers, driven through the real Qt dialogs.
#include <QAbstractButton>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include "QtFixture.h"
#include "app/About.h"

namespace loadergui::qttest {
namespace {

class DialogsTest : public QtFixture {
 protected:
  void SetUp() override {
    installProgram();
    installTerminal();
    ASSERT_TRUE(start());
  }
  // What a file dialog was set up with, then the answer: a path to choose, or none to cancel.
  struct SeenDialog {
    std::string title;
    QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
    QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
    QStringList filters;
    QString selectedFilter;
    QStringList initialFiles;
    bool confirmsOverwrite = true;
    bool dirsOnly = false;
    QWidget* owner = nullptr;
  };
  void answerFileDialog(SeenDialog* seen, const QString& choice) {
    answerNext<QFileDialog>([seen, choice](QFileDialog& dialog) {
      seen->title = dialog.windowTitle().toStdString();
      seen->mode = dialog.acceptMode();
      seen->fileMode = dialog.fileMode();
      seen->filters = dialog.nameFilters();
      seen->selectedFilter = dialog.selectedNameFilter();
      seen->initialFiles = dialog.selectedFiles();
      seen->confirmsOverwrite = !dialog.testOption(QFileDialog::DontConfirmOverwrite);
      seen->dirsOnly = dialog.testOption(QFileDialog::ShowDirsOnly);
      seen->owner = dialog.parentWidget();
      if (choice.isEmpty()) {
        dialog.reject();
        return;
      }
      // As the user types a name into the dialog's own name box and presses Enter.
      auto* nameBox = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      nameBox->setText(choice);
      QTest::keyClick(nameBox, Qt::Key_Return);
    });
  }
};

TEST_F(DialogsTest, AboutBoxHasItsTitleOneOkButtonAndNoIcon) {
  QString title, text;
  int buttons = 0;
  QMessageBox::Icon icon = QMessageBox::Warning;
  QWidget* owner = nullptr;
  answerNext<QMessageBox>([&](QMessageBox& box) {
    title = box.windowTitle();
    text = box.text();
    buttons = static_cast<int>(box.buttons().size());
    icon = box.icon();
    owner = box.parentWidget();
    box.buttons().first()->click();
  });
  app->frmMain().mnuHelpAbout->click();
  EXPECT_TRUE(allAnswered());
  EXPECT_EQ(title, QStringLiteral("About"));
  EXPECT_EQ(text.toStdString() + "\n", [] {
    std::string lines = AboutText();
    for (auto at = lines.find("\r\n"); at != std::string::npos; at = lines.find("\r\n")) {
      lines.replace(at, 2, "\n");
    }
    return lines + "\n";
  }());
  EXPECT_EQ(buttons, 1);
  EXPECT_EQ(icon, QMessageBox::NoIcon);
  EXPECT_EQ(owner, &mainForm().window());
}

TEST_F(DialogsTest, RefusalTextIsShownAsPlainText) {
  app->frmMain().txtUpload->setText("<b>not bold</b>");
  QString text;
  Qt::TextFormat format = Qt::RichText;
  answerNext<QMessageBox>([&](QMessageBox& box) {
    text = box.windowTitle() + QStringLiteral(": ") + box.text();
    format = box.textFormat();
    QTest::keyClick(&box, Qt::Key_Escape);
  });
  app->frmMain().cmdExecute->click();
  EXPECT_EQ(text, QStringLiteral("Oops!: Sorry, that file does not exist!"));
  EXPECT_EQ(format, Qt::PlainText);
}

TEST_F(DialogsTest, BrowseOpensTheOpenDialogAndFillsTheUploadBox) {
  writeFile("demo.elf");
  SeenDialog seen;
  answerFileDialog(&seen, QString::fromStdString(path("demo.elf")));
  app->frmMain().cmdBrowse->click();
  ASSERT_TRUE(allAnswered());
  EXPECT_EQ(seen.title, "Open a Dreamcast binary...");
  EXPECT_EQ(seen.mode, QFileDialog::AcceptOpen);
  EXPECT_EQ(seen.filters, (QStringList{QStringLiteral("Dreamcast binaries (*.bin, *.elf, *.srec) "
                                                      "(*.bin *.elf *.srec)"),
                                       QStringLiteral("All Files (*.*) (*)")}));
  EXPECT_EQ(seen.selectedFilter.toStdString(), "Dreamcast binaries (*.bin, *.elf, *.srec)");
  EXPECT_EQ(seen.owner, &mainForm().window());
  EXPECT_EQ(app->frmMain().txtUpload->text(), path("demo.elf"));
}

// No OFN_FILEMUSTEXIST: the name of a file that does not exist is taken; Execute checks later.
TEST_F(DialogsTest, OpenDialogTakesANameThatDoesNotExist) {
  SeenDialog seen;
  answerFileDialog(&seen, QString::fromStdString(path("later.elf")));
  app->frmMain().cmdBrowse->click();
  EXPECT_EQ(seen.fileMode, QFileDialog::AnyFile);
  EXPECT_EQ(app->frmMain().txtUpload->text(), path("later.elf"));
}

TEST_F(DialogsTest, SaveDialogOverwritesWithoutAskingAndAddsNoExtension) {
  app->frmMain().mnuConfigDownload->click();
  writeFile("old dump");
  SeenDialog seen;
  answerFileDialog(&seen, QString::fromStdString(path("old dump")));
  app->frmMain().cmdBrowse->click();
  ASSERT_TRUE(allAnswered());
  EXPECT_EQ(seen.title, "Save file as...");
  EXPECT_EQ(seen.mode, QFileDialog::AcceptSave);
  EXPECT_FALSE(seen.confirmsOverwrite);
  EXPECT_EQ(seen.filters, QStringList{QStringLiteral("All Files (*.*) (*)")});
  EXPECT_EQ(app->frmMain().txtDownload->text(), path("old dump"));
}

TEST_F(DialogsTest, CancelLeavesTheBoxAsItWas) {
  SeenDialog seen;
  answerFileDialog(&seen, QString());
  app->frmMain().cmdBrowse->click();
  EXPECT_TRUE(allAnswered());
  EXPECT_EQ(app->frmMain().txtUpload->text(), "Please select a file to upload...");
}

TEST_F(DialogsTest, BiosDumpOffersItsNameAndStartsTheLoader) {
  SeenDialog seen;
  answerFileDialog(&seen, QString::fromStdString(path("dumps/dc_bios.bin")));
  std::filesystem::create_directories(folder / "dumps");
  app->frmMain().mnuBIOS->click();
  ASSERT_TRUE(allAnswered());
  ASSERT_FALSE(seen.initialFiles.isEmpty());
  EXPECT_EQ(QFileInfo(seen.initialFiles.first()).fileName(), QStringLiteral("dc_bios.bin"));
  std::vector<LogLine> log = toolLog(2);
  ASSERT_GE(log.size(), 1u);
  EXPECT_EQ(log[0].tool, "ravlink-serial");
  EXPECT_EQ(log[0].arguments, (std::vector<std::string>{
                                  path("tools/ravlink-serial"), "-t", "/dev/ttyS0", "-b", "115200",
                                  "-a", "0x0", "-s", "0x200000", "-d", path("dumps/dc_bios.bin")}));
}

// A Linux path is not cut at the Windows buffer's 254 characters.
TEST_F(DialogsTest, LongPathsArriveWhole) {
  std::string deep = "dumps/" + std::string(120, 'a') + "/" + std::string(120, 'b');
  std::filesystem::create_directories(folder / deep);
  std::string chosen = path(deep + "/upload.elf");
  ASSERT_GT(chosen.size(), 254u);
  SeenDialog seen;
  answerFileDialog(&seen, QString::fromStdString(chosen));
  app->frmMain().cmdBrowse->click();
  EXPECT_EQ(app->frmMain().txtUpload->text(), chosen);
}

TEST_F(DialogsTest, FolderPickerOffersFoldersOnlyAndFillsTheChrootBox) {
  std::filesystem::create_directories(folder / "root");
  SeenDialog seen;
  answerNext<QDialog>([&](QDialog& options) {
    answerFileDialog(&seen, QString::fromStdString(path("root")));
    app->frmOptions().cbChroot->setValue(ui::kTicked);
    app->frmOptions().cmdChroot->click();
    EXPECT_EQ(seen.owner, &options);
    QTest::keyClick(&options, Qt::Key_Return);
  });
  app->frmMain().mnuConfigOptions->click();
  ASSERT_TRUE(allAnswered());
  EXPECT_EQ(seen.title, "Select a Chroot folder...");
  EXPECT_EQ(seen.fileMode, QFileDialog::Directory);
  EXPECT_TRUE(seen.dirsOnly);
  EXPECT_EQ(app->frmOptions().txtChroot->text(), path("root"));
  EXPECT_FALSE(optionsForm().isShown());
}

TEST_F(DialogsTest, IsoPickerOpensFromTheProgramFolder) {
  writeFile("game.iso");
  std::filesystem::current_path(std::filesystem::temp_directory_path());
  SeenDialog seen;
  QString directory;
  answerNext<QDialog>([&](QDialog& options) {
    answerNext<QFileDialog>([&](QFileDialog& dialog) {
      directory = dialog.directory().absolutePath();
      seen.filters = dialog.nameFilters();
      dialog.reject();
    });
    app->frmOptions().cmdCDFSRedir->click();
    QTest::keyClick(&options, Qt::Key_Escape);
  });
  app->frmMain().mnuConfigOptions->click();
  EXPECT_EQ(directory.toStdString(), std::filesystem::canonical(folder).string());
  EXPECT_EQ(seen.filters.first(), QStringLiteral("ISO images (*.iso) (*.iso)"));
}

}  // namespace
}  // namespace loadergui::qttest
