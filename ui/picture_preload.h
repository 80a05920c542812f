#pragma once
// Skin pictures decoded ahead on a thread of their own, while the program is
// still starting or the user looks at the first page: a page then paints from
// the picture cache without waiting for GDI+. The worker only decodes files
// into bitmaps; they go into the cache on the main thread, which owns it.
#include "platform/files.h"
#include "platform/graphics.h"

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

namespace ui {

class PictureCache;

class PicturePreload {
public:
    // Starts decoding the files, in order. Without a thread, nothing is
    // decoded ahead and the cache decodes them when they are drawn.
    explicit PicturePreload(std::vector<Text> paths);
    ~PicturePreload(); // waits for the worker
    PicturePreload(const PicturePreload&) = delete;
    PicturePreload& operator=(const PicturePreload&) = delete;

    bool done() const { return done_.load(std::memory_order_acquire); }
    bool covers(const Text& path) const;
    // Waits for the worker, then gives the cache every picture it decoded (a
    // file the cache already holds keeps the cache's picture). The
    // microseconds it waited.
    std::int64_t handTo(PictureCache& cache);

private:
    struct Decoded {
        Text path;
        platform::FileStamp stamp;
        std::shared_ptr<const platform::Canvas> picture;
    };
    void run();

    const std::vector<Text> paths_;
    std::vector<Decoded> decoded_; // the worker's alone until it is joined
    std::atomic<bool> done_{false};
    std::thread worker_;
};

} // namespace ui
