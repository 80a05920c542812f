#include "ui/picture_preload.h"

#include "platform/platform.h"
#include "ui/picture_cache.h"

#include <algorithm>
#include <system_error>

namespace ui {

PicturePreload::PicturePreload(std::vector<Text> paths) : paths_(std::move(paths))
{
    try {
        worker_ = std::thread([this] { run(); });
    } catch (const std::system_error&) {
        done_.store(true, std::memory_order_release);
    }
}

PicturePreload::~PicturePreload()
{
    if (worker_.joinable())
        worker_.join();
}

bool PicturePreload::covers(const Text& path) const
{
    return std::find(paths_.begin(), paths_.end(), path) != paths_.end();
}

void PicturePreload::run()
{
    platform::Services& os = platform::os();
    for (const Text& path : paths_) {
        // The stamp is taken before the decoding: a file replaced meanwhile
        // differs from it, and the cache decodes it again.
        std::optional<platform::FileStamp> stamp = os.files->stamp(path);
        if (!stamp)
            continue;
        std::shared_ptr<const platform::Canvas> picture = os.graphics->loadPicture(path);
        if (picture)
            decoded_.push_back({path, *stamp, std::move(picture)});
    }
    done_.store(true, std::memory_order_release);
}

std::int64_t PicturePreload::handTo(PictureCache& cache)
{
    platform::Clock& clock = *platform::os().clock;
    const std::int64_t start = clock.monotonicUs();
    if (worker_.joinable())
        worker_.join();
    const std::int64_t waited = clock.monotonicUs() - start;
    for (Decoded& d : decoded_)
        cache.adopt(d.path, d.stamp, std::move(d.picture));
    decoded_.clear();
    return waited;
}

} // namespace ui
