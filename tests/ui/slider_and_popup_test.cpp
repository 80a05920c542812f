// Slider positions and fills, and where popups open.
#include "ui/pages/slider.h"
#include "ui/popup_placement.h"

#include <gtest/gtest.h>

TEST(Slider, PositionFollowsThePointInHalfSteps)
{
    // DPI slider: 23 steps over 303 pixels at x = 100.
    EXPECT_EQ(ui::sliderPosition(100, 303, 23, 100), 1) << "left edge";
    EXPECT_EQ(ui::sliderPosition(100, 303, 23, 20), 1) << "left of the slider";
    EXPECT_EQ(ui::sliderPosition(100, 303, 23, 100 + 303 * 6 / 10), 14) << "60 %";
    EXPECT_EQ(ui::sliderPosition(100, 303, 23, 100 + 303), 23);
    EXPECT_EQ(ui::sliderPosition(100, 303, 23, 5000), 23) << "far right";
    EXPECT_EQ(ui::sliderPosition(100, 0, 23, 150), 1) << "a slider of no width";
    EXPECT_EQ(ui::sliderPosition(100, 50, 0, 150), 1) << "a slider of no steps";
    EXPECT_EQ(ui::sliderPosition(-2000000000, 2000000000, 300, 2000000000), 300) << "no overflow";
}

TEST(Slider, FillNeverPassesTheWidth)
{
    EXPECT_EQ(ui::sliderFill(303, 23, 23), 303) << "DPI index 22";
    EXPECT_EQ(ui::sliderFill(303, 1, 23), 13) << "DPI index 0";
    EXPECT_EQ(ui::sliderFill(150, 11, 11), 150) << "pointer speed 11";
    EXPECT_EQ(ui::sliderFill(154, 5, 11), 70) << "5/11";
    EXPECT_EQ(ui::sliderFill(140, 7, 7), 140) << "brightness 0";
    EXPECT_EQ(ui::sliderFill(140, 1, 7), 20) << "brightness 6";
    EXPECT_EQ(ui::sliderFill(140, 255, 7), 140);
    EXPECT_EQ(ui::sliderFill(140, -3, 7), 0);
    EXPECT_EQ(ui::sliderFill(0, 3, 7), 0);
}

namespace {
ui::PopupRequest request(ui::PopupKind kind, ui::SkinRegion at, int scale = 1)
{
    ui::PopupRequest q;
    q.kind = kind;
    q.at = at;
    q.geometry.window = {1000, 200, 2000, 880};
    q.geometry.clientOrigin = {1000, 200};
    q.geometry.scale = scale;
    q.geometry.fullScreenHeight = 1017;
    return q;
}
} // namespace

TEST(PopupPlacement, ButtonMenusOpenBelowOrAboveWhenTheScreenEnds)
{
    const ui::SkinRegion label{216, 136, 176, 34, {}};
    EXPECT_EQ(ui::placePopup(request(ui::PopupKind::ButtonMenu, label), {177, 300}),
              platform::Rect::fromXywh(1217, 370, 177, 300));
    const ui::SkinRegion low{216, 600, 176, 34, {}};
    EXPECT_EQ(ui::placePopup(request(ui::PopupKind::EmptyMenu, low), {177, 300}),
              platform::Rect::fromXywh(1217, 800 - 300, 177, 300))
        << "800 + 34 + 300 would pass 1017";
}

TEST(PopupPlacement, FixedMenusUseTheirOwnHeights)
{
    const ui::SkinRegion r{12, 330, 166, 40, {}};
    EXPECT_EQ(ui::placePopup(request(ui::PopupKind::ConfigurationMenu, r, 2), {}),
              platform::Rect::fromXywh(1012, 200 + 370 - 248, 166, 1000));
    EXPECT_EQ(ui::placePopup(request(ui::PopupKind::PlainLanguageMenu, r), {}),
              platform::Rect::fromXywh(1012, 570, 246, 500));
    EXPECT_EQ(ui::placePopup(request(ui::PopupKind::EffectMenu, r), {}), platform::Rect::fromXywh(1012, 570, 166, 405));
    EXPECT_EQ(ui::placePopup(request(ui::PopupKind::ReactionTypeMenu, r), {}),
              platform::Rect::fromXywh(1009, 570, 167, 300));
    EXPECT_EQ(ui::placePopup(request(ui::PopupKind::InsertMenu, r, 2), {90, 120}),
              platform::Rect::fromXywh(1178, 530, 180, 240));
}
