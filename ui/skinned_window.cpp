#include "ui/skinned_window.h"

#include "platform/platform.h"
#include "ui/picture_cache.h"

#include <algorithm>

namespace ui {

void SkinnedWindow::setTrackedTables(std::vector<std::span<const SkinRegion>> tables)
{
    tracks_.clear();
    for (auto t : tables)
        tracks_.push_back({t, kNoRegion});
}

int SkinnedWindow::hovered(std::size_t track) const
{
    return track < tracks_.size() ? tracks_[track].hovered : kNoRegion;
}

bool SkinnedWindow::anyHovered() const
{
    return std::any_of(tracks_.begin(), tracks_.end(), [](const Track& t) { return t.hovered != kNoRegion; });
}

bool SkinnedWindow::clearHover()
{
    bool changed = false;
    for (Track& t : tracks_) {
        changed = changed || t.hovered != kNoRegion;
        t.hovered = kNoRegion;
    }
    return changed;
}

std::optional<Size> SkinnedWindow::shapeFromMaskPicture(const Text& name)
{
    const SkinPlace& place = skinPlace();
    return shapeFromMask(*this, place.picture(name), place.scale);
}

bool SkinnedWindow::onPaint(platform::Canvas& surface)
{
    if (isIconic())
        return paintIconic(surface);
    const SkinPlace& place = skinPlace();
    PictureCache& cache = pictureCache();
    auto normal = cache.get(pictureFile(u"normal"));
    if (!normal)
        return false;
    // Only the parts of the window that need it are composed again, on the
    // frame kept from the paint before: every pixel there starts from the
    // normal picture and gets every layer, so it comes out as a whole new
    // frame would. Pixels elsewhere may be stale; they are not copied out.
    const Size size = normal->size();
    if (!frame_ || frame_->size() != size)
        frame_ = platform::os().graphics->createCanvas(size);
    paintAreas_ = pictureAreas(surface, size, place.scale);
    for (const Rect& a : paintAreas_)
        frame_->copyFrom(*normal, a, {a.left, a.top});
    // The over picture is drawn from only under the mouse: a page shown
    // without a hover is not kept waiting for its decoding.
    SkinPictures pictures{std::move(frame_), nullptr, cache.get(pictureFile(u"down"))};
    if (anyHovered())
        pictures.over = cache.get(pictureFile(u"over"));
    paintLayers(pictures);
    frame_ = std::move(pictures.normal);
    present(surface, *frame_, place.scale);
    return true;
}

void SkinnedWindow::paintLayers(SkinPictures& pictures)
{
    if (!tracks_.empty())
        paintHover(pictures, tracks_[0].table, tracks_[0].hovered, pressed_, skinPlace().scale);
}

void SkinnedWindow::onMouseMove(Point p)
{
    bool changed = false;
    for (Track& t : tracks_) {
        const int now = hitTest(p, t.table);
        if (now != t.hovered) {
            t.hovered = now;
            changed = true;
        }
    }
    // A leave notice lets the hover go when the mouse leaves the window
    // straight from a region.
    if (!leaveTracked_ && anyHovered())
        leaveTracked_ = trackMouseLeave(1);
    if (changed)
        hoverChanged();
}

void SkinnedWindow::onMouseLeave()
{
    leaveTracked_ = false;
    mouseLeft();
}

void SkinnedWindow::mouseLeft()
{
    if (clearHover())
        hoverChanged();
}

} // namespace ui
