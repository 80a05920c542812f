#include "platform/win32/keyboard_hook_win.h"

#include <windows.h>

#include <string>

namespace platform::win32 {

namespace {

HHOOK g_hook = nullptr;
std::wstring g_title;

LRESULT CALLBACK lowLevelKeyboard(int code, WPARAM wParam, LPARAM lParam)
{
    if (code >= 0) {
        const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        // The capture dialogs bear the main window's title and lie in front of
        // it, so the window found first is the one that wants the key.
        if (HWND target = FindWindowW(nullptr, g_title.c_str()))
            PostMessageW(target, UINT(wParam), WPARAM(event->vkCode), 0);
    }
    return 1;
}

} // namespace

bool Win32KeyboardHook::install(const Text& windowTitle)
{
    g_title.assign(windowTitle.begin(), windowTitle.end());
    if (!g_hook)
        g_hook = SetWindowsHookExW(WH_KEYBOARD_LL, lowLevelKeyboard, GetModuleHandleW(nullptr), 0);
    return g_hook != nullptr;
}

void Win32KeyboardHook::remove()
{
    if (g_hook)
        UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
}

bool Win32KeyboardHook::installed() const { return g_hook != nullptr; }

} // namespace platform::win32
