// The game preset dialog on the shipped data root: weapons chosen from the
// skinned weapon list, numbers typed into the boxes, OK and switching saved
// into PUBG.dat.
#include "macro/macro_file.h"
#include "platform/headless/controls_headless.h"
#include "platform/headless/windows_headless.h"
#include "platform/platform.h"
#include "tests/support/temp_folder.h"
#include "ui/dialog_gun.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace ui;
namespace hl = platform::headless;

namespace {

class GunDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        namespace fs = std::filesystem;
        fs::copy(fs::path(text::toUtf8(testsupport::sourceDir())) / "skins", fs::path(text::toUtf8(dir.path())),
                 fs::copy_options::recursive);
        look.place = {dir.path(), u"\\1_INI_EN", 1};
        look.language = 1;
        look.texts.load(look.place);
        look.fonts.create(look.place, 1, 87);
        folder = dir.path() + u"\\1_INI_EN";
        ASSERT_TRUE(macro::loadPresets(presets, folder, 1));
        ws().messageBoxes.clear();
        ws().screen = {1920, 1080};
        main.create();
    }
    void TearDown() override { ws().setModalDriver(nullptr); }
    static hl::HeadlessWindows& ws() { return hl::windows(); }
    static platform::Point centre(const CDialogGun& d, int r)
    {
        const SkinRegion& g = d.regions()[size_t(r)];
        return {g.x + g.width / 2, g.y + g.height / 2};
    }
    static hl::HeadlessEdit& box(int id) { return *hl::headlessControls().edit(id); }
    macro::MacroRecord reread(int i)
    {
        return macro::readMacroLine(folder + u"\\PUBG.dat", i, macro::readFileVersion(folder + u"\\PUBG.dat"), 1);
    }

    testsupport::TempFolder dir;
    Appearance look;
    Text folder;
    macro::PresetTable presets;
    platform::Window main{102};
};

} // namespace

TEST_F(GunDialog, OpensOnTheFirstWeaponAndOkWritesItsNumbers)
{
    ASSERT_GE(presets.count, 2);
    CDialogGun dlg(look, presets, folder);
    ws().setModalDriver([&](platform::Window& w) {
        auto& d = static_cast<CDialogGun&>(w);
        EXPECT_EQ(d.editor().current(), 0);
        EXPECT_EQ(w.windowRect(), (platform::Rect{700, 350, 1220, 730})) << "centred, mask size";
        const macro::MacroRecord& first = presets.records[0];
        EXPECT_EQ(box(CDialogGun::kIntervalBox).value, text::fromInt(first.delay[0]));
        box(CDialogGun::kStrengthBox).value = u"0";
        box(CDialogGun::kIntervalBox).value = u"45";
        ws().click(w, centre(d, 2)); // OK
    });
    EXPECT_EQ(dlg.doModal(&main), 1);
    const macro::MacroRecord saved = reread(0);
    EXPECT_EQ(saved.delay[0], 45);
    EXPECT_EQ(saved.delay[1], 45);
    EXPECT_EQ(saved.vAdjustValue, 1) << "strength 0 is stored as 1";
    for (int k = 0; k < saved.eventCount; ++k)
        EXPECT_TRUE(saved.param[k].y == 0 || saved.param[k].y == 1);
    EXPECT_TRUE(ws().messageBoxes.empty());
}

TEST_F(GunDialog, ChoosingAnotherWeaponSavesTheOneLeftAndCancelSavesNothingMore)
{
    CDialogGun dlg(look, presets, folder);
    const macro::MacroRecord secondBefore = reread(1);
    ws().setModalDriver([&](platform::Window& w) {
        auto& d = static_cast<CDialogGun&>(w);
        box(CDialogGun::kRepeatBox).value = u"7";
        box(CDialogGun::kStrengthBox).value = u"12";
        ws().click(w, centre(d, 5));
        menus::SkinnedMenu* list = d.weaponList().menu();
        ASSERT_NE(list, nullptr);
        ASSERT_TRUE(list->isVisible());
        const platform::Rect row2 = menus::rowRect(list->geometry(), 2, 1);
        const platform::Point p{row2.left + row2.width() / 2, row2.top + row2.height() / 2};
        ws().mouseMove(*list, p);
        ws().click(*list, p);
        ws().pump();
        EXPECT_EQ(d.editor().current(), 1);
        box(CDialogGun::kStrengthBox).value = u"55";
        ws().click(w, centre(d, 1)); // Cancel
    });
    EXPECT_EQ(dlg.doModal(&main), 2);
    const macro::MacroRecord first = reread(0);
    EXPECT_EQ(first.repeatCount, 7);
    bool strengthSaved = false;
    for (int k = 0; k < first.eventCount; ++k)
        strengthSaved |= first.param[k].y == 12;
    EXPECT_TRUE(strengthSaved);
    EXPECT_EQ(reread(1), secondBefore) << "cancel leaves the weapon shown as it was";
}

TEST_F(GunDialog, AMissingPictureOrPresetFileIsToldInAMessageBox)
{
    std::filesystem::remove(std::filesystem::path(text::toUtf8(dir.path())) / "Gun" / "1.jpg");
    CDialogGun dlg(look, presets, folder);
    ws().setModalDriver([&](platform::Window& w) {
        auto& d = static_cast<CDialogGun&>(w);
        platform::os().files->deleteFile(folder + u"\\PUBG.dat");
        ws().click(w, centre(d, 2));
    });
    EXPECT_EQ(dlg.doModal(&main), 1);
    ASSERT_EQ(ws().messageBoxes.size(), 2u);
    EXPECT_EQ(ws().messageBoxes[0].text, macro::kWeaponPictureMissingText);
    EXPECT_EQ(ws().messageBoxes[1].text, macro::kPresetFileMissingText);
    EXPECT_FALSE(platform::os().files->exists(folder + u"\\PUBG.dat"));
}
