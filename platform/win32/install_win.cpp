#include "platform/platform.h"
#include "platform/simmouse/sim_setup.h"
#include "platform/win32/clock_win.h"
#include "platform/win32/file_dialog_win.h"
#include "platform/win32/files_win.h"
#include "platform/win32/hid_win.h"
#include "platform/win32/keyboard_hook_win.h"
#include "platform/win32/process_win.h"
#include "platform/win32/profile_win.h"
#include "platform/win32/system_settings_win.h"

namespace platform {

void installDefault()
{
    static win32::Win32Files files;
    static win32::Win32Profile profile;
    static win32::Win32Clock clock;
    static win32::Win32Process process;
    static win32::Win32Hid hid;
    static win32::Win32FileDialog fileDialog;
    static win32::Win32SystemSettings systemSettings;
    static win32::Win32KeyboardHook keyboardHook;

    Services& s = servicesStorage();
    s.files = &files;
    s.profile = &profile;
    s.clock = &clock;
    s.process = &process;
    s.fileDialog = &fileDialog;
    s.keyboardHook = &keyboardHook;
    s.systemSettings = &systemSettings;
    // "Try the program without the mouse": KVX_GMOUSE_SIM names the simulated
    // mouse's memory file, KVX_GMOUSE_SIM_LOG its report log.
    sim::SimWorld* world = sim::simulatedWorldFromEnvironment(process.environment(u"KVX_GMOUSE_SIM"),
                                                              process.environment(u"KVX_GMOUSE_SIM_LOG"));
    s.hid = world ? static_cast<Hid*>(&world->bus) : &hid;
}

} // namespace platform
