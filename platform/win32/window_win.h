#pragma once
// The dialog base on real Win32 dialogs: templates from the resource script,
// one dialog procedure that routes messages to the Window's handlers, and a
// modal loop of our own so that preTranslateMessage sees every message.
#include <windows.h>

#include "platform/window.h"

#include <unordered_map>

namespace platform::win32 {

class Win32Window : public NativeWindow {
public:
    Win32Window(HWND hwnd, Window& owner) : hwnd_(hwnd), owner_(owner) {}
    ~Win32Window() override;

    WindowHandle handle() const override { return reinterpret_cast<WindowHandle>(hwnd_); }
    void show(Show how) override;
    bool isVisible() const override;
    bool isIconic() const override;
    void move(const Rect& screenRect) override;
    Rect windowRect() const override;
    Rect clientRect() const override;
    Point clientToScreen(Point p) const override;
    void setRegion(const Rect& r) override;
    void invalidate(bool erase) override;
    void invalidateExcept(const Rect* holes, int count, bool erase) override;
    void invalidateRect(const Rect& r, bool erase) override;
    void update() override;
    void setText(const Text& t) override;
    Text text() const override;
    void setTimer(unsigned id, unsigned ms) override;
    void killTimer(unsigned id) override;
    bool post(unsigned id, std::uintptr_t wParam, std::intptr_t lParam) override;
    std::intptr_t send(unsigned id, std::uintptr_t wParam, std::intptr_t lParam) override;
    bool trackMouseLeave(unsigned hoverMs) override;
    void beginMoveDrag(Point client) override;
    bool registerHidNotification() override;
    void setForeground() override;
    void setIcon(int resourceId) override;
    void appendSystemMenuItem(unsigned command, const Text& label) override;
    void endDialog() override;

    HWND hwnd() const { return hwnd_; }

private:
    HWND hwnd_;
    Window& owner_;
    HDEVNOTIFY notification_ = nullptr;
};

class Win32Windows : public WindowSystem {
public:
    bool create(Window& window, Window* parent) override;
    void runModal(Window& window, Window* parent) override;
    Size screenSize() override;
    int fullScreenHeight() override;
    Size iconSize() override;
    Point cursorPos() override;
    bool isKeyDown(unsigned virtualKey) override;
    void messageBox(Window* owner, const Text& text, const Text& caption) override;
    void broadcastDeviceChange(const DeviceChange& change) override;

    // The Window behind one of our dialogs (main thread only).
    Window* find(HWND hwnd) const;
    void remember(HWND hwnd, Window* window);
    void forget(HWND hwnd);

private:
    // The framework's pre-translation: the target and the windows above it,
    // each first by its own handler, then as a dialog (Enter, Escape).
    bool preTranslate(MSG& msg);
    std::unordered_map<HWND, Window*> windows_;
};

HWND hwndOf(const Window* window);

} // namespace platform::win32
