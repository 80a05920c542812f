#include "platform/win32/process_win.h"

#include "platform/win32/win_util.h"

namespace platform::win32 {

Text Win32Process::executablePath()
{
    wchar_t buffer[260] = {};
    DWORD n = GetModuleFileNameW(nullptr, buffer, 260);
    if (n >= 260) // cut: the API leaves the last character out for the terminator
        n = 259;
    return fromWide(buffer, n);
}

Text Win32Process::commandLine()
{
    return fromWide(GetCommandLineW());
}

MutexResult Win32Process::createInstanceMutex(const Text& name)
{
    SetLastError(ERROR_SUCCESS);
    HANDLE mutex = CreateMutexW(nullptr, TRUE, wide(name).c_str());
    if (!mutex)
        return MutexResult::Failed;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return MutexResult::AlreadyExisted;
    }
    std::lock_guard lock(mutex_);
    heldMutexes_.push_back(mutex);
    return MutexResult::Created;
}

WindowHandle Win32Process::findWindow(const Text& title)
{
    // FindWindowW with "" matches the first untitled top-level window of any
    // process; restoring that would show a stranger's hidden window.
    if (title.empty())
        return 0;
    return reinterpret_cast<WindowHandle>(FindWindowW(nullptr, wide(title).c_str()));
}

void Win32Process::restoreToFront(WindowHandle window)
{
    HWND hwnd = reinterpret_cast<HWND>(window);
    if (!hwnd)
        return;
    ShowWindow(hwnd, SW_RESTORE);
    SetForegroundWindow(hwnd);
}

void Win32Process::debugTrace(const Text& line)
{
    OutputDebugStringW(wide(line).c_str());
}

Text Win32Process::environment(const Text& name)
{
    std::wstring w = wide(name);
    DWORD needed = GetEnvironmentVariableW(w.c_str(), nullptr, 0);
    if (needed == 0)
        return Text();
    std::wstring value(needed, L'\0');
    DWORD n = GetEnvironmentVariableW(w.c_str(), value.data(), needed);
    if (n == 0 || n >= needed) // unset or grown meanwhile
        return Text();
    return fromWide(value.data(), n);
}

namespace {

const wchar_t kTitledWindowClass[] = L"KVX_GMouseTitledWindow";

LRESULT CALLBACK titledWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT client;
        GetClientRect(hwnd, &client);
        wchar_t title[256] = {};
        int n = GetWindowTextW(hwnd, title, 256);
        SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc, title, n, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

} // namespace

void Win32Process::runTitledWindow(const Text& title, bool startMinimised)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = titledWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kTitledWindowClass;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        debugTrace(describeLastError("RegisterClassExW") + u"\n");
        return;
    }
    HWND hwnd = CreateWindowExW(0, kTitledWindowClass, wide(title).c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 640, 400, nullptr, nullptr, instance, nullptr);
    if (!hwnd) {
        debugTrace(describeLastError("CreateWindowExW") + u"\n");
        return;
    }
    ShowWindow(hwnd, startMinimised ? SW_MINIMIZE : SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

} // namespace platform::win32
