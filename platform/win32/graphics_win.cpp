#include "platform/win32/graphics_win.h"

#include "platform/win32/win_util.h"

#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <mutex>

namespace platform::win32 {

Win32Font::~Win32Font()
{
    if (font_)
        DeleteObject(font_);
}

const SIZE* Win32Font::knownExtent(TextView t) const
{
    auto it = extents_.find(Text(t));
    return it == extents_.end() ? nullptr : &it->second;
}

void Win32Font::rememberExtent(TextView t, SIZE s)
{
    // Texts that change (counters, values) must not grow it without end.
    constexpr size_t kMaxExtents = 2048;
    if (extents_.size() >= kMaxExtents)
        extents_.clear();
    extents_.emplace(Text(t), s);
}

DcCanvas::~DcCanvas()
{
    if (originalFont_)
        SelectObject(dc_, originalFont_);
    if (ownsDc_)
        DeleteDC(dc_);
}

namespace {

HDC dcOf(const Canvas& c)
{
    auto* dcCanvas = dynamic_cast<const DcCanvas*>(&c);
    return dcCanvas ? dcCanvas->dc() : nullptr;
}

// A solid brush for one fill.
class Brush {
public:
    explicit Brush(Color c) : brush_(CreateSolidBrush(c)) {}
    ~Brush() { DeleteObject(brush_); }
    HBRUSH get() const { return brush_; }

private:
    HBRUSH brush_;
};

} // namespace

std::vector<Rect> DcCanvas::clipRects() const
{
    if (!parts_.empty())
        return parts_;
    RECT box;
    if (GetClipBox(dc_, &box) == NULLREGION || box.right <= box.left || box.bottom <= box.top)
        return {};
    return {Rect{box.left, box.top, box.right, box.bottom}};
}

void DcCanvas::copyFrom(const Canvas& src, const Rect& dst, Point s)
{
    HDC from = dcOf(src);
    if (!from || dst.isEmpty())
        return;
    BitBlt(dc_, dst.left, dst.top, dst.width(), dst.height(), from, s.x, s.y, SRCCOPY);
}

void DcCanvas::stretchFrom(const Canvas& src, const Rect& dst, const Rect& s)
{
    HDC from = dcOf(src);
    if (!from || dst.isEmpty() || s.isEmpty())
        return;
    SetStretchBltMode(dc_, COLORONCOLOR);
    StretchBlt(dc_, dst.left, dst.top, dst.width(), dst.height(), from, s.left, s.top, s.width(), s.height(), SRCCOPY);
}

void DcCanvas::alphaBlendFrom(const Canvas& src, Point at)
{
    HDC from = dcOf(src);
    Size s = src.size();
    if (!from || s.width <= 0 || s.height <= 0)
        return;
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc_, at.x, at.y, s.width, s.height, from, 0, 0, s.width, s.height, blend);
}

void DcCanvas::fill(const Rect& r, Color c)
{
    if (r.isEmpty())
        return;
    RECT rc = {r.left, r.top, r.right, r.bottom};
    Brush brush(c);
    FillRect(dc_, &rc, brush.get());
}

void DcCanvas::setFont(const std::shared_ptr<Font>& font)
{
    auto* f = dynamic_cast<Win32Font*>(font.get());
    HGDIOBJ previous = SelectObject(dc_, f ? static_cast<HGDIOBJ>(f->handle()) : GetStockObject(SYSTEM_FONT));
    if (!originalFont_)
        originalFont_ = previous;
    font_ = font; // keeps the selected font alive while the DC holds it
}

void DcCanvas::setTextColor(Color c)
{
    SetTextColor(dc_, c);
}

Size DcCanvas::textExtent(TextView t)
{
    auto* font = dynamic_cast<Win32Font*>(font_.get());
    if (font)
        if (const SIZE* known = font->knownExtent(t))
            return {int(known->cx), int(known->cy)};
    SIZE s = {0, 0};
    std::wstring w = wide(t);
    if (GetTextExtentPoint32W(dc_, w.c_str(), int(w.size()), &s) && font)
        font->rememberExtent(t, s);
    return {int(s.cx), int(s.cy)};
}

void DcCanvas::drawText(Point at, TextView t)
{
    std::wstring w = wide(t);
    SetBkMode(dc_, TRANSPARENT);
    TextOutW(dc_, at.x, at.y, w.c_str(), int(w.size()));
}

void DcCanvas::drawIcon(int resourceId, Point at)
{
    // LoadIcon's icons are shared: never destroyed.
    if (HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId)))
        DrawIcon(dc_, at.x, at.y, icon);
}

DibCanvas::DibCanvas(Size size)
    : DcCanvas(CreateCompatibleDC(nullptr), {std::max(size.width, 0), std::max(size.height, 0)}, true)
{
    if (size_.width == 0 || size_.height == 0)
        return;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size_.width;
    info.bmiHeader.biHeight = -size_.height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap_) {
        size_ = {};
        return;
    }
    bits_ = static_cast<Pixel*>(bits);
    originalBitmap_ = SelectObject(dc_, bitmap_);
}

DibCanvas::~DibCanvas()
{
    if (originalBitmap_)
        SelectObject(dc_, originalBitmap_);
    if (bitmap_)
        DeleteObject(bitmap_);
    // The base puts the original font back and deletes the DC.
}

std::span<Pixel> DibCanvas::pixels()
{
    if (!bits_)
        return {};
    GdiFlush(); // pending GDI drawing must land before the bits are touched
    return {bits_, size_t(size_.width) * size_t(size_.height)};
}

namespace {

// GDI+ is started once for the process and left running until it ends.
void startGdiplus()
{
    static std::once_flag once;
    std::call_once(once, [] {
        ULONG_PTR token = 0;
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&token, &input, nullptr);
    });
}

} // namespace

std::unique_ptr<Canvas> Win32Graphics::loadPicture(const Text& path)
{
    startGdiplus();
    std::wstring w = wide(path);
    DWORD attributes = GetFileAttributesW(w.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return nullptr;
    // The bitmap holds its file open while it lives: copy the pixels out and let it go.
    std::unique_ptr<Gdiplus::Bitmap> bitmap(Gdiplus::Bitmap::FromFile(w.c_str(), FALSE));
    if (!bitmap || bitmap->GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    const UINT width = bitmap->GetWidth(), height = bitmap->GetHeight();
    if (width == 0 || height == 0 || width > 16384 || height > 16384)
        return nullptr;
    auto canvas = std::make_unique<DibCanvas>(Size{int(width), int(height)});
    std::span<Pixel> px = canvas->pixels();
    if (px.empty())
        return nullptr;
    Gdiplus::BitmapData data = {};
    data.Width = width;
    data.Height = height;
    data.Stride = INT(width * 4);
    data.PixelFormat = PixelFormat32bppARGB;
    data.Scan0 = px.data();
    Gdiplus::Rect all(0, 0, INT(width), INT(height));
    if (bitmap->LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                         PixelFormat32bppARGB, &data) != Gdiplus::Ok)
        return nullptr;
    bitmap->UnlockBits(&data);
    return canvas;
}

std::unique_ptr<Canvas> Win32Graphics::createCanvas(Size size)
{
    return std::make_unique<DibCanvas>(size);
}

std::shared_ptr<Font> Win32Graphics::createPointFont(int tenths, const Text& face)
{
    // What CDialog's CreatePointFont does: tenths of a point to a height in
    // logical units of the screen DC.
    LOGFONTW lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    std::wstring w = wide(face);
    w.copy(lf.lfFaceName, LF_FACESIZE - 1);
    HDC screen = GetDC(nullptr);
    POINT pt = {0, MulDiv(GetDeviceCaps(screen, LOGPIXELSY), tenths, 720)};
    DPtoLP(screen, &pt, 1);
    POINT origin = {0, 0};
    DPtoLP(screen, &origin, 1);
    ReleaseDC(nullptr, screen);
    lf.lfHeight = -std::abs(pt.y - origin.y);
    return std::make_shared<Win32Font>(CreateFontIndirectW(&lf));
}

int Win32Graphics::logPixelsX()
{
    HDC screen = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
    if (!screen)
        return 96;
    int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    DeleteDC(screen);
    return dpi;
}

bool Win32Graphics::addPrivateFontFile(const Text& path)
{
    std::wstring w = wide(path);
    return AddFontResourceExW(w.c_str(), FR_PRIVATE, nullptr) > 0;
}

FontResource Win32Graphics::addFontFromResource(int id)
{
    HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(id), L"RT_FONT");
    if (!resource)
        return FontResource::Absent;
    HGLOBAL loaded = LoadResource(nullptr, resource);
    void* data = loaded ? LockResource(loaded) : nullptr;
    DWORD size = SizeofResource(nullptr, resource);
    if (!data || size == 0)
        return FontResource::Failed;
    DWORD fonts = 0;
    // The font stays registered for the life of the process.
    return AddFontMemResourceEx(data, size, nullptr, &fonts) ? FontResource::Added : FontResource::Failed;
}

} // namespace platform::win32
