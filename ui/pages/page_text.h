#pragma once
// Region texts of the main window: colours, and where a text goes in or
// under its region. Texts are drawn on the picture (scale 1) with a
// transparent background; a text whose place works out at (≤ 0, ≤ 0) is not drawn.
#include "ui/pages/page.h"

namespace ui {

namespace colour {
constexpr platform::Color White = 0xFFFFFF;
constexpr platform::Color DarkGrey = 0x171717;
constexpr platform::Color Highlight = 0xFFC600;
constexpr platform::Color Accent = 0xFFBC07;
constexpr platform::Color Red = 0x0000FF;
constexpr platform::Color Grey = 0x939393;
} // namespace colour

enum class TextPlace {
    Centred,      // centred in the region
    Below,        // centred across, its top on the region's bottom edge
    RightAligned, // vertically centred, its right edge on the region's
    Left2,        // vertically centred, 2 pixels in from the left edge
};

struct TextStyle {
    platform::Color colour = colour::White;
    TextPlace place = TextPlace::Centred;
    int dx = 0;        // moved right by this much (negative: left)
    int narrowBy = 0;  // centred in the region narrowed by this much
    int fontSize = 2;
};

// Draws `text` for region `r` (window pixels) on the page's picture.
void drawRegionText(PagePaint& paint, const SkinRegion& r, TextView text, const TextStyle& style = {});

} // namespace ui
