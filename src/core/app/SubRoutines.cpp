// modSubRoutines: switching the loader variant and the transfer mode, and the option snapshot.
#include "app/SubRoutines.h"

#include <string>

#include "app/App.h"
#include "app/Captions.h"
#include "settings/OptionValues.h"

namespace loadergui {

namespace {

enum class Mode { Upload, UploadExecute, Download };

struct ModeRow {
  const char* checkedItem;
  const char* executeCaption;
  const char* browseCaption;
  const char* filenameCaption;
  const char* informationVerb;  // the information line starts with it
  bool showsUploadBox;
};

const ModeRow& RowOf(Mode mode) {
  static const ModeRow kRows[] = {
      {"mnuConfigUpload", text::kModeUpload, text::kBrowse, "Select a file to upload", "Upload",
       true},
      {"mnuConfigUlexecute", text::kModeUploadExecute, text::kBrowse, "Select a file to upload",
       "Upload", true},
      {"mnuConfigDownload", text::kModeDownload, text::kSave, "Save a file to download", "Download",
       false},
  };
  return kRows[static_cast<int>(mode)];
}

const char* const kModeItems[] = {"mnuConfigUpload", "mnuConfigUlexecute", "mnuConfigDownload"};

// The information line names the port and speed of the serial loader, or the console's address.
std::string InformationLine(App& app, const ModeRow& row) {
  ui::Form& options = app.frmOptions();
  std::string verb = row.informationVerb;
  if (SerialLoaderSelected(app)) {
    return verb + " through the serial port, " + options.control("cmbCOMPort").text() + " at " +
           options.control("cmbBaudrate").text() + "bps";
  }
  return verb + " through IP, " + options.control("cmbIP").text();
}

void ApplyMode(App& app, Mode mode) {
  const ModeRow& row = RowOf(mode);
  ui::Form& main = app.frmMain();
  for (const char* item : kModeItems) {
    main.control(item).setChecked(std::string(item) == row.checkedItem);
  }
  main.control("lblFilename").setText(row.filenameCaption);
  main.control("lblInformation").setText(InformationLine(app, row));
  main.control("cmdExecute").setText(row.executeCaption);
  main.control("cmdBrowse").setText(row.browseCaption);
  main.control("txtUpload").setVisible(row.showsUploadBox);
  main.control("txtDownload").setVisible(!row.showsUploadBox);
}

struct VariantColumn {
  const char* mainCaption;
  const char* optionsCaption;
  bool serial;
  const char* deviceLabel;
};

void ApplyVariant(App& app, const VariantColumn& column) {
  ui::Form& main = app.frmMain();
  ui::Form& options = app.frmOptions();
  main.caption().setText(column.mainCaption);
  options.caption().setText(column.optionsCaption);
  main.control("mnuRavlinkSerial").setChecked(column.serial);
  main.control("mnuRavlinkIP").setChecked(!column.serial);
  options.control("cmbIP").setVisible(!column.serial);
  options.control("cmbCOMPort").setVisible(column.serial);
  options.control("lblCOMPort").setText(column.deviceLabel);
  options.control("cbARP").setVisible(!column.serial);
  options.control("cmbBaudrate").setVisible(column.serial);
  options.control("txtARP").setVisible(!column.serial);
  RefreshTransferMode(app);
}

}  // namespace

bool SerialLoaderSelected(App& app) {
  return app.frmMain().control("mnuRavlinkSerial").checked();
}

void SetUploadMode(App& app) {
  ApplyMode(app, Mode::Upload);
}
void SetUploadExecuteMode(App& app) {
  ApplyMode(app, Mode::UploadExecute);
}
void SetDownloadMode(App& app) {
  ApplyMode(app, Mode::Download);
}

// Any caption but the exact "&Upload" and "&Download", stored text included, means Upload and
// Execute.
void RefreshTransferMode(App& app) {
  std::string caption = app.frmMain().control("cmdExecute").text();
  if (caption == text::kModeUpload) {
    SetUploadMode(app);
  } else if (caption == text::kModeDownload) {
    SetDownloadMode(app);
  } else {
    SetUploadExecuteMode(app);
  }
}

void SelectSerialLoader(App& app) {
  ApplyVariant(app, {"Ravlink Serial GUI 2.0", "Ravlink Serial Confirguration Options", true,
                     "Select a device (Default: COM1)"});
}

void SelectIPLoader(App& app) {
  ApplyVariant(app, {"Ravlink IP GUI 2.0", "Ravlink IP Confirguration Options", false,
                     "Set an IP (Default: 192.168.0.0)"});
}

// Texts as they stand; check-box values as decimal text.
void SaveOptionSnapshot(App& app) {
  ui::Form& options = app.frmOptions();
  for (std::size_t i = 0; i < app.snapshot().size(); ++i) {
    const OptionValue& option = OptionFor(kSnapshotOrder[i]);
    ui::Control& control = options.control(option.control);
    app.snapshot()[i] =
        option.kind == OptionKind::Text ? control.text() : std::to_string(control.value());
  }
}

}  // namespace loadergui
