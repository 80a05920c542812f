#pragma once
// Picture files for tests: PNG written here (uncompressed deflate), and one
// small baseline JPEG. The decoders recognise a picture by its content, so a
// PNG may stand in for a .jpg skin picture.
#include "platform/graphics.h"

#include <cstdint>
#include <vector>

namespace testsupport {

// An RGBA PNG of the given pixels (0xAARRGGBB, rows top-down).
std::vector<std::uint8_t> pngFile(int width, int height, const std::vector<platform::Pixel>& pixels);
// A PNG of one opaque colour (COLORREF 0x00BBGGRR).
std::vector<std::uint8_t> solidPng(int width, int height, platform::Color color);

// A 16 × 8 baseline JPEG: the left 8 columns rgb(200, 40, 90), the right 8 rgb(20, 180, 60).
std::vector<std::uint8_t> twoColourJpeg();

} // namespace testsupport
