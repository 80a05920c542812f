#pragma once
// Drawing with GDI: canvases are 32-bit top-down DIB sections selected into
// memory DCs (so their pixels can be read and premultiplied in place), a
// window's surface wraps its paint DC, pictures are decoded with GDI+.
#include <windows.h>

#include "platform/graphics.h"

#include <unordered_map>
#include <vector>

namespace platform::win32 {

class Win32Font : public Font {
public:
    explicit Win32Font(HFONT font) : font_(font) {}
    ~Win32Font() override;
    HFONT handle() const { return font_; }

    // Text extents measured with this font; the same texts are measured on
    // every repaint. Main thread only.
    const SIZE* knownExtent(TextView t) const;
    void rememberExtent(TextView t, SIZE s);

private:
    HFONT font_;
    std::unordered_map<Text, SIZE> extents_;
};

// A canvas over a device context: the memory DC of a DIB, or a window's paint DC.
class DcCanvas : public Canvas {
public:
    DcCanvas(HDC dc, Size size, bool ownsDc = false) : dc_(dc), size_(size), ownsDc_(ownsDc) {}
    ~DcCanvas() override;

    Size size() const override { return size_; }
    std::span<Pixel> pixels() override { return {}; }
    std::vector<Rect> clipRects() const override;
    // A window's paint DC: the parts of the update region (none known: its clip box).
    void limitTo(std::vector<Rect> parts) { parts_ = std::move(parts); }
    void copyFrom(const Canvas& src, const Rect& dst, Point srcTopLeft) override;
    void stretchFrom(const Canvas& src, const Rect& dst, const Rect& srcRect) override;
    void alphaBlendFrom(const Canvas& src, Point dst) override;
    void fill(const Rect& r, Color c) override;
    void setFont(const std::shared_ptr<Font>& font) override;
    void setTextColor(Color c) override;
    Size textExtent(TextView t) override;
    void drawText(Point topLeft, TextView t) override;
    void drawIcon(int resourceId, Point topLeft) override;

    HDC dc() const { return dc_; }

protected:
    HDC dc_;
    Size size_;

private:
    bool ownsDc_;
    std::vector<Rect> parts_;
    std::shared_ptr<Font> font_;
    HGDIOBJ originalFont_ = nullptr;
};

class DibCanvas : public DcCanvas {
public:
    explicit DibCanvas(Size size);
    ~DibCanvas() override;
    std::span<Pixel> pixels() override;

private:
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ originalBitmap_ = nullptr;
    Pixel* bits_ = nullptr;
};

class Win32Graphics : public Graphics {
public:
    std::unique_ptr<Canvas> loadPicture(const Text& path) override;
    std::unique_ptr<Canvas> createCanvas(Size size) override;
    std::shared_ptr<Font> createPointFont(int tenthsOfPoint, const Text& face) override;
    int logPixelsX() override;
    bool addPrivateFontFile(const Text& path) override;
    FontResource addFontFromResource(int id) override;
};

} // namespace platform::win32
