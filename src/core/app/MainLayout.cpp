// The main window: file box, Browse, information line and the Execute button under the menus.
#include "app/MainLayout.h"

namespace loadergui {

using ui::ControlKind;

const ui::FormLayout& MainWindowLayout() {
  static const ui::FormLayout layout{
      "frmMain",
      "Ravlink Serial GUI 2.0",
      4455,
      2085,
      {
          {"cmdBrowse", ControlKind::Button, "&Browse", 2880, 150, 1335, 375, ui::kNoFlags, {}},
          {"txtUpload",
           ControlKind::TextBox,
           "Please select a file to upload...",
           240,
           600,
           3975,
           285,
           ui::kNoFlags,
           {}},
          {"lblFilename",
           ControlKind::Label,
           "Select a file to upload",
           240,
           360,
           2535,
           255,
           ui::kNoFlags,
           {}},
          {"lblInformation", ControlKind::Label, "", 240, 1080, 3975, 255, ui::kCentredText, {}},
          {"cmdExecute",
           ControlKind::Button,
           "Upload and &Execute",
           240,
           1400,
           3975,
           375,
           ui::kDefaultButton,
           {}},
          {"txtDownload",
           ControlKind::TextBox,
           "Please select a file to download to...",
           240,
           600,
           3975,
           285,
           ui::kNoFlags,
           {}},
      },
      {
          {"mnuFile", "&File", 0},
          {"mnuBIOS", "Download &BIOS", 1},
          {"mnuFlash", "Download &Flash", 1},
          {"Bar3", "-", 1},
          {"mnuFileExit", "E&xit", 1},
          {"mnuConfig", "&Config", 0},
          {"mnuRavlinkSerial", "Ravlink &Serial", 1},
          {"mnuRavlinkIP", "Ravlink &IP", 1},
          {"Bar1", "-", 1},
          {"mnuConfigUpload", "&Upload", 1},
          {"mnuConfigUlexecute", "Upload and &Execute", 1},
          {"mnuConfigDownload", "&Download", 1},
          {"Bar2", "-", 1},
          {"mnuConfigOptions", "Ravlink &Configuration", 1},
          {"mnuHelp", "&Help", 0},
          {"mnuHelpAbout", "&About ", 1},
      }};
  return layout;
}

}  // namespace loadergui
