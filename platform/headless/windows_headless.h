#pragma once
#include "platform/headless/graphics_headless.h"
#include "platform/window.h"

#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

namespace platform::headless {

class HeadlessWindows;

// One window as an object: its rectangle, visibility, region, timers, and the
// surface its last paint drew on.
class HeadlessWindow : public NativeWindow {
public:
    HeadlessWindow(HeadlessWindows& system, Window& owner, WindowHandle handle);
    ~HeadlessWindow() override;

    WindowHandle handle() const override { return handle_; }
    void show(Show how) override;
    bool isVisible() const override { return visible; }
    bool isIconic() const override { return iconic; }
    void move(const Rect& screenRect) override { rect = screenRect; }
    Rect windowRect() const override { return rect; }
    Rect clientRect() const override { return {0, 0, rect.width(), rect.height()}; }
    Point clientToScreen(Point p) const override { return {p.x + rect.left, p.y + rect.top}; }
    void setRegion(const Rect& r) override { region = r; }
    void invalidate(bool erase) override;
    void invalidateExcept(const Rect* holes, int count, bool erase) override;
    void invalidateRect(const Rect& r, bool erase) override;
    void update() override;
    void setText(const Text& t) override { title = t; }
    Text text() const override { return title; }
    void setTimer(unsigned id, unsigned ms) override { timers[id] = ms; }
    void killTimer(unsigned id) override { timers.erase(id); }
    bool post(unsigned id, std::uintptr_t wParam, std::intptr_t lParam) override;
    std::intptr_t send(unsigned id, std::uintptr_t wParam, std::intptr_t lParam) override;
    bool trackMouseLeave(unsigned hoverMs) override;
    void beginMoveDrag(Point client) override { moveDrags.push_back(client); }
    bool registerHidNotification() override;
    void setForeground() override { foregroundRequests++; }
    void setIcon(int resourceId) override { icon = resourceId; }
    void appendSystemMenuItem(unsigned command, const Text& label) override { systemMenu.emplace_back(command, label); }
    void endDialog() override;

    Window& owner;
    Rect rect{0, 0, 100, 100};
    bool visible = false;
    bool iconic = false;
    bool enabled = true;
    std::optional<Rect> region;
    Text title;
    bool invalid = false;
    std::vector<Rect> lastHoles;          // of the last invalidateExcept
    std::vector<Rect> invalidRects;       // since the last paint; the whole client for invalidate
    std::vector<Rect> lastPainted;        // what was invalid when the last paint came
    std::map<unsigned, unsigned> timers;  // id → period
    bool leaveTracked = false;
    unsigned hoverTime = 0;
    std::vector<Point> moveDrags;
    int hidRegistrations = 0;             // registrations made (each replaced the one before)
    int foregroundRequests = 0;
    int icon = 0;
    std::vector<std::pair<unsigned, Text>> systemMenu; // items appended
    int paintCount = 0;
    std::vector<Show> shows;
    std::unique_ptr<HeadlessCanvas> surface;

private:
    HeadlessWindows& system_;
    WindowHandle handle_;
};

// All windows of the test process and their one message queue. Input is fed
// by the test: each call goes through the owner chain's preTranslateMessage
// and the dialog keys as the Win32 message loop would, then to the handler;
// posted messages follow, then invalid windows are painted.
class HeadlessWindows : public WindowSystem {
public:
    bool create(Window& window, Window* parent) override;
    void runModal(Window& window, Window* parent) override;
    Size screenSize() override { return screen; }
    int fullScreenHeight() override { return fullScreenHeightPixels; }
    Point cursorPos() override { return cursor; }
    bool isKeyDown(unsigned virtualKey) override;
    void messageBox(Window* owner, const Text& text, const Text& caption) override;
    // Queued; pump() delivers it to the windows registered for HID notifications.
    void broadcastDeviceChange(const DeviceChange& change) override;

    // Screen and input state the test sets.
    Size screen{1920, 1080};
    int fullScreenHeightPixels = 1017;
    Point cursor;
    std::vector<unsigned> keysDown;
    // Paints clipped to what was invalidated, as a real window system does;
    // otherwise every paint covers the whole client area.
    bool paintInvalidOnly = false;

    struct MessageBoxShown {
        Text text;
        Text caption;
    };
    std::vector<MessageBoxShown> messageBoxes;

    // What happens while a modal window runs: the driver is called once with
    // the window after it is shown; a modal still open afterwards ends with 2
    // (IDCANCEL), as if the user had closed it.
    using ModalDriver = std::function<void(Window&)>;
    void setModalDriver(ModalDriver driver) { driver_ = std::move(driver); }
    struct ModalRun {
        int templateId = 0;
        std::intptr_t result = 0;
        bool unanswered = false; // ended for lack of a driver's answer
    };
    std::vector<ModalRun> modalRuns;

    // Input; false when the window is hidden, disabled or the point is outside its region.
    bool mouseMove(Window& w, Point client);
    bool lButtonDown(Window& w, Point client);
    bool lButtonUp(Window& w, Point client);
    bool click(Window& w, Point client);
    bool rButtonUp(Window& w, Point client);
    bool key(Window& w, unsigned virtualKey);
    void mouseLeave(Window& w);
    void deviceChange(Window& w, const DeviceChange& change);
    void powerBroadcast(Window& w, unsigned event);
    void fireTimer(Window& w, unsigned id);

    // Delivers queued messages (also those posted from other threads), then paints.
    void pump();
    void paint(Window& w);
    HeadlessWindow* native(const Window& w) const;
    HeadlessCanvas* surface(const Window& w) const;
    Window* find(WindowHandle handle) const;
    std::vector<Window*> liveWindows() const;

    // For HeadlessWindow.
    void enqueue(WindowHandle target, unsigned id, std::uintptr_t wParam, std::intptr_t lParam);
    std::intptr_t dispatch(Window& w, unsigned id, std::uintptr_t wParam, std::intptr_t lParam);
    void forget(HeadlessWindow* w);

private:
    bool deliverInput(Window& w, unsigned id, std::uintptr_t wParam, std::intptr_t lParam, std::optional<Point> point);

    struct Posted {
        WindowHandle target;
        unsigned id;
        std::uintptr_t wParam;
        std::intptr_t lParam;
    };
    mutable std::mutex queueMutex_;
    std::deque<Posted> queue_;
    std::deque<DeviceChange> changes_;
    std::vector<HeadlessWindow*> windows_;
    WindowHandle nextHandle_ = 0x10010;
    ModalDriver driver_;
};

// The installed headless services (installWindowing() makes them).
HeadlessWindows& windows();
HeadlessGraphics& graphics();

} // namespace platform::headless
