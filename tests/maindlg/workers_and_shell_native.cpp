// The page workers, the apply step's save, the autorun entry and the tray
// icon's own rules.
#include "tests/maindlg/dialog_rig.h"

#include "app/autorun.h"
#include "app/tray_icon.h"
#include "app/worker_threads.h"
#include "macro/macro_file.h"
#include "settings/config_files.h"
#include "tests/support/eventually.h"

#include <gtest/gtest.h>

using testsupport::eventually;
using namespace maindlgtest;

namespace {


struct Workers {
    Workers() : workers(store, pages, [this] { redraws++; }) {}
    settings::ConfigStore store;
    app::PageState pages;
    std::atomic<int> redraws{0};
    app::WorkerThreads workers;
};

} // namespace

TEST(LightingPreview, WaitShrinksWithTheCycleTimeAndNeverGoesNegative)
{
    EXPECT_EQ(app::previewWaitMs(0), 1200u);
    EXPECT_EQ(app::previewWaitMs(5), 200u);
    EXPECT_EQ(app::previewWaitMs(6), 0u);
    EXPECT_EQ(app::previewWaitMs(7), 0u);
    EXPECT_EQ(app::previewWaitMs(255), 0u);
}

TEST(LightingPreview, NextColourSkipsColoursOutOfTheCycleAndWraps)
{
    settings::ConfigStore s;
    std::fill(std::begin(s.cycleFlags), std::end(s.cycleFlags), 0);
    EXPECT_EQ(app::nextPreviewColour(s, 3), 3) << "no colour in the cycle: the index stays";
    s.cycleFlags[1] = 1;
    s.cycleFlags[5] = 1;
    EXPECT_EQ(app::nextPreviewColour(s, 1), 5);
    EXPECT_EQ(app::nextPreviewColour(s, 5), 1);
    EXPECT_EQ(app::nextPreviewColour(s, 6), 1);
    s.cycleFlags[6] = 1;
    EXPECT_EQ(app::nextPreviewColour(s, 6), 1) << "only set colours count, the current one last";
}

TEST(LightingPreview, RunsWhileTheLedPageIsShownAndEndsWhenItIsLeft)
{
    Workers w;
    w.store.ledType = 1;
    w.store.effectSpeed = 0; // 1200 ms steps: ending must not wait them out
    std::fill(std::begin(w.store.cycleFlags), std::end(w.store.cycleFlags), 1);
    w.pages.currentPage = app::kLedPage;
    ASSERT_TRUE(w.workers.startLightingPreview());
    EXPECT_FALSE(w.workers.startLightingPreview()) << "one preview at a time";
    ASSERT_TRUE(eventually([&] { return w.redraws > 0; }));
    EXPECT_FALSE(w.pages.previewPhaseOn) << "the first pass of effect 1 switches the light off";
    EXPECT_EQ(w.pages.previewColour, 1);

    w.pages.currentPage = app::kMainPage;
    w.workers.pageChanged();
    EXPECT_TRUE(eventually([&] { return !w.workers.previewRunning(); }));
    w.pages.currentPage = app::kLedPage;
    EXPECT_TRUE(w.workers.startLightingPreview()) << "returning to the page starts a new one";
}

TEST(LightingPreview, OtherEffectsKeepThePreviewLit)
{
    Workers w;
    w.store.ledType = 4;
    w.store.effectSpeed = 6;
    w.pages.previewPhaseOn = false;
    w.pages.currentPage = app::kLedPage;
    w.workers.startLightingPreview();
    ASSERT_TRUE(eventually([&] { return w.redraws > 2; }));
    EXPECT_TRUE(w.pages.previewPhaseOn);
    w.pages.currentPage = app::kAdvancedPage;
    w.workers.pageChanged();
    EXPECT_TRUE(eventually([&] { return !w.workers.previewRunning(); }));
}

TEST(IndicatorBlink, DisabledBlinkEndsAtOnceWithTheIndicatorShown)
{
    Workers w;
    w.pages.indicatorShown = false;
    ASSERT_TRUE(w.workers.startBlink());
    EXPECT_TRUE(eventually([&] { return !w.workers.blinkRunning(); }));
    EXPECT_TRUE(w.pages.indicatorShown);
    EXPECT_EQ(w.redraws, 0);
}

TEST(IndicatorBlink, EnabledBlinkTogglesUntilThePageChanges)
{
    Workers w;
    w.pages.blinkEnabled = true;
    ASSERT_TRUE(w.workers.startBlink());
    EXPECT_FALSE(w.workers.startBlink());
    ASSERT_TRUE(eventually([&] { return w.redraws >= 1; }));
    w.pages.currentPage = app::kLedPage;
    w.workers.pageChanged();
    EXPECT_TRUE(eventually([&] { return !w.workers.blinkRunning(); }));
    EXPECT_TRUE(w.pages.indicatorShown);
}

TEST(ApplyStepSave, WritesTheGroupCurConfigAndEveryConfiguration)
{
    testsupport::TempFolder dir;
    const Text configFile = dir.file("config.ini");
    const Text groupFile = dir.file("G1.dat");
    settings::ConfigStore s;
    auto table = std::make_unique<macro::GroupTable>();
    std::copy_n(u"Burst", 6, (*table)[0].name);

    // Configuration 2 edited, then configuration 3 chosen and edited before the apply.
    s.buttons[2][0].functionCode = 3;
    settings::setCurrentConfiguration(s, 3);
    s.buttons[3][1].functionCode = 19;
    s.fireTime = 77;
    app::saveApplyStep(s, {configFile, groupFile, std::move(table), 1, 1});
    EXPECT_EQ(macro::readMacroCount(groupFile), 1);

    settings::ConfigStore reloaded;
    for (int c = 0; c < settings::kConfigurations; ++c)
        settings::loadConfiguration(reloaded, dir.path(), c, false, 1);
    EXPECT_EQ(reloaded.buttons[2][0].functionCode, 3);
    EXPECT_EQ(reloaded.buttons[3][1].functionCode, 19);
    EXPECT_EQ(reloaded.fireTime, 77);
    auto& profile = *platform::os().profile;
    EXPECT_EQ(profile.getString(configFile, u"Init", u"CurConfig", Text(), 5), u"3");

    // Without a group nothing but the configurations is written.
    const Text other = dir.file("other.ini");
    app::saveApplyStep(s, {other, Text(), nullptr, 0, 1});
    EXPECT_EQ(profile.getString(other, u"Config0", u"K0", Text(), 5), u"0");
}

TEST(ApplyStepSave, WritesTheGroupAsItWasWhenApplied)
{
    testsupport::TempFolder dir;
    auto lib = std::make_unique<macro::Library>();
    lib->groupCount = 2;
    lib->groupNames[0] = u"Office";
    lib->groupNames[1] = u"Games";
    lib->currentGroup = 1;
    lib->currentGroupMacroCount = 1;
    std::copy_n(u"Burst", 6, lib->table[0].name);
    const app::SaveJob job = app::applyStepJob(*lib, dir.path(), dir.file("config.ini"), 1);
    EXPECT_EQ(job.groupFile, dir.file("Games.dat"));

    // The window renames the macro before the worker gets to write.
    std::copy_n(u"Later", 6, lib->table[0].name);
    settings::ConfigStore s;
    app::saveApplyStep(s, job);
    macro::GroupTable saved{};
    ASSERT_EQ(macro::loadGroup(saved, job.groupFile, 1), 1);
    EXPECT_EQ(Text(saved[0].name), u"Burst");

    // No group, or a name that would leave the macro folder: only the configurations.
    lib->groupNames[1] = u"..\\evil";
    EXPECT_TRUE(app::applyStepJob(*lib, dir.path(), dir.file("config.ini"), 1).groupFile.empty());
    lib->groupCount = 0;
    EXPECT_FALSE(app::applyStepJob(*lib, dir.path(), dir.file("config.ini"), 1).groupTable);
}

TEST(Autorun, EnabledEntryQuotesThePathAndAddsTheSilentSwitch)
{
    EXPECT_EQ(app::autorunCommand(u"C:\\Program Files\\KVX\\KVX_GMouse.exe", true),
              u"\"C:\\Program Files\\KVX\\KVX_GMouse.exe\" -silent");
    EXPECT_EQ(app::autorunCommand(u"C:\\K.exe", false), u"\"C:\\K.exe\"");
}

TEST(Autorun, ResultsFollowWhatTheRegistryAllows)
{
    DialogRig rig;
    auto& reg = hl::registry();
    rig.process.exePath = u"C:\\KVX\\KVX_GMouse.exe";
    EXPECT_EQ(app::setAutorun(true, u"KVX", true), app::autorun::Done);
    EXPECT_EQ(reg.runValues[u"KVX"], u"\"C:\\KVX\\KVX_GMouse.exe\" -silent");
    EXPECT_EQ(app::setAutorun(false, u"KVX", true), app::autorun::Done);
    EXPECT_TRUE(reg.runValues.empty());
    EXPECT_EQ(app::setAutorun(false, u"KVX", true), app::autorun::Failed) << "nothing to delete";

    reg.failWrites = true;
    EXPECT_EQ(app::setAutorun(true, u"KVX", false), app::autorun::Failed);
    reg.failWrites = false;
    reg.writable = false;
    EXPECT_EQ(app::setAutorun(true, u"KVX", false), app::autorun::NoAccess);
    EXPECT_TRUE(reg.runValues.empty());
    rig.process.exePath.clear();
    reg.writable = true;
    EXPECT_EQ(app::setAutorun(true, u"KVX", false), app::autorun::NoPath);
    EXPECT_TRUE(reg.runValues.empty());
}

TEST(TrayIcon, LongTipsAreCutToWhatTheShellHolds)
{
    DialogRig rig;
    platform::Window w(102);
    w.create();
    app::TrayIcon icon(w, nullptr, nullptr);
    icon.add(Text(200, u'x'));
    ASSERT_EQ(hl::tray().icons.size(), 1u);
    EXPECT_EQ(hl::tray().icons[0].tip.size(), 127u);
    icon.add(u"again");
    EXPECT_EQ(hl::tray().icons.size(), 1u) << "the shell keeps one icon per window and id";
    icon.remove();
    EXPECT_TRUE(hl::tray().icons.empty());
    EXPECT_FALSE(icon.isShown());
    // A dismissed menu chooses nothing.
    EXPECT_EQ(icon.onCallback(153, app::kMouseRButtonUp), 0);
    EXPECT_EQ(hl::tray().menus.size(), 1u);
}
