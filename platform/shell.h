#pragma once
// The two shell services of the main window: its notification-area icon with
// a popup menu, and the log-on Run key of the machine, from which the program
// removes its autorun entry.
#include "platform/geometry.h"
#include "platform/process.h"
#include "platform/text.h"

#include <memory>
#include <vector>

namespace platform {

// One NOTIFYICONDATAW as the program fills it.
struct TrayIconData {
    WindowHandle window = 0;
    unsigned id = 0;
    unsigned callbackMessage = 0;
    int iconResource = 0;
    Text tip; // szTip holds 127 characters; longer tips are cut
};

struct MenuItem {
    unsigned command = 0;
    Text text;
};

class Tray {
public:
    virtual ~Tray() = default;
    // Shell_NotifyIconW(NIM_ADD / NIM_DELETE). Results are the call's.
    virtual bool addIcon(const TrayIconData& icon) = 0;
    virtual bool removeIcon(WindowHandle window, unsigned id) = 0;
    // A popup menu of string items at a screen point (TrackPopupMenu with
    // TPM_RIGHTBUTTON, owned by `owner`), destroyed when it closes. Returns the
    // chosen command, 0 when the menu was dismissed.
    virtual unsigned popupMenu(WindowHandle owner, Point screen, const std::vector<MenuItem>& items) = 0;
};

// The value of HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Run,
// opened (created when missing) with KEY_WRITE; closed when destroyed.
class RunKey {
public:
    virtual ~RunKey() = default;
    virtual bool setString(const Text& name, const Text& value) = 0; // REG_SZ, length with the NUL
    virtual bool deleteValue(const Text& name) = 0;
};

class Registry {
public:
    virtual ~Registry() = default;
    // Null when the key cannot be opened for writing (no administrator rights).
    virtual std::unique_ptr<RunKey> openRunKey() = 0;
};

// Installs the build's tray and registry (os() does so when they are unset).
void installShell();

} // namespace platform
