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
// follows (the recent files' entries and their bar stay out of the File menu until there are
// files to offer), then which label names each box for a screen reader: the label over the two.
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
      // name                caption               level  member                                 flags
      {"mnuFile",            "&File",                  0, Member(&MainWindow::mnuFile)},
      {"mnuBIOS",            "Download &BIOS",         1, Member(&MainWindow::mnuBIOS)},
      {"mnuFlash",           "Download &Flash",        1, Member(&MainWindow::mnuFlash)},
      {"Bar3",               "-",                      1, Member(&MainWindow::Bar3)},
      {"mnuRecent1",         "&1",                     1, Member(&MainWindow::mnuRecent1),    ui::kStartsHidden},
      {"mnuRecent2",         "&2",                     1, Member(&MainWindow::mnuRecent2),    ui::kStartsHidden},
      {"mnuRecent3",         "&3",                     1, Member(&MainWindow::mnuRecent3),    ui::kStartsHidden},
      {"mnuRecent4",         "&4",                     1, Member(&MainWindow::mnuRecent4),    ui::kStartsHidden},
      {"mnuRecent5",         "&5",                     1, Member(&MainWindow::mnuRecent5),    ui::kStartsHidden},
      {"mnuRecent6",         "&6",                     1, Member(&MainWindow::mnuRecent6),    ui::kStartsHidden},
      {"mnuRecent7",         "&7",                     1, Member(&MainWindow::mnuRecent7),    ui::kStartsHidden},
      {"mnuRecent8",         "&8",                     1, Member(&MainWindow::mnuRecent8),    ui::kStartsHidden},
      {"BarRecent",          "-",                      1, Member(&MainWindow::BarRecent),     ui::kStartsHidden},
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
