// The main window frmMain: one member for each control of its layout table, named as the table
// names it.
#pragma once

#include <memory>
#include <utility>

#include "ui/TypedForm.h"

namespace loadergui {

class MainWindow : public ui::TypedForm {
 public:
  explicit MainWindow(std::unique_ptr<ui::Form> form) : TypedForm(std::move(form)) {
    bindMembers();
  }

  ui::Control* cmdBrowse = nullptr;
  ui::Control* txtUpload = nullptr;
  ui::Control* lblFilename = nullptr;
  ui::Control* lblInformation = nullptr;
  ui::Control* cmdExecute = nullptr;
  ui::Control* txtDownload = nullptr;

  ui::Control* mnuFile = nullptr;
  ui::Control* mnuBIOS = nullptr;
  ui::Control* mnuFlash = nullptr;
  ui::Control* Bar3 = nullptr;
  ui::Control* mnuRecent1 = nullptr;
  ui::Control* mnuRecent2 = nullptr;
  ui::Control* mnuRecent3 = nullptr;
  ui::Control* mnuRecent4 = nullptr;
  ui::Control* mnuRecent5 = nullptr;
  ui::Control* mnuRecent6 = nullptr;
  ui::Control* mnuRecent7 = nullptr;
  ui::Control* mnuRecent8 = nullptr;
  ui::Control* BarRecent = nullptr;
  ui::Control* mnuFileExit = nullptr;
  ui::Control* mnuConfig = nullptr;
  ui::Control* mnuRavlinkSerial = nullptr;
  ui::Control* mnuRavlinkIP = nullptr;
  ui::Control* Bar1 = nullptr;
  ui::Control* mnuConfigUpload = nullptr;
  ui::Control* mnuConfigUlexecute = nullptr;
  ui::Control* mnuConfigDownload = nullptr;
  ui::Control* Bar2 = nullptr;
  ui::Control* mnuConfigOptions = nullptr;
  ui::Control* mnuHelp = nullptr;
  ui::Control* mnuHelpAbout = nullptr;
};

}  // namespace loadergui
