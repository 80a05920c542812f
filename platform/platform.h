#pragma once
// The services the program reaches the OS through. One set is installed at
// start: the Win32 one in the product, the headless one in native tests. HID
// can be switched to the simulated mouse in either.
#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/file_dialog.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/hid.h"
#include "platform/keyboard_hook.h"
#include "platform/process.h"
#include "platform/profile.h"
#include "platform/shell.h"
#include "platform/system_settings.h"
#include "platform/window.h"

namespace platform {

struct Services {
    Profile* profile = nullptr;
    Files* files = nullptr;
    Clock* clock = nullptr;
    Process* process = nullptr;
    Hid* hid = nullptr;
    SystemSettings* systemSettings = nullptr;
    FileDialog* fileDialog = nullptr;
    WindowSystem* windows = nullptr;
    Graphics* graphics = nullptr;
    Tray* tray = nullptr;
    Registry* registry = nullptr;
    Audio* audio = nullptr;
    KeyboardHook* keyboardHook = nullptr;
};

Services& os();
// The storage behind os(), for installDefault() to fill without recursion.
Services& servicesStorage();

// Installs the build's own implementation (Win32 or headless). When the
// environment variable KVX_GMOUSE_SIM names a file, HID goes to the simulated
// mouse backed by that file instead of the real devices.
void installDefault();
// Installs the build's windows and drawing (os() does so when installDefault left them unset).
void installWindowing();

} // namespace platform
