#pragma once
// Skins: numbered rectangles read from the skin INI files of the language
// folder, scaled by the display scale, hit-tested, and used to copy parts of
// the window pictures (which stay at scale 1) onto one another.
#include "platform/geometry.h"
#include "platform/graphics.h"
#include "platform/text.h"
#include "platform/window.h"

#include <array>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace ui {

using platform::Point;
using platform::Rect;
using platform::Size;

// Returned by hitTest when no region contains the point; never a region number.
constexpr int kNoRegion = 255;

// Skin entries are clamped to ±kMaxSkinCoordinate before they are scaled
// (at most by kMaxDisplayScale): no window is that large.
constexpr int kMaxSkinCoordinate = 32767;
constexpr int kMaxDisplayScale = 4;

struct SkinRegion {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    Text text;

    // Right and bottom edges outside; a region of width or height 0 is never hit.
    Rect rect() const { return Rect::fromXywh(x, y, width, height); }
    bool contains(Point p) const { return width > 0 && height > 0 && rect().contains(p); }
};

// The seven comma-separated fields of a skin entry (label, x, y, width,
// height, text, reserved).
using SkinFields = std::array<Text, 7>;

// The main window's splitter (its region tables and the language texts).
SkinFields splitMainFields(TextView value);

// The dialogs' splitter. Fields 0 to 5 need the comma after them, field 6 is
// the rest; tooManyCommas is set for more than six commas (the caller reports it).
struct DialogFields {
    SkinFields fields;
    bool tooManyCommas = false;
};
DialogFields splitDialogFields(TextView value);

// Display scale: 2 on screens of at least 2880 × 1800 pixels, otherwise 1.
int displayScale(Size screen);

// Which splitter a reader uses and how it reports a missing file.
enum class SkinReader { MainWindow, Dialog };

// Where skin files are: the data root and the current language folder
// ("\1_INI_EN", or empty for a language without a folder).
struct SkinPlace {
    Text dataRoot;
    Text languageFolder;
    int scale = 1;

    Text languageFile(const Text& name) const { return dataRoot + languageFolder + u"\\" + name; }
    Text picture(const Text& name) const { return dataRoot + u"\\" + name; }
};

// Reads keys first .. first + table.size() - 1 of a section into table, scaled.
// Missing keys and malformed values give empty regions. False when the file
// does not exist (the keys are still read, as empty values). The dialog reader
// shows its message box for an entry with more than six commas.
bool loadRegionTable(const SkinPlace& place, const Text& file, const Text& section, int first,
                     std::span<SkinRegion> table, SkinReader reader);

// One EDIT or MACRODISPLAY entry as a scaled rectangle.
Rect loadRectangle(const SkinPlace& place, const Text& file, const Text& section, int key, SkinReader reader);

// First region, in ascending order, containing the point, or kNoRegion.
int hitTest(Point p, std::span<const SkinRegion> table);

// The region's rectangle at scale 1 (coordinates divided by the scale).
Rect pictureRect(const SkinRegion& r, int scale);

// Copies a region from src to the same place on dst (both pictures at scale 1).
// A missing source draws nothing.
void copyRegion(platform::Canvas& dst, const platform::Canvas* src, const SkinRegion& r, int scale);
// The same, limited to `width` picture pixels from the region's left edge.
void drawPartialRegion(platform::Canvas& dst, const platform::Canvas* src, const SkinRegion& r, int width,
                       int scale);

// Decodes a picture; null when it is missing or not a picture.
std::unique_ptr<platform::Canvas> loadPicture(const Text& path);

// Multiplies red, green and blue by alpha / 255 in place (what AlphaBlend expects).
void premultiplyAlpha(platform::Canvas& picture);
// Blends a PNG with alpha onto the canvas at (x, y) with its own size, from the
// picture cache. False when the picture could not be loaded.
bool drawPng(const Text& path, platform::Canvas& dst, Point at);

// The size of a mask picture (its pixels do not matter), or nothing when it cannot be decoded.
std::optional<Size> maskSize(const Text& path);
// Shapes a window from its mask size: region (0, 0, w × s, h × s), moved to
// topLeft (screen) with that size.
void shapeWindow(platform::Window& window, Size mask, int scale, Point topLeft);

// A window's size from its mask at its current position: region and size
// become mask × scale. Nothing happens, and nothing is returned, when the mask
// cannot be decoded.
std::optional<Size> shapeFromMask(platform::Window& window, const Text& maskPath, int scale);

// The three pictures every skinned window paints from: `normal` is the
// window's own copy to draw on, `over` and `down` are only read.
struct SkinPictures {
    std::unique_ptr<platform::Canvas> normal;
    std::shared_ptr<const platform::Canvas> over;
    std::shared_ptr<const platform::Canvas> down;
};
// base + "_normal" + variant + ".jpg" and likewise "_over", "_down", under the
// data root, from the picture cache.
SkinPictures loadSkinPictures(const SkinPlace& place, const Text& base, const Text& variant = Text());

// The hover step of painting: the hovered region onto `normal`, from `down`
// while the left button is held, otherwise from `over`.
void paintHover(SkinPictures& pictures, std::span<const SkinRegion> table, int hovered, bool pressed, int scale);

// The parts of a picture (scale 1) that cover what the surface needs painted
// at the scale, each whole picture pixels within the picture.
std::vector<Rect> pictureAreas(const platform::Canvas& surface, Size picture, int scale);
// Whether a box on the picture touches any of the areas (none given: all of it).
bool touchesAny(const Rect& box, std::span<const Rect> areas);

// The last step: the finished picture to the window, enlarged by the scale;
// only the parts the surface needs painted are copied.
void present(platform::Canvas& surface, const platform::Canvas& picture, int scale);

// Painting a skinned window: its pictures (decoded when their files changed), the hovered region
// from over (down while pressed), then `decorate` for the window's own
// selected regions and texts on the normal picture, then the whole picture to
// the surface. False, with nothing drawn, when the normal picture is missing.
template <typename Decorate>
bool paintSkinnedWindow(platform::Canvas& surface, const SkinPlace& place, const Text& base, const Text& variant,
                        std::span<const SkinRegion> table, int hovered, bool pressed, Decorate&& decorate)
{
    SkinPictures pictures = loadSkinPictures(place, base, variant);
    if (!pictures.normal)
        return false;
    paintHover(pictures, table, hovered, pressed, place.scale);
    decorate(pictures);
    present(surface, *pictures.normal, place.scale);
    return true;
}

// Caption of the program's plain message boxes: the executable's name without extension.
Text programName();

} // namespace ui
