#include "ui/pages/slider_page.h"

#include "ui/pages/knob.h"
#include "ui/pages/slider.h"

namespace ui {

void SliderPage::startDrag(int slider, Point p)
{
    slider_ = slider;
    follow(slider, p);
}

bool SliderPage::drag(Point p)
{
    if (!slider_)
        return false;
    follow(slider_, p);
    return true;
}

void SliderPage::paintSlider(PagePaint& paint, const SkinRegion& region, int filled, int steps, Point knob, int width)
{
    const Rect r = pictureRect(region, paint.scale());
    if (r.isEmpty())
        return;
    const int fill = sliderFill(width ? width : r.width(), filled, steps);
    drawPartialRegion(paint.canvas(), paint.pictures.down.get(), region, fill, paint.scale());
    drawKnob(paint.look.place, paint.canvas(), {r.left + fill + knob.x, r.top + knob.y});
}

} // namespace ui
