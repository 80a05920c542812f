#pragma once
// Child controls as in-memory models: rows, selection and an editor for the
// list, text and an enabled flag for the edit. Tests drive them the way the
// user would (type, click, press Enter) and read what a paint would draw.
#include "platform/controls.h"

#include <map>
#include <vector>

namespace platform::headless {

class HeadlessList : public NativeList {
public:
    HeadlessList(Window& parent, const ListStyle& style, ListHandler& handler);
    ~HeadlessList() override;

    WindowHandle handle() const override { return handle_; }
    int add(const Text& text) override;
    int insert(int index, const Text& text) override;
    bool remove(int index) override;
    void clear() override;
    int count() const override { return int(rows.size()); }
    Text text(int index) const override;
    int selection() const override { return selected; }
    void select(int index) override;
    int topRow() const override { return top; }
    void setTopRow(int index) override;
    Rect rowRect(int index) const override;
    void setRowHeight(int height) override { rowHeight = height; }
    int textHeight() override { return 14; }
    void setRedraw(bool on) override { redraw = on; }
    void invalidate() override { ++invalidations; }
    void update() override { paint(); }
    void show(bool on) override { visible = on; }
    void openEditor(const Rect& r, const Text& t) override;
    bool editorOpen() const override { return editor; }
    Text editorText() const override { return editorValue; }
    void closeEditor() override { editor = false; }
    std::intptr_t notifyParent(unsigned id, std::uintptr_t wParam, std::intptr_t lParam) override;

    // --- what the user does ---
    void typeChar(unsigned code) { handler_.onChar(code); }
    void keyUp(unsigned vk) { handler_.onKeyUp(vk); }
    void click(int row);              // selects the row (a change is reported)
    void doubleClick(int row);
    void rightClick(Point p) { handler_.onRButtonUp(p); }
    void scroll(int rows);            // moves the top row (an edit ends first)
    // In the editor: replace its text, press and release Enter / Escape, click elsewhere.
    void typeInEditor(const Text& t) { editorValue = t; }
    void editorKeyUp(unsigned vk);
    void editorLosesFocus();

    // The rows a paint of the list shows, from the top row down.
    std::vector<RowPaint> paint();

    std::vector<Text> rows;
    int selected = -1;
    int top = 0;
    int rowHeight = 16;
    bool redraw = true;
    bool visible = true;
    int invalidations = 0;
    bool editor = false;
    Rect editorRect;
    Text editorValue;
    Rect rect;
    int id = 0;
    int iconCount = 0;
    struct Notice {
        unsigned id;
        std::uintptr_t wParam;
        std::intptr_t lParam;
    };
    std::vector<Notice> notices;   // sent to the parent

private:
    Window& parent_;
    ListHandler& handler_;
    WindowHandle handle_;
};

class HeadlessEdit : public NativeEdit {
public:
    HeadlessEdit(int id, const Rect& rect, EditHandler& handler);
    ~HeadlessEdit() override;

    WindowHandle handle() const override { return handle_; }
    Text text() const override { return value; }
    void setText(const Text& t) override { value = t; }
    void enable(bool on) override { enabled = on; }
    bool isEnabled() const override { return enabled; }
    void caretToEnd() override { caret = int(value.size()); }
    void show(bool on) override { visible = on; }

    // Typing one character: the number filter applies, backspace removes the
    // character before the caret (the end), and a change is reported.
    void type(unsigned code);
    void type(const Text& t);

    Text value;
    bool enabled = true;
    bool visible = true;
    int caret = 0;
    int id = 0;
    Rect rect;

private:
    EditHandler& handler_;
    WindowHandle handle_;
};

class HeadlessControls : public Controls {
public:
    std::unique_ptr<NativeList> createList(Window& parent, const ListStyle& style, ListHandler& handler) override;
    std::unique_ptr<NativeEdit> createNumberEdit(Window& parent, int id, const Rect& rect,
                                                 const std::shared_ptr<Font>& font, EditHandler& handler) override;

    // The living control with that id, or null.
    HeadlessList* list(int id) const;
    HeadlessEdit* edit(int id) const;

    std::map<int, HeadlessList*> lists;
    std::map<int, HeadlessEdit*> edits;
};

HeadlessControls& headlessControls();

} // namespace platform::headless
