#include "platform/headless/controls_headless.h"

#include <algorithm>

namespace platform {

Controls& controls() { return headless::headlessControls(); }

namespace headless {

namespace {
WindowHandle nextHandle = 0x5000;
constexpr unsigned kEnter = 13;
constexpr unsigned kEscape = 27;
constexpr unsigned kBackspace = 8;
} // namespace

HeadlessControls& headlessControls()
{
    static HeadlessControls controls;
    return controls;
}

HeadlessList::HeadlessList(Window& parent, const ListStyle& style, ListHandler& handler)
    : rect(style.rect), id(style.id), iconCount(int(style.iconIds.size())), parent_(parent), handler_(handler),
      handle_(++nextHandle)
{
    headlessControls().lists[id] = this;
}

HeadlessList::~HeadlessList()
{
    auto& lists = headlessControls().lists;
    if (auto it = lists.find(id); it != lists.end() && it->second == this)
        lists.erase(it);
}

int HeadlessList::add(const Text& t)
{
    rows.push_back(t);
    return int(rows.size()) - 1;
}

int HeadlessList::insert(int index, const Text& t)
{
    if (index == -1)
        return add(t);
    if (index < 0 || index > count())
        return -1;
    rows.insert(rows.begin() + index, t);
    if (selected >= index)
        ++selected;
    return index;
}

bool HeadlessList::remove(int index)
{
    if (index < 0 || index >= count())
        return false;
    rows.erase(rows.begin() + index);
    if (selected == index)
        selected = -1;
    else if (selected > index)
        --selected;
    return true;
}

void HeadlessList::clear()
{
    rows.clear();
    selected = -1;
    top = 0;
}

Text HeadlessList::text(int index) const
{
    return index >= 0 && index < count() ? rows[size_t(index)] : Text();
}

void HeadlessList::select(int index) { selected = index >= 0 && index < count() ? index : -1; }

void HeadlessList::setTopRow(int index) { top = std::clamp(index, 0, std::max(count() - 1, 0)); }

Rect HeadlessList::rowRect(int index) const
{
    const int y = (index - top) * rowHeight;
    return {0, y, rect.width(), y + rowHeight};
}

void HeadlessList::openEditor(const Rect& r, const Text& t)
{
    editor = true;
    editorRect = r;
    editorValue = t;
}

std::intptr_t HeadlessList::notifyParent(unsigned msgId, std::uintptr_t wParam, std::intptr_t lParam)
{
    notices.push_back({msgId, wParam, lParam});
    return parent_.onMessage(msgId, wParam, lParam);
}

void HeadlessList::click(int row)
{
    if (row < 0 || row >= count() || row == selected)
        return;
    selected = row;
    handler_.onSelectionChange();
}

void HeadlessList::doubleClick(int row)
{
    click(row);
    handler_.onDoubleClick();
}

void HeadlessList::scroll(int rowsBy)
{
    handler_.onScroll();
    setTopRow(top + rowsBy);
}

void HeadlessList::editorKeyUp(unsigned vk)
{
    if (!editor)
        return;
    if (vk == kEnter)
        handler_.onEndEdit(true);
    else if (vk == kEscape)
        handler_.onEndEdit(false);
}

void HeadlessList::editorLosesFocus()
{
    if (editor)
        handler_.onEndEdit(true);
}

std::vector<RowPaint> HeadlessList::paint()
{
    std::vector<RowPaint> painted;
    for (int i = top; i < count(); ++i) {
        const Rect r = rowRect(i);
        if (r.top >= rect.height())
            break;
        painted.push_back(handler_.paintRow(i, r, i == selected));
    }
    return painted;
}

HeadlessEdit::HeadlessEdit(int editId, const Rect& r, EditHandler& handler)
    : id(editId), rect(r), handler_(handler), handle_(++nextHandle)
{
    headlessControls().edits[id] = this;
}

HeadlessEdit::~HeadlessEdit()
{
    auto& edits = headlessControls().edits;
    if (auto it = edits.find(id); it != edits.end() && it->second == this)
        edits.erase(it);
}

void HeadlessEdit::type(unsigned code)
{
    if (!enabled || !numberEditAccepts(code))
        return;
    if (code == kBackspace) {
        if (value.empty())
            return;
        value.pop_back();
    } else {
        value.push_back(char16_t(code));
    }
    caret = int(value.size());
    handler_.onChange();
}

void HeadlessEdit::type(const Text& t)
{
    for (char16_t c : t)
        type(unsigned(c));
}

std::unique_ptr<NativeList> HeadlessControls::createList(Window& parent, const ListStyle& style, ListHandler& handler)
{
    return std::make_unique<HeadlessList>(parent, style, handler);
}

std::unique_ptr<NativeEdit> HeadlessControls::createNumberEdit(Window&, int id, const Rect& rect,
                                                               const std::shared_ptr<Font>&, EditHandler& handler)
{
    return std::make_unique<HeadlessEdit>(id, rect, handler);
}

HeadlessList* HeadlessControls::list(int id) const
{
    auto it = lists.find(id);
    return it == lists.end() ? nullptr : it->second;
}

HeadlessEdit* HeadlessControls::edit(int id) const
{
    auto it = edits.find(id);
    return it == edits.end() ? nullptr : it->second;
}

} // namespace headless
} // namespace platform
