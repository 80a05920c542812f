#pragma once
// The common file dialogs through comdlg32 (GetOpenFileNameW / GetSaveFileNameW).
#include "platform/file_dialog.h"

namespace platform::win32 {

class Win32FileDialog : public FileDialog {
public:
    std::optional<Text> chooseFileToOpen(const FileDialogOptions& options) override;
    std::optional<Text> chooseFileToSave(const FileDialogOptions& options) override;
    std::optional<Color> chooseColour(Color initial) override;
};

// "A|*.a||" -> "A\0*.a\0\0": the MFC filter form as OPENFILENAMEW wants it.
// Always ends in two zero characters, even for an empty or unterminated filter.
Text win32FilterString(const Text& filter);

} // namespace platform::win32
