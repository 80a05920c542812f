#pragma once
// A small dialog base in place of the framework's: a Window object owns one
// native window made from a dialog template, receives its messages through
// virtual handlers, and runs either modally (doModal / endDialog) or modeless
// (create, show, hide). The Win32 build backs it with real dialogs; the
// headless build with window objects and a message queue that tests drive.
#include "platform/geometry.h"
#include "platform/graphics.h"
#include "platform/process.h"
#include "platform/text.h"

#include <cstdint>
#include <memory>
#include <mutex>

namespace platform {

class Window;

// Message numbers portable code sees in preTranslateMessage or posts itself.
namespace msg {
constexpr unsigned Close = 0x0010;
constexpr unsigned KeyDown = 0x0100;
constexpr unsigned KeyUp = 0x0101;
constexpr unsigned SysKeyDown = 0x0104;
constexpr unsigned SysKeyUp = 0x0105;
constexpr unsigned SysCommand = 0x0112;
constexpr unsigned MouseMove = 0x0200;
constexpr unsigned LButtonDown = 0x0201;
constexpr unsigned LButtonUp = 0x0202;
constexpr unsigned RButtonDown = 0x0204;
constexpr unsigned RButtonUp = 0x0205;
constexpr unsigned User = 0x0400; // private messages start here
} // namespace msg

namespace vk {
constexpr unsigned LButton = 0x01;
constexpr unsigned Return = 0x0D;
constexpr unsigned Escape = 0x1B;
} // namespace vk

// ShowWindow commands.
enum class Show { Hide = 0, Normal = 1, Minimize = 6, Show = 5, Restore = 9 };

// WM_SYSCOMMAND codes (after & 0xFFF0).
namespace syscmd {
constexpr unsigned Minimize = 0xF020;
constexpr unsigned Close = 0xF060;
constexpr unsigned Restore = 0xF120;
} // namespace syscmd

// WM_DEVICECHANGE with its DEV_BROADCAST header when there is one.
struct DeviceChange {
    static constexpr unsigned Arrival = 0x8000;        // DBT_DEVICEARRIVAL
    static constexpr unsigned RemoveComplete = 0x8004; // DBT_DEVICEREMOVECOMPLETE
    static constexpr unsigned DeviceInterface = 5;     // DBT_DEVTYP_DEVICEINTERFACE
    unsigned event = 0;
    unsigned deviceType = 0; // dbch_devicetype; 0 when the message carries no header
    Text name;               // dbcc_name of a device interface
};

// A message as a message loop sees it before dispatching.
struct Message {
    WindowHandle window = 0;
    unsigned id = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};
// Client point of a mouse message's lParam (signed 16-bit halves).
Point pointFromLParam(std::intptr_t lParam);
std::intptr_t lParamFromPoint(Point p);

// The native side of one window; made by WindowSystem, used only through Window.
class NativeWindow {
public:
    virtual ~NativeWindow() = default;
    virtual WindowHandle handle() const = 0;
    virtual void show(Show how) = 0;
    virtual bool isVisible() const = 0;
    virtual bool isIconic() const = 0;
    virtual void move(const Rect& screenRect) = 0;
    virtual Rect windowRect() const = 0;
    virtual Rect clientRect() const = 0;
    virtual Point clientToScreen(Point p) const = 0;
    virtual void setRegion(const Rect& r) = 0;
    virtual void invalidate(bool erase) = 0;
    virtual void invalidateExcept(const Rect* holes, int count, bool erase) = 0;
    virtual void invalidateRect(const Rect& r, bool erase) = 0;
    virtual void update() = 0;
    virtual void setText(const Text& t) = 0;
    virtual Text text() const = 0;
    virtual void setTimer(unsigned id, unsigned ms) = 0;
    virtual void killTimer(unsigned id) = 0;
    virtual bool post(unsigned id, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    virtual std::intptr_t send(unsigned id, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    virtual bool trackMouseLeave(unsigned hoverMs) = 0;
    virtual void beginMoveDrag(Point client) = 0;
    virtual bool registerHidNotification() = 0;
    virtual void setForeground() = 0;
    virtual void setIcon(int resourceId) = 0;
    virtual void appendSystemMenuItem(unsigned command, const Text& label) = 0;
    // Ends a modal run, or hides a modeless dialog (as EndDialog does).
    virtual void endDialog() = 0;
};

class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // Creates the native window of `window` from its dialog template (hidden,
    // owned by `parent`), attaches it, and runs window.onInitDialog() before
    // returning. False when no window could be made.
    virtual bool create(Window& window, Window* parent) = 0;
    // Runs the modal loop of a created window until its endDialog; disables the
    // owner meanwhile and shows the window when the loop first goes idle.
    virtual void runModal(Window& window, Window* parent) = 0;

    virtual Size screenSize() = 0;      // SM_CXSCREEN, SM_CYSCREEN
    virtual int fullScreenHeight() = 0; // SM_CYFULLSCREEN
    virtual Size iconSize() { return {32, 32}; } // SM_CXICON, SM_CYICON
    virtual Point cursorPos() = 0;      // GetCursorPos
    virtual bool isKeyDown(unsigned virtualKey) = 0; // GetAsyncKeyState high bit
    // MessageBoxW with MB_OK; owner may be null.
    virtual void messageBox(Window* owner, const Text& text, const Text& caption) = 0;
    // A device change as the system sends it to the windows registered for HID
    // notifications (the simulated mouse coming and going). Any thread.
    virtual void broadcastDeviceChange(const DeviceChange&) {}
};

class Window {
public:
    explicit Window(int templateId) : templateId_(templateId) {}
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Creates the window, runs it until endDialog and destroys it; returns the result.
    std::intptr_t doModal(Window* parent = nullptr);
    // Creates a modeless window, hidden; false when it could not be made.
    bool create(Window* parent = nullptr);
    // Modal: the loop ends with `result`. Modeless: the window is hidden.
    void endDialog(std::intptr_t result);
    void destroy();

    bool exists() const { return native_ != nullptr; }
    bool isModal() const { return modal_; }
    int templateId() const { return templateId_; }
    std::intptr_t result() const { return result_; }
    WindowHandle handle() const;
    Window* parent() const { return parent_; }

    void show(Show how);
    bool isVisible() const;
    bool isIconic() const;
    void move(const Rect& screenRect);
    Rect windowRect() const;
    Rect clientRect() const;
    Point clientToScreen(Point p) const;
    // SetWindowRgn with a rectangle in window coordinates.
    void setRegion(const Rect& r);
    void invalidate(bool erase = true);
    // Invalidates the client area less the given rectangles (child controls).
    void invalidateExcept(const Rect* holes, int count, bool erase = true);
    // Only this part of the client area (client coordinates) needs painting again.
    void invalidateRect(const Rect& r, bool erase = true);
    void update();
    void setText(const Text& t);
    Text text() const;
    void setTimer(unsigned id, unsigned ms);
    void killTimer(unsigned id);
    // PostMessageW: safe from any thread, also while the window is being
    // destroyed; false when the window is gone.
    bool post(unsigned id, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
    std::intptr_t send(unsigned id, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
    // TrackMouseEvent(TME_HOVER | TME_LEAVE).
    bool trackMouseLeave(unsigned hoverMs);
    // Lets the user drag the window as by its caption (WM_NCLBUTTONDOWN, HTCAPTION).
    void beginMoveDrag(Point client);
    // RegisterDeviceNotificationW for the HID interface class; the previous
    // registration of this window is removed first.
    bool registerHidNotification();
    void setForeground();
    // The icon resource as the window's big and small icon (WM_SETICON).
    void setIcon(int resourceId);
    // A separator and one item at the end of the system menu.
    void appendSystemMenuItem(unsigned command, const Text& label);

    // Handlers, called by the window system on the window's thread.
    virtual bool onInitDialog() { return true; }
    // False: the window drew nothing and the default background is painted.
    virtual bool onPaint(Canvas&) { return false; }
    // True: the background needs no erasing.
    virtual bool onEraseBackground() { return false; }
    virtual void onMouseMove(Point) {}
    virtual void onLButtonDown(Point) {}
    virtual void onLButtonUp(Point) {}
    virtual void onRButtonUp(Point) {}
    virtual void onMouseLeave() {}
    virtual void onMouseHover(Point) {}
    virtual void onTimer(unsigned) {}
    virtual void onOK() { endDialog(1); }     // Enter
    virtual void onCancel() { endDialog(2); } // Escape
    virtual void onClose() { onCancel(); }     // WM_CLOSE
    // False: the default handling runs.
    virtual bool onSysCommand(unsigned) { return false; }
    // Private messages (msg::User and above).
    virtual std::intptr_t onMessage(unsigned, std::uintptr_t, std::intptr_t) { return 0; }
    virtual void onDeviceChange(const DeviceChange&) {}
    virtual void onPowerBroadcast(unsigned) {}
    // The native window is about to go (while it still exists, on the
    // window's thread): the place to stop whatever still posts to it.
    virtual void onDestroying() {}
    // Seen by the message loop before dispatching, for this window, its
    // children and the windows it owns; true when handled.
    virtual bool preTranslateMessage(const Message&) { return false; }

    // For the window systems only.
    void attach(std::unique_ptr<NativeWindow> native);
    NativeWindow* native() const { return native_.get(); }
    bool endRequested() const { return ended_; }

private:
    int templateId_;
    // native_ changes only on the window's thread, under this lock, so that a
    // post from another thread never reaches a native window being destroyed.
    mutable std::mutex postMutex_;
    std::unique_ptr<NativeWindow> native_;
    Window* parent_ = nullptr;
    bool modal_ = false;
    bool ended_ = false;
    std::intptr_t result_ = 0;
};

} // namespace platform
