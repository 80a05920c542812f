#include "ui/pages/page_text.h"

namespace ui {

void drawRegionText(PagePaint& paint, const SkinRegion& region, TextView text, const TextStyle& style)
{
    if (text.empty())
        return;
    platform::Canvas& canvas = paint.canvas();
    const Rect r = pictureRect(region, paint.scale());
    canvas.setFont(paint.look.font(style.fontSize));
    canvas.setTextColor(style.colour);
    const Size extent = canvas.textExtent(text);
    const int width = r.width() - style.narrowBy;
    const int left = r.left + style.narrowBy / 2;
    int x = left + (width - extent.width) / 2;
    int y = r.top + (r.height() - extent.height) / 2;
    switch (style.place) {
    case TextPlace::Centred:
        break;
    case TextPlace::Below:
        y = r.bottom;
        break;
    case TextPlace::RightAligned:
        x = r.right - extent.width;
        break;
    case TextPlace::Left2:
        x = r.left + 2;
        break;
    }
    x += style.dx;
    if (x <= 0 && y <= 0)
        return;
    // Glyphs may reach a little past their advance box (overhangs, italics).
    const int margin = extent.height / 2 + 2;
    const Rect box{x - margin, y - 2, x + extent.width + margin, y + extent.height + 2};
    if (paint.texts)
        paint.texts->push_back({&region, box});
    if (touchesAny(box, paint.areas))
        canvas.drawText({x, y}, text);
}

} // namespace ui
