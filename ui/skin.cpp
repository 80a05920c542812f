#include "ui/skin.h"

#include "platform/platform.h"
#include "ui/picture_cache.h"
#include "ui/tips.h"

#include <algorithm>
#include <vector>

namespace ui {

namespace {

constexpr size_t kValueChars = 260; // values up to 259 characters

std::vector<size_t> commaPositions(TextView value)
{
    std::vector<size_t> commas;
    for (size_t i = 0; i < value.size(); ++i)
        if (value[i] == u',')
            commas.push_back(i);
    return commas;
}

Text piece(TextView value, size_t from, size_t to)
{
    return Text(value.substr(from, to - from));
}

const Text kMissingFile = u"\u627E\u4E0D\u5230\u914D\u7F6E\u6587\u4EF6";   // 找不到配置文件
const Text kBadEntry = u"\u52A0\u8F7Dini\u9519\u8BEF\uFF01";               // 加载ini错误！

} // namespace

SkinFields splitMainFields(TextView value)
{
    SkinFields f;
    std::vector<size_t> commas = commaPositions(value);
    const size_t n = commas.size();
    if (n >= 5) {
        // Seven fields at most: what lies beyond a seventh comma is dropped.
        size_t start = 0;
        for (size_t k = 0; k < 7; ++k) {
            size_t end = k < n ? commas[k] : value.size();
            f[k] = piece(value, start, end);
            if (k >= n)
                break;
            start = commas[k] + 1;
        }
    } else if (n == 1 || n == 2) {
        f[0] = piece(value, 0, commas[0]);
        if (n == 1) {
            f[1] = piece(value, commas[0] + 1, value.size());
        } else {
            f[1] = piece(value, commas[0] + 1, commas[1]);
            f[2] = piece(value, commas[1] + 1, value.size());
        }
    } else {
        f[0] = Text(value);
    }
    return f;
}

DialogFields splitDialogFields(TextView value)
{
    DialogFields out;
    std::vector<size_t> commas = commaPositions(value);
    out.tooManyCommas = commas.size() > 6;
    if (commas.empty()) {
        out.fields[0] = Text(value);
        return out;
    }
    size_t start = 0;
    for (size_t k = 0; k < 6; ++k) {
        if (k >= commas.size())
            break; // this field's closing comma is missing: it stays empty
        out.fields[k] = piece(value, start, commas[k]);
        start = commas[k] + 1;
    }
    if (commas.size() >= 6)
        out.fields[6] = piece(value, commas[5] + 1, value.size());
    return out;
}

int displayScale(Size screen)
{
    return (screen.width >= 2880 && screen.height >= 1800) ? 2 : 1;
}

namespace {

SkinFields readFields(const Text& path, const Text& section, const Text& key, SkinReader reader)
{
    Text value = platform::os().profile->getString(path, section, key, Text(), kValueChars);
    if (reader == SkinReader::MainWindow)
        return splitMainFields(value);
    DialogFields d = splitDialogFields(value);
    if (d.tooManyCommas)
        platform::os().windows->messageBox(nullptr, kBadEntry, programName());
    return d.fields;
}

// A coordinate or size of a skin entry, scaled. Hand-edited files may hold any
// number: values are kept to what a window can show, so that scaling, the
// right edge (left + width) and hit tests never overflow.
int skinCoordinate(const Text& field, int scale)
{
    return std::clamp(text::toInt(field), -kMaxSkinCoordinate, kMaxSkinCoordinate) *
           std::clamp(scale, 1, kMaxDisplayScale);
}

void reportMissing(SkinReader reader)
{
    if (reader == SkinReader::MainWindow)
        showTip(5);
    else
        platform::os().windows->messageBox(nullptr, kMissingFile, programName());
}

} // namespace

bool loadRegionTable(const SkinPlace& place, const Text& file, const Text& section, int first,
                     std::span<SkinRegion> table, SkinReader reader)
{
    const Text path = place.languageFile(file);
    const bool found = platform::os().files->exists(path);
    for (size_t i = 0; i < table.size(); ++i) {
        SkinFields f = readFields(path, section, text::fromInt(first + long(i)), reader);
        SkinRegion& r = table[i];
        r.x = skinCoordinate(f[1], place.scale);
        r.y = skinCoordinate(f[2], place.scale);
        r.width = skinCoordinate(f[3], place.scale);
        r.height = skinCoordinate(f[4], place.scale);
        r.text = f[5];
    }
    if (!found)
        reportMissing(reader);
    return found;
}

Rect loadRectangle(const SkinPlace& place, const Text& file, const Text& section, int key, SkinReader reader)
{
    SkinFields f = readFields(place.languageFile(file), section, text::fromInt(key), reader);
    const int left = skinCoordinate(f[1], place.scale);
    const int top = skinCoordinate(f[2], place.scale);
    return {left, top, left + skinCoordinate(f[3], place.scale), top + skinCoordinate(f[4], place.scale)};
}

int hitTest(Point p, std::span<const SkinRegion> table)
{
    const size_t count = std::min<size_t>(table.size(), kNoRegion);
    for (size_t i = 0; i < count; ++i)
        if (table[i].contains(p))
            return int(i);
    return kNoRegion;
}

Rect pictureRect(const SkinRegion& r, int scale)
{
    int s = std::max(scale, 1);
    return Rect::fromXywh(r.x / s, r.y / s, r.width / s, r.height / s);
}

namespace {
// What of a region lies on the picture: skin files may place regions far
// outside it, and a copy must not walk all of that.
Rect clipToCanvas(Rect r, const platform::Canvas& canvas)
{
    const Size size = canvas.size();
    r.left = std::clamp(r.left, 0, size.width);
    r.right = std::clamp(r.right, r.left, size.width);
    r.top = std::clamp(r.top, 0, size.height);
    r.bottom = std::clamp(r.bottom, r.top, size.height);
    return r;
}
} // namespace

void copyRegion(platform::Canvas& dst, const platform::Canvas* src, const SkinRegion& r, int scale)
{
    if (!src)
        return;
    Rect pr = clipToCanvas(pictureRect(r, scale), dst);
    if (pr.isEmpty())
        return;
    dst.copyFrom(*src, pr, {pr.left, pr.top});
}

void drawPartialRegion(platform::Canvas& dst, const platform::Canvas* src, const SkinRegion& r, int width, int scale)
{
    if (!src || width <= 0)
        return;
    Rect pr = pictureRect(r, scale);
    pr.right = pr.left + width;
    pr = clipToCanvas(pr, dst);
    if (pr.isEmpty())
        return;
    dst.copyFrom(*src, pr, {pr.left, pr.top});
}

std::unique_ptr<platform::Canvas> loadPicture(const Text& path)
{
    return platform::os().graphics->loadPicture(path);
}

void premultiplyAlpha(platform::Canvas& picture)
{
    for (platform::Pixel& p : picture.pixels()) {
        unsigned a = platform::alphaOf(p);
        unsigned r = ((p >> 16) & 0xFF) * a / 255;
        unsigned g = ((p >> 8) & 0xFF) * a / 255;
        unsigned b = (p & 0xFF) * a / 255;
        p = platform::makePixel(a, r, g, b);
    }
}

bool drawPng(const Text& path, platform::Canvas& dst, Point at)
{
    auto picture = pictureCache().premultiplied(path);
    if (!picture)
        return false;
    dst.alphaBlendFrom(*picture, at);
    return true;
}

std::optional<Size> maskSize(const Text& path)
{
    auto mask = loadPicture(path);
    if (!mask)
        return std::nullopt;
    return mask->size();
}

void shapeWindow(platform::Window& window, Size mask, int scale, Point topLeft)
{
    const int w = mask.width * scale, h = mask.height * scale;
    window.setRegion({0, 0, w, h});
    window.move(Rect::fromXywh(topLeft.x, topLeft.y, w, h));
}

std::optional<Size> shapeFromMask(platform::Window& window, const Text& maskPath, int scale)
{
    std::optional<Size> mask = maskSize(maskPath);
    if (mask) {
        Rect r = window.windowRect();
        shapeWindow(window, *mask, scale, {r.left, r.top});
    }
    return mask;
}

SkinPictures loadSkinPictures(const SkinPlace& place, const Text& base, const Text& variant)
{
    PictureCache& cache = pictureCache();
    SkinPictures p;
    if (auto normal = cache.get(place.picture(base + u"_normal" + variant + u".jpg"))) {
        Size s = normal->size();
        p.normal = platform::os().graphics->createCanvas(s);
        p.normal->copyFrom(*normal, {0, 0, s.width, s.height}, {0, 0});
    }
    p.over = cache.get(place.picture(base + u"_over" + variant + u".jpg"));
    p.down = cache.get(place.picture(base + u"_down" + variant + u".jpg"));
    return p;
}

void paintHover(SkinPictures& pictures, std::span<const SkinRegion> table, int hovered, bool pressed, int scale)
{
    if (!pictures.normal || hovered < 0 || hovered == kNoRegion || size_t(hovered) >= table.size())
        return;
    copyRegion(*pictures.normal, pressed ? pictures.down.get() : pictures.over.get(), table[size_t(hovered)], scale);
}

std::vector<Rect> pictureAreas(const platform::Canvas& surface, Size picture, int scale)
{
    const int s = std::max(scale, 1);
    std::vector<Rect> areas;
    for (const Rect& r : surface.clipRects()) {
        // Outward to whole picture pixels: floor the top left, ceil the bottom right.
        auto down = [s](int v) { return v >= 0 ? v / s : -((-v + s - 1) / s); };
        auto up = [s](int v) { return v >= 0 ? (v + s - 1) / s : -(-v / s); };
        Rect a{std::clamp(down(r.left), 0, picture.width), std::clamp(down(r.top), 0, picture.height),
               std::clamp(up(r.right), 0, picture.width), std::clamp(up(r.bottom), 0, picture.height)};
        if (!a.isEmpty())
            areas.push_back(a);
    }
    return areas;
}

bool touchesAny(const Rect& box, std::span<const Rect> areas)
{
    return areas.empty() || std::any_of(areas.begin(), areas.end(), [&](const Rect& a) { return a.intersects(box); });
}

void present(platform::Canvas& surface, const platform::Canvas& picture, int scale)
{
    const int s = std::max(scale, 1);
    for (const Rect& a : pictureAreas(surface, picture.size(), s))
        surface.stretchFrom(picture, {a.left * s, a.top * s, a.right * s, a.bottom * s}, a);
}

Text programName()
{
    Text path = platform::os().process->executablePath();
    size_t slash = path.find_last_of(u"\\/");
    Text name = slash == Text::npos ? path : path.substr(slash + 1);
    size_t dot = name.find_last_of(u'.');
    if (dot != Text::npos && dot > 0)
        name.resize(dot);
    return name;
}

} // namespace ui
