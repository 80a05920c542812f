#include "ui/pages/led_page.h"

#include "ui/pages/page_text.h"
#include "ui/pages/slider.h"
#include "ui/picture_cache.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace ui {

namespace {

bool effectIn(int effect, std::initializer_list<int> effects)
{
    return std::find(effects.begin(), effects.end(), effect) != effects.end();
}

// The controls that do not apply to an effect, covered with led_null's look.
std::span<const int> unavailableRegions(int effect)
{
    static const std::vector<int> kByEffect[14] = {
        {82, 85, 84, 50, 81},     {84, 82, 50, 81},         {85, 84, 83, 50, 81},
        {81},                     {50, 81},                 {50, 81},
        {82, 84, 81, 85},         {82, 50, 49, 81, 85},     {82, 84, 81, 85},
        {83, 82, 84, 81, 85},     {45, 82, 50, 49, 81, 85}, {82, 84, 81, 85},
        {85, 84, 83, 82, 50},     {85, 84, 83, 82, 50, 81},
    };
    if (effect < 0 || effect >= 14)
        return {};
    return kByEffect[effect];
}

// Region texts an effect leaves out.
bool textHiddenFor(int effect, int r)
{
    const bool r30to34 = r >= 30 && r <= 34;
    switch (effect) {
    case 0:
    case 6:
    case 8:
    case 11: return r == 15 || r30to34 || r == 38;
    case 1: return r30to34 || r == 38;
    case 2: return r == 15 || r30to34 || r == 39;
    case 4:
    case 5: return r == 34;
    case 7: return r == 15 || r == 33 || r == 34 || r == 38;
    case 9:
    case 12:
    case 13: return r == 15 || r30to34 || r == 38 || r == 39;
    case 10: return r == 15 || r == 30 || r == 33 || r == 34 || r == 38;
    default: return false;
    }
}

// Names of LED reaction types 0..3 among the lighting names.
constexpr int kReactionTypeName[4] = {2, 4, 6, 5};

} // namespace

int LedPage::keyNum() const { return std::clamp(host_.store().catalogue.keyNum, 0, settings::kButtons); }

void LedPage::follow(int slider, Point p)
{
    settings::ConfigStore& s = host_.store();
    const SkinRegion& r = host_.look().skins.color[size_t(slider)];
    if (slider == EffectSpeed)
        s.effectSpeed = std::uint8_t(sliderPosition(r.x, r.width, 6, p.x) - 1);
    else if (slider == Brightness)
        s.brightness = 7 - sliderPosition(r.x, r.width, 7, p.x);
}

void LedPage::press(int region, Point p)
{
    settings::ConfigStore& s = host_.store();
    if (s.soundLighting) {
        if (region == LeaveSound)
            s.soundLighting = 0;
        return;
    }
    const int effect = s.ledType;
    const bool cycling = effectIn(effect, {1, 3, 4, 5});
    if (region >= FirstUserColour && region < FirstUserColour + settings::kUserColours) {
        if (!cycling)
            return;
        if (auto c = host_.chooseColour(platform::rgb(0, 0, 0)))
            settings::setUserColour(s, region, int(platform::redOf(*c)), int(platform::greenOf(*c)),
                                    int(platform::blueOf(*c)));
        host_.redraw();
    } else if (region >= FirstCycleFlag && region < FirstCycleFlag + settings::kUserColours) {
        if (cycling)
            settings::toggleCycleColour(s, region - FirstCycleFlag);
    } else if (region == EnterSound) {
        s.soundLighting = 1;
    } else if (region == EffectName) {
        PopupRequest q;
        q.kind = PopupKind::EffectMenu;
        q.region = region;
        q.at = host_.look().skins.color[size_t(region)];
        host_.openPopup(q);
    } else if (region == Brightness) {
        if (!effectIn(effect, {2, 3, 4, 5}))
            startDrag(region, p);
    } else if (region == EffectSpeed) {
        if (!effectIn(effect, {2, 9, 12, 13}))
            startDrag(region, p);
    } else if (region == Symmetry) {
        if (effectIn(effect, {3, 4, 5, 7}))
            s.effectSymmetry = s.effectSymmetry ? 0 : 1;
    } else if (region == FirstDirection || region == FirstDirection + 1) {
        if (effectIn(effect, {3, 4, 5, 7, 10}))
            s.effectDirection = region - FirstDirection;
    } else if (region == FirstDirection + 2) {
        if (effectIn(effect, {3, 4, 5}))
            s.effectDirection = 2;
    } else if (region == FirstDirection + 3) {
        if (effect == 3)
            s.effectDirection = 3;
    } else if (region >= FirstReaction && region < FirstReaction + keyNum()) {
        auto& slot = settings::currentSlot(s, region - FirstReaction);
        slot.ledReactEnabled = slot.ledReactEnabled ? 0 : 1;
    } else if (region >= FirstReactionType && region < FirstReactionType + keyNum()) {
        const int b = region - FirstReactionType;
        if (effect == 12 && settings::currentSlot(s, b).ledReactEnabled) {
            PopupRequest q;
            q.kind = PopupKind::ReactionTypeMenu;
            q.region = region;
            q.button = b;
            q.at = host_.look().skins.color[size_t(region)];
            host_.openPopup(q);
        }
    }
}

void LedPage::paintLayer(PagePaint& paint)
{
    const auto& t = host_.look().skins.color;
    if (const int h = host_.hoveredPage(); h != kNoRegion)
        paint.fromOver(t[size_t(h)]);
    if (host_.store().soundLighting) {
        paint.fromDown(t[EnterSound]);
        auto sound = pictureCache().get(host_.look().place.picture(u"new_down.jpg"));
        paint.from(sound.get(), t[SoundPicture]);
        return;
    }
    paintNormal(paint);
}

void LedPage::paintNormal(PagePaint& paint)
{
    const Appearance& look = host_.look();
    const auto& t = look.skins.color;
    const settings::ConfigStore& s = host_.store();
    paint.fromDown(t[LeaveSound]);

    paintSlider(paint, t[EffectSpeed], s.effectSpeed + 1, 6, {-5, -5});
    paintSlider(paint, t[Brightness], 7 - s.brightness, 7, {-5, -5});

    if (s.effectSymmetry == 1)
        paint.fromDown(t[Symmetry]);
    if (s.effectDirection >= 0 && s.effectDirection < 4)
        paint.fromDown(t[size_t(FirstDirection + s.effectDirection)]);
    for (int k = 0; k < settings::kUserColours; ++k)
        if (s.cycleFlags[k])
            paint.fromDown(t[size_t(FirstCycleFlag + k)]);
    for (int b = 0; b < keyNum(); ++b)
        if (s.buttons[settings::currentConfiguration(s)][b].ledReactEnabled)
            paint.fromDown(t[size_t(FirstReaction + b)]);
    paint.fromDown(t[ColourFrame]);
    for (int k = 0; k < settings::kUserColours; ++k) {
        const Rect swatch = pictureRect(t[size_t(FirstUserColour + k)], paint.scale());
        if (!swatch.isEmpty())
            paint.canvas().fill(swatch, platform::Color(s.userDisplayColour[k]));
    }
    const Text variant = variantSuffix(host_.interaction().imageVariant);
    auto unavailable = pictureCache().get(look.place.picture(u"led_null" + variant + u".jpg"));
    for (int region : unavailableRegions(s.ledType))
        paint.from(unavailable.get(), t[size_t(region)]);
}

bool LedPage::textShown(int r) const
{
    const settings::ConfigStore& s = host_.store();
    if (s.soundLighting)
        return r == 18 || (r >= 20 && r <= 25);
    if (r >= 21 && r <= 25)
        return false;
    if (r == EffectTip && s.ledType != 3)
        return false;
    return !textHiddenFor(s.ledType, r);
}

void LedPage::paintTexts(PagePaint& paint)
{
    const Appearance& look = host_.look();
    const auto& t = look.skins.color;
    const settings::ConfigStore& s = host_.store();
    for (int r = 0; r < int(t.size()); ++r) {
        if (!textShown(r))
            continue;
        TextStyle style;
        Text text = t[size_t(r)].text;
        if (!s.soundLighting) {
            if (r == EffectName)
                text = look.texts.get(TextSection::Led, s.ledType + 1);
            const int b = r - FirstReactionType;
            if (s.ledType == 12 && b >= 0 && b < keyNum()) {
                const int type = s.buttons[settings::currentConfiguration(s)][b].ledReactType;
                text = type >= 0 && type < 4 ? look.texts.get(TextSection::Led, kReactionTypeName[type]) : Text();
            }
            if (r == Brightness || r == EffectSpeed)
                style.narrowBy = 30;
        }
        drawRegionText(paint, t[size_t(r)], text, style);
    }
}

} // namespace ui
