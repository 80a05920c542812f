#include "ui/pages/knob.h"

#include "ui/picture_cache.h"

namespace ui {

void drawKnob(const SkinPlace& place, platform::Canvas& dst, Point at)
{
    if (auto knob = pictureCache().premultiplied(place.picture(u"moveRect.png")))
        dst.alphaBlendFrom(*knob, at);
}

} // namespace ui
