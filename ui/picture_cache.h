#pragma once
// Decoded skin pictures kept between repaints. Decoding the three pictures of
// a page takes far longer than a frame (most of all under GDI+), while the
// files hardly ever change: a picture is decoded again only when its file's
// size or write time differs from the decoded one. Main thread only.
#include "platform/files.h"
#include "platform/graphics.h"

#include <memory>
#include <vector>

namespace ui {

class PictureCache {
public:
    // Enough for the four pages' three pictures and the warning dialog's two.
    static constexpr std::size_t kCapacity = 16;

    // The decoded picture of the file, shared with whoever keeps it while the
    // cache moves on; null when the file is missing or not a picture.
    std::shared_ptr<const platform::Canvas> get(const Text& path);
    // The same picture with its colours multiplied by its alpha, ready to be
    // blended; made once per decoded picture.
    std::shared_ptr<const platform::Canvas> premultiplied(const Text& path);
    // A picture decoded elsewhere (ahead, on a worker) from the file as it
    // was at `stamp`; a file the cache already holds keeps its picture.
    void adopt(const Text& path, const platform::FileStamp& stamp, std::shared_ptr<const platform::Canvas> picture);
    bool holds(const Text& path) const;
    void clear() { entries_.clear(); }
    std::size_t size() const { return entries_.size(); }

private:
    struct Entry {
        Text path;
        platform::FileStamp stamp;
        std::shared_ptr<const platform::Canvas> picture;
        std::shared_ptr<const platform::Canvas> premultiplied;
    };
    std::vector<Entry> entries_; // most recently used last
};

// The one the windows of the program paint from.
PictureCache& pictureCache();

} // namespace ui
