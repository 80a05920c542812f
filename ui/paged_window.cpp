#include "ui/paged_window.h"

#include "platform/platform.h"
#include "ui/pages/advanced_page.h"
#include "ui/pages/led_page.h"
#include "ui/pages/macro_page.h"
#include "ui/pages/main_page.h"
#include "ui/picture_cache.h"
#include "ui/tips.h"

namespace ui {

PagedWindow::PagedWindow(int templateId) : SkinnedWindow(templateId), common_(*this)
{
    pages_[kMainPage] = std::make_unique<MainPage>(*this, common_);
    pages_[kAdvancedPage] = std::make_unique<AdvancedPage>(*this);
    pages_[kMacroPage] = std::make_unique<MacroPage>(*this);
    pages_[kLedPage] = std::make_unique<LedPage>(*this);
}

PagedWindow::~PagedWindow() = default;

void PagedWindow::trackCurrentPage()
{
    std::span<const SkinRegion> main = look().skins.main;
    if (interaction_.page == kMainPage)
        setTrackedTables({main});
    else
        setTrackedTables({main.first(kCommonRegions), page().hitTable()});
    shownMain_ = shownPage_ = kNoRegion;
}

int PagedWindow::hoveredPage() const { return interaction_.page == kMainPage ? hovered(0) : hovered(1); }

Text PagedWindow::pictureBase() const { return pages_[size_t(interaction_.page)]->pictureBase(); }

Text PagedWindow::pictureVariant() const
{
    return pages_[size_t(interaction_.page)]->hasImageVariants() ? variantSuffix(interaction_.imageVariant) : Text();
}

std::vector<Text> PagedWindow::pagePictures(int id) const
{
    const Page& p = *pages_[size_t(id)];
    const Text base = p.pictureBase();
    const Text variant = p.hasImageVariants() ? variantSuffix(interaction_.imageVariant) : Text();
    return {skinPlace().picture(base + u"_normal" + variant + u".jpg"),
            skinPlace().picture(base + u"_down" + variant + u".jpg")};
}

void PagedWindow::decodeAhead()
{
    ahead_ = std::make_unique<PicturePreload>(pagePictures(interaction_.page));
    restFollows_ = true;
}

void PagedWindow::takeDecodedAhead()
{
    pictureWaitUs_ = 0;
    if (!ahead_ || isIconic())
        return;
    if (ahead_->done() || ahead_->covers(pictureFile(u"normal")) || ahead_->covers(pictureFile(u"down"))) {
        pictureWaitUs_ = ahead_->handTo(pictureCache());
        ahead_.reset();
    }
}

bool PagedWindow::onPaint(platform::Canvas& surface)
{
    takeDecodedAhead();
    const bool painted = SkinnedWindow::onPaint(surface);
    if (painted && restFollows_ && !ahead_) {
        restFollows_ = false;
        // The first hover needs the over picture soonest; any page may be next.
        std::vector<Text> rest = {pictureFile(u"over")};
        for (int id = 0; id < kPageCount; ++id)
            if (id != interaction_.page)
                for (Text& path : pagePictures(id))
                    rest.push_back(std::move(path));
        ahead_ = std::make_unique<PicturePreload>(std::move(rest));
    }
    return painted;
}

bool PagedWindow::routeToPages(unsigned id, std::uintptr_t wParam, std::intptr_t lParam)
{
    for (auto& p : pages_)
        if (p->message(id, wParam, lParam))
            return true;
    return false;
}

void PagedWindow::redraw()
{
    std::span<const Rect> holes = page().controlRects();
    if (holes.empty())
        invalidate(true);
    else
        invalidateExcept(holes.data(), int(holes.size()), true);
}

void PagedWindow::switchPage(int to)
{
    if (to < 0 || to >= kPageCount || to == interaction_.page)
        return;
    page().endDrag();
    page().hidden();
    interaction_.page = to;
    page().shown();
    trackCurrentPage();
    pageChanged(to);
}

bool PagedWindow::refusedWhileRecording()
{
    if (!interaction_.recording)
        return false;
    const int main = hoveredMain();
    const bool allowed = (interaction_.page == kMacroPage && hoveredPage() == 4) || main == 0 || main == 1 ||
                         !anyHovered();
    if (allowed)
        return false;
    showTip(20);
    return true;
}

void PagedWindow::onMouseMove(Point p)
{
    if (page().drag(p)) {
        redraw();
        trackMouseLeave(1);
        return;
    }
    SkinnedWindow::onMouseMove(p);
}

void PagedWindow::onLButtonDown(Point p)
{
    page().beforePress();
    if (refusedWhileRecording())
        return;
    if (anyHovered()) {
        setPressed(true);
        redraw();
    }
    if (interaction_.popupOpen) {
        interaction_.configurationMenuOpen = false;
        interaction_.languageMenuOpen = false;
        interaction_.popupOpen = false;
        closePopup();
    }
    if (!anyHovered()) {
        beginMoveDrag(p);
        return;
    }
    const int main = hoveredMain();
    const int own = hoveredPage();
    common_.pressTabs(main);
    // A tab press has shown another page: the press belongs to the tab alone.
    if (main < common::FirstTab || main >= common::FirstTab + kPageCount)
        page().press(own, p);
    common_.pressPopups(main);
    redraw();
    update();
}

void PagedWindow::onLButtonUp(Point p)
{
    if (refusedWhileRecording())
        return;
    setPressed(false);
    if (const int main = hoveredMain(); main < kCommonRegions)
        common_.release(main, p);
    redraw();
    page().endDrag();
}

void PagedWindow::mouseLeft()
{
    if (page().dragging() && !platform::os().windows->isKeyDown(platform::vk::LButton))
        page().endDrag();
    SkinnedWindow::mouseLeft();
}

void PagedWindow::hoverChanged()
{
    invalidateHoverOf(shownMain_, shownPage_);
    shownMain_ = hoveredMain();
    shownPage_ = hoveredPage();
    invalidateHoverOf(shownMain_, shownPage_);
}

void PagedWindow::invalidateHoverOf(int mainRegion, int pageRegion)
{
    const int s = skinPlace().scale;
    auto region = [&](std::span<const SkinRegion> table, int r) {
        if (r < 0 || size_t(r) >= table.size())
            return;
        const SkinRegion& at = table[size_t(r)];
        invalidateRect(at.rect(), false);
        for (const RegionText& t : texts_)
            if (t.region == &at)
                invalidateRect({t.box.left * s, t.box.top * s, t.box.right * s, t.box.bottom * s}, false);
    };
    region(look().skins.main, mainRegion);
    if (interaction_.page != kMainPage)
        region(page().hitTable(), pageRegion);
    if (mainRegion != kNoRegion)
        for (const Rect& r : page().hoverLinked(mainRegion))
            invalidateRect(r, false);
}

void PagedWindow::paintLayers(SkinPictures& pictures)
{
    texts_.clear();
    PagePaint paint{pictures, look(), paintAreas(), &texts_};
    page().paintLayer(paint);
    common_.paintLayer(paint);
    common_.paintTexts(paint);
    page().paintTexts(paint);
}

} // namespace ui
