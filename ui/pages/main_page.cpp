#include "ui/pages/main_page.h"

#include "platform/platform.h"
#include "ui/pages/page_text.h"
#include "ui/picture_cache.h"
#include "ui/tips.h"

#include <algorithm>

namespace ui {

int MainPage::keyNum() const
{
    return std::clamp(host_.store().catalogue.keyNum, 0, settings::kButtons);
}

int MainPage::buttonOfLabel(int region) const
{
    const int b = region - FirstButtonLabel;
    return b >= 0 && b < keyNum() ? b : -1;
}

void MainPage::press(int region, Point)
{
    settings::ConfigStore& s = host_.store();
    Interaction& in = host_.interaction();
    if (const int b = buttonOfLabel(region); b >= 0) {
        // The last button with the left click keeps it.
        if (!settings::anotherButtonHasPrimaryClick(s, b)) {
            showTip(7);
            return;
        }
        in.editedButton = b;
        PopupRequest q;
        q.kind = PopupKind::ButtonMenu;
        q.region = region;
        q.button = b;
        q.at = host_.look().skins.main[size_t(region)];
        host_.openPopup(q);
        return;
    }
    switch (region) {
    case WheelStatus0:
    case WheelStatus1:
        wheelStatus_ = region - WheelStatus0;
        return;
    case SoundLighting:
        if (s.soundLighting)
            showTip(31);
        else
            host_.openSoundLighting();
        return;
    case FirstEmptyMenu:
    case FirstEmptyMenu + 1: {
        PopupRequest q;
        q.kind = PopupKind::EmptyMenu;
        q.region = region;
        q.at = host_.look().skins.main[size_t(region)];
        host_.openPopup(q);
        return;
    }
    default:
        break;
    }
    if (region >= FirstDpiSwitch && region < FirstDpiSwitch + settings::kDpiLevels) {
        settings::toggleDpiLevelEnabled(s, region - FirstDpiSwitch);
    } else if (region >= FirstVariant && region <= FirstVariant + 2) {
        static constexpr int kVariantOf[3] = {kVariantPlain, kVariantDark, kVariantDark2};
        const int variant = kVariantOf[region - FirstVariant];
        if (in.imageVariant != variant) {
            in.imageVariant = variant;
            host_.redraw();
        }
    }
}

void MainPage::paintLayer(PagePaint& paint)
{
    const auto& main = host_.look().skins.main;
    const int hovered = host_.hoveredMain();
    const int n = keyNum();
    if (hovered != kNoRegion && !(hovered >= 50 && hovered <= 48 + n)) {
        if (host_.pressed())
            paint.fromDown(main[size_t(hovered)]);
        else
            paint.fromOver(main[size_t(hovered)]);
    }
    if (const int b = buttonOfLabel(hovered); b >= 0) {
        paint.fromDown(main[size_t(FirstButtonPart + b)]);
        if (settings::currentSlot(host_.store(), b).leftMacro) {
            const Appearance& look = host_.look();
            // A message box from inside painting would paint again under it
            // and open another: say it once per button hovered.
            if (!drawPng(look.place.languageFile(u"zhi.png"), paint.canvas(), kPresetMark) && missingMarkFor_ != b) {
                missingMarkFor_ = b;
                platform::os().windows->messageBox(&host_.window(), u"zhi.png", programName());
            }
        }
    } else if (hovered >= FirstButtonPart && hovered < FirstButtonPart + n) {
        paint.fromDown(main[size_t(FirstButtonLabel + hovered - FirstButtonPart)]);
    }
    if (buttonOfLabel(hovered) < 0)
        missingMarkFor_ = -1;
    static constexpr int kMarkerOf[3] = {1, 0, 2}; // variant → offset from region 78
    const int v = host_.interaction().imageVariant;
    if (v >= 0 && v <= 2)
        paint.fromDown(main[size_t(FirstVariant + kMarkerOf[v])]);
}

std::vector<Rect> MainPage::hoverLinked(int region) const
{
    const Appearance& look = host_.look();
    const auto& main = look.skins.main;
    std::vector<Rect> linked;
    auto add = [&](int r) {
        if (r >= 0 && size_t(r) < main.size())
            linked.push_back(main[size_t(r)].rect());
    };
    if (const int b = buttonOfLabel(region); b >= 0) {
        add(FirstButtonPart + b);
        if (auto mark = pictureCache().get(look.place.languageFile(u"zhi.png"))) {
            const int s = look.place.scale;
            const Size size = mark->size();
            linked.push_back(Rect::fromXywh(kPresetMark.x * s, kPresetMark.y * s, size.width * s, size.height * s));
        }
    } else if (region >= FirstButtonPart && region < FirstButtonPart + keyNum()) {
        add(FirstButtonLabel + region - FirstButtonPart);
    }
    return linked;
}

void MainPage::paintTexts(PagePaint& paint)
{
    const auto& main = host_.look().skins.main;
    for (int r = kCommonRegions; r < int(main.size()); ++r) {
        if (const int b = buttonOfLabel(r); b >= 0) {
            TextStyle label;
            label.dx = 10;
            drawRegionText(paint, main[size_t(r)],
                           settings::buttonDisplayName(host_.store(), b, host_.functionNames()), label);
        } else if (r == SoundLighting) {
            TextStyle caption;
            caption.place = TextPlace::Below;
            drawRegionText(paint, main[size_t(r)], main[size_t(r)].text, caption);
        } else {
            common_.paintText(paint, r);
        }
    }
}

} // namespace ui
