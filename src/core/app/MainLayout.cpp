// The main window: file box, Browse, information line and the Execute button under the menus.
#include "app/MainLayout.h"

#include "app/MainWindow.h"

namespace loadergui {

using ui::ControlKind;
using ui::Member;

// txtUpload and txtDownload lie on the same spot; the transfer mode decides which is visible.
const ui::FormLayout& MainWindowLayout() {
  // clang-format off
  static const ui::FormLayout layout{"frmMain", "Ravlink Serial GUI 2.0", 4455, 2085, {
      // name            kind                  caption                                   left   top width height flags              items member
      {"cmdBrowse",      ControlKind::Button,  "&Browse",                                2880,  150, 1335, 375, ui::kNoFlags,       {}, Member(&MainWindow::cmdBrowse)},
      {"txtUpload",      ControlKind::TextBox, "Please select a file to upload...",       240,  600, 3975, 285, ui::kNoFlags,       {}, Member(&MainWindow::txtUpload)},
      {"lblFilename",    ControlKind::Label,   "Select a file to upload",                 240,  360, 2535, 255, ui::kNoFlags,       {}, Member(&MainWindow::lblFilename)},
      {"lblInformation", ControlKind::Label,   "",                                        240, 1080, 3975, 255, ui::kCentredText,   {}, Member(&MainWindow::lblInformation)},
      {"cmdExecute",     ControlKind::Button,  "Upload and &Execute",                     240, 1400, 3975, 375, ui::kDefaultButton, {}, Member(&MainWindow::cmdExecute)},
      {"txtDownload",    ControlKind::TextBox, "Please select a file to download to...",  240,  600, 3975, 285, ui::kNoFlags,       {}, Member(&MainWindow::txtDownload)},
    }, {
      // name                caption                   level member
      {"mnuFile",            "&File",                  0, Member(&MainWindow::mnuFile)},
      {"mnuBIOS",            "Download &BIOS",         1, Member(&MainWindow::mnuBIOS)},
      {"mnuFlash",           "Download &Flash",        1, Member(&MainWindow::mnuFlash)},
      {"Bar3",               "-",                      1, Member(&MainWindow::Bar3)},
      {"mnuFileExit",        "E&xit",                  1, Member(&MainWindow::mnuFileExit)},
      {"mnuConfig",          "&Config",                0, Member(&MainWindow::mnuConfig)},
      {"mnuRavlinkSerial",   "Ravlink &Serial",        1, Member(&MainWindow::mnuRavlinkSerial)},
      {"mnuRavlinkIP",       "Ravlink &IP",            1, Member(&MainWindow::mnuRavlinkIP)},
      {"Bar1",               "-",                      1, Member(&MainWindow::Bar1)},
      {"mnuConfigUpload",    "&Upload",                1, Member(&MainWindow::mnuConfigUpload)},
      {"mnuConfigUlexecute", "Upload and &Execute",    1, Member(&MainWindow::mnuConfigUlexecute)},
      {"mnuConfigDownload",  "&Download",              1, Member(&MainWindow::mnuConfigDownload)},
      {"Bar2",               "-",                      1, Member(&MainWindow::Bar2)},
      {"mnuConfigOptions",   "Ravlink &Configuration", 1, Member(&MainWindow::mnuConfigOptions)},
      {"mnuHelp",            "&Help",                  0, Member(&MainWindow::mnuHelp)},
      {"mnuHelpAbout",       "&About ",                1, Member(&MainWindow::mnuHelpAbout)},
    }};
  // clang-format on
  return layout;
}

}  // namespace loadergui
