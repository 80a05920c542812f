#include <windows.h>
#include <shellapi.h>

#include "platform/platform.h"
#include "platform/win32/win_util.h"

#include <algorithm>

namespace platform::win32 {

namespace {

HWND hwndOf(WindowHandle w) { return reinterpret_cast<HWND>(w); }

class Win32Tray : public Tray {
public:
    bool addIcon(const TrayIconData& icon) override
    {
        // sizeof, not a size from a 32-bit build: the 64-bit structure is larger.
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof(data);
        data.hWnd = hwndOf(icon.window);
        data.uID = icon.id;
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.uCallbackMessage = icon.callbackMessage;
        data.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(icon.iconResource));
        std::size_t n = std::min(icon.tip.size(), std::size(data.szTip) - 1);
        std::copy_n(icon.tip.begin(), n, data.szTip);
        data.szTip[n] = 0;
        return Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
    }

    bool removeIcon(WindowHandle window, unsigned id) override
    {
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof(data);
        data.hWnd = hwndOf(window);
        data.uID = id;
        return Shell_NotifyIconW(NIM_DELETE, &data) != FALSE;
    }

    unsigned popupMenu(WindowHandle owner, Point screen, const std::vector<MenuItem>& items) override
    {
        HMENU menu = CreatePopupMenu();
        if (!menu)
            return 0;
        for (const MenuItem& item : items)
            AppendMenuW(menu, MF_STRING, item.command, wide(item.text).c_str());
        // TPM_RETURNCMD: the window handles the choice as it would its WM_COMMAND.
        unsigned chosen = unsigned(TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, screen.x,
                                                  screen.y, 0, hwndOf(owner), nullptr));
        DestroyMenu(menu);
        return chosen;
    }
};

constexpr const wchar_t* kRunKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

class Win32RunKey : public RunKey {
public:
    explicit Win32RunKey(HKEY key) : key_(key) {}
    ~Win32RunKey() override { RegCloseKey(key_); }

    bool setString(const Text& name, const Text& value) override
    {
        std::wstring v = wide(value);
        return RegSetValueExW(key_, wide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(v.c_str()),
                              DWORD((v.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    }
    bool deleteValue(const Text& name) override
    {
        return RegDeleteValueW(key_, wide(name).c_str()) == ERROR_SUCCESS;
    }

private:
    HKEY key_;
};

class Win32Registry : public Registry {
public:
    std::unique_ptr<RunKey> openRunKey() override
    {
        // The program's own view of HKLM (the 64-bit one for this build).
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                            &key, nullptr) != ERROR_SUCCESS)
            return nullptr;
        return std::make_unique<Win32RunKey>(key);
    }
};

} // namespace

} // namespace platform::win32

namespace platform {

void installShell()
{
    static win32::Win32Tray tray;
    static win32::Win32Registry registry;
    servicesStorage().tray = &tray;
    servicesStorage().registry = &registry;
}

} // namespace platform
