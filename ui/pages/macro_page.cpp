#include "ui/pages/macro_page.h"

#include "ui/pages/page_text.h"

namespace ui {

void MacroPage::shown()
{
    const MainSkinTables& t = host_.look().skins;
    for (size_t i = 0; i < 3; ++i) {
        controlRects_[i] = t.macEdit[i];
        controlRects_[3 + i] = t.macDisplay[i];
    }
}

void MacroPage::hidden() {}

void MacroPage::press(int region, Point)
{
    settings::ConfigStore& s = host_.store();
    switch (region) {
    case GunPresets:
        host_.openGunPresets();
        break;
    case SoftwareMacros:
        s.softwareMacros = s.softwareMacros ? 0 : 1;
        break;
    default:
        break;
    }
}

void MacroPage::paintLayer(PagePaint& paint)
{
    const auto& t = host_.look().skins.mac;
    if (const int h = host_.hoveredPage(); h != kNoRegion) {
        if (host_.pressed())
            paint.fromDown(t[size_t(h)]);
        else
            paint.fromOver(t[size_t(h)]);
    }
    if (host_.interaction().recording)
        paint.fromDown(t[Record]);
    if (host_.store().softwareMacros == 1)
        paint.fromDown(t[SoftwareMacros]);
}

void MacroPage::paintTexts(PagePaint& paint)
{
    const Appearance& look = host_.look();
    const auto& t = look.skins.mac;
    for (int r = 0; r < int(t.size()); ++r) {
        TextStyle style;
        Text text = t[size_t(r)].text;
        if (r == Record) {
            const bool recording = host_.interaction().recording;
            text = look.texts.get(TextSection::DevMac, recording ? 40 : 39);
            style.colour = recording ? colour::Red : colour::Accent;
            style.dx = -3;
        } else if (r >= 14 && r <= 16) {
            style.place = TextPlace::Left2;
        }
        drawRegionText(paint, t[size_t(r)], text, style);
    }
}

} // namespace ui
