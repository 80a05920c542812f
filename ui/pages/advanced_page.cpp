#include "ui/pages/advanced_page.h"

#include "ui/pages/page_text.h"
#include "ui/pages/slider.h"

namespace ui {

namespace {
bool isSlider(int region)
{
    return region == AdvancedPage::PointerSlider || region == AdvancedPage::WheelSlider ||
           region == AdvancedPage::FireSlider || region == AdvancedPage::DpiSlider;
}
} // namespace

void AdvancedPage::follow(int slider, Point p)
{
    settings::ConfigStore& s = host_.store();
    const SkinRegion& r = host_.look().skins.advanced[size_t(slider)];
    switch (slider) {
    case DpiSlider:
        settings::setDpiIndexOfCurrentLevel(s, sliderPosition(r.x, r.width, settings::kDpiTableSize, p.x) - 1);
        break;
    case PointerSlider:
        s.pointerSpeed = std::uint8_t(sliderPosition(r.x, r.width, 11, p.x));
        break;
    case WheelSlider:
        s.wheelSpeed = std::uint8_t(sliderPosition(r.x, r.width, 11, p.x));
        break;
    case FireSlider:
        settings::setFireTime(s, sliderPosition(r.x, r.width, settings::kMaxFireTime, p.x));
        break;
    default:
        break;
    }
}

void AdvancedPage::press(int region, Point p)
{
    settings::ConfigStore& s = host_.store();
    if (isSlider(region)) {
        startDrag(region, p);
    } else if (region >= FirstReportRate && region < FirstReportRate + 4) {
        settings::setReportRate(s, region - FirstReportRate);
    } else if (region >= FirstDpiSwitch && region < FirstDpiSwitch + settings::kDpiLevels) {
        settings::toggleDpiLevelEnabled(s, region - FirstDpiSwitch);
    } else if (region >= FirstDpiChoice && region < FirstDpiChoice + settings::kDpiLevels) {
        settings::selectDpiLevel(s, region - FirstDpiChoice);
    } else if (region >= FirstDpiColour && region < FirstDpiColour + settings::kDpiLevels) {
        const int level = region - FirstDpiColour;
        if (auto c = host_.chooseColour(s.dpiDisplayColour[level]))
            settings::setDpiLevelColour(s, level, int(platform::redOf(*c)), int(platform::greenOf(*c)),
                                        int(platform::blueOf(*c)));
        host_.redraw();
    }
}

void AdvancedPage::paintLayer(PagePaint& paint)
{
    const auto& t = host_.look().skins.advanced;
    const settings::ConfigStore& s = host_.store();
    if (const int h = host_.hoveredPage(); h != kNoRegion) {
        if (host_.pressed() && !isSlider(h))
            paint.fromDown(t[size_t(h)]);
        else
            paint.fromOver(t[size_t(h)]);
    }
    paint.fromDown(t[size_t(FirstDpiChoice + settings::currentDpiLevel(s))]);
    for (int i = 0; i < settings::kDpiLevels; ++i) {
        const Rect swatch = pictureRect(t[size_t(FirstDpiColour + i)], paint.scale());
        if (!swatch.isEmpty())
            paint.canvas().fill(swatch, platform::Color(s.dpiDisplayColour[i]));
        if (s.dpiEnabled[i])
            paint.fromDown(t[size_t(FirstDpiSwitch + i)]);
    }
    paintSliders(paint);
    if (s.reportRate < 4) {
        paint.fromDown(t[size_t(FirstReportRate + s.reportRate)]);
        paint.fromDown(t[size_t(FirstRateMark + s.reportRate)]);
    }
}

void AdvancedPage::paintSliders(PagePaint& paint)
{
    const auto& t = host_.look().skins.advanced;
    const settings::ConfigStore& s = host_.store();
    const int dpiSteps = int(s.dpiIndex[settings::currentDpiLevel(s)]) + 1;
    paintSlider(paint, t[DpiSlider], dpiSteps, settings::kDpiTableSize, {-5, 13}, kDpiSliderWidth);
    paintSlider(paint, t[PointerSlider], s.pointerSpeed, 11, {-6, 0});
    paintSlider(paint, t[WheelSlider], s.wheelSpeed, 11, {-6, 0});
    paintSlider(paint, t[FireSlider], s.fireTime, settings::kMaxFireTime, {-6, 0});
}

void AdvancedPage::paintTexts(PagePaint& paint)
{
    const auto& t = host_.look().skins.advanced;
    const settings::ConfigStore& s = host_.store();
    const int current = settings::currentDpiLevel(s);
    for (int r = 0; r <= FirstDpiColour + 5; ++r) {
        TextStyle style;
        Text text = t[size_t(r)].text;
        if (r == PointerValue) {
            text = text::fromInt(s.pointerSpeed);
        } else if (r == WheelValue) {
            text = text::fromInt(s.wheelSpeed);
        } else if (r == FireValue) {
            text = text::fromInt(s.fireTime);
            style.place = TextPlace::RightAligned;
        } else if (r >= FirstDpiValue && r < FirstDpiValue + settings::kDpiLevels) {
            const int level = r - FirstDpiValue;
            text = text::fromInt(settings::dpiDisplayValue(settings::dpiDeviceCode(s.dpiIndex[level])));
            style.colour = level == current ? colour::Accent : colour::Grey;
        }
        drawRegionText(paint, t[size_t(r)], text, style);
    }
}

} // namespace ui
