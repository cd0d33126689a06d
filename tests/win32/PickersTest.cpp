// The real open, save and folder dialogs, driven from a helper thread: answers and buffers.
#include <windows.h>
// windows.h first: the headers below rely on its types.
#include <commctrl.h>
#include <commdlg.h>
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "DialogDriver.h"
#include "PlatformTestSupport.h"
#include "win32/Services.h"

namespace loadergui::win32::testing {
namespace {

constexpr int kFileNameField = 1148;  // cmb13: the file-name box of the Explorer-style dialog
constexpr int kFilterBox = 1136;      // cmb1: the file-type list
constexpr std::size_t kNameBufferSize = 255;
constexpr std::size_t kFolderBufferSize = 512;

std::string Filter(const std::vector<std::pair<std::string, std::string>>& pairs) {
  std::string filter;
  for (const auto& [description, patterns] : pairs) {
    filter += description + '\0' + patterns + '\0';
  }
  return filter + '\0';
}

// The initial name followed by blanks to 254 characters, then the NUL.
std::string NameBuffer(const std::string& initialName) {
  std::string buffer = initialName;
  buffer.resize(kNameBufferSize - 1, ' ');
  return buffer + '\0';
}

enum class Dialog { Open, Save };
enum class Answer { Confirm, Cancel };

struct PickerCase {
  const char* name;
  Dialog dialog;
  const char* title;
  std::vector<std::pair<std::string, std::string>> filter;
  const char* initialName;
  Answer answer;
  const char* chosenName;  // typed into the file-name box, inside the scratch folder
  bool chosenFileExists;   // an existing file must not bring up a second question
};

const std::vector<std::pair<std::string, std::string>> kBinaries = {
    {"Dreamcast binaries (*.bin, *.elf, *.srec)", "*.bin; *.elf; *.srec"},
    {"All Files (*.*)", "*.*"}};
const std::vector<std::pair<std::string, std::string>> kAllFiles = {{"All Files (*.*)", "*.*"}};
const std::vector<std::pair<std::string, std::string>> kIsoImages = {
    {"ISO images (*.iso)", "*.iso"}, {"All Files (*.*)", "*.*"}};

std::vector<PickerCase> PickerCases() {
  return {
      {"OpenBinary", Dialog::Open, "Open a Dreamcast binary...", kBinaries, "", Answer::Confirm,
       "chosen file.bin", true},
      {"OpenNameThatDoesNotExist", Dialog::Open, "Open a Dreamcast binary...", kBinaries, "",
       Answer::Confirm, "not there.elf", false},
      {"OpenCancelled", Dialog::Open, "Open a Dreamcast binary...", kBinaries, "", Answer::Cancel,
       "", false},
      {"OpenIsoImage", Dialog::Open, "Select an ISO image...", kIsoImages, "", Answer::Confirm,
       "game.iso", true},
      {"SaveShorterThanInitialName", Dialog::Save, "Save file as...", kAllFiles, "dc_bios.bin",
       Answer::Confirm, "b", false},
      {"SaveWithoutExtension", Dialog::Save, "Save file as...", kAllFiles, "", Answer::Confirm,
       "download target", false},
      {"SaveOverExistingFile", Dialog::Save, "Save file as...", kAllFiles, "dc_flash.bin",
       Answer::Confirm, "old dump.bin", true},
      {"SaveCancelled", Dialog::Save, "Save file as...", kAllFiles, "dc_flash.bin", Answer::Cancel,
       "", false},
  };
}

// What the helper thread saw of the dialog while it was open.
struct FileDialogSeen {
  bool found = false;
  HWND owner = nullptr;
  bool ownerDisabled = false;
  std::string firstFilter;
  std::string nameShown;
  bool closed = false;
};

std::string SelectedFilter(HWND dialog) {
  HWND box = GetDlgItem(dialog, kFilterBox);
  LRESULT selected = SendMessageA(box, CB_GETCURSEL, 0, 0);
  if (selected == CB_ERR) return "(none selected)";
  char text[512] = {};
  SendMessageA(box, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(text));
  return text;
}

void PrintTo(const PickerCase& row, std::ostream* out) {
  *out << row.name;
}

class PickersTest : public ::testing::TestWithParam<PickerCase> {
 protected:
  ScratchFolder folder_;
  OwnerForm owner_;
  Win32Services services_;
};

TEST_P(PickersTest, DialogAnswerArrivesInTheNameBuffer) {
  const PickerCase& row = GetParam();
  std::string chosenPath = folder_ / row.chosenName;
  if (row.chosenFileExists) {
    ASSERT_TRUE(WriteWholeFile(chosenPath, "content"));
  }

  platform::FileDialogRecord record;
  record.owner = &owner_;
  record.filter = Filter(row.filter);
  record.filterIndex = 0;
  record.file = NameBuffer(row.initialName);
  record.maxFile = kNameBufferSize;
  record.fileTitle = NameBuffer("");
  record.maxFileTitle = kNameBufferSize;
  record.title = row.title;
  record.flags = OFN_HIDEREADONLY;
  const std::string before = record.file;

  FileDialogSeen seen;
  bool confirmed = false;
  WhileDialogRuns(
      [&] {
        HWND dialog = WaitForDialogShowing(row.title);
        seen.found = dialog != nullptr;
        if (!dialog) {
          for (HWND other : OurDialogs()) PressButton(other, IDCANCEL);
          return;
        }
        seen.owner = GetWindow(dialog, GW_OWNER);
        seen.ownerDisabled = !IsWindowEnabled(owner_.window());
        seen.firstFilter = SelectedFilter(dialog);
        char shown[kNameBufferSize + 1] = {};
        GetDlgItemTextA(dialog, kFileNameField, shown, sizeof shown);
        seen.nameShown = shown;
        CaptureDialog(dialog, row.name);
        if (row.answer == Answer::Confirm) {
          SetDlgItemTextA(dialog, kFileNameField, chosenPath.c_str());
          PressButton(dialog, IDOK);
        } else {
          PressButton(dialog, IDCANCEL);
        }
        seen.closed = WaitForDialogToClose(dialog);
      },
      [&] {
        confirmed = row.dialog == Dialog::Open ? services_.getOpenFileName(record)
                                               : services_.getSaveFileName(record);
      });

  ASSERT_TRUE(seen.found) << "no dialog titled " << row.title;
  EXPECT_TRUE(seen.closed) << "the dialog stayed open after the answer";
  EXPECT_EQ(seen.owner, owner_.window());
  EXPECT_TRUE(seen.ownerDisabled) << "the dialog was not modal to its owner";
  EXPECT_EQ(seen.firstFilter, row.filter.front().first);
  EXPECT_EQ(seen.nameShown.substr(0, std::string(row.initialName).size()), row.initialName);
  EXPECT_EQ(record.file.size(), before.size());
  if (row.answer == Answer::Cancel) {
    EXPECT_FALSE(confirmed);
    EXPECT_EQ(record.file, before);
  } else {
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(Visible(record.file.substr(0, record.file.find('\0'))), Visible(chosenPath));
  }
}

INSTANTIATE_TEST_SUITE_P(Uses, PickersTest, ::testing::ValuesIn(PickerCases()),
                         [](const ::testing::TestParamInfo<PickerCase>& info) {
                           return std::string(info.param.name);
                         });

// Text of the item selected in the browser's folder tree; empty while there is none.
std::string SelectedFolderName(HWND browser) {
  for (HWND child : Children(browser)) {
    if (ClassOf(child) != "SysTreeView32") continue;
    auto item = reinterpret_cast<HTREEITEM>(SendMessageA(child, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (!item) return {};
    char text[MAX_PATH] = {};
    TVITEMA entry{};
    entry.mask = TVIF_TEXT;
    entry.hItem = item;
    entry.pszText = text;
    entry.cchTextMax = sizeof text;
    SendMessageA(child, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&entry));
    return text;
  }
  return {};
}

// The folder browser needs COM on the calling thread, as the program's start sets it up.
class FolderPickerTest : public ::testing::Test {
 protected:
  void SetUp() override { comReady_ = SUCCEEDED(CoInitialize(nullptr)); }
  void TearDown() override {
    if (comReady_) CoUninitialize();
  }

  // Shows the browser; the helper selects the folder and confirms, or cancels.
  bool Browse(const std::string& folderToSelect, std::string& buffer, bool& found) {
    platform::FolderBrowseRecord record;
    record.owner = &owner_;
    record.title = "Select a Chroot folder...";
    record.flags = BIF_RETURNONLYFSDIRS;
    bool result = false;
    WhileDialogRuns(
        [&] {
          HWND dialog = WaitForDialogShowing(record.title);
          found = dialog != nullptr;
          if (!dialog) {
            for (HWND other : OurDialogs()) PressButton(other, IDCANCEL);
            return;
          }
          ownerSeen_ = GetWindow(dialog, GW_OWNER);
          CaptureDialog(dialog, "chroot-folder");
          if (folderToSelect.empty()) {
            PressButton(dialog, IDCANCEL);
          } else {
            // The browser may still be filling its tree; select until the selection holds.
            std::string name = folderToSelect.substr(folderToSelect.find_last_of('\\') + 1);
            WaitUntil([&] {
              SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE,
                           reinterpret_cast<LPARAM>(folderToSelect.c_str()));
              return SelectedFolderName(dialog) == name;
            });
            PressButton(dialog, IDOK);
          }
          closed_ = WaitForDialogToClose(dialog);
        },
        [&] { result = services_.browseForFolder(record, buffer); });
    return result;
  }

  bool comReady_ = false;
  ScratchFolder folder_;
  OwnerForm owner_;
  Win32Services services_;
  HWND ownerSeen_ = nullptr;
  bool closed_ = false;
};

TEST_F(FolderPickerTest, ChosenFolderArrivesInTheBuffer) {
  ASSERT_TRUE(comReady_);
  std::string chosen = folder_ / "chroot";
  ASSERT_TRUE(CreateDirectoryA(chosen.c_str(), nullptr));
  std::string buffer(kFolderBufferSize, ' ');
  bool found = false;
  bool confirmed = Browse(chosen, buffer, found);
  ASSERT_TRUE(found);
  EXPECT_TRUE(closed_);
  EXPECT_EQ(ownerSeen_, owner_.window());
  EXPECT_TRUE(confirmed);
  EXPECT_EQ(buffer.size(), kFolderBufferSize);
  EXPECT_EQ(Visible(buffer.substr(0, buffer.find('\0'))), Visible(chosen));
}

TEST_F(FolderPickerTest, CancelLeavesTheBufferAlone) {
  ASSERT_TRUE(comReady_);
  std::string buffer(kFolderBufferSize, ' ');
  bool found = false;
  bool confirmed = Browse("", buffer, found);
  ASSERT_TRUE(found);
  EXPECT_TRUE(closed_);
  EXPECT_FALSE(confirmed);
  EXPECT_EQ(buffer, std::string(kFolderBufferSize, ' '));
}

}  // namespace
}  // namespace loadergui::win32::testing
