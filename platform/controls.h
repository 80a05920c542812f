#pragma once
// Standard child controls on a skinned window: an owner-drawn list box whose
// rows the program paints and may edit in place, and an edit box. The native
// side owns the windows; the program's side (a handler) decides what a row
// looks like and what input means. The Win32 build makes real LISTBOX and
// EDIT windows; the headless build keeps rows and text in memory and lets
// tests type and click.
#include "platform/graphics.h"
#include "platform/window.h"

#include <memory>
#include <span>

namespace platform {

// Messages of the lists' in-place editing.
namespace listmsg {
constexpr unsigned EndEdit = 0x8841;  // to the list: wParam 1 keeps the new text, 0 discards it
constexpr unsigned EditDone = 0xA711; // to the parent: wParam row, lParam list number
} // namespace listmsg

// How one row is painted, in the list's client coordinates.
struct RowPaint {
    Rect row;
    Color background = 0;
    int icon = -1;          // index into the list's icons; -1: none
    Point iconAt;
    Rect textRect;          // text vertically centred on one line
    Text text;
    Color textColor = 0;
};

class ListHandler {
public:
    virtual ~ListHandler() = default;
    virtual RowPaint paintRow(int row, const Rect& rect, bool selected) = 0;
    virtual void onChar(unsigned /*code*/) {}
    virtual void onKeyUp(unsigned /*virtualKey*/) {}
    // Scrolling and the right button end an edit first; the list then
    // handles them as usual.
    virtual void onScroll() {}
    virtual void onRButtonUp(Point) {}
    virtual void onSelectionChange() {}
    virtual void onDoubleClick() {}
    virtual void onEndEdit(bool /*commit*/) {}
};

class NativeList {
public:
    virtual ~NativeList() = default;
    virtual WindowHandle handle() const = 0;
    // Index of the new row, or -1 when the list refused it.
    virtual int add(const Text& text) = 0;
    virtual int insert(int index, const Text& text) = 0;
    virtual bool remove(int index) = 0;
    virtual void clear() = 0;
    virtual int count() const = 0;
    virtual Text text(int index) const = 0;
    virtual int selection() const = 0;      // -1: none
    virtual void select(int index) = 0;
    virtual int topRow() const = 0;
    virtual void setTopRow(int index) = 0;
    virtual Rect rowRect(int index) const = 0;
    virtual void setRowHeight(int height) = 0;
    // Height of a line of text in the list's font.
    virtual int textHeight() = 0;
    virtual void setRedraw(bool on) = 0;
    virtual void invalidate() = 0;
    // Paints what is invalid now (UpdateWindow).
    virtual void update() = 0;
    virtual void show(bool visible) = 0;

    // The in-place editor: an edit box over `r` holding `t`, all selected,
    // with the keyboard focus. Enter and losing the focus end it with a
    // commit, Escape without (listmsg::EndEdit to the list).
    virtual void openEditor(const Rect& r, const Text& t) = 0;
    virtual bool editorOpen() const = 0;
    virtual Text editorText() const = 0;
    virtual void closeEditor() = 0;

    // SendMessage to the parent window.
    virtual std::intptr_t notifyParent(unsigned id, std::uintptr_t wParam, std::intptr_t lParam) = 0;
};

class EditHandler {
public:
    virtual ~EditHandler() = default;
    virtual void onChange() {}
};

class NativeEdit {
public:
    virtual ~NativeEdit() = default;
    virtual WindowHandle handle() const = 0;
    virtual Text text() const = 0;
    // Sets the text without reporting a change.
    virtual void setText(const Text& t) = 0;
    virtual void enable(bool on) = 0;
    virtual bool isEnabled() const = 0;
    virtual void caretToEnd() = 0;
    virtual void show(bool visible) = 0;
};

// Whether a number-only edit takes a typed character: digits and backspace.
constexpr bool numberEditAccepts(unsigned code) { return (code >= '0' && code <= '9') || code == 8; }

struct ListStyle {
    int id = 0;
    Rect rect;                        // in the parent's client coordinates
    std::span<const int> iconIds;     // icon resources, in image-list order
    int iconSize = 16;
    std::shared_ptr<Font> font;
};

class Controls {
public:
    virtual ~Controls() = default;
    // An owner-drawn list (vertical scroll bar, notifications, rows of one height).
    virtual std::unique_ptr<NativeList> createList(Window& parent, const ListStyle& style, ListHandler& handler) = 0;
    // A centred edit box that takes only digits and backspace.
    virtual std::unique_ptr<NativeEdit> createNumberEdit(Window& parent, int id, const Rect& rect,
                                                         const std::shared_ptr<Font>& font, EditHandler& handler) = 0;
};

// The build's controls (Win32 or headless).
Controls& controls();

} // namespace platform
