// The shared procedures that switch loader variant and transfer mode, and the option snapshot.
#pragma once

namespace loadergui {

class App;

enum class TransferMode { Upload, UploadExecute, Download };

void SetUploadMode(App& app);
void SetUploadExecuteMode(App& app);
void SetDownloadMode(App& app);
void RefreshTransferMode(App& app);
void SelectSerialLoader(App& app);
void SelectIPLoader(App& app);
void SaveOptionSnapshot(App& app);
// Leaves Download for the upload mode in force before it; in an upload mode it changes nothing.
void ReturnToUploadMode(App& app);

// Reading the loader variant: only the serial item's check mark is ever consulted.
bool SerialLoaderSelected(App& app);

}  // namespace loadergui
