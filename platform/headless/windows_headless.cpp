#include "platform/headless/windows_headless.h"

#include "platform/platform.h"

#include <algorithm>

namespace platform::headless {

namespace {
constexpr unsigned WmCommand = 0x0111;
constexpr unsigned WmTimer = 0x0113;
constexpr unsigned WmMouseHover = 0x02A1;
constexpr unsigned WmMouseLeave = 0x02A3;
constexpr unsigned WmPowerBroadcast = 0x0218;
constexpr unsigned IdOk = 1;
constexpr unsigned IdCancel = 2;
constexpr Color buttonFace = rgb(0xF0, 0xF0, 0xF0); // the default dialog background
} // namespace

HeadlessWindow::HeadlessWindow(HeadlessWindows& system, Window& owner, WindowHandle handle)
    : owner(owner), system_(system), handle_(handle)
{
}

HeadlessWindow::~HeadlessWindow()
{
    system_.forget(this);
}

void HeadlessWindow::show(Show how)
{
    shows.push_back(how);
    switch (how) {
    case Show::Hide:
        visible = false;
        break;
    case Show::Minimize:
        visible = true;
        iconic = true;
        break;
    case Show::Normal:
    case Show::Restore:
        visible = true;
        iconic = false;
        invalid = true;
        break;
    case Show::Show:
        visible = true;
        invalid = true;
        break;
    }
}

void HeadlessWindow::invalidate(bool)
{
    invalid = true;
    lastHoles.clear();
    invalidRects.push_back(clientRect());
}

void HeadlessWindow::invalidateExcept(const Rect* holes, int count, bool)
{
    invalid = true;
    lastHoles.assign(holes, holes + std::max(count, 0));
    invalidRects.push_back(clientRect());
}

void HeadlessWindow::invalidateRect(const Rect& r, bool)
{
    invalid = true;
    invalidRects.push_back(r);
}

void HeadlessWindow::update()
{
    if (invalid && visible)
        system_.paint(owner);
}

bool HeadlessWindow::post(unsigned id, std::uintptr_t wParam, std::intptr_t lParam)
{
    system_.enqueue(handle_, id, wParam, lParam);
    return true;
}

std::intptr_t HeadlessWindow::send(unsigned id, std::uintptr_t wParam, std::intptr_t lParam)
{
    return system_.dispatch(owner, id, wParam, lParam);
}

bool HeadlessWindow::trackMouseLeave(unsigned hoverMs)
{
    leaveTracked = true;
    hoverTime = hoverMs;
    return true;
}

bool HeadlessWindow::registerHidNotification()
{
    ++hidRegistrations;
    return true;
}

void HeadlessWindow::endDialog()
{
    // A modal run sees Window::endRequested(); a modeless dialog is hidden.
    if (!owner.isModal())
        visible = false;
}

bool HeadlessWindows::create(Window& window, Window* parent)
{
    (void)parent;
    auto native = std::make_unique<HeadlessWindow>(*this, window, nextHandle_);
    nextHandle_ += 4;
    windows_.push_back(native.get());
    window.attach(std::move(native));
    window.onInitDialog();
    return true;
}

void HeadlessWindows::runModal(Window& window, Window* parent)
{
    HeadlessWindow* parentNative = parent ? native(*parent) : nullptr;
    bool parentWasEnabled = parentNative && parentNative->enabled;
    if (parentNative)
        parentNative->enabled = false;

    // The first idle moment shows the window.
    pump();
    if (!window.endRequested() && window.exists()) {
        window.show(Show::Normal);
        pump();
    }
    bool answered = false;
    if (!window.endRequested() && driver_) {
        ModalDriver driver = driver_; // the driver may replace itself
        driver(window);
        pump();
        answered = window.endRequested();
    }
    bool unanswered = false;
    if (!window.endRequested()) {
        unanswered = true;
        window.endDialog(2);
    }
    (void)answered;
    modalRuns.push_back({window.templateId(), window.result(), unanswered});

    if (parentNative && parentWasEnabled && native(*parent) == parentNative)
        parentNative->enabled = true;
}

bool HeadlessWindows::isKeyDown(unsigned virtualKey)
{
    return std::find(keysDown.begin(), keysDown.end(), virtualKey) != keysDown.end();
}

void HeadlessWindows::messageBox(Window*, const Text& text, const Text& caption)
{
    messageBoxes.push_back({text, caption});
}

HeadlessWindow* HeadlessWindows::native(const Window& w) const
{
    return dynamic_cast<HeadlessWindow*>(w.native());
}

HeadlessCanvas* HeadlessWindows::surface(const Window& w) const
{
    HeadlessWindow* n = native(w);
    return n ? n->surface.get() : nullptr;
}

Window* HeadlessWindows::find(WindowHandle handle) const
{
    for (HeadlessWindow* w : windows_)
        if (w->handle() == handle)
            return &w->owner;
    return nullptr;
}

std::vector<Window*> HeadlessWindows::liveWindows() const
{
    std::vector<Window*> out;
    for (HeadlessWindow* w : windows_)
        out.push_back(&w->owner);
    return out;
}

void HeadlessWindows::forget(HeadlessWindow* w)
{
    windows_.erase(std::remove(windows_.begin(), windows_.end(), w), windows_.end());
    std::lock_guard lock(queueMutex_);
    WindowHandle h = w->handle();
    queue_.erase(std::remove_if(queue_.begin(), queue_.end(), [h](const Posted& p) { return p.target == h; }),
                 queue_.end());
}

void HeadlessWindows::enqueue(WindowHandle target, unsigned id, std::uintptr_t wParam, std::intptr_t lParam)
{
    std::lock_guard lock(queueMutex_);
    queue_.push_back({target, id, wParam, lParam});
}

std::intptr_t HeadlessWindows::dispatch(Window& w, unsigned id, std::uintptr_t wParam, std::intptr_t lParam)
{
    switch (id) {
    case msg::Close:
        w.onClose();
        return 0;
    case WmCommand:
        if ((wParam & 0xFFFF) == IdOk)
            w.onOK();
        else if ((wParam & 0xFFFF) == IdCancel)
            w.onCancel();
        return 0;
    case msg::SysCommand:
        if (!w.onSysCommand(unsigned(wParam))) {
            switch (unsigned(wParam) & 0xFFF0) {
            case syscmd::Minimize: w.show(Show::Minimize); break;
            case syscmd::Restore: w.show(Show::Restore); break;
            case syscmd::Close: w.onClose(); break;
            default: break;
            }
        }
        return 0;
    case msg::MouseMove:
        w.onMouseMove(pointFromLParam(lParam));
        return 0;
    case msg::LButtonDown:
        w.onLButtonDown(pointFromLParam(lParam));
        return 0;
    case msg::LButtonUp:
        w.onLButtonUp(pointFromLParam(lParam));
        return 0;
    case msg::RButtonUp:
        w.onRButtonUp(pointFromLParam(lParam));
        return 0;
    case WmTimer:
        w.onTimer(unsigned(wParam));
        return 0;
    case WmMouseLeave:
        if (HeadlessWindow* n = native(w))
            n->leaveTracked = false;
        w.onMouseLeave();
        return 0;
    case WmMouseHover:
        w.onMouseHover(pointFromLParam(lParam));
        return 0;
    case WmPowerBroadcast:
        w.onPowerBroadcast(unsigned(wParam));
        return 1;
    default:
        if (id >= msg::User)
            return w.onMessage(id, wParam, lParam);
        return 0;
    }
}

bool HeadlessWindows::deliverInput(Window& w, unsigned id, std::uintptr_t wParam, std::intptr_t lParam,
                                   std::optional<Point> point)
{
    HeadlessWindow* n = native(w);
    if (!n || !n->visible || !n->enabled)
        return false;
    if (point && n->region && !n->region->contains(*point))
        return false;
    Message m{n->handle(), id, wParam, lParam};
    // As the framework's loop: the target and then the windows that own it.
    for (Window* chain = &w; chain; chain = chain->parent())
        if (chain->exists() && chain->preTranslateMessage(m)) {
            pump();
            return true;
        }
    if (id == msg::KeyDown && (wParam == vk::Return || wParam == vk::Escape))
        dispatch(w, WmCommand, wParam == vk::Return ? IdOk : IdCancel, 0);
    else
        dispatch(w, id, wParam, lParam);
    pump();
    return true;
}

bool HeadlessWindows::mouseMove(Window& w, Point p)
{
    return deliverInput(w, msg::MouseMove, 0, lParamFromPoint(p), p);
}

bool HeadlessWindows::lButtonDown(Window& w, Point p)
{
    return deliverInput(w, msg::LButtonDown, 1, lParamFromPoint(p), p);
}

bool HeadlessWindows::lButtonUp(Window& w, Point p)
{
    return deliverInput(w, msg::LButtonUp, 0, lParamFromPoint(p), p);
}

bool HeadlessWindows::click(Window& w, Point p)
{
    if (!lButtonDown(w, p))
        return false;
    // The press may have closed the window.
    for (Window* live : liveWindows())
        if (live == &w)
            return lButtonUp(w, p);
    return true;
}

bool HeadlessWindows::rButtonUp(Window& w, Point p)
{
    return deliverInput(w, msg::RButtonUp, 0, lParamFromPoint(p), p);
}

bool HeadlessWindows::key(Window& w, unsigned virtualKey)
{
    return deliverInput(w, msg::KeyDown, virtualKey, 0, std::nullopt);
}

void HeadlessWindows::mouseLeave(Window& w)
{
    dispatch(w, WmMouseLeave, 0, 0);
    pump();
}

void HeadlessWindows::deviceChange(Window& w, const DeviceChange& change)
{
    w.onDeviceChange(change);
    pump();
}

void HeadlessWindows::powerBroadcast(Window& w, unsigned event)
{
    dispatch(w, WmPowerBroadcast, event, 0);
    pump();
}

void HeadlessWindows::fireTimer(Window& w, unsigned id)
{
    HeadlessWindow* n = native(w);
    if (n && n->timers.count(id))
        dispatch(w, WmTimer, id, 0);
    pump();
}

void HeadlessWindows::broadcastDeviceChange(const DeviceChange& change)
{
    std::lock_guard lock(queueMutex_);
    changes_.push_back(change);
}

void HeadlessWindows::pump()
{
    for (;;) {
        DeviceChange change;
        {
            std::lock_guard lock(queueMutex_);
            if (changes_.empty())
                break;
            change = changes_.front();
            changes_.pop_front();
        }
        std::vector<Window*> registered;
        for (HeadlessWindow* n : windows_)
            if (n->hidRegistrations > 0)
                registered.push_back(&n->owner);
        for (Window* w : registered)
            if (find(w->handle()) == w)
                w->onDeviceChange(change);
    }
    for (;;) {
        Posted p;
        {
            std::lock_guard lock(queueMutex_);
            if (queue_.empty())
                break;
            p = queue_.front();
            queue_.pop_front();
        }
        Window* w = find(p.target);
        if (!w)
            continue;
        // Posted keystrokes (the keyboard hook's) pass the loop's pre-translation as on Windows.
        if (p.id >= msg::KeyDown && p.id <= msg::SysKeyUp) {
            const Message m{p.target, p.id, p.wParam, p.lParam};
            bool taken = false;
            for (Window* chain = w; chain && !taken; chain = chain->parent())
                taken = chain->exists() && chain->preTranslateMessage(m);
            if (taken || find(p.target) != w)
                continue;
        }
        dispatch(*w, p.id, p.wParam, p.lParam);
    }
    // Painting comes when nothing else is queued, as WM_PAINT does.
    std::vector<Window*> toPaint;
    for (HeadlessWindow* n : windows_)
        if (n->invalid && n->visible)
            toPaint.push_back(&n->owner);
    for (Window* w : toPaint)
        if (find(w->handle()) == w)
            paint(*w);
}

void HeadlessWindows::paint(Window& w)
{
    HeadlessWindow* n = native(w);
    if (!n)
        return;
    Rect client = n->clientRect();
    Size size{client.width(), client.height()};
    if (!n->surface || n->surface->size() != size)
        n->surface = std::make_unique<HeadlessCanvas>(size);
    n->surface->clearTexts();
    n->surface->clip.clear();
    if (paintInvalidOnly)
        n->surface->clip = n->invalidRects;
    n->lastPainted = std::move(n->invalidRects);
    n->invalidRects.clear();
    n->invalid = false;
    if (!w.onEraseBackground())
        n->surface->fill(client, buttonFace);
    if (!w.onPaint(*n->surface))
        n->surface->fill(client, buttonFace);
    ++n->paintCount;
}

namespace {
HeadlessWindows* installedWindows = nullptr;
HeadlessGraphics* installedGraphics = nullptr;
} // namespace

HeadlessWindows& windows()
{
    if (!installedWindows)
        os();
    return *installedWindows;
}

HeadlessGraphics& graphics()
{
    if (!installedGraphics)
        os();
    return *installedGraphics;
}

} // namespace platform::headless

namespace platform {

void installWindowing()
{
    static headless::HeadlessWindows windows;
    static headless::HeadlessGraphics graphics;
    headless::installedWindows = &windows;
    headless::installedGraphics = &graphics;
    servicesStorage().windows = &windows;
    servicesStorage().graphics = &graphics;
}

} // namespace platform
