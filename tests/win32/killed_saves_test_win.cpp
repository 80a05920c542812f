// A program killed while it saves config.ini again and again leaves one whole
// save behind: the settings of a single save, never a mixture, never nothing.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/win32/win_util.h"
#include "settings/config_files.h"
#include "tests/support/temp_folder.h"
#include "ui/tips.h"

#include <cstdlib>
#include <iostream>
#include <memory>
#include <random>

using platform::win32::wide;

namespace {

constexpr wchar_t kLoopFolderVariable[] = L"KVX_SAVE_LOOP_FOLDER";

// Every field the check looks at carries the number of the save.
void stampSave(settings::ConfigStore& s, int save)
{
    s.fireTime = save;
    for (auto& config : s.buttons)
        for (auto& button : config)
            button.functionCode = save;
}

} // namespace

// The saving program that the test below starts and kills; skipped on its own.
TEST(KilledSaves, SaveLoop)
{
    const wchar_t* folder = _wgetenv(kLoopFolderVariable);
    if (!folder)
        GTEST_SKIP() << "started by KilledSaves.EveryKillLeavesOneWholeSave";
    const Text file = settings::configFilePath(platform::win32::fromWide(folder), settings::kConfigFileName);
    auto s = std::make_unique<settings::ConfigStore>();
    // Numbered on from the last save that made it, so a lost one would show.
    settings::loadConfiguration(*s, platform::win32::fromWide(folder) + u"\\", 0, false, 1);
    for (int save = s->fireTime + 1;; ++save) {
        stampSave(*s, save);
        settings::saveAllConfigurations(*s, file);
    }
}

TEST(KilledSaves, EveryKillLeavesOneWholeSave)
{
    testsupport::TempFolder dir;
    dir.writeText(u"config.ini", "[PRODUCTNAME]\r\nPRODUCTNAME_EN=KVX Gaming Mouse\r\n");
    const Text folder = dir.path() + u"\\";
    wchar_t exe[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, exe, MAX_PATH), 0u);
    ASSERT_TRUE(SetEnvironmentVariableW(kLoopFolderVariable, wide(dir.path()).c_str()));

    std::mt19937 random(1234);
    const int kills = 8;
    int midSave = 0, lastSave = 0;
    for (int kill = 0; kill < kills; ++kill) {
        std::wstring command = L"\"" + std::wstring(exe) + L"\" --gtest_filter=KilledSaves.SaveLoop";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION child{};
        ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                   &child));
        platform::win32::UniqueHandle process(child.hProcess), thread(child.hThread);
        Sleep(1000 + random() % 2500); // a save takes about a second under Wine
        TerminateProcess(process.get(), 1);
        WaitForSingleObject(process.get(), INFINITE);

        if (dir.exists(u"config.ini.tmp"))
            ++midSave;
        settings::restoreConfigFile(dir.file("config.ini"));
        ui::clearShownTips();
        auto s = std::make_unique<settings::ConfigStore>();
        for (int n = 0; n < settings::kConfigurations; ++n)
            settings::loadConfiguration(*s, folder, n, false, 1);
        EXPECT_TRUE(ui::shownTips().empty()) << "config.ini is there after kill " << kill;
        const int save = s->fireTime;
        for (const auto& config : s->buttons)
            for (const auto& button : config)
                ASSERT_EQ(button.functionCode, save) << "a mixture of saves after kill " << kill;
        EXPECT_GE(save, lastSave) << "an older save came back";
        lastSave = save;
    }
    SetEnvironmentVariableW(kLoopFolderVariable, nullptr);
    std::cout << midSave << " of " << kills << " kills came in the middle of a save; the last whole save was "
              << lastSave << "\n";
    EXPECT_GE(midSave, kills / 2) << "the kills must hit saves in progress to prove anything";
    EXPECT_GT(lastSave, 0);
}
