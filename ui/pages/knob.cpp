#include "ui/pages/knob.h"

#include "platform/platform.h"
#include "ui/picture_cache.h"

namespace ui {

void drawKnob(const SkinPlace& place, platform::Canvas& dst, Point at)
{
    static std::shared_ptr<const platform::Canvas> decoded;
    static std::unique_ptr<platform::Canvas> premultiplied;
    auto picture = pictureCache().get(place.picture(u"moveRect.png"));
    if (!picture)
        return;
    if (picture != decoded) {
        const Size s = picture->size();
        premultiplied = platform::os().graphics->createCanvas(s);
        premultiplied->copyFrom(*picture, {0, 0, s.width, s.height}, {0, 0});
        premultiplyAlpha(*premultiplied);
        decoded = picture;
    }
    dst.alphaBlendFrom(*premultiplied, at);
}

} // namespace ui
