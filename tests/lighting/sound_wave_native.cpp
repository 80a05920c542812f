// The sound lighting dialog driven through the headless window system, with
// scripted peaks and the simulated mouse.
#include "lighting/sound_wave.h"
#include "platform/headless/audio_headless.h"
#include "platform/headless/windows_headless.h"
#include "platform/platform.h"
#include "tests/device/sim_fixture.h"
#include "tests/support/eventually.h"
#include "tests/ui/skin_fixture.h"
#include "ui/tips.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace lighting;
using platform::rgb;
using testsupport::eventually;
namespace hl = platform::headless;

namespace {

constexpr platform::Color kNormal = rgb(0, 0, 200);
constexpr platform::Color kOver = rgb(0, 200, 0);
constexpr platform::Color kDown = rgb(200, 0, 0);

class FakeMain : public platform::Window {
public:
    FakeMain() : Window(102) {}
    std::intptr_t onMessage(unsigned id, std::uintptr_t wParam, std::intptr_t) override
    {
        messages.emplace_back(id, wParam);
        return 0;
    }
    std::vector<std::pair<unsigned, std::uintptr_t>> messages;
};

class SoundDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        hl::audio().reset();
        ui::clearShownTips();
        root.picture("sound_normal.jpg", 420, 320, kNormal);
        root.picture("sound_over.jpg", 420, 320, kOver);
        root.picture("sound_down.jpg", 420, 320, kDown);
        root.picture("sound_mask.jpg", 420, 320, 0);
        std::string skin = "[BUTTONPOS]\r\n2=p1,62,198,76,76,Bars,0\r\n3=p2,172,198,76,76,Flash,0\r\n"
                           "4=p3,282,198,76,76,Breathe,0\r\n9=switch,24,16,56,28,,0\r\n10=close,382,12,26,26,,0\r\n";
        for (int i = 0; i < 36; ++i)
            skin += std::to_string(13 + i) + "=l,"  + std::to_string(30 + 10 * i) + ",70,7,100,,0\r\n";
        root.ini("\\1_INI_EN", "skin_sound.ini", skin);
        look.place = root.place();
        look.language = 1;
        configFile = config.file("config.ini");
        config.writeText(u"config.ini", "[ShareData]\r\nSoundWaveMode=3\r\nWaveShowStatu=0\r\nSoundSpeaker=7\r\n"
                                        "SoundMicroph=8\r\nSoundBright2=9\r\n");
        ASSERT_TRUE(rig.connect());
        main.create();
        main.move({100, 50, 1100, 650});
        main.show(platform::Show::Show);
        ws().screen = {1920, 1080};
        dlg = std::make_unique<SoundWave>(look, store, configFile, rig.connection);
    }
    void TearDown() override { dlg.reset(); }
    static hl::HeadlessWindows& ws() { return hl::windows(); }
    platform::Point centre(int r) const
    {
        const ui::SkinRegion& g = dlg->regions()[size_t(r)];
        return {g.x + g.width / 2, g.y + g.height / 2};
    }
    int lightingReports()
    {
        int n = 0;
        for (const auto& r : rig.mouse->received())
            n += r[1] == device::cmd::Lighting && r[2] == 0xFF;
        return n;
    }
    platform::Color pixel(int x, int y)
    {
        ws().paint(*dlg);
        return ws().surface(*dlg)->colorAt(x, y);
    }

    uitest::DataRoot root;
    testsupport::TempFolder config;
    Text configFile;
    ui::Appearance look;
    settings::ConfigStore store;
    SimMouseRig rig;
    FakeMain main;
    std::unique_ptr<SoundWave> dlg;
};

} // namespace

TEST_F(SoundDialog, WithoutAMixerTheTipIsShownAndNoDialogIsMade)
{
    hl::audio().reset({.mixer = false, .meter = false});
    EXPECT_FALSE(dlg->open(main, 0));
    EXPECT_EQ(ui::shownTips(), std::vector<int>{kTipNoMixer});
    EXPECT_FALSE(dlg->exists());
}

TEST_F(SoundDialog, OpensBesideTheMainWindowWithTheStoredPatternAndKeepsItsTimers)
{
    ASSERT_TRUE(dlg->open(main, 2));
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(dlg->windowRect(), (platform::Rect{710, 340, 1310, 940}));
    EXPECT_EQ(ws().native(*dlg)->region, (platform::Rect{0, 0, 420, 320}));
    EXPECT_EQ(dlg->pattern(), kPatternFlash);
    EXPECT_FALSE(dlg->displayOn());
    EXPECT_EQ((ws().native(*dlg)->timers), (std::map<unsigned, unsigned>{{1, 96}, {2, 480}, {3, 480}}));
    EXPECT_EQ(dlg->player()->dpiLevel.load(), 2);

    // Closed and opened again: the same window, the dpi level of the new open.
    ws().click(*dlg, centre(region::Close));
    EXPECT_FALSE(dlg->isVisible());
    ASSERT_TRUE(dlg->open(main, 4));
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(dlg->player()->dpiLevel.load(), 4);
    EXPECT_EQ(hl::audio().metersOpened(), 1);
}

TEST_F(SoundDialog, TheLightsFollowTheMeterUntilTheSwitchGoesOffAndTheMainWindowRestoresThem)
{
    ASSERT_TRUE(dlg->open(main, 1));
    ws().click(*dlg, centre(2)); // the bar pattern
    EXPECT_EQ(dlg->pattern(), kPatternBar);
    ws().click(*dlg, centre(region::DisplaySwitch));
    ASSERT_TRUE(dlg->displayOn());

    // Silence: every pass pulses and clears the bar.
    for (int i = 0; i < 25; ++i)
        ws().fireTimer(*dlg, kTimerSample);
    EXPECT_EQ(dlg->level().step(), 0);
    ASSERT_TRUE(eventually([&] { return lightingReports() >= 2; }));

    // A tone: the level climbs and a tick shows a bar above the lowest.
    hl::audio().queuePeaks({0.6f, 0.6f, 0.6f, 0.6f, 0.6f, 0.6f, 0.6f, 0.6f, 0.6f, 0.6f});
    for (int i = 0; i < 10; ++i)
        ws().fireTimer(*dlg, kTimerSample);
    EXPECT_EQ(dlg->level().current(), 60);
    EXPECT_GT(dlg->level().step(), 1);
    ws().fireTimer(*dlg, kTimerTickBar);
    ASSERT_TRUE(eventually([&] { return dlg->player()->previousStep() > 1; }));

    ws().click(*dlg, centre(region::DisplaySwitch));
    EXPECT_FALSE(dlg->displayOn());
    ws().pump();
    ASSERT_FALSE(main.messages.empty());
    EXPECT_EQ(main.messages.back(), (std::pair<unsigned, std::uintptr_t>{kMsgDpiLevelSync, 1}));
}

TEST_F(SoundDialog, NoPatternCommandFollowsTheRestoreWhenTheSwitchGoesOffDuringALongFall)
{
    ASSERT_TRUE(dlg->open(main, 1));
    ws().click(*dlg, centre(2));
    ws().click(*dlg, centre(region::DisplaySwitch));
    // A bar of two, then passes without ticks: the bar falls with waits of 392 ms.
    dlg->level().force(60, 2);
    dlg->level().setTick();
    ASSERT_TRUE(eventually([&] { return dlg->player()->previousStep() == 2; }));

    ws().click(*dlg, centre(region::DisplaySwitch));
    ws().pump();
    ASSERT_FALSE(main.messages.empty());
    const int atRestore = lightingReports();
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    EXPECT_EQ(lightingReports(), atRestore) << "a pattern command came after the stored lighting";
}

TEST_F(SoundDialog, ClosingWritesTheSettingsWithTheDisplaySwitchOn)
{
    ASSERT_TRUE(dlg->open(main, 0));
    ws().click(*dlg, centre(4));
    ws().click(*dlg, centre(region::Close));
    const std::string written = config.readText(u"config.ini");
    for (const char* line : {"SoundWaveMode=4", "WaveShowStatu=1", "SoundSpeaker=7", "SoundMicroph=8",
                             "SoundBright2=9"})
        EXPECT_NE(written.find(line), std::string::npos) << line;
    EXPECT_FALSE(dlg->displayOn()) << "the running switch stays off";
}

TEST_F(SoundDialog, TheMeterDrawsBarsOnlyWhileTheLightsFollowLoudSound)
{
    ASSERT_TRUE(dlg->open(main, 0));
    const ui::SkinRegion meter0 = dlg->regions()[region::MeterFirst];
    const int x = meter0.x + 3;
    const int middle = meter0.y + meter0.height / 2;
    // Quiet: a 2-pixel line just above the middle.
    EXPECT_EQ(pixel(x, middle - 2), kDown);
    EXPECT_EQ(pixel(x, middle - 3), kNormal);
    EXPECT_EQ(pixel(x, middle + 1), kNormal);

    ws().click(*dlg, centre(region::DisplaySwitch));
    hl::audio().queuePeaks({0.2f, 0.2f, 0.2f, 0.2f, 0.2f, 0.2f, 0.2f, 0.2f, 0.2f, 0.2f, 0.2f, 0.2f, 0.8f});
    for (int i = 0; i < 13; ++i)
        ws().fireTimer(*dlg, kTimerSample);
    ASSERT_GT(dlg->level().step(), 0);
    // The newest entry, 80, is a centred bar of 80 of the region's 100 pixels.
    EXPECT_EQ(pixel(x, meter0.y + 10), kDown);
    EXPECT_EQ(pixel(x, meter0.y + 89), kDown);
    EXPECT_EQ(pixel(x, meter0.y + 9), kNormal);
    EXPECT_EQ(pixel(x, meter0.y + 90), kNormal);
    // The switch shows on, the pressed pattern from down.
    EXPECT_EQ(pixel(centre(region::DisplaySwitch).x, centre(region::DisplaySwitch).y), kDown);
    EXPECT_EQ(pixel(centre(3).x, centre(3).y), kDown);
    EXPECT_EQ(pixel(centre(2).x, centre(2).y), kNormal);
}

TEST_F(SoundDialog, WithoutAPlaybackDeviceTheLevelStaysAtZero)
{
    hl::audio().reset({.mixer = true, .meter = false});
    ASSERT_TRUE(dlg->open(main, 0));
    EXPECT_FALSE(dlg->hasMeter());
    ws().fireTimer(*dlg, kTimerSample);
    EXPECT_EQ(dlg->level().current(), 0);
}
