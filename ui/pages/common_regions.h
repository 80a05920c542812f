#pragma once
// Regions 0 to 19 of the main table, the same on every page: the page tabs,
// minimise and exit, apply, import, export, factory reset, the configuration
// and language menus and the link of region 19.
#include "ui/pages/page.h"

namespace ui {

namespace common {
constexpr int Minimise = 0;
constexpr int Exit = 1;
constexpr int Minimise2 = 2;
constexpr int Apply = 3;
constexpr int Language = 4;
constexpr int FirstTab = 6; // 6..9: main, advanced, macro, LED page
constexpr int Configuration = 10;
constexpr int Title = 11;
constexpr int Import = 14;
constexpr int Export = 15;
constexpr int FactoryReset = 16;
constexpr int PlainLanguage = 17;
constexpr int Link = 19;
} // namespace common

class CommonRegions {
public:
    explicit CommonRegions(PageHost& host) : host_(host) {}

    // A press on common region `region`: page tabs switch pages.
    void pressTabs(int region);
    // The regions that open popups (17, 10, then 4).
    void pressPopups(int region);
    void release(int region, Point p);

    void paintLayer(PagePaint& paint);
    // Texts of regions 0..19.
    void paintTexts(PagePaint& paint);
    // The text of one main-table region by the common rules (also the main
    // page's regions that are not button labels).
    void paintText(PagePaint& paint, int region);

private:
    void openPopup(PopupKind kind, int region);

    PageHost& host_;
};

} // namespace ui
