#pragma once
// A page with sliders (the advanced and LED pages): a press on a slider starts
// a drag whose value follows the mouse until the button is released.
#include "ui/pages/page.h"

namespace ui {

class SliderPage : public Page {
public:
    using Page::Page;

    bool drag(Point p) override;
    bool dragging() const override { return slider_ != 0; }
    void endDrag() override { slider_ = 0; }

protected:
    // Starts dragging slider region `slider` (never 0) and sets its value for p.
    void startDrag(int slider, Point p);
    // Sets the value of slider region `slider` for a point at p.
    virtual void follow(int slider, Point p) = 0;

    // The filled part of a slider from the down picture, `filled` of `steps`
    // over `width` picture pixels (0: the region's width), and the knob at its
    // end moved by `knob`.
    static void paintSlider(PagePaint& paint, const SkinRegion& region, int filled, int steps, Point knob,
                            int width = 0);

private:
    int slider_ = 0; // the region of the slider being dragged, 0 for none
};

} // namespace ui
