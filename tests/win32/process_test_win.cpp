// The Win32 process services under kernel32/user32 (Wine in CI).
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/win32/process_win.h"

#include <chrono>
#include <thread>

using platform::MutexResult;
using platform::win32::Win32Process;

namespace {

Text uniqueName(const char* stem)
{
    return T(stem) + text::fromInt(GetCurrentProcessId()) + u"_" + text::fromInt(GetTickCount());
}

bool endsWith(const Text& s, const Text& tail)
{
    return s.size() >= tail.size() && text::equalsIgnoreCase(TextView(s).substr(s.size() - tail.size()), tail);
}

// Polls until pred() holds or about five seconds have passed.
template <class Pred>
bool eventually(Pred pred)
{
    for (int i = 0; i < 500; ++i) {
        if (pred())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return pred();
}

} // namespace

TEST(Win32Process, ExecutablePathIsTheFullPathOfThisProgram)
{
    Win32Process p;
    Text path = p.executablePath();
    EXPECT_TRUE(endsWith(path, u"\\test_win32.exe")) << text::toUtf8(path);
    ASSERT_GE(path.size(), 3u);
    EXPECT_EQ(path.substr(1, 2), u":\\") << "a drive path";
    EXPECT_NE(text::toUtf8(p.commandLine()).find("test_win32"), std::string::npos);
}

TEST(Win32Process, TheFirstMutexIsCreatedAndHeldLaterOnesFindIt)
{
    Win32Process p;
    Text name = uniqueName("KVX_test_mutex_");
    EXPECT_EQ(p.createInstanceMutex(name), MutexResult::Created);
    EXPECT_EQ(p.createInstanceMutex(name), MutexResult::AlreadyExisted);
    // The second handle was closed again, the first is still held.
    EXPECT_EQ(p.createInstanceMutex(name), MutexResult::AlreadyExisted);

    HANDLE other = OpenMutexW(SYNCHRONIZE, FALSE, std::wstring(name.begin(), name.end()).c_str());
    ASSERT_NE(other, nullptr) << "the mutex exists under its name";
    // Held by the main thread: another thread cannot take it.
    DWORD waited = WAIT_FAILED;
    std::thread([&] { waited = WaitForSingleObject(other, 0); }).join();
    EXPECT_EQ(waited, static_cast<DWORD>(WAIT_TIMEOUT));
    CloseHandle(other);

    EXPECT_EQ(p.createInstanceMutex(u"Global\\bad\\name\\with\\slashes"), MutexResult::Failed);
}

TEST(Win32Process, EnvironmentVariables)
{
    Win32Process p;
    EXPECT_FALSE(p.environment(u"KVX_SOURCE_DIR").empty()) << "ctest sets it";
    EXPECT_TRUE(p.environment(uniqueName("KVX_NOT_SET_")).empty());
    Text name = uniqueName("KVX_LONG_");
    Text value(5000, u'x');
    value += text::fromUtf8("中文");
    ASSERT_TRUE(SetEnvironmentVariableW(std::wstring(name.begin(), name.end()).c_str(),
                                        std::wstring(value.begin(), value.end()).c_str()));
    EXPECT_EQ(p.environment(name), value) << "longer than any fixed buffer";
    SetEnvironmentVariableW(std::wstring(name.begin(), name.end()).c_str(), L"");
    EXPECT_TRUE(p.environment(name).empty());
}

TEST(Win32Process, AnEmptyTitleFindsNoWindow)
{
    Win32Process p;
    EXPECT_EQ(p.findWindow(u""), 0u);
    EXPECT_EQ(p.findWindow(uniqueName("KVX no such window ")), 0u);
    p.restoreToFront(0); // harmless
}

namespace {

LRESULT CALLBACK closingWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A plain top-level window with the title, shown minimised, run until it is closed.
void runMinimisedWindow(const Text& title)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = closingWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"KVX_GMouseTestWindow";
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return;
    std::wstring w(title.begin(), title.end());
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, w.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                640, 400, nullptr, nullptr, instance, nullptr);
    if (!hwnd)
        return;
    ShowWindow(hwnd, SW_MINIMIZE);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
}

} // namespace

// The mechanism of the single instance: the first instance's window is found
// by its title and restored from minimised.
TEST(Win32Process, ATitledWindowIsFoundAndRestored)
{
    Win32Process p;
    Text title = uniqueName("KVX titled window ") + text::fromUtf8(" 鼠标");
    bool returned = false;
    std::thread ui([&] {
        runMinimisedWindow(title);
        returned = true;
    });
    platform::WindowHandle found = 0;
    bool appeared = eventually([&] { return (found = p.findWindow(title)) != 0 || returned; });
    if (!found) {
        ui.join();
        GTEST_SKIP() << "no window could be created (no display?)";
    }
    ASSERT_TRUE(appeared);
    HWND hwnd = reinterpret_cast<HWND>(found);
    EXPECT_TRUE(eventually([&] { return IsIconic(hwnd) != FALSE; })) << "started minimised";

    p.restoreToFront(found);
    EXPECT_TRUE(eventually([&] { return !IsIconic(hwnd) && IsWindowVisible(hwnd); })) << "restored";
    wchar_t text[200] = {};
    GetWindowTextW(hwnd, text, 200);
    EXPECT_EQ(Text(text, text + wcslen(text)), title);

    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    ui.join();
    EXPECT_TRUE(returned);
    EXPECT_EQ(p.findWindow(title), 0u) << "gone after closing";
}
