#include "ui/pages/slider.h"

#include <algorithm>

namespace ui {

int sliderPosition(int x, int width, int steps, int px)
{
    if (px <= x || width <= 0 || steps <= 0)
        return 1;
    const double d = double(px) - double(x);
    const double step = double(width) / steps;
    if (step > d)
        return 1;
    if (d > (steps - 0.5) * step)
        return steps;
    return std::clamp(int((d + 0.5 * step) / step), 1, steps);
}

int sliderFill(int width, int filled, int steps)
{
    if (steps <= 0 || width <= 0)
        return 0;
    if (filled >= steps)
        return width;
    return std::max(0, int(long(width) * filled / steps));
}

} // namespace ui
