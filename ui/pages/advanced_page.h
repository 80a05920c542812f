#pragma once
// The advanced page: the six DPI levels (switch, choice, value, colour), the
// pointer and wheel speeds, the fire time and the report rate.
#include "ui/pages/common_regions.h"
#include "ui/pages/slider_page.h"

namespace ui {

class AdvancedPage : public SliderPage {
public:
    static constexpr int PointerSlider = 1;
    static constexpr int PointerValue = 2;
    static constexpr int WheelSlider = 18;
    static constexpr int WheelValue = 19;
    static constexpr int FireSlider = 31;
    static constexpr int FireValue = 32;
    static constexpr int FirstReportRate = 34;  // 34..37
    static constexpr int FirstRateMark = 38;    // 38..41
    static constexpr int FirstDpiSwitch = 47;   // 47..52
    static constexpr int FirstDpiChoice = 60;   // 60..65
    static constexpr int DpiSlider = 66;
    static constexpr int FirstDpiValue = 70;    // 70..75
    static constexpr int FirstDpiColour = 77;   // 77..82
    static constexpr int kDpiSliderWidth = 303;

    explicit AdvancedPage(PageHost& host) : SliderPage(host) {}

    int id() const override { return kAdvancedPage; }
    Text pictureBase() const override { return u"advanced"; }
    std::span<const SkinRegion> hitTable() const override { return host_.look().skins.advanced; }

    void press(int region, Point p) override;
    void paintLayer(PagePaint& paint) override;
    void paintTexts(PagePaint& paint) override;

private:
    void follow(int slider, Point p) override;
    void paintSliders(PagePaint& paint);
};

} // namespace ui
