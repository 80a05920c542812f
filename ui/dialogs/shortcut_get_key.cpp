#include "ui/dialogs/shortcut_get_key.h"

#include "ui/messages.h"

namespace ui {

namespace {
constexpr platform::Color kChosenColour = 0xFFBC07;
constexpr platform::Color kNoModifierColour = 0x626262;
constexpr platform::Color kNoKeyColour = 0x484848;
constexpr platform::Color kWhite = 0xFFFFFF;
constexpr int kNoKeyText = 1, kNoModifierText = 2;
} // namespace

CShortcutGetKey::CShortcutGetKey(const Appearance& look, Text title, int button, int functionCode,
                                 const Text& shortcutText)
    : CaptureDialog(kTemplate, look, std::move(title)), capture_(keyNamingOf(look)), button_(button)
{
    for (int i = 0; i < kTextsPerSection; ++i)
        texts_[size_t(i)] = look.texts.get(TextSection::ShortCut, i);
    capture_.prefill(functionCode, shortcutText);
}

bool CShortcutGetKey::onInitDialog()
{
    const int s = look_.place.scale;
    Point topLeft{0, 0};
    if (platform::Window* owner = parent()) {
        const Rect o = owner->windowRect();
        topLeft = {o.left + (o.width() - kSize.width * s) / 2, o.top + (o.height() - kSize.height * s) / 2};
    }
    startCapture(u"skin_shortcut.ini", kRegions, kSize, topLeft);
    return true;
}

void CShortcutGetKey::onLButtonDown(Point p)
{
    const int r = hitTest(p, regions_);
    if (r == kNoRegion) {
        beginMoveDrag(p);
        return;
    }
    pressed(r);
    switch (r) {
    case Ok:
        confirm();
        break;
    case Cancel:
    case Close:
        capture_.clear();
        finish(kCancelledByButton);
        break;
    case Clear:
        capture_.clear();
        break;
    case FirstSwitch:
    case FirstSwitch + 1:
    case FirstSwitch + 2:
    case FirstSwitch + 3:
        capture_.toggle(settings::Modifier(r - FirstSwitch));
        break;
    default:
        break;
    }
}

void CShortcutGetKey::confirm()
{
    if (!capture_.empty()) {
        const Text combination = capture_.combinationText();
        if (platform::Window* owner = parent())
            owner->send(msg::ShortcutCaptured, std::uintptr_t(button_) * 256 + std::uintptr_t(capture_.mainVk()),
                        reinterpret_cast<std::intptr_t>(&combination));
    }
    finish(kConfirmed);
}

void CShortcutGetKey::paintLayers(SkinPictures& pictures)
{
    platform::Canvas& canvas = *pictures.normal;
    const int s = look_.place.scale;
    CaptureDialog::paintLayers(pictures);
    // A switched-on modifier keeps its pressed look under the mouse too.
    for (int m = 0; m < settings::kModifierCount; ++m)
        if (capture_.isOn(settings::Modifier(m)))
            copyRegion(canvas, pictures.down.get(), regions_[size_t(FirstSwitch + m)], s);

    const Text modifiers = capture_.modifiersShown();
    if (modifiers.empty())
        drawCentred(canvas, Modifiers, texts_[kNoModifierText], kNoModifierColour);
    else
        drawCentred(canvas, Modifiers, modifiers, kChosenColour);
    if (capture_.mainName().empty())
        drawCentred(canvas, MainKey, texts_[kNoKeyText], kNoKeyColour);
    else
        drawCentred(canvas, MainKey, capture_.mainName(), kChosenColour);
    for (int r = Ok; r < kRegions; ++r)
        drawCentred(canvas, r, regions_[size_t(r)].text, kWhite);
}

} // namespace ui
