#pragma once
// The macro page: the macro library and the editor of the selected macro.
// The lists and the loop-count box are child controls that exist only while
// the page is shown.
#include "ui/pages/common_regions.h"

namespace ui {

class MacroPage : public Page {
public:
    static constexpr int Record = 4;
    static constexpr int Insert = 5;
    static constexpr int FirstCycleMode = 6; // 6, 7, 8: cycle modes 2, 1, 0
    static constexpr int GunPresets = 13;
    static constexpr int SoftwareMacros = 15;

    explicit MacroPage(PageHost& host) : Page(host) {}

    int id() const override { return kMacroPage; }
    Text pictureBase() const override { return u"mac"; }
    std::span<const SkinRegion> hitTable() const override { return host_.look().skins.mac; }

    void shown() override;
    void hidden() override;
    void press(int region, Point p) override;
    void paintLayer(PagePaint& paint) override;
    void paintTexts(PagePaint& paint) override;
    std::span<const Rect> controlRects() const override { return controlRects_; }

private:
    std::array<Rect, 6> controlRects_{}; // the three EDIT and the three MACRODISPLAY rectangles
};

} // namespace ui
