#include "ui/pages/common_regions.h"

#include "ui/pages/page_text.h"

namespace ui {

namespace {
bool isDimmedWhenIdle(int region) { return (region >= 6 && region <= 9) || (region >= 14 && region <= 16); }
} // namespace

void CommonRegions::pressTabs(int region)
{
    if (region >= common::FirstTab && region < common::FirstTab + kPageCount)
        host_.switchPage(region - common::FirstTab);
}

void CommonRegions::openPopup(PopupKind kind, int region)
{
    PopupRequest q;
    q.kind = kind;
    q.region = region;
    q.at = host_.look().skins.main[size_t(region)];
    host_.openPopup(q);
}

void CommonRegions::pressPopups(int region)
{
    Interaction& in = host_.interaction();
    if (region == common::PlainLanguage) {
        openPopup(PopupKind::PlainLanguageMenu, region);
    } else if (region == common::Configuration) {
        in.configurationMenuOpen = true;
        openPopup(PopupKind::ConfigurationMenu, region);
    } else if (region == common::Language) {
        in.languageMenuOpen = true;
        openPopup(PopupKind::LanguageMenu, region);
    }
}

void CommonRegions::release(int region, Point p)
{
    switch (region) {
    case common::Minimise:
    case common::Minimise2:
        host_.minimise(p);
        break;
    case common::Exit:
        host_.exitProgram();
        break;
    case common::Apply:
        host_.applySettings();
        break;
    case common::Import:
        host_.importSettings();
        break;
    case common::Export:
        host_.exportSettings();
        break;
    case common::FactoryReset:
        host_.factoryReset();
        break;
    case common::Link:
        if (const Text& link = host_.look().skins.region19Text; !link.empty())
            host_.openWithShell(link);
        break;
    default:
        break;
    }
}

void CommonRegions::paintLayer(PagePaint& paint)
{
    const auto& main = host_.look().skins.main;
    const Interaction& in = host_.interaction();
    const int hovered = host_.hoveredMain();
    paint.fromDown(main[size_t(common::FirstTab + in.page)]);
    if (in.configurationMenuOpen)
        paint.fromDown(main[common::Configuration]);
    else if (hovered == common::Configuration)
        paint.fromOver(main[common::Configuration]);
    if (in.languageMenuOpen)
        paint.fromDown(main[common::Language]);
    else if (hovered == common::Language)
        paint.fromOver(main[common::Language]);
    if (hovered < kCommonRegions && hovered != common::Configuration && hovered != common::Language) {
        if (host_.pressed())
            paint.fromDown(main[size_t(hovered)]);
        else
            paint.fromOver(main[size_t(hovered)]);
    }
}

void CommonRegions::paintTexts(PagePaint& paint)
{
    for (int r = 0; r < kCommonRegions; ++r)
        paintText(paint, r);
}

void CommonRegions::paintText(PagePaint& paint, int region)
{
    const Appearance& look = host_.look();
    const SkinRegion& r = look.skins.main[size_t(region)];
    const Interaction& in = host_.interaction();
    const bool hovered = host_.hoveredMain() == region;
    TextStyle style;
    Text text = region == common::Link ? look.skins.region19Text : r.text;
    if (isDimmedWhenIdle(region) && !hovered)
        style.colour = colour::DarkGrey;
    if (region == common::FirstTab + in.page)
        style.colour = colour::Highlight;
    if (region == common::Configuration)
        text = look.skins.functions.name(19 + settings::currentConfiguration(host_.store()));
    if (region == common::Title) {
        style.fontSize = 3;
        style.colour = colour::Highlight;
    }
    if (region == common::Language)
        text = look.texts.languageName(look.language);
    if (region >= common::Import && region <= common::FactoryReset) {
        style.place = TextPlace::Below;
        if (hovered && host_.pressed())
            style.colour = colour::Highlight;
    }
    drawRegionText(paint, r, text, style);
}

} // namespace ui
