#pragma once
// The main window's skinned side: the four pages and the common regions, the
// tables hit-tested for the current page, and the routing of presses,
// releases, drags and painting to the page shown. What the regions start
// (apply, import, popups, dialogs) is left to the window that derives from it.
#include "ui/pages/common_regions.h"
#include "ui/pages/page.h"
#include "ui/picture_preload.h"
#include "ui/skinned_window.h"

#include <array>
#include <memory>

namespace ui {

class PagedWindow : public SkinnedWindow, public PageHost {
public:
    explicit PagedWindow(int templateId);
    ~PagedWindow() override;

    Page& page() { return *pages_[size_t(interaction_.page)]; }
    Page& page(int id) { return *pages_[size_t(id)]; }
    CommonRegions& commonRegions() { return common_; }
    // The region tables hit-tested for the current page, again (after the skins were read).
    void trackCurrentPage();
    // Starts decoding the current page's normal and down pictures on a
    // worker, for the first paint to take; after that paint the page's over
    // picture and the other pages' pictures follow in the background.
    void decodeAhead();
    // How long the last paint waited for pictures decoded ahead, in microseconds.
    std::int64_t pictureWaitUs() const { return pictureWaitUs_; }
    // No pictures are being decoded ahead, or they are all done.
    bool decodedAheadReady() const { return !ahead_ || ahead_->done(); }
    // A private message one of the pages owns; false when none does.
    bool routeToPages(unsigned id, std::uintptr_t wParam, std::intptr_t lParam);

    // --- SkinnedWindow ---
    const SkinPlace& skinPlace() const override { return look().place; }
    Text pictureBase() const override;
    Text pictureVariant() const override;
    bool onPaint(platform::Canvas& surface) override;
    void onMouseMove(Point p) override;
    void onLButtonDown(Point p) override;
    void onLButtonUp(Point p) override;

    // --- PageHost, the parts every main window answers alike ---
    platform::Window& window() override { return *this; }
    Interaction& interaction() override { return interaction_; }
    int hoveredMain() const override { return hovered(0); }
    int hoveredPage() const override;
    bool pressed() const override { return SkinnedWindow::pressed(); }
    void redraw() override;
    void switchPage(int page) override;

protected:
    void paintLayers(SkinPictures& pictures) override;
    // Repaints only what the hover changes: the regions it leaves and enters,
    // their texts and what they draw elsewhere.
    void hoverChanged() override;
    void mouseLeft() override;
    // After a page switch (the page workers start here).
    virtual void pageChanged(int /*page*/) {}

private:
    // The recording guard: while a macro is recorded, only the record
    // region, exit, minimise and empty space may be pressed.
    bool refusedWhileRecording();

    // The normal and down pictures of a page in the current image variant.
    std::vector<Text> pagePictures(int page) const;
    // Pictures decoded ahead go into the cache when they are all done, or
    // sooner (waiting for them) when this paint needs one of them.
    void takeDecodedAhead();

    // The area the hover of a main-table and a page-table region draws on.
    void invalidateHoverOf(int mainRegion, int pageRegion);

    Interaction interaction_;
    CommonRegions common_;
    // The hover the window shows, and where the region texts went in the last paint.
    int shownMain_ = kNoRegion;
    int shownPage_ = kNoRegion;
    std::vector<RegionText> texts_;
    std::array<std::unique_ptr<Page>, kPageCount> pages_;
    std::unique_ptr<PicturePreload> ahead_;
    bool restFollows_ = false; // the other pages' pictures are decoded after the first paint
    std::int64_t pictureWaitUs_ = 0;
};

} // namespace ui
