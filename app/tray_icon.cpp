#include "app/tray_icon.h"

#include "platform/platform.h"

namespace app {

TrayIcon::TrayIcon(platform::Window& window, TextSource texts, CommandSink commands)
    : window_(window), texts_(std::move(texts)), commands_(std::move(commands))
{
}

void TrayIcon::add(const Text& tip)
{
    platform::TrayIconData data;
    data.window = window_.handle();
    data.id = kTrayIconId;
    data.callbackMessage = ui::msg::TrayIcon;
    data.iconResource = kTrayIconResource;
    data.tip = tip;
    // A refused icon leaves the program running; the window can still be reached.
    shown_ = platform::os().tray->addIcon(data);
}

void TrayIcon::remove()
{
    platform::os().tray->removeIcon(window_.handle(), kTrayIconId);
    shown_ = false;
}

void TrayIcon::bringBack(platform::Window& window)
{
    window.show(platform::Show::Show);
    window.show(platform::Show::Restore);
}

std::intptr_t TrayIcon::onCallback(std::uintptr_t iconId, std::intptr_t mouseMessage)
{
    if (iconId != kTrayIconId)
        return 1;
    switch (unsigned(mouseMessage)) {
    case kMouseLButtonDblClk:
        bringBack(window_);
        break;
    case kMouseRButtonUp:
        showMenu();
        break;
    default:
        break;
    }
    return 0;
}

void TrayIcon::showMenu()
{
    platform::Point at = platform::os().windows->cursorPos();
    window_.setForeground();
    MenuTexts texts = texts_ ? texts_() : MenuTexts{};
    unsigned chosen = platform::os().tray->popupMenu(window_.handle(), at,
                                                     {{kCmdTrayShow, texts.show}, {kCmdTrayExit, texts.exit}});
    // Without this the menu does not close when the user clicks elsewhere.
    window_.post(kMsgNull);
    if (chosen && commands_)
        commands_(chosen);
}

} // namespace app
