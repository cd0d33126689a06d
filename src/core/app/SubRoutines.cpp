// modSubRoutines: switching the loader variant and the transfer mode, and the option snapshot.
#include "app/SubRoutines.h"

#include <string>
#include <string_view>

#include "app/App.h"
#include "app/Captions.h"
#include "settings/OptionValues.h"

namespace loadergui {

namespace {

struct ModeRow {
  ui::Control* MainWindow::*checkedItem;
  const char* executeCaption;
  const char* browseCaption;
  const char* filenameCaption;
  const char* informationVerb;  // the information line starts with it
  bool showsUploadBox;
};

// In the order of TransferMode.
// clang-format off
const ModeRow kModeRows[] = {
    // check mark                     Execute caption           Browse caption file-box label             verb        upload box
    {&MainWindow::mnuConfigUpload,    text::kModeUpload,        text::kBrowse, text::kUploadFileLabel,    "Upload",   true},
    {&MainWindow::mnuConfigUlexecute, text::kModeUploadExecute, text::kBrowse, text::kUploadFileLabel,    "Upload",   true},
    {&MainWindow::mnuConfigDownload,  text::kModeDownload,      text::kSave,   "Save a file to download", "Download", false},
};
// clang-format on

// The information line names the port and speed of the serial loader, or the console's address.
std::string InformationLine(App& app, const ModeRow& row) {
  OptionsDialog& options = app.frmOptions();
  std::string verb = row.informationVerb;
  if (SerialLoaderSelected(app)) {
    return verb + " through the serial port, " + options.cmbCOMPort->text() + " at " +
           options.cmbBaudrate->text() + "bps";
  }
  return verb + " through IP, " + options.cmbIP->text();
}

void ApplyMode(App& app, TransferMode mode) {
  const ModeRow& row = kModeRows[static_cast<int>(mode)];
  if (mode != TransferMode::Download) app.lastUploadMode() = mode;
  MainWindow& main = app.frmMain();
  for (const ModeRow& each : kModeRows) (main.*each.checkedItem)->setChecked(&each == &row);
  main.lblFilename->setText(row.filenameCaption);
  main.lblInformation->setText(InformationLine(app, row));
  main.cmdExecute->setText(row.executeCaption);
  main.cmdBrowse->setText(row.browseCaption);
  main.txtUpload->setVisible(row.showsUploadBox);
  main.txtDownload->setVisible(!row.showsUploadBox);
}

struct VariantColumn {
  const char* mainCaption;
  const char* optionsCaption;
  bool serial;
  std::string_view deviceLabel;
};

void ApplyVariant(App& app, const VariantColumn& column) {
  MainWindow& main = app.frmMain();
  OptionsDialog& options = app.frmOptions();
  main.caption->setText(column.mainCaption);
  options.caption->setText(column.optionsCaption);
  main.mnuRavlinkSerial->setChecked(column.serial);
  main.mnuRavlinkIP->setChecked(!column.serial);
  options.cmbIP->setVisible(!column.serial);
  options.cmbCOMPort->setVisible(column.serial);
  options.lblCOMPort->setText(std::string(column.deviceLabel));
  options.cbARP->setVisible(!column.serial);
  options.cmbBaudrate->setVisible(column.serial);
  options.txtARP->setVisible(!column.serial);
  RefreshTransferMode(app);
}

}  // namespace

bool SerialLoaderSelected(App& app) {
  return app.frmMain().mnuRavlinkSerial->checked();
}

void SetUploadMode(App& app) {
  ApplyMode(app, TransferMode::Upload);
}
void SetUploadExecuteMode(App& app) {
  ApplyMode(app, TransferMode::UploadExecute);
}
void SetDownloadMode(App& app) {
  ApplyMode(app, TransferMode::Download);
}

// Any caption but the exact "&Upload" and "&Download", stored text included, means Upload and
// Execute.
void RefreshTransferMode(App& app) {
  std::string caption = app.frmMain().cmdExecute->text();
  if (caption == text::kModeUpload) {
    SetUploadMode(app);
  } else if (caption == text::kModeDownload) {
    SetDownloadMode(app);
  } else {
    SetUploadExecuteMode(app);
  }
}

void SelectSerialLoader(App& app) {
  ApplyVariant(app, {text::kSerialMainCaption, "Ravlink Serial Confirguration Options", true,
                     app.services().facts.deviceLabel});
}

void SelectIPLoader(App& app) {
  ApplyVariant(app, {"Ravlink IP GUI 2.0", "Ravlink IP Confirguration Options", false,
                     "Set an IP (Default: 192.168.0.0)"});
}

// A file handed to the program goes into the upload box, which Download hides: the program
// returns to the upload mode the user had chosen before, or to Upload and Execute when Download
// has been in force since start-up.
void ReturnToUploadMode(App& app) {
  if (app.frmMain().mnuConfigDownload->checked()) ApplyMode(app, app.lastUploadMode());
}

// Texts as they stand; check-box values as decimal text.
void SaveOptionSnapshot(App& app) {
  for (std::size_t i = 0; i < app.snapshot().size(); ++i) {
    app.snapshot()[i] = OptionText(app.frmOptions(), OptionFor(kSnapshotOrder[i]));
  }
}

}  // namespace loadergui
