#include "platform/win32/window_win.h"

#include "platform/platform.h"
#include "platform/win32/controls_win.h"
#include "platform/win32/graphics_win.h"
#include "platform/win32/win_util.h"

#include <dbt.h>

#include <algorithm>
#include <mutex>
#include <set>
#include <vector>
extern "C" {
#include <hidsdi.h>
}

namespace platform::win32 {

namespace {

Win32Windows* theSystem = nullptr;

// Windows registered for HID notifications, for device changes that the
// program itself announces (the simulated mouse); read from other threads.
std::mutex notifiedMutex;
std::set<HWND> notifiedWindows;

// Sets what a dialog procedure returns for messages whose result is not the
// procedure's own return value.
INT_PTR result(HWND hwnd, LONG_PTR value)
{
    SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, value);
    return TRUE;
}

DeviceChange deviceChangeFrom(WPARAM wParam, LPARAM lParam)
{
    DeviceChange change;
    change.event = unsigned(wParam);
    auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
    // Only arrival and removal events carry a header.
    if (header && (wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE)) {
        change.deviceType = unsigned(header->dbch_devicetype);
        if (header->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE)
            change.name = fromWide(reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(header)->dbcc_name);
    }
    return change;
}

// A region split into many bands (the client less the child controls) is
// painted as its bounding box: a few rectangles cost less than many.
constexpr DWORD kMaxUpdateRects = 4;

std::vector<Rect> updateRects(HWND hwnd)
{
    std::vector<Rect> rects;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetUpdateRgn(hwnd, region, FALSE);
    if (kind == SIMPLEREGION || kind == COMPLEXREGION) {
        const DWORD bytes = GetRegionData(region, 0, nullptr);
        std::vector<std::uint8_t> buffer(bytes);
        auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
        if (bytes && GetRegionData(region, bytes, data) && data->rdh.nCount <= kMaxUpdateRects) {
            const RECT* r = reinterpret_cast<const RECT*>(data->Buffer);
            for (DWORD i = 0; i < data->rdh.nCount; ++i)
                rects.push_back({r[i].left, r[i].top, r[i].right, r[i].bottom});
        } else {
            RECT box;
            GetRgnBox(region, &box);
            rects.push_back({box.left, box.top, box.right, box.bottom});
        }
    }
    DeleteObject(region);
    return rects;
}

INT_PTR CALLBACK dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* window = reinterpret_cast<Window*>(lParam);
        SetWindowLongPtrW(hwnd, DWLP_USER, LONG_PTR(window));
        theSystem->remember(hwnd, window);
        window->attach(std::make_unique<Win32Window>(hwnd, *window));
        window->onInitDialog();
        return TRUE;
    }
    auto* window = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!window)
        return FALSE;
    if (INT_PTR routed; routeControlMessage(message, wParam, lParam, routed))
        return routed;

    switch (message) {
    case WM_PAINT: {
        // The rectangles of the update region, read before BeginPaint empties it.
        std::vector<Rect> parts = updateRects(hwnd);
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT client;
        GetClientRect(hwnd, &client);
        bool painted;
        {
            DcCanvas surface(dc, {client.right, client.bottom});
            surface.limitTo(std::move(parts));
            painted = window->onPaint(surface);
        }
        if (!painted)
            FillRect(dc, &ps.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
        EndPaint(hwnd, &ps);
        return TRUE;
    }
    case WM_ERASEBKGND:
        if (window->onEraseBackground())
            return result(hwnd, 1);
        return FALSE;
    case WM_MOUSEMOVE:
        window->onMouseMove(pointFromLParam(lParam));
        return FALSE;
    case WM_LBUTTONDOWN:
        window->onLButtonDown(pointFromLParam(lParam));
        return FALSE;
    case WM_LBUTTONUP:
        window->onLButtonUp(pointFromLParam(lParam));
        return FALSE;
    case WM_RBUTTONUP:
        window->onRButtonUp(pointFromLParam(lParam));
        return FALSE;
    case WM_MOUSELEAVE:
        window->onMouseLeave();
        return FALSE;
    case WM_MOUSEHOVER:
        window->onMouseHover(pointFromLParam(lParam));
        return FALSE;
    case WM_TIMER:
        window->onTimer(unsigned(wParam));
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            window->onOK();
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            window->onCancel();
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        window->onClose();
        return TRUE;
    case WM_SYSCOMMAND:
        return window->onSysCommand(unsigned(wParam)) ? result(hwnd, 0) : FALSE;
    case WM_DEVICECHANGE:
        window->onDeviceChange(deviceChangeFrom(wParam, lParam));
        return result(hwnd, 0);
    case WM_POWERBROADCAST:
        window->onPowerBroadcast(unsigned(wParam));
        return FALSE;
    case WM_QUERYDRAGICON:
        // The icon a minimised window is dragged with: its own big icon.
        return result(hwnd, LONG_PTR(SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0)));
    default:
        // DM_GETDEFID, DM_SETDEFID and DM_REPOSITION stay with the dialog manager.
        if (message > DM_REPOSITION && message <= 0xBFFF)
            return result(hwnd, LONG_PTR(window->onMessage(message, wParam, lParam)));
        return FALSE;
    }
}

} // namespace

HWND hwndOf(const Window* window)
{
    auto* native = window ? dynamic_cast<Win32Window*>(window->native()) : nullptr;
    return native ? native->hwnd() : nullptr;
}

Win32Window::~Win32Window()
{
    if (notification_)
        UnregisterDeviceNotification(notification_);
    {
        std::lock_guard lock(notifiedMutex);
        notifiedWindows.erase(hwnd_);
    }
    // Nothing may reach the Window while its native side goes away.
    SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
    if (theSystem)
        theSystem->forget(hwnd_);
    DestroyWindow(hwnd_);
}

void Win32Window::show(Show how) { ShowWindow(hwnd_, int(how)); }
bool Win32Window::isVisible() const { return IsWindowVisible(hwnd_); }
bool Win32Window::isIconic() const { return IsIconic(hwnd_); }

void Win32Window::move(const Rect& r)
{
    MoveWindow(hwnd_, r.left, r.top, r.width(), r.height(), TRUE);
}

Rect Win32Window::windowRect() const
{
    RECT r = {};
    GetWindowRect(hwnd_, &r);
    return {r.left, r.top, r.right, r.bottom};
}

Rect Win32Window::clientRect() const
{
    RECT r = {};
    GetClientRect(hwnd_, &r);
    return {r.left, r.top, r.right, r.bottom};
}

Point Win32Window::clientToScreen(Point p) const
{
    POINT pt = {p.x, p.y};
    ClientToScreen(hwnd_, &pt);
    return {pt.x, pt.y};
}

void Win32Window::setRegion(const Rect& r)
{
    // The system owns the region once it is set.
    SetWindowRgn(hwnd_, CreateRectRgn(r.left, r.top, r.right, r.bottom), TRUE);
}

void Win32Window::invalidate(bool erase) { InvalidateRect(hwnd_, nullptr, erase); }

void Win32Window::invalidateExcept(const Rect* holes, int count, bool erase)
{
    RECT client;
    GetClientRect(hwnd_, &client);
    HRGN area = CreateRectRgn(client.left, client.top, client.right, client.bottom);
    for (int i = 0; i < count; ++i) {
        HRGN hole = CreateRectRgn(holes[i].left, holes[i].top, holes[i].right, holes[i].bottom);
        CombineRgn(area, area, hole, RGN_DIFF);
        DeleteObject(hole);
    }
    InvalidateRgn(hwnd_, area, erase);
    DeleteObject(area);
}

void Win32Window::invalidateRect(const Rect& r, bool erase)
{
    RECT rc = {r.left, r.top, r.right, r.bottom};
    InvalidateRect(hwnd_, &rc, erase);
}

void Win32Window::update() { UpdateWindow(hwnd_); }

void Win32Window::setText(const Text& t)
{
    std::wstring w = wide(t);
    SetWindowTextW(hwnd_, w.c_str());
}

Text Win32Window::text() const
{
    int length = GetWindowTextLengthW(hwnd_);
    std::wstring w(size_t(length) + 1, L'\0');
    int got = GetWindowTextW(hwnd_, w.data(), length + 1);
    return fromWide(w.c_str(), size_t(got > 0 ? got : 0));
}

void Win32Window::setTimer(unsigned id, unsigned ms) { SetTimer(hwnd_, id, ms, nullptr); }
void Win32Window::killTimer(unsigned id) { KillTimer(hwnd_, id); }

bool Win32Window::post(unsigned id, std::uintptr_t wParam, std::intptr_t lParam)
{
    return PostMessageW(hwnd_, id, wParam, lParam);
}

std::intptr_t Win32Window::send(unsigned id, std::uintptr_t wParam, std::intptr_t lParam)
{
    return SendMessageW(hwnd_, id, wParam, lParam);
}

bool Win32Window::trackMouseLeave(unsigned hoverMs)
{
    TRACKMOUSEEVENT tme = {};
    tme.cbSize = sizeof(tme);
    tme.dwFlags = TME_HOVER | TME_LEAVE;
    tme.hwndTrack = hwnd_;
    tme.dwHoverTime = hoverMs;
    return TrackMouseEvent(&tme);
}

void Win32Window::beginMoveDrag(Point client)
{
    Point screen = clientToScreen(client);
    PostMessageW(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
}

bool Win32Window::registerHidNotification()
{
    if (notification_) {
        UnregisterDeviceNotification(notification_);
        notification_ = nullptr;
    }
    DEV_BROADCAST_DEVICEINTERFACE_W filter = {};
    filter.dbcc_size = sizeof(filter);
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    HidD_GetHidGuid(&filter.dbcc_classguid);
    notification_ = RegisterDeviceNotificationW(hwnd_, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    {
        std::lock_guard lock(notifiedMutex);
        notifiedWindows.insert(hwnd_);
    }
    return notification_ != nullptr;
}

void Win32Window::setForeground() { SetForegroundWindow(hwnd_); }

void Win32Window::setIcon(int resourceId)
{
    HINSTANCE module = GetModuleHandleW(nullptr);
    auto load = [&](int metricX, int metricY) {
        return static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                                             GetSystemMetrics(metricX), GetSystemMetrics(metricY), LR_SHARED));
    };
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, LPARAM(load(SM_CXICON, SM_CYICON)));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, LPARAM(load(SM_CXSMICON, SM_CYSMICON)));
}

void Win32Window::appendSystemMenuItem(unsigned command, const Text& label)
{
    HMENU menu = GetSystemMenu(hwnd_, FALSE);
    if (!menu)
        return;
    std::wstring w = wide(label);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, command, w.c_str());
}

void Win32Window::endDialog()
{
    if (owner_.isModal())
        PostMessageW(hwnd_, WM_NULL, 0, 0); // wakes the modal loop to see the end
    else
        ShowWindow(hwnd_, SW_HIDE);     // as EndDialog does for a modeless dialog
}

bool Win32Windows::create(Window& window, Window* parent)
{
    HWND hwnd = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(window.templateId()), hwndOf(parent),
                                   dialogProc, LPARAM(&window));
    if (!hwnd) {
        window.destroy();
        return false;
    }
    return true;
}

void Win32Windows::runModal(Window& window, Window* parent)
{
    HWND hwnd = hwndOf(&window);
    HWND owner = hwndOf(parent);
    bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled)
        EnableWindow(owner, FALSE);

    bool shown = false;
    MSG msg;
    while (window.exists() && !window.endRequested()) {
        // Shown the first time the queue runs dry, after the dialog's own start-up messages.
        if (!shown && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            ShowWindow(hwnd, SW_SHOWNORMAL);
            UpdateWindow(hwnd);
            shown = true;
            continue;
        }
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(int(msg.wParam)); // leave WM_QUIT for the loops further out
            break;
        }
        if (got == -1)
            break;
        if (!preTranslate(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }

    // The owner is enabled before this window goes, so that it gets the activation back.
    if (ownerWasEnabled)
        EnableWindow(owner, TRUE);
    if (window.exists()) {
        if (owner && GetActiveWindow() == hwnd)
            SetActiveWindow(owner);
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
}

bool Win32Windows::preTranslate(MSG& msg)
{
    Message m{reinterpret_cast<WindowHandle>(msg.hwnd), msg.message, msg.wParam, msg.lParam};
    for (HWND h = msg.hwnd; h; h = GetParent(h)) {
        Window* w = find(h);
        if (!w)
            continue;
        if (w->preTranslateMessage(m))
            return true;
        // The handler may have closed the window.
        if (find(h) == w && IsDialogMessageW(h, &msg))
            return true;
    }
    return false;
}

Size Win32Windows::screenSize()
{
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

int Win32Windows::fullScreenHeight() { return GetSystemMetrics(SM_CYFULLSCREEN); }
Size Win32Windows::iconSize() { return {GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)}; }

Point Win32Windows::cursorPos()
{
    POINT pt = {0, 0};
    GetCursorPos(&pt);
    return {pt.x, pt.y};
}

bool Win32Windows::isKeyDown(unsigned virtualKey)
{
    return (GetAsyncKeyState(int(virtualKey)) & 0x8000) != 0;
}

void Win32Windows::messageBox(Window* owner, const Text& text, const Text& caption)
{
    std::wstring t = wide(text), c = wide(caption);
    MessageBoxW(hwndOf(owner), t.c_str(), c.c_str(), MB_OK);
}

Window* Win32Windows::find(HWND hwnd) const
{
    auto it = windows_.find(hwnd);
    return it == windows_.end() ? nullptr : it->second;
}

void Win32Windows::broadcastDeviceChange(const DeviceChange& change)
{
    std::vector<HWND> targets;
    {
        std::lock_guard lock(notifiedMutex);
        targets.assign(notifiedWindows.begin(), notifiedWindows.end());
    }
    // The header with the interface name after it, as the system builds it.
    std::vector<std::uint8_t> buffer(sizeof(DEV_BROADCAST_DEVICEINTERFACE_W) + change.name.size() * sizeof(wchar_t));
    auto* header = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(buffer.data());
    header->dbcc_size = DWORD(buffer.size());
    header->dbcc_devicetype = change.deviceType;
    HidD_GetHidGuid(&header->dbcc_classguid);
    std::copy(change.name.begin(), change.name.end(), header->dbcc_name);
    header->dbcc_name[change.name.size()] = 0;
    for (HWND hwnd : targets)
        SendMessageTimeoutW(hwnd, WM_DEVICECHANGE, change.event, reinterpret_cast<LPARAM>(header), SMTO_NORMAL, 5000,
                            nullptr);
}

void Win32Windows::remember(HWND hwnd, Window* window) { windows_[hwnd] = window; }
void Win32Windows::forget(HWND hwnd) { windows_.erase(hwnd); }

} // namespace platform::win32

namespace platform {

void installWindowing()
{
    static win32::Win32Windows windows;
    static win32::Win32Graphics graphics;
    win32::theSystem = &windows;
    servicesStorage().windows = &windows;
    servicesStorage().graphics = &graphics;
}

} // namespace platform
