#pragma once
// The LED page: the lighting effect and what applies to it (colours, cycle
// colours, speed, brightness, direction, symmetry, per-button reactions), and
// the sound-reactive lighting switch.
#include "ui/pages/common_regions.h"
#include "ui/pages/slider_page.h"

namespace ui {

class LedPage : public SliderPage {
public:
    static constexpr int FirstUserColour = 0;   // 0..6
    static constexpr int FirstCycleFlag = 7;    // 7..13
    static constexpr int ColourFrame = 14;
    static constexpr int LeaveSound = 17;
    static constexpr int EnterSound = 19;
    static constexpr int EffectName = 35;
    static constexpr int Brightness = 40;
    static constexpr int EffectSpeed = 41;
    static constexpr int Symmetry = 45;
    static constexpr int FirstDirection = 47;   // 47..50
    static constexpr int FirstReaction = 51;    // 51 + b
    static constexpr int FirstReactionType = 66; // 66 + b
    static constexpr int SoundPicture = 88;
    static constexpr int EffectTip = 98;
    static constexpr int kHitRegions = 80;      // 80..102 are drawn, never hit

    explicit LedPage(PageHost& host) : SliderPage(host) {}

    int id() const override { return kLedPage; }
    Text pictureBase() const override { return u"led"; }
    bool hasImageVariants() const override { return true; }
    std::span<const SkinRegion> hitTable() const override
    {
        return std::span<const SkinRegion>(host_.look().skins.color).first(kHitRegions);
    }

    void press(int region, Point p) override;
    void paintLayer(PagePaint& paint) override;
    void paintTexts(PagePaint& paint) override;

private:
    void follow(int slider, Point p) override;
    void paintNormal(PagePaint& paint);
    bool textShown(int region) const;
    int keyNum() const;
};

} // namespace ui
