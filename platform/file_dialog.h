#pragma once
// The common dialogs: open and save as the import and export commands use
// them (one file, a filter, a starting folder), and the colour dialog.
#include "platform/geometry.h"
#include "platform/text.h"

#include <optional>

namespace platform {

struct FileDialogOptions {
    // MFC form: pairs of description and pattern, each ended by '|', and a
    // final '|': "All Files(*.ini)|*.ini||".
    Text filter;
    // Appended (without the dot) when the user types a name without one; empty for none.
    Text defaultExtension;
    // Folder the dialog starts in; empty leaves it to the system.
    Text initialFolder;
};

class FileDialog {
public:
    virtual ~FileDialog() = default;
    // The chosen path, or nothing when the user cancelled. The open dialog
    // hides the read-only box; the save dialog also asks before overwriting.
    virtual std::optional<Text> chooseFileToOpen(const FileDialogOptions& options) = 0;
    virtual std::optional<Text> chooseFileToSave(const FileDialogOptions& options) = 0;
    // ChooseColor starting at `initial`; nothing when the user cancelled.
    virtual std::optional<Color> chooseColour(Color initial) = 0;
};

} // namespace platform
