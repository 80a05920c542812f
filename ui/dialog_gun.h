#pragma once
// The game preset dialog: pick a weapon from the skinned weapon list, see its
// picture, and change the three numbers of its recoil macro (repeat count,
// strength, interval). OK saves the weapon shown; switching weapons saves the
// one left behind. Modal, opened from the macro page.
#include "macro/preset_editor.h"
#include "ui/appearance.h"
#include "ui/controls/list_box_xi.h"
#include "ui/menus/skinned_menu.h"
#include "ui/messages.h"

#include <array>

namespace ui {

class CDialogGun : public platform::Window {
public:
    static constexpr int kTemplate = 132;
    static constexpr int kRegions = 14;
    // Child ids of the three boxes.
    static constexpr int kStrengthBox = 1001;
    static constexpr int kRepeatBox = 1002;
    static constexpr int kIntervalBox = 1003;

    // `languageFolder` is the data root plus the current language's folder (PUBG.dat is there).
    CDialogGun(const Appearance& look, macro::PresetTable& presets, Text languageFolder);
    ~CDialogGun() override;

    bool onInitDialog() override;
    bool onPaint(platform::Canvas& surface) override;
    bool onEraseBackground() override { return true; }
    void onMouseMove(platform::Point p) override;
    void onMouseLeave() override;
    void onLButtonDown(platform::Point p) override;
    void onLButtonUp(platform::Point p) override;
    std::intptr_t onMessage(unsigned id, std::uintptr_t wParam, std::intptr_t lParam) override;

    const macro::PresetEditor& editor() const { return editor_; }
    const std::array<SkinRegion, kRegions>& regions() const { return regions_; }
    menus::PopupMenus& weaponList() { return weaponList_; }

private:
    void showPreset();
    void fillBoxes();
    macro::PresetNumbers typed() const;
    void saved(macro::PresetWrite write);
    void openWeaponList();
    void message(const Text& text);

    const Appearance& look_;
    macro::PresetTable& presets_;
    Text languageFolder_;
    macro::PresetEditor editor_;
    macro::PresetBoxes boxes_;
    std::array<SkinRegion, kRegions> regions_;
    std::array<platform::Rect, 3> boxRects_{};
    NumberEdit strength_, repeat_, interval_;
    menus::PopupMenus weaponList_;
    int hovered_ = kNoRegion;
    bool pressed_ = false;
    bool pictureMissing_ = false;
};

} // namespace ui
