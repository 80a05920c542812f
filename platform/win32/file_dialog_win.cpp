#include "platform/win32/file_dialog_win.h"

#include <windows.h>
#include <commdlg.h>

#include <vector>

namespace platform::win32 {

namespace {

const wchar_t* wide(const Text& t) { return reinterpret_cast<const wchar_t*>(t.c_str()); }

std::optional<Text> runDialog(const FileDialogOptions& options, bool save)
{
    Text filter = win32FilterString(options.filter);
    // Room for a long path; the dialog fails with FNERR_BUFFERTOOSMALL beyond it.
    std::vector<wchar_t> path(32768, L'\0');

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = GetActiveWindow();
    ofn.lpstrFilter = wide(filter);
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path.data();
    ofn.nMaxFile = static_cast<DWORD>(path.size());
    ofn.lpstrInitialDir = options.initialFolder.empty() ? nullptr : wide(options.initialFolder);
    ofn.lpstrDefExt = options.defaultExtension.empty() ? nullptr : wide(options.defaultExtension);
    // Without OFN_NOCHANGEDIR the dialog moves the process's current folder.
    ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_NOCHANGEDIR | OFN_HIDEREADONLY |
                (save ? OFN_OVERWRITEPROMPT : OFN_READONLY);

    BOOL ok = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (!ok)
        return std::nullopt; // cancelled, or the dialog failed (CommDlgExtendedError)
    return Text(reinterpret_cast<const char16_t*>(path.data()));
}

} // namespace

Text win32FilterString(const Text& filter)
{
    Text out = filter;
    for (char16_t& c : out)
        if (c == u'|')
            c = u'\0';
    // The list ends with an empty string: two zeros after the last pattern.
    while (out.size() < 2 || out[out.size() - 1] != u'\0' || out[out.size() - 2] != u'\0')
        out.push_back(u'\0');
    return out;
}

std::optional<Text> Win32FileDialog::chooseFileToOpen(const FileDialogOptions& options)
{
    return runDialog(options, false);
}

std::optional<Text> Win32FileDialog::chooseFileToSave(const FileDialogOptions& options)
{
    return runDialog(options, true);
}

std::optional<Color> Win32FileDialog::chooseColour(Color initial)
{
    // The sixteen custom colours the dialog offers live as long as the program.
    static COLORREF custom[16] = {};
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof(cc);
    cc.hwndOwner = GetActiveWindow();
    cc.rgbResult = initial;
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorW(&cc))
        return std::nullopt;
    return Color(cc.rgbResult);
}

} // namespace platform::win32
