#include "platform/headless/graphics_headless.h"

#include "platform/platform.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>
#include <png.h>

namespace platform::headless {

int HeadlessFont::charWidth(char16_t c) const
{
    bool wide = c >= 0x2E80 && c < 0xFF61;
    return wide ? pixelHeight : pixelHeight / 2;
}

HeadlessCanvas::HeadlessCanvas(Size size)
    : size_{std::max(size.width, 0), std::max(size.height, 0)}, pixels_(size_t(size_.width) * size_t(size_.height), 0)
{
}

Pixel HeadlessCanvas::at(int x, int y) const
{
    if (x < 0 || y < 0 || x >= size_.width || y >= size_.height)
        return 0;
    return pixels_[size_t(y) * size_t(size_.width) + size_t(x)];
}

std::vector<Rect> HeadlessCanvas::clipRects() const
{
    if (clip.empty())
        return Canvas::clipRects();
    return clip;
}

bool HeadlessCanvas::clipped(int x, int y) const
{
    if (clip.empty())
        return false;
    for (const Rect& r : clip)
        if (r.contains({x, y}))
            return false;
    return true;
}

namespace {

// Only headless canvases meet here; a foreign canvas draws nothing.
const HeadlessCanvas* asHeadless(const Canvas& c)
{
    return dynamic_cast<const HeadlessCanvas*>(&c);
}

unsigned channel(Pixel p, int shift) { return (p >> shift) & 0xFF; }

} // namespace

void HeadlessCanvas::copyFrom(const Canvas& src, const Rect& dst, Point srcTopLeft)
{
    stretchFrom(src, dst, Rect::fromXywh(srcTopLeft.x, srcTopLeft.y, dst.width(), dst.height()));
}

void HeadlessCanvas::stretchFrom(const Canvas& srcCanvas, const Rect& dst, const Rect& s)
{
    const HeadlessCanvas* src = asHeadless(srcCanvas);
    if (!src || dst.isEmpty() || s.isEmpty())
        return;
    const int dw = dst.width(), dh = dst.height(), sw = s.width(), sh = s.height();
    // Texts travel with the pixels they were drawn on (by their top-left
    // corner); what the copy covers is overwritten.
    std::erase_if(texts_, [&](const DrawnText& t) { return dst.contains(t.at); });
    for (const DrawnText& t : src->texts_) {
        Rect box = Rect::fromXywh(t.at.x, t.at.y, std::max(t.extent.width, 1), std::max(t.extent.height, 1));
        if (box.right <= s.left || box.left >= s.right || box.bottom <= s.top || box.top >= s.bottom)
            continue;
        DrawnText moved = t;
        moved.at = {dst.left + int((long long)(t.at.x - s.left) * dw / sw),
                    dst.top + int((long long)(t.at.y - s.top) * dh / sh)};
        texts_.push_back(std::move(moved));
    }
    for (int dy = 0; dy < dh; ++dy) {
        int ty = dst.top + dy;
        if (ty < 0 || ty >= size_.height)
            continue;
        int sy = s.top + int((long long)dy * sh / dh);
        if (sy < 0 || sy >= src->size_.height)
            continue;
        for (int dx = 0; dx < dw; ++dx) {
            int tx = dst.left + dx;
            if (tx < 0 || tx >= size_.width)
                continue;
            int sx = s.left + int((long long)dx * sw / dw);
            if (sx < 0 || sx >= src->size_.width || clipped(tx, ty))
                continue;
            pixels_[size_t(ty) * size_.width + tx] = src->pixels_[size_t(sy) * src->size_.width + sx];
        }
    }
}

void HeadlessCanvas::alphaBlendFrom(const Canvas& srcCanvas, Point at)
{
    const HeadlessCanvas* src = asHeadless(srcCanvas);
    if (!src)
        return;
    for (int y = 0; y < src->size_.height; ++y) {
        int ty = at.y + y;
        if (ty < 0 || ty >= size_.height)
            continue;
        for (int x = 0; x < src->size_.width; ++x) {
            int tx = at.x + x;
            if (tx < 0 || tx >= size_.width || clipped(tx, ty))
                continue;
            Pixel s = src->pixels_[size_t(y) * src->size_.width + x];
            Pixel& d = pixels_[size_t(ty) * size_.width + tx];
            unsigned inv = 255 - alphaOf(s);
            Pixel out = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                unsigned v = channel(s, shift) + (channel(d, shift) * inv + 127) / 255;
                out |= Pixel(std::min(v, 255u)) << shift;
            }
            d = out;
        }
    }
}

void HeadlessCanvas::fill(const Rect& r, Color c)
{
    Pixel p = makePixel(0, redOf(c), greenOf(c), blueOf(c));
    for (int y = std::max(r.top, 0); y < std::min(r.bottom, size_.height); ++y)
        for (int x = std::max(r.left, 0); x < std::min(r.right, size_.width); ++x)
            if (!clipped(x, y))
                pixels_[size_t(y) * size_.width + x] = p;
}

void HeadlessCanvas::setFont(const std::shared_ptr<Font>& font)
{
    font_ = std::dynamic_pointer_cast<HeadlessFont>(font);
}

Size HeadlessCanvas::textExtent(TextView t)
{
    // Without a selected font the system font of 16 pixels measures.
    int height = font_ ? font_->pixelHeight : 16;
    int width = 0;
    for (char16_t c : t)
        width += font_ ? font_->charWidth(c) : ((c >= 0x2E80 && c < 0xFF61) ? 16 : 8);
    return {width, height};
}

void HeadlessCanvas::drawText(Point topLeft, TextView t)
{
    DrawnText d;
    d.at = topLeft;
    d.text = Text(t);
    d.color = textColor_;
    d.extent = textExtent(t);
    if (font_) {
        d.face = font_->face;
        d.tenths = font_->tenths;
    }
    texts_.push_back(std::move(d));
}

namespace {

std::unique_ptr<HeadlessCanvas> decodePng(const std::vector<std::uint8_t>& bytes)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
        return nullptr;
    image.format = PNG_FORMAT_BGRA; // B, G, R, A in memory: the DIB layout
    if (image.width == 0 || image.height == 0 || image.width > 16384 || image.height > 16384) {
        png_image_free(&image);
        return nullptr;
    }
    auto canvas = std::make_unique<HeadlessCanvas>(Size{int(image.width), int(image.height)});
    std::vector<std::uint8_t> raw(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, raw.data(), 0, nullptr)) {
        png_image_free(&image);
        return nullptr;
    }
    std::span<Pixel> px = canvas->pixels();
    for (size_t i = 0; i < px.size(); ++i)
        px[i] = makePixel(raw[i * 4 + 3], raw[i * 4 + 2], raw[i * 4 + 1], raw[i * 4]);
    return canvas;
}

struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
};

void jpegFail(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

void jpegQuiet(j_common_ptr, int) {}

// Kept free of C++ objects with destructors between setjmp and longjmp.
bool decodeJpegInto(const std::vector<std::uint8_t>& bytes, std::vector<std::uint8_t>& rgb, int& width, int& height)
{
    jpeg_decompress_struct info;
    JpegError err;
    info.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = jpegFail;
    err.mgr.emit_message = jpegQuiet;
    jpeg_create_decompress(&info);
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (info.output_components != 3 || info.output_width > 16384 || info.output_height > 16384) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    width = int(info.output_width);
    height = int(info.output_height);
    rgb.resize(size_t(width) * size_t(height) * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = rgb.data() + size_t(info.output_scanline) * size_t(width) * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

std::unique_ptr<HeadlessCanvas> decodeJpeg(const std::vector<std::uint8_t>& bytes)
{
    std::vector<std::uint8_t> rgb;
    int width = 0, height = 0;
    if (!decodeJpegInto(bytes, rgb, width, height) || width == 0 || height == 0)
        return nullptr;
    auto canvas = std::make_unique<HeadlessCanvas>(Size{width, height});
    std::span<Pixel> px = canvas->pixels();
    for (size_t i = 0; i < px.size(); ++i)
        px[i] = makePixel(255, rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2]);
    return canvas;
}

} // namespace

std::unique_ptr<HeadlessCanvas> decodePicture(const std::vector<std::uint8_t>& bytes)
{
    static const std::uint8_t pngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (bytes.size() >= 8 && std::memcmp(bytes.data(), pngSignature, 8) == 0)
        return decodePng(bytes);
    if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
        return decodeJpeg(bytes);
    return nullptr;
}

std::unique_ptr<Canvas> HeadlessGraphics::loadPicture(const Text& path)
{
    auto bytes = os().files->readFile(path);
    if (!bytes)
        return nullptr;
    auto canvas = decodePicture(*bytes);
    if (canvas) {
        std::lock_guard lock(mutex_);
        ++picturesLoaded;
    }
    return canvas;
}

std::unique_ptr<Canvas> HeadlessGraphics::createCanvas(Size size)
{
    return std::make_unique<HeadlessCanvas>(size);
}

std::shared_ptr<Font> HeadlessGraphics::createPointFont(int tenths, const Text& face)
{
    std::lock_guard lock(mutex_);
    fontsCreated.emplace_back(tenths, face);
    // As CreatePointFont: the height in pixels is tenths × dpi / 720, rounded.
    int pixelHeight = (tenths * dpi + 360) / 720;
    return std::make_shared<HeadlessFont>(tenths, face, pixelHeight);
}

bool HeadlessGraphics::addPrivateFontFile(const Text& path)
{
    if (!os().files->exists(path) || os().files->isDirectory(path))
        return false;
    std::lock_guard lock(mutex_);
    privateFontFiles.push_back(path);
    return true;
}

FontResource HeadlessGraphics::addFontFromResource(int id)
{
    std::lock_guard lock(mutex_);
    fontResourcesAsked.push_back(id);
    return fontResource;
}

} // namespace platform::headless
