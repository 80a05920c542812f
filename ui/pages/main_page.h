#pragma once
// The main page: the mouse's buttons and their functions, the DPI levels'
// switches, the sound lighting and the three looks of the window.
#include "ui/pages/common_regions.h"

namespace ui {

class MainPage : public Page {
public:
    static constexpr int FirstButtonLabel = 20; // 20 + b
    static constexpr int WheelStatus0 = 31;
    static constexpr int WheelStatus1 = 32;
    static constexpr int FirstButtonPart = 35;  // 35 + b: the button on the picture of the mouse
    static constexpr int SoundLighting = 46;
    static constexpr int FirstDpiSwitch = 47;   // 47..52
    static constexpr int FirstVariant = 78;     // 78 plain, 79 dark, 80 dark2
    static constexpr int FirstEmptyMenu = 101;  // 101, 102
    static constexpr Point kPresetMark{378, 535};

    MainPage(PageHost& host, CommonRegions& common) : Page(host), common_(common) {}

    int id() const override { return kMainPage; }
    Text pictureBase() const override { return u"main"; }
    bool hasImageVariants() const override { return true; }
    std::span<const SkinRegion> hitTable() const override { return host_.look().skins.main; }

    void press(int region, Point p) override;
    void paintLayer(PagePaint& paint) override;
    void paintTexts(PagePaint& paint) override;
    std::vector<Rect> hoverLinked(int region) const override;

    int wheelStatus() const { return wheelStatus_; }

private:
    int keyNum() const;
    int buttonOfLabel(int region) const;

    CommonRegions& common_;
    int wheelStatus_ = 0;
    int missingMarkFor_ = -1; // the button whose hover last found zhi.png missing
};

} // namespace ui
