#pragma once
// The macro page's owner-drawn list: rows with a kind (also the index of the
// row's icon), drawn light on dark, and editable in place. An edit starts when
// the list receives character code 1 with a row selected; it ends with Enter,
// a lost focus, a scroll or a right click (keeping the new text) or with
// Escape (discarding it). A kept, changed text replaces the row's text and the
// parent hears of it (EditDone: row, list number).
#include "platform/controls.h"

#include <functional>
#include <vector>

namespace ui {

// List numbers, as the edit-done notice carries them.
namespace listnumber {
constexpr int Library = 1;
constexpr int Events = 2;
constexpr int Values = 3;
} // namespace listnumber

constexpr platform::Color kRowColour = platform::rgb(0x16, 0x16, 0x16);
constexpr platform::Color kSelectedRowColour = platform::rgb(0x5D, 0x5D, 0x5D);
constexpr platform::Color kRowTextColour = platform::rgb(0xFF, 0xFF, 0xFF);

class ListBoxXI : public platform::ListHandler {
public:
    explicit ListBoxXI(int listNumber) : listNumber_(listNumber) {}
    ~ListBoxXI() override;

    // Creates the list window on `parent`; icons are resource ids in the
    // order of the row kinds, each iconSize pixels square.
    bool create(platform::Window& parent, int id, const platform::Rect& rect, std::span<const int> icons,
                int iconSize, const std::shared_ptr<platform::Font>& font);
    void destroy();
    bool exists() const { return native_ != nullptr; }
    platform::NativeList* native() const { return native_.get(); }
    int listNumber() const { return listNumber_; }

    // Index of the row, or -1 when the list refused it (no kind is kept then).
    int addRow(const Text& text, int kind);
    int insertRow(int index, const Text& text, int kind);
    void deleteRow(int index);
    void empty();
    int rowKind(int index) const;   // -1 when the row has none
    int count() const;
    Text rowText(int index) const;
    int selection() const;
    void select(int index);
    void setRedraw(bool on);
    // The row under a point of the list's client area; -1 below the last row.
    int rowAt(platform::Point p) const;

    // Starts editing the selected row in place (as character code 1 does).
    void startEdit() { onChar(1); }
    bool editing() const { return native_ && native_->editorOpen(); }
    // Ends an edit; with commit a changed text replaces the row and is reported.
    void endEdit(bool commit);

    // What the page wants to hear besides the edits.
    std::function<void()> selectionChanged;
    std::function<void()> doubleClicked;
    std::function<void(platform::Point)> rightButtonUp;

    // platform::ListHandler
    platform::RowPaint paintRow(int row, const platform::Rect& rect, bool selected) override;
    void onChar(unsigned code) override;
    void onKeyUp(unsigned virtualKey) override;
    void onScroll() override { endEdit(true); }
    void onRButtonUp(platform::Point p) override;
    void onSelectionChange() override;
    void onDoubleClick() override;
    void onEndEdit(bool commit) override { endEdit(commit); }

private:
    void openEditorOnSelection();

    int listNumber_;
    std::unique_ptr<platform::NativeList> native_;
    std::vector<int> kinds_;
    int iconCount_ = 0;
    int iconSize_ = 0;
    unsigned lastChar_ = 0;
    int editRow_ = -1;
};

// The repeat box: digits and backspace only, with a change callback.
class NumberEdit : public platform::EditHandler {
public:
    bool create(platform::Window& parent, int id, const platform::Rect& rect,
                const std::shared_ptr<platform::Font>& font);
    void destroy() { native_.reset(); }
    bool exists() const { return native_ != nullptr; }
    platform::NativeEdit* native() const { return native_.get(); }

    Text text() const { return native_ ? native_->text() : Text(); }
    void setText(const Text& t);
    void enable(bool on);
    bool isEnabled() const { return native_ && native_->isEnabled(); }

    std::function<void()> changed;
    void onChange() override;

private:
    std::unique_ptr<platform::NativeEdit> native_;
};

} // namespace ui
