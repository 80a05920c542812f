#pragma once
// Every private message number of the program's windows, in one place. The
// menus, dialogs and threads send or post these to the main window (or, for
// the few noted, to a dialog of their own).
namespace ui::msg {

constexpr unsigned TrayIcon = 0x83EB;          // the notification-area icon's callback
constexpr unsigned NotConnected = 0x83EC;      // end of initialisation: say so when the mouse is missing
constexpr unsigned DeviceArrived = 0x83ED;     // after a HID arrival: resume, hide warnings, show the window
constexpr unsigned MenuChosen = 0x83EE;        // wparam 0 configuration, 1 language (lparam row), 2 macro choice
constexpr unsigned MenuClosed = 0x83EF;        // posted by the menus; nobody needs it
constexpr unsigned MacroFileAction = 0x83F0;   // macro import, export and reset by parameter
constexpr unsigned LedEventValues1 = 0x83F2;   // refill the value list of the selected LED event
constexpr unsigned LedEventValues2 = 0x83F3;
constexpr unsigned LedEventValues3 = 0x83F4;
constexpr unsigned Redraw = 0x83F5;
constexpr unsigned PresetDialog = 0x83F6;      // to the preset dialog, not the main window
constexpr unsigned OpenShortcutCapture = 0x83F7; // posted by the button menu: capture for its button
constexpr unsigned ConfigFromMouse = 0x83F8;   // wparam: the configuration the mouse switched to
constexpr unsigned DpiFromMouse = 0x83F9;      // wparam: the DPI level the mouse is on
constexpr unsigned SaveAdjusted = 0x83FA;      // a macro with a changed vertical adjust waits to be saved
constexpr unsigned DpiLevelSync = 0x83FB;      // the sound-reactive lighting hands the lights back
constexpr unsigned MacroPageMenu = 0x83FC;     // a choice in one of the macro page's menus
constexpr unsigned ShowQueuedTips = 0x83FD;    // tips asked for on other threads wait to be shown
constexpr unsigned KeyCaptured = 0x83FF;       // the key capture's OK; wparam: the device key code
constexpr unsigned FontsAgain = 0x8401;
constexpr unsigned ShortcutCaptured = 0x8402;  // wparam: button * 256 + main key VK; lparam: const Text*
constexpr unsigned EndProgram = 0x8403;        // the status warning's exit button
constexpr unsigned MacroListEdit = 0xA711;     // from the owner-drawn lists

} // namespace ui::msg
