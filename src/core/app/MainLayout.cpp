// The main window: file box, Browse, information line and the Execute button under the menus.
#include "app/MainLayout.h"

#include "app/Captions.h"
#include "app/MainWindow.h"

namespace loadergui {

using ui::ControlKind;
using ui::Member;

// One row per control, in tab order: x, y, w and h place it in twips from the client area's
// top-left corner; a row ends with the member of MainWindow that holds the control. txtUpload
// and txtDownload lie on the same spot; the transfer mode decides which is visible. The menu
// follows, then which label names each box for a screen reader: the label over the two.
const ui::FormLayout& MainWindowLayout() {
  // clang-format off
  static const ui::FormLayout layout{"frmMain", text::kSerialMainCaption, 4455, 2085, {
      // name            kind                  caption                      x     y     w    h  flags               items  member
      {"cmdBrowse",      ControlKind::Button,  text::kBrowse,            2880,  150, 1335, 375, ui::kNoFlags,       {},    Member(&MainWindow::cmdBrowse)},
      {"txtUpload",      ControlKind::TextBox, text::kUploadPrompt,       240,  600, 3975, 285, ui::kNoFlags,       {},    Member(&MainWindow::txtUpload)},
      {"lblFilename",    ControlKind::Label,   text::kUploadFileLabel,    240,  360, 2535, 255, ui::kNoFlags,       {},    Member(&MainWindow::lblFilename)},
      {"lblInformation", ControlKind::Label,   "",                        240, 1080, 3975, 255, ui::kCentredText,   {},    Member(&MainWindow::lblInformation)},
      {"cmdExecute",     ControlKind::Button,  text::kModeUploadExecute,  240, 1400, 3975, 375, ui::kDefaultButton, {},    Member(&MainWindow::cmdExecute)},
      {"txtDownload",    ControlKind::TextBox, text::kDownloadPrompt,     240,  600, 3975, 285, ui::kNoFlags,       {},    Member(&MainWindow::txtDownload)},
    }, {
      // name                caption               level  member
      {"mnuFile",            "&File",                  0, Member(&MainWindow::mnuFile)},
      {"mnuBIOS",            "Download &BIOS",         1, Member(&MainWindow::mnuBIOS)},
      {"mnuFlash",           "Download &Flash",        1, Member(&MainWindow::mnuFlash)},
      {"Bar3",               "-",                      1, Member(&MainWindow::Bar3)},
      {"mnuFileExit",        "E&xit",                  1, Member(&MainWindow::mnuFileExit)},
      {"mnuConfig",          "&Config",                0, Member(&MainWindow::mnuConfig)},
      {"mnuRavlinkSerial",   "Ravlink &Serial",        1, Member(&MainWindow::mnuRavlinkSerial)},
      {"mnuRavlinkIP",       "Ravlink &IP",            1, Member(&MainWindow::mnuRavlinkIP)},
      {"Bar1",               "-",                      1, Member(&MainWindow::Bar1)},
      {"mnuConfigUpload",    text::kModeUpload,        1, Member(&MainWindow::mnuConfigUpload)},
      {"mnuConfigUlexecute", text::kModeUploadExecute, 1, Member(&MainWindow::mnuConfigUlexecute)},
      {"mnuConfigDownload",  text::kModeDownload,      1, Member(&MainWindow::mnuConfigDownload)},
      {"Bar2",               "-",                      1, Member(&MainWindow::Bar2)},
      {"mnuConfigOptions",   "Ravlink &Configuration", 1, Member(&MainWindow::mnuConfigOptions)},
      {"mnuHelp",            "&Help",                  0, Member(&MainWindow::mnuHelp)},
      {"mnuHelpAbout",       "&About ",                1, Member(&MainWindow::mnuHelpAbout)},
    }, {
      // box                              named by
      {Member(&MainWindow::txtUpload),   Member(&MainWindow::lblFilename)},
      {Member(&MainWindow::txtDownload), Member(&MainWindow::lblFilename)},
    }};
  // clang-format on
  return layout;
}

}  // namespace loadergui
