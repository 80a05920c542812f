#include "platform/headless/clock_headless.h"
#include "platform/headless/file_dialog_headless.h"
#include "platform/headless/files_headless.h"
#include "platform/headless/keyboard_hook_headless.h"
#include "platform/headless/process_headless.h"
#include "platform/headless/profile_headless.h"
#include "platform/headless/system_settings_headless.h"
#include "platform/platform.h"
#include "platform/simmouse/sim_setup.h"

namespace platform {

void installDefault()
{
    static headless::HeadlessFiles files;
    static headless::HeadlessProfile profile(files);
    static headless::HeadlessClock clock;
    static headless::HeadlessProcess process;
    static headless::HeadlessSystemSettings systemSettings;
    static sim::SimHidBus emptyBus;
    static headless::ScriptedFileDialog fileDialog;

    Services& s = servicesStorage();
    s.files = &files;
    s.profile = &profile;
    s.clock = &clock;
    s.process = &process;
    s.systemSettings = &systemSettings;
    s.fileDialog = &fileDialog;
    s.keyboardHook = &headless::keyboardHook();
    sim::SimWorld* world = sim::simulatedWorldFromEnvironment(process.environment(u"KVX_GMOUSE_SIM"),
                                                              process.environment(u"KVX_GMOUSE_SIM_LOG"),
                                                              process.environment(u"KVX_GMOUSE_SIM_CMD"));
    s.hid = world ? static_cast<Hid*>(&world->bus) : &emptyBus;
}

} // namespace platform
