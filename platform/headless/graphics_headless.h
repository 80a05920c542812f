#pragma once
#include "platform/graphics.h"

#include <map>
#include <mutex>
#include <set>
#include <vector>

namespace platform::headless {

// A font as the headless canvas measures it: every character is half the
// pixel height wide, CJK and other wide characters the full height.
class HeadlessFont : public Font {
public:
    HeadlessFont(int tenths, Text face, int pixelHeight) : tenths(tenths), face(std::move(face)), pixelHeight(pixelHeight) {}
    int tenths;
    Text face;
    int pixelHeight;
    int charWidth(char16_t c) const;
};

struct DrawnText {
    Point at;
    Size extent;
    Text text;
    Color color = 0;
    Text face;       // empty: no font selected
    int tenths = 0;
};

// Pixels in memory, rasterised as GDI does for copies, stretches, blends and
// fills; texts are measured with HeadlessFont and recorded, not rasterised,
// and copies carry the recorded texts along with the pixels.
class HeadlessCanvas : public Canvas {
public:
    explicit HeadlessCanvas(Size size);

    Size size() const override { return size_; }
    std::span<Pixel> pixels() override { return pixels_; }
    std::vector<Rect> clipRects() const override;
    void copyFrom(const Canvas& src, const Rect& dst, Point srcTopLeft) override;
    void stretchFrom(const Canvas& src, const Rect& dst, const Rect& srcRect) override;
    void alphaBlendFrom(const Canvas& src, Point dst) override;
    void fill(const Rect& r, Color c) override;
    void setFont(const std::shared_ptr<Font>& font) override;
    void setTextColor(Color c) override { textColor_ = c; }
    Size textExtent(TextView t) override;
    void drawText(Point topLeft, TextView t) override;
    void drawIcon(int resourceId, Point topLeft) override { icons.push_back({resourceId, topLeft}); }

    Pixel at(int x, int y) const;
    Color colorAt(int x, int y) const { return colorOf(at(x, y)); }
    const std::vector<DrawnText>& texts() const { return texts_; }
    void clearTexts() { texts_.clear(); }
    std::vector<std::pair<int, Point>> icons; // drawn: resource and place
    // Where pixels may change (a window's surface while it is painted); empty: everywhere.
    std::vector<Rect> clip;

private:
    bool clipped(int x, int y) const;

    Size size_;
    std::vector<Pixel> pixels_;
    std::shared_ptr<HeadlessFont> font_;
    Color textColor_ = 0;
    std::vector<DrawnText> texts_;
};

// Pictures through libpng and libjpeg; the screen's pixels per inch and the
// private fonts are what tests set.
class HeadlessGraphics : public Graphics {
public:
    std::unique_ptr<Canvas> loadPicture(const Text& path) override;
    std::unique_ptr<Canvas> createCanvas(Size size) override;
    std::shared_ptr<Font> createPointFont(int tenthsOfPoint, const Text& face) override;
    int logPixelsX() override { return dpi; }
    bool addPrivateFontFile(const Text& path) override;
    FontResource addFontFromResource(int id) override;

    int dpi = 96;
    FontResource fontResource = FontResource::Absent; // what addFontFromResource answers
    std::vector<Text> privateFontFiles;               // registered (existing) files
    std::vector<int> fontResourcesAsked;
    std::vector<std::pair<int, Text>> fontsCreated;   // tenths and face, in order
    int picturesLoaded = 0;                            // decode attempts that succeeded

private:
    std::mutex mutex_;
};

// Decoders shared with tests: BGRA pixels, or nothing for data that is not a
// decodable PNG or baseline/progressive JPEG.
std::unique_ptr<HeadlessCanvas> decodePicture(const std::vector<std::uint8_t>& bytes);

} // namespace platform::headless
