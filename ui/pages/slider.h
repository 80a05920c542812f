#pragma once
// The sliders of the advanced and LED pages: a region whose value follows the
// mouse's x position while the left button is held.
namespace ui {

// Position 1..steps of a slider at x with width w for a point at px. A slider
// of no width, or of no steps, is at position 1.
int sliderPosition(int x, int width, int steps, int px);

// Fill width of a slider of width w showing `filled` of `steps` (never wider than w).
int sliderFill(int width, int filled, int steps);

} // namespace ui
