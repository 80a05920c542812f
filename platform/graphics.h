#pragma once
// Drawing: pictures decoded from JPEG/PNG files, off-screen canvases, the
// copies between them, and text in point-sized fonts. The skinned windows
// compose everything off screen and copy the result to the window at once.
#include "platform/geometry.h"
#include "platform/text.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace platform {

// A font made by Graphics::createPointFont; kept alive by whoever draws with it.
class Font {
public:
    virtual ~Font() = default;
};

// 32-bit pixel of an off-screen canvas, 0xAARRGGBB (B, G, R, A in memory, as a
// 32-bit DIB section holds it).
using Pixel = std::uint32_t;
constexpr Pixel makePixel(unsigned a, unsigned r, unsigned g, unsigned b)
{
    return Pixel(((a & 0xFF) << 24) | ((r & 0xFF) << 16) | ((g & 0xFF) << 8) | (b & 0xFF));
}
constexpr unsigned alphaOf(Pixel p) { return p >> 24; }
constexpr Color colorOf(Pixel p) { return rgb((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual Size size() const = 0;
    // Rows top-down, width × height pixels; empty for a window's surface.
    virtual std::span<Pixel> pixels() = 0;
    // The rectangles drawing reaches: while a window is painted, the parts of
    // its surface that need painting (drawing elsewhere is clipped away); all
    // of an off-screen canvas.
    virtual std::vector<Rect> clipRects() const { return {Rect{0, 0, size().width, size().height}}; }

    // BitBlt SRCCOPY of dst.width() × dst.height() pixels from srcTopLeft.
    virtual void copyFrom(const Canvas& src, const Rect& dst, Point srcTopLeft) = 0;
    // StretchBlt SRCCOPY (nearest pixel, COLORONCOLOR).
    virtual void stretchFrom(const Canvas& src, const Rect& dst, const Rect& srcRect) = 0;
    // AlphaBlend of the whole source at dst with its own size; the source holds
    // premultiplied per-pixel alpha.
    virtual void alphaBlendFrom(const Canvas& src, Point dst) = 0;
    virtual void fill(const Rect& r, Color c) = 0;

    // Text with a transparent background in the selected font and colour.
    virtual void setFont(const std::shared_ptr<Font>& font) = 0;
    virtual void setTextColor(Color c) = 0;
    virtual Size textExtent(TextView t) = 0; // GetTextExtentPoint32W
    virtual void drawText(Point topLeft, TextView t) = 0;
    // DrawIcon of the executable's icon resource at its system size.
    virtual void drawIcon(int resourceId, Point topLeft) = 0;
};

enum class FontResource { Absent, Failed, Added };

class Graphics {
public:
    virtual ~Graphics() = default;

    // Decodes a JPEG or PNG file (recognised by content, not by name); PNG alpha
    // is kept as it is in the file (not premultiplied). Null when the file is
    // missing or cannot be decoded.
    virtual std::unique_ptr<Canvas> loadPicture(const Text& path) = 0;
    // A canvas of that size, all pixels 0.
    virtual std::unique_ptr<Canvas> createCanvas(Size size) = 0;

    // CreatePointFont: size in tenths of a point, converted with the screen's pixels per inch.
    virtual std::shared_ptr<Font> createPointFont(int tenthsOfPoint, const Text& face) = 0;
    // GetDeviceCaps(LOGPIXELSX) of the screen.
    virtual int logPixelsX() = 0;
    // AddFontResourceExW(path, FR_PRIVATE): true when at least one font was added.
    virtual bool addPrivateFontFile(const Text& path) = 0;
    // A font carried by the executable as resource type "RT_FONT", registered with AddFontMemResourceEx.
    virtual FontResource addFontFromResource(int id) = 0;
};

} // namespace platform
