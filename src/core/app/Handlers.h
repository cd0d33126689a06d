// Every handler of the two windows, named after its control and event; each window's handlers
// in a namespace of its own, each handler defined in the file named beside it.
#pragma once

#include <string>
#include <vector>

namespace loadergui {

class App;

namespace frmMain {
// app/StartUp.cpp
bool Form_Load(App& app);
void Form_Unload(App& app, int& cancel);
void mnuFileExit_Click(App& app);
// app/MenuHandlers.cpp
void mnuRavlinkSerial_Click(App& app);
void mnuRavlinkIP_Click(App& app);
void mnuConfigUpload_Click(App& app);
void mnuConfigUlexecute_Click(App& app);
void mnuConfigDownload_Click(App& app);
void mnuConfigOptions_Click(App& app);
// app/About.cpp
void mnuHelpAbout_Click(App& app);
// app/CopyCommandLine.cpp
void cmdExecute_CopyCommandLine(App& app);
// app/DropFiles.cpp
void Form_DropFiles(App& app, const std::vector<std::string>& paths);
// app/OpenFile.cpp
bool Form_OpenFile(App& app, const std::string& path);
// app/RecentFiles.cpp: the entries mnuRecent1 to mnuRecent8, by their index from 0
void mnuRecent_Click(App& app, int index);
// loader/Dumps.cpp
void mnuBIOS_Click(App& app);
void mnuFlash_Click(App& app);
// loader/Execute.cpp
void cmdExecute_Click(App& app);
std::string cmdExecute_Tip(App& app);
// pickers/PickerHandlers.cpp
void cmdBrowse_Click(App& app);
}  // namespace frmMain

namespace frmOptions {
// settings/FrmOptions.cpp
void cmdOK_Click(App& app);
void cmdCancel_Click(App& app);
void cmdDefault_Click(App& app);
void cbChroot_Click(App& app);
void cbCDFSRedir_Click(App& app);
void cbARP_Click(App& app);
void cmbBaudrate_KeyPress(App& app, int& keyAscii);
void Form_Unload(App& app, int& cancel);
void QueryClose(App& app);
// settings/SerialDevices.cpp
void cmbCOMPort_DropDown(App& app);
// pickers/PickerHandlers.cpp
void cmdChroot_Click(App& app);
void cmdCDFSRedir_Click(App& app);
}  // namespace frmOptions

}  // namespace loadergui
