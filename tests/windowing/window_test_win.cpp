// The dialog base on real Win32 dialogs (run under Wine): templates from the
// resource script, the modal loop, timers, posted and sent messages, keys.
#include "platform/platform.h"
#include "platform/resource_ids.h"

#include <gtest/gtest.h>

using platform::Window;

namespace {

constexpr unsigned kPing = 0x83F5;

class TimedDialog : public Window {
public:
    TimedDialog() : Window(IDD_WARNING) {}
    bool onInitDialog() override
    {
        events.push_back("init");
        move({40, 30, 240, 130});
        setRegion({0, 0, 200, 100});
        setTimer(7, 10);
        return true;
    }
    void onTimer(unsigned id) override
    {
        killTimer(id);
        events.push_back("timer");
        post(kPing, 3, 4);
    }
    std::intptr_t onMessage(unsigned id, std::uintptr_t w, std::intptr_t l) override
    {
        if (id == kPing) {
            events.push_back("ping");
            rect = windowRect();
            visible = isVisible();
            if (pressEnter)
                post(platform::msg::KeyDown, platform::vk::Return);
            else
                endDialog(std::intptr_t(w + std::uintptr_t(l)));
        }
        return 0;
    }
    bool preTranslateMessage(const platform::Message& m) override
    {
        if (m.id == platform::msg::KeyDown)
            events.push_back("key seen");
        return false;
    }
    void onOK() override
    {
        events.push_back("ok");
        Window::onOK();
    }

    bool pressEnter = false;
    std::vector<std::string> events;
    platform::Rect rect;
    bool visible = false;
};

class Echo : public Window {
public:
    Echo() : Window(IDD_MENU) {}
    std::intptr_t onMessage(unsigned, std::uintptr_t w, std::intptr_t) override { return std::intptr_t(w) + 1; }
};

// Wine without an X display cannot make windows: those tests are skipped there.
class Win32Dialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        Echo probe;
        if (!probe.create())
            GTEST_SKIP() << "no display to create windows on";
    }
};

} // namespace

TEST_F(Win32Dialog, ModalRunEndsWithTheResultGivenInsideItsLoop)
{
    TimedDialog dlg;
    EXPECT_EQ(dlg.doModal(), 7);
    EXPECT_EQ(dlg.events, (std::vector<std::string>{"init", "timer", "ping"}));
    EXPECT_EQ(dlg.rect, (platform::Rect{40, 30, 240, 130}));
    EXPECT_TRUE(dlg.visible) << "shown once the loop went idle";
    EXPECT_FALSE(dlg.exists());
}

TEST_F(Win32Dialog, EnterGoesThroughPreTranslationAndTheDialogManagerToOk)
{
    TimedDialog dlg;
    dlg.pressEnter = true;
    EXPECT_EQ(dlg.doModal(), 1);
    EXPECT_EQ(dlg.events, (std::vector<std::string>{"init", "timer", "ping", "key seen", "ok"}));
}

TEST_F(Win32Dialog, ModelessDialogIsCreatedHiddenAndAnswersSentMessages)
{
    Echo echo;
    ASSERT_TRUE(echo.create());
    EXPECT_FALSE(echo.isVisible());
    EXPECT_EQ(echo.send(kPing, 41), 42);
    echo.setText(u"MainMenuDlg");
    EXPECT_EQ(echo.text(), u"MainMenuDlg");
    echo.setIcon(IDR_MAINFRAME);
    EXPECT_NE(echo.send(0x0037 /* WM_QUERYDRAGICON */), 0) << "dragged by its own icon when minimised";
    echo.appendSystemMenuItem(0x10, u"&About KVX_GMouse...");
    echo.show(platform::Show::Show);
    EXPECT_TRUE(echo.isVisible());
    echo.endDialog(1);
    EXPECT_FALSE(echo.isVisible()) << "a modeless dialog is only hidden";
    EXPECT_TRUE(echo.exists());
    echo.destroy();
    EXPECT_FALSE(echo.exists());
}

TEST(Win32Screen, FiguresArePositive)
{
    platform::Size s = platform::os().windows->screenSize();
    EXPECT_GT(s.width, 0);
    EXPECT_GT(s.height, 0);
    EXPECT_GT(platform::os().windows->fullScreenHeight(), 0);
}
