#pragma once
// Points, sizes and rectangles in window or screen pixels, and colours in the
// Windows COLORREF layout (red in the low byte).
#include <cstdint>

namespace platform {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// Left and top edges inside, right and bottom edges outside (as RECT).
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static Rect fromXywh(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    bool contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    bool intersects(const Rect& o) const
    {
        return !isEmpty() && !o.isEmpty() && left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    // The smallest rectangle holding both; an empty one adds nothing.
    Rect united(const Rect& o) const
    {
        if (o.isEmpty())
            return *this;
        if (isEmpty())
            return o;
        return {left < o.left ? left : o.left, top < o.top ? top : o.top, right > o.right ? right : o.right,
                bottom > o.bottom ? bottom : o.bottom};
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

using Color = std::uint32_t; // 0x00BBGGRR

constexpr Color rgb(unsigned r, unsigned g, unsigned b)
{
    return Color((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr unsigned redOf(Color c) { return c & 0xFF; }
constexpr unsigned greenOf(Color c) { return (c >> 8) & 0xFF; }
constexpr unsigned blueOf(Color c) { return (c >> 16) & 0xFF; }

} // namespace platform
