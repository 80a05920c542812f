#include "ui/popup_placement.h"

#include "ui/menus/menu_model.h"

namespace ui {

int menuKindAtCursor(PopupKind k)
{
    switch (k) {
    case PopupKind::LibraryMenu: return menus::kind::Library;
    case PopupKind::MacroRowMenu: return menus::kind::MacroRow;
    case PopupKind::EventMenu: return menus::kind::Event;
    case PopupKind::LightingModeMenu: return menus::kind::LightingMode;
    case PopupKind::ColourMenu: return menus::kind::Colour;
    default: return menus::kind::Empty;
    }
}

Rect placePopup(const PopupRequest& q, Size ownSize)
{
    const PopupGeometry& g = q.geometry;
    const SkinRegion& r = q.at;
    const int s = g.scale;
    const int belowLeft = g.window.left + r.x;
    const int belowTop = g.window.top + r.y + r.height;
    switch (q.kind) {
    case PopupKind::ButtonMenu:
    case PopupKind::EmptyMenu: {
        const int h = ownSize.height * s;
        const int left = g.clientOrigin.x + r.x + 1;
        int top = g.clientOrigin.y + r.y + r.height;
        // Opens upwards when it would reach below the usable screen.
        if (top + h > g.fullScreenHeight)
            top = g.clientOrigin.y + r.y - h;
        return Rect::fromXywh(left, top, r.width + 1, h);
    }
    case PopupKind::ConfigurationMenu:
        return Rect::fromXywh(belowLeft, belowTop - 124 * s, r.width, 500 * s);
    case PopupKind::PlainLanguageMenu:
        return Rect::fromXywh(belowLeft, belowTop, r.width + 80, 500 * s);
    case PopupKind::LanguageMenu:
        return Rect::fromXywh(belowLeft, belowTop, r.width, 500 * s);
    case PopupKind::EffectMenu:
        return Rect::fromXywh(belowLeft, belowTop, r.width, 405 * s);
    case PopupKind::ReactionTypeMenu:
        return Rect::fromXywh(belowLeft - 3, belowTop, r.width + 1, 300 * s);
    case PopupKind::InsertMenu:
        return Rect::fromXywh(g.window.left + r.x + r.width, g.window.top + r.y, ownSize.width * s,
                              ownSize.height * s);
    case PopupKind::LibraryMenu:
    case PopupKind::MacroRowMenu:
    case PopupKind::EventMenu:
    case PopupKind::LightingModeMenu:
    case PopupKind::ColourMenu:
        return menus::contextMenuRect(menuKindAtCursor(q.kind), q.cursor, q.valueListLeft, q.libraryMenuWidth,
                                      ownSize.width, s);
    }
    return {};
}

} // namespace ui
