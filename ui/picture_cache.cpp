#include "ui/picture_cache.h"

#include "platform/platform.h"
#include "ui/skin.h"

#include <algorithm>

namespace ui {

std::shared_ptr<const platform::Canvas> PictureCache::get(const Text& path)
{
    auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.path == path; });
    std::optional<platform::FileStamp> stamp = platform::os().files->stamp(path);
    if (it != entries_.end()) {
        if (stamp && it->stamp == *stamp) {
            std::rotate(it, it + 1, entries_.end());
            return entries_.back().picture;
        }
        entries_.erase(it);
    }
    if (!stamp)
        return nullptr;
    std::shared_ptr<const platform::Canvas> picture = platform::os().graphics->loadPicture(path);
    if (!picture)
        return nullptr; // a broken file is tried again next time: it may be mid-copy
    if (entries_.size() == kCapacity)
        entries_.erase(entries_.begin());
    entries_.push_back({path, *stamp, picture, nullptr});
    return picture;
}

void PictureCache::adopt(const Text& path, const platform::FileStamp& stamp,
                         std::shared_ptr<const platform::Canvas> picture)
{
    if (!picture || holds(path))
        return;
    if (entries_.size() == kCapacity)
        entries_.erase(entries_.begin());
    entries_.push_back({path, stamp, std::move(picture), nullptr});
}

bool PictureCache::holds(const Text& path) const
{
    return std::any_of(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.path == path; });
}

std::shared_ptr<const platform::Canvas> PictureCache::premultiplied(const Text& path)
{
    std::shared_ptr<const platform::Canvas> picture = get(path);
    if (!picture)
        return nullptr;
    Entry& e = entries_.back(); // get() left it most recently used
    if (!e.premultiplied) {
        const Size s = picture->size();
        std::shared_ptr<platform::Canvas> copy = platform::os().graphics->createCanvas(s);
        copy->copyFrom(*picture, {0, 0, s.width, s.height}, {0, 0});
        premultiplyAlpha(*copy);
        e.premultiplied = copy;
    }
    return e.premultiplied;
}

PictureCache& pictureCache()
{
    static PictureCache cache;
    return cache;
}

} // namespace ui
