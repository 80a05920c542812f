// The Win32 process services under kernel32/user32 (Wine in CI).
#include <gtest/gtest.h>

#include "platform/resource_ids.h"
#include "platform/win32/process_win.h"
#include "platform/window.h"
#include "tests/support/eventually.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

using testsupport::eventually;
using platform::MutexResult;
using platform::win32::Win32Process;

namespace {

Text uniqueName(const char* stem)
{
    static int made = 0;
    auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    return T(stem) + text::fromInt(now) + u"_" + text::fromInt(++made);
}

bool endsWith(const Text& s, const Text& tail)
{
    return s.size() >= tail.size() && text::equalsIgnoreCase(TextView(s).substr(s.size() - tail.size()), tail);
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

TEST(Win32Process, TheFirstMutexIsCreatedAndLaterOnesFindIt)
{
    Win32Process p;
    Text name = uniqueName("KVX_test_mutex_");
    EXPECT_EQ(p.createInstanceMutex(name), MutexResult::Created);
    EXPECT_EQ(p.createInstanceMutex(name), MutexResult::AlreadyExisted);
    // The second handle was closed again, the first is still held.
    EXPECT_EQ(p.createInstanceMutex(name), MutexResult::AlreadyExisted);

    // The name stays taken for the whole process, whichever thread asks.
    MutexResult fromOtherThread = MutexResult::Failed;
    std::thread([&] { fromOtherThread = p.createInstanceMutex(name); }).join();
    EXPECT_EQ(fromOtherThread, MutexResult::AlreadyExisted);

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
    std::wstring wname(name.begin(), name.end());
    ASSERT_EQ(_wputenv_s(wname.c_str(), std::wstring(value.begin(), value.end()).c_str()), 0);
    EXPECT_EQ(p.environment(name), value) << "longer than any fixed buffer";
    _wputenv_s(wname.c_str(), L""); // removes it
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

// A window carrying the title, minimised as soon as it exists, run until it is closed.
class MinimisedWindow : public platform::Window {
public:
    explicit MinimisedWindow(Text title) : Window(IDD_WARNING), title_(std::move(title)) {}
    bool onInitDialog() override
    {
        setText(title_);
        show(platform::Show::Minimize);
        return true;
    }

private:
    Text title_;
};

} // namespace

// The mechanism of the single instance: the first instance's window is found
// by its title and restored from minimised.
TEST(Win32Process, ATitledWindowIsFoundAndRestored)
{
    Win32Process p;
    Text title = uniqueName("KVX titled window ") + text::fromUtf8(" 鼠标");
    MinimisedWindow window(title);
    std::atomic<bool> returned = false;
    std::thread ui([&] {
        window.doModal();
        returned = true;
    });
    platform::WindowHandle found = 0;
    bool appeared = eventually([&] { return (found = p.findWindow(title)) != 0 || returned; });
    if (!found) {
        ui.join();
        GTEST_SKIP() << "no window could be created (no display?)";
    }
    ASSERT_TRUE(appeared);
    EXPECT_EQ(found, window.handle());
    EXPECT_TRUE(eventually([&] { return window.isIconic(); })) << "started minimised";

    p.restoreToFront(found);
    EXPECT_TRUE(eventually([&] { return !window.isIconic() && window.isVisible(); })) << "restored";
    EXPECT_EQ(window.text(), title);

    window.post(platform::msg::Close);
    ui.join();
    EXPECT_TRUE(returned);
    EXPECT_EQ(p.findWindow(title), 0u) << "gone after closing";
}
