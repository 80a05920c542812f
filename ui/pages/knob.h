#pragma once
// The slider knob (moveRect.png) drawn with its alpha. It is decoded and
// premultiplied once while its file stays the same, as sliders are drawn on
// every move of a drag.
#include "ui/skin.h"

namespace ui {

void drawKnob(const SkinPlace& place, platform::Canvas& dst, Point at);

} // namespace ui
