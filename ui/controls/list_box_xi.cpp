#include "ui/controls/list_box_xi.h"

#include <algorithm>

namespace ui {

namespace {

constexpr unsigned kStartEditChar = 1;
constexpr unsigned kInsertKey = 45;
constexpr int kIconMargin = 2;
constexpr int kIconGap = 4;

} // namespace

ListBoxXI::~ListBoxXI() = default;

bool ListBoxXI::create(platform::Window& parent, int id, const platform::Rect& rect, std::span<const int> icons,
                       int iconSize, const std::shared_ptr<platform::Font>& font)
{
    destroy();
    platform::ListStyle style{id, rect, icons, iconSize, font};
    native_ = platform::controls().createList(parent, style, *this);
    if (!native_)
        return false;
    iconCount_ = int(icons.size());
    iconSize_ = icons.empty() ? 0 : iconSize;
    native_->setRowHeight(std::max(native_->textHeight(), iconSize_ + 4));
    return true;
}

void ListBoxXI::destroy()
{
    native_.reset();
    kinds_.clear();
    editRow_ = -1;
    lastChar_ = 0;
}

int ListBoxXI::addRow(const Text& text, int kind)
{
    if (!native_)
        return -1;
    const int i = native_->add(text);
    if (i >= 0)
        kinds_.insert(kinds_.begin() + std::min<size_t>(size_t(i), kinds_.size()), kind);
    return i;
}

int ListBoxXI::insertRow(int index, const Text& text, int kind)
{
    if (!native_)
        return -1;
    const int i = native_->insert(index, text);
    if (i >= 0)
        kinds_.insert(kinds_.begin() + std::min<size_t>(size_t(i), kinds_.size()), kind);
    return i;
}

void ListBoxXI::deleteRow(int index)
{
    if (!native_ || index < 0 || index >= native_->count())
        return;
    if (size_t(index) < kinds_.size())
        kinds_.erase(kinds_.begin() + index);
    native_->remove(index);
}

void ListBoxXI::empty()
{
    kinds_.clear();
    if (native_)
        native_->clear();
}

int ListBoxXI::rowKind(int index) const
{
    return index >= 0 && size_t(index) < kinds_.size() ? kinds_[size_t(index)] : -1;
}

int ListBoxXI::count() const { return native_ ? native_->count() : 0; }
Text ListBoxXI::rowText(int index) const { return native_ ? native_->text(index) : Text(); }
int ListBoxXI::selection() const { return native_ ? native_->selection() : -1; }
void ListBoxXI::select(int index)
{
    if (native_)
        native_->select(index);
}
void ListBoxXI::setRedraw(bool on)
{
    if (native_)
        native_->setRedraw(on);
}

int ListBoxXI::rowAt(platform::Point p) const
{
    if (!native_)
        return -1;
    for (int row = std::max(native_->topRow(), 0); row < native_->count(); ++row) {
        const platform::Rect r = native_->rowRect(row);
        if (r.top > p.y)
            break;
        if (p.y < r.bottom)
            return row;
    }
    return -1;
}

platform::RowPaint ListBoxXI::paintRow(int row, const platform::Rect& rect, bool selected)
{
    platform::RowPaint p;
    p.row = rect;
    p.background = selected ? kSelectedRowColour : kRowColour;
    p.textColor = kRowTextColour;
    p.text = rowText(row);
    const int kind = rowKind(row);

    // Macro rows sit under their group, pauses under their event.
    int left = rect.left;
    if (listNumber_ == listnumber::Library && kind == 2)
        left += 10;
    if (listNumber_ == listnumber::Events && kind == 0)
        left += 30;
    int textLeft = left;
    if (kind >= 0 && kind < iconCount_) {
        p.icon = kind;
        p.iconAt = {left + kIconMargin, rect.top + kIconMargin};
        textLeft += iconSize_ + kIconGap;
    }
    if (iconCount_ > 0) {
        if (listNumber_ == listnumber::Library)
            textLeft += kind == 2 ? 10 : (kind == 0 || kind == 1) ? 5 : 0;
        else if (listNumber_ == listnumber::Events && kind != 0)
            textLeft += 5;
    }
    p.textRect = {textLeft, rect.top, rect.right, rect.bottom};
    return p;
}

void ListBoxXI::openEditorOnSelection()
{
    const int row = selection();
    if (row < 0 || row >= count())
        return;
    native_->openEditor(native_->rowRect(row), rowText(row));
    editRow_ = row;
}

void ListBoxXI::onChar(unsigned code)
{
    if (!native_)
        return;
    lastChar_ = code;
    if (code == kStartEditChar) {
        lastChar_ = 0;
        openEditorOnSelection();
    }
}

void ListBoxXI::onKeyUp(unsigned virtualKey)
{
    if (virtualKey == kInsertKey && lastChar_ == kStartEditChar && native_) {
        lastChar_ = 0;
        openEditorOnSelection();
    }
}

void ListBoxXI::onRButtonUp(platform::Point p)
{
    endEdit(true);
    if (rightButtonUp)
        rightButtonUp(p);
}

void ListBoxXI::onSelectionChange()
{
    if (selectionChanged)
        selectionChanged();
}

void ListBoxXI::onDoubleClick()
{
    if (doubleClicked)
        doubleClicked();
}

void ListBoxXI::endEdit(bool commit)
{
    if (!native_ || !native_->editorOpen())
        return;
    const int row = editRow_;
    if (!commit || row < 0 || row >= count()) {
        native_->closeEditor();
        editRow_ = -1;
        return;
    }
    const Text edited = native_->editorText();
    if (edited == rowText(row)) {
        native_->closeEditor();
        editRow_ = -1;
        return;
    }
    const int kind = rowKind(row);
    deleteRow(row);
    insertRow(row, edited, kind);
    select(row);
    native_->closeEditor();
    editRow_ = -1;
    native_->notifyParent(platform::listmsg::EditDone, std::uintptr_t(row), listNumber_);
}

bool NumberEdit::create(platform::Window& parent, int id, const platform::Rect& rect,
                        const std::shared_ptr<platform::Font>& font)
{
    native_ = platform::controls().createNumberEdit(parent, id, rect, font, *this);
    return native_ != nullptr;
}

void NumberEdit::setText(const Text& t)
{
    if (native_)
        native_->setText(t);
}

void NumberEdit::enable(bool on)
{
    if (native_)
        native_->enable(on);
}

void NumberEdit::onChange()
{
    if (changed)
        changed();
}

} // namespace ui
