#pragma once
// The main window's icon in the notification area: added once at start-up,
// removed when the program ends. A double click brings the window back; a
// right click offers "show" and "exit" in the current language.
#include "platform/shell.h"
#include "platform/window.h"
#include "ui/messages.h"

#include <functional>

namespace app {

constexpr unsigned kTrayIconId = 153;
constexpr int kTrayIconResource = 159;
constexpr unsigned kCmdTrayShow = 32801;
constexpr unsigned kCmdTrayExit = 32800;

// Mouse messages the callback carries in lParam.
constexpr unsigned kMouseLButtonDblClk = 0x0203;
constexpr unsigned kMouseRButtonUp = 0x0205;
constexpr unsigned kMsgNull = 0x0000;

class TrayIcon {
public:
    // The menu's two texts, read when the menu opens (the language may have changed).
    struct MenuTexts {
        Text show;
        Text exit;
    };
    using TextSource = std::function<MenuTexts()>;
    // What the window does with a chosen command.
    using CommandSink = std::function<void(unsigned command)>;

    TrayIcon(platform::Window& window, TextSource texts, CommandSink commands);

    void add(const Text& tip);
    void remove();
    bool isShown() const { return shown_; }

    // The callback message: wparam the icon id, lparam the mouse message.
    // 0 when the icon was ours, 1 otherwise (nothing done).
    std::intptr_t onCallback(std::uintptr_t iconId, std::intptr_t mouseMessage);

    // Show and restore the window (double click, and the menu's "show").
    static void bringBack(platform::Window& window);

private:
    void showMenu();

    platform::Window& window_;
    TextSource texts_;
    CommandSink commands_;
    bool shown_ = false;
};

} // namespace app
