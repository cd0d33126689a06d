// The recent files in the Linux program's File menu: out of sight until there are files, then
// each entry with its number as access key and its path, chosen like any other item.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include "QtFixture.h"

namespace loadergui::qttest {
namespace {

const char* const kRecentEntries[] = {"mnuRecent1", "mnuRecent2", "mnuRecent3",
                                      "mnuRecent4", "mnuRecent5", "mnuRecent6",
                                      "mnuRecent7", "mnuRecent8", "BarRecent"};

class RecentMenuTest : public QtFixture {
 protected:
  QAction* action(const char* name) {
    return mainForm().window().findChild<QAction*>(QString::fromUtf8(name));
  }
  // The File menu's entries that show, "-" for a separator.
  std::vector<std::string> shownFileMenu() {
    auto* file = mainForm().window().findChild<QMenu*>(QStringLiteral("mnuFile"));
    std::vector<std::string> shown;
    for (QAction* entry : file->actions()) {
      if (!entry->isVisible()) continue;
      shown.push_back(entry->isSeparator() ? "-" : entry->text().toStdString());
    }
    return shown;
  }
  std::string upload() { return widget<QLineEdit>(mainForm(), "txtUpload")->text().toStdString(); }
};

TEST_F(RecentMenuTest, WithoutFilesTheEntriesAndTheirBarStayOutOfSight) {
  ASSERT_TRUE(start());
  for (const char* name : kRecentEntries) {
    ASSERT_NE(action(name), nullptr) << name;
    EXPECT_FALSE(action(name)->isVisible()) << name;
  }
  EXPECT_EQ(shownFileMenu(),
            (std::vector<std::string>{"Download &BIOS", "Download &Flash", "-", "E&xit"}));
}

// An ampersand of a path is doubled in the caption, so that it shows as itself and the number
// stays the access key: Alt+F, then 2, chooses the second entry.
TEST_F(RecentMenuTest, EntriesShowTheKeptFilesAndTheirNumberChoosesOne) {
  writeFile("files/R&D.elf");
  writeFile("files/c.elf");
  writeFile("tools/settings.ini", "[FILES]\r\nRECENT1=files/c.elf\r\nRECENT2=files/R&D.elf\r\n");
  ASSERT_TRUE(start());
  std::string c = path("files/c.elf"), rd = path("files/R&D.elf");
  std::string rdShown = path("files/R&&D.elf");
  EXPECT_EQ(shownFileMenu(), (std::vector<std::string>{"Download &BIOS", "Download &Flash", "-",
                                                       "&1 " + c, "&2 " + rdShown, "-", "E&xit"}));
  EXPECT_EQ(action("mnuRecent2")->iconText().toStdString(), "2 " + rd);

  mainForm().window().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&mainForm().window()));
  QTest::keyClick(mainForm().window().windowHandle(), Qt::Key_F, Qt::AltModifier);
  QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
  QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_2);
  QTRY_COMPARE(upload(), rd);
  EXPECT_EQ(shownFileMenu(), (std::vector<std::string>{"Download &BIOS", "Download &Flash", "-",
                                                       "&1 " + rdShown, "&2 " + c, "-", "E&xit"}));
}

// Hidden and shown again, an entry keeps its place and takes its new caption.
TEST_F(RecentMenuTest, AnEntryShownAgainKeepsItsPlace) {
  ASSERT_TRUE(start());
  ui::Control& second = *app->frmMain().mnuRecent2;
  second.setText("&2 /b.elf");
  second.setVisible(true);
  app->frmMain().mnuRecent1->setText("&1 /a.elf");
  app->frmMain().mnuRecent1->setVisible(true);
  EXPECT_TRUE(second.visible());
  EXPECT_EQ(shownFileMenu(), (std::vector<std::string>{"Download &BIOS", "Download &Flash", "-",
                                                       "&1 /a.elf", "&2 /b.elf", "E&xit"}));
  second.setVisible(false);
  EXPECT_FALSE(second.visible());
  EXPECT_EQ(second.text(), "&2 /b.elf");
}

}  // namespace
}  // namespace loadergui::qttest
