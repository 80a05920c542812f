#pragma once
// The base of every skinned window (the main window, the warning dialog, the
// menus and dialogs to come): its size and shape from a mask picture, the
// region tables it hit-tests on every mouse move with what is hovered and
// whether the left button is held over it, and painting from its normal,
// over and down pictures composed off screen.
#include "ui/skin.h"

#include <span>
#include <vector>

namespace ui {

class SkinnedWindow : public platform::Window {
public:
    using platform::Window::Window;

    // --- hover tracking ---
    // The tables hit-tested on every mouse move, in order; a table given as a
    // prefix is only hit-tested over that prefix. Hover is cleared.
    void setTrackedTables(std::vector<std::span<const SkinRegion>> tables);
    // The region of tracked table `track` under the mouse, kNoRegion for none.
    int hovered(std::size_t track) const;
    bool anyHovered() const;
    // Set by a left-button press over a tracked region, cleared by its release.
    bool pressed() const { return pressed_; }
    void setPressed(bool pressed) { pressed_ = pressed; }
    // Forgets what was hovered (the mouse left, or the tables changed); true when anything was.
    bool clearHover();

    // The window's parts: the skin place (data root, language, scale) and the
    // pictures the current look is drawn from.
    virtual const SkinPlace& skinPlace() const = 0;
    virtual Text pictureBase() const = 0;
    virtual Text pictureVariant() const { return Text(); }
    // The file of the current look's picture of a kind ("normal", "over", "down").
    Text pictureFile(const char16_t* kind) const
    {
        return skinPlace().picture(pictureBase() + u"_" + kind + pictureVariant() + u".jpg");
    }

    // Size and shape from the window's mask picture (`name` under the data
    // root) at its current position; nothing when the mask cannot be decoded.
    std::optional<Size> shapeFromMaskPicture(const Text& name);

    // --- handlers ---
    bool onEraseBackground() override { return true; } // the skin paints every pixel
    bool onPaint(platform::Canvas& surface) override;
    // Hover tracking: recomputes every tracked table and repaints when a value changed.
    void onMouseMove(Point p) override;
    void onMouseLeave() override;

protected:
    // The parts of the picture (scale 1) the paint under way composes; drawing
    // that misses them may be left out.
    std::span<const Rect> paintAreas() const { return paintAreas_; }
    // Everything drawn on the normal picture before it goes to the window:
    // hover and selected regions, texts. The default draws the hover of the
    // first tracked table.
    virtual void paintLayers(SkinPictures& pictures);
    // Called by the move handler with the values already stored, when any changed.
    virtual void hoverChanged() { invalidate(); }
    // The minimised window; false lets the default painting run.
    virtual bool paintIconic(platform::Canvas&) { return false; }
    // After the mouse left the window (a leave notice was asked for on the first hover).
    virtual void mouseLeft();

private:
    struct Track {
        std::span<const SkinRegion> table;
        int hovered = kNoRegion;
    };
    std::vector<Track> tracks_;
    std::unique_ptr<platform::Canvas> frame_; // the composed picture, kept between paints
    std::vector<Rect> paintAreas_;
    bool pressed_ = false;
    bool leaveTracked_ = false;
};

} // namespace ui
