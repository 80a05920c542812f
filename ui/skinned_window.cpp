#include "ui/skinned_window.h"

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
    SkinPictures pictures = loadSkinPictures(place, pictureBase(), pictureVariant());
    if (!pictures.normal)
        return false;
    paintLayers(pictures);
    present(surface, *pictures.normal, place.scale);
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
