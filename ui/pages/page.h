#pragma once
// A page of the main window: its region table, what a press, release or drag
// over its regions does, the layers it paints, what happens when it is shown
// or left, and the private messages it answers. The regions 0 to 19 of the
// main table (page tabs, window buttons) are common to all pages and handled
// once, by CommonRegions.
#include "macro/library_commands.h"
#include "platform/window.h"
#include "settings/button_catalogue.h"
#include "settings/config_store.h"
#include "ui/appearance.h"
#include "ui/popup_placement.h"

#include <cstdint>
#include <optional>
#include <utility>
#include <span>

namespace ui {

enum PageId { kMainPage = 0, kAdvancedPage = 1, kMacroPage = 2, kLedPage = 3 };
constexpr int kPageCount = 4;

// Which pictures the main and LED pages use; plain at start-up, not stored.
enum ImageVariant { kVariantDark = 0, kVariantPlain = 1, kVariantDark2 = 2 };
// The file-name part of a variant: "", "_dark" or "_dark2".
Text variantSuffix(int variant);

constexpr int kCommonRegions = 20; // main table 0..19 on every page

// Interaction state the pages share with the main window.
struct Interaction {
    int page = kMainPage;
    int imageVariant = kVariantPlain;
    bool popupOpen = false;
    bool configurationMenuOpen = false;
    bool languageMenuOpen = false;
    int editedButton = -1;  // the button whose menu is open
    bool recording = false; // a macro is being recorded (the macro page sets it)
};

// What the pages ask of the window that carries them. The main window
// implements it; tests put a double behind it.
class PageHost {
public:
    virtual ~PageHost() = default;

    virtual platform::Window& window() = 0;
    virtual const Appearance& look() const = 0;
    virtual settings::ConfigStore& store() = 0;
    virtual Interaction& interaction() = 0;
    // What is under the mouse in the main table and in the current page's own table.
    virtual int hoveredMain() const = 0;
    virtual int hoveredPage() const = 0;
    virtual bool pressed() const = 0;
    virtual void redraw() = 0;

    // --- what regions start ---
    virtual void switchPage(int page) = 0;
    virtual void minimise(Point releasePoint) = 0;
    virtual void exitProgram() = 0;
    virtual void applySettings() = 0;  // save worker and download, unless a download runs
    virtual void importSettings() = 0;
    virtual void exportSettings() = 0;
    virtual void factoryReset() = 0;
    // The system colour dialog starting at `initial`; nothing when cancelled.
    virtual std::optional<platform::Color> chooseColour(platform::Color initial) = 0;
    // Opens a document or address with the shell.
    virtual void openWithShell(const Text& target) = 0;
    // A popup menu at its place; the menus decide what it shows and does.
    virtual void openPopup(const PopupRequest& request) = 0;
    virtual void closePopup() = 0;
    virtual void openSoundLighting() = 0;
    virtual void openGunPresets() = 0;
    // The button names of the main page (the macro library and presets know theirs).
    virtual settings::FunctionNames& functionNames() = 0;

    // --- the macro page's model ---
    virtual macro::Library& library() = 0;
    virtual macro::LibraryPlace macroPlace() const = 0;
    // After a library delete: button functions on macros that are gone become 0.
    virtual void clearDanglingMacroReferences() = 0;
    // Bytes the macros of the configuration set need in the mouse, and what it has.
    virtual std::pair<int, int> macroMemory() = 0;
    // Reads the game presets of the current language again.
    virtual void reloadPresets() = 0;
};

// What a page paints with: the three pictures (drawing goes onto `normal`,
// at picture size), the look, and copies by region.
struct PagePaint {
    SkinPictures& pictures;
    const Appearance& look;

    platform::Canvas& canvas() { return *pictures.normal; }
    int scale() const { return look.place.scale; }
    void fromDown(const SkinRegion& r) { copyRegion(canvas(), pictures.down.get(), r, scale()); }
    void fromOver(const SkinRegion& r) { copyRegion(canvas(), pictures.over.get(), r, scale()); }
    void from(const platform::Canvas* picture, const SkinRegion& r) { copyRegion(canvas(), picture, r, scale()); }
};

class Page {
public:
    explicit Page(PageHost& host) : host_(host) {}
    virtual ~Page() = default;
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;

    virtual int id() const = 0;
    // Picture base name (main, advanced, mac, led) and whether it has the three variants.
    virtual Text pictureBase() const = 0;
    virtual bool hasImageVariants() const { return false; }
    // The page's own table as hit-tested (the main page's is the main table).
    virtual std::span<const SkinRegion> hitTable() const = 0;

    virtual void shown() {}
    virtual void hidden() {}
    // A press on the page's own region (kNoRegion for none), after the common
    // handling; the main page also sees its regions 20 and up here.
    virtual void press(int /*region*/, Point /*p*/) {}
    virtual void release(int /*region*/, Point /*p*/) {}
    // A move while a drag of this page runs; false when none runs.
    virtual bool drag(Point /*p*/) { return false; }
    virtual bool dragging() const { return false; }
    virtual void endDrag() {}
    // Before any other press handling (the macro page ends its list editing).
    virtual void beforePress() {}

    // Hover and page layers, before the common layer.
    virtual void paintLayer(PagePaint&) {}
    // The page's region texts, after the common texts.
    virtual void paintTexts(PagePaint&) {}

    // A private message this page owns; false when it is not one of them.
    virtual bool message(unsigned /*id*/, std::uintptr_t /*wParam*/, std::intptr_t /*lParam*/) { return false; }
    // A message of the window's loop while a macro is recorded; true when consumed.
    virtual bool recordingMessage(const platform::Message&) { return false; }
    // Around a change of the interface language (texts, skins and the macro
    // folder change between the two), for the page shown.
    virtual void languageChanging() {}
    virtual void languageChanged() {}
    // Parts of the window its child controls cover, left out of repaints.
    virtual std::span<const Rect> controlRects() const { return {}; }

protected:
    PageHost& host_;
};

} // namespace ui
