#include "platform/win32/controls_win.h"

#include "platform/win32/graphics_win.h"
#include "platform/win32/win_util.h"
#include "platform/win32/window_win.h"

#include <commctrl.h>

#include <unordered_map>
#include <vector>

namespace platform::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr COLORREF kListBackground = RGB(0x16, 0x16, 0x16);

// Controls get their own window procedure in place of the class's, which is
// kept here. Not SetWindowSubclass: comctl32 keeps its data in a window
// property, and Wine asks its server for that on every message (half a
// millisecond each when the machine is busy, for every row a list adds).
struct Subclass {
    WNDPROC original = nullptr;
    SUBCLASSPROC proc = nullptr;
    DWORD_PTR data = 0;
};
std::unordered_map<HWND, Subclass> subclasses;

LRESULT callOriginal(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto it = subclasses.find(hwnd);
    if (it == subclasses.end())
        return DefWindowProcW(hwnd, message, wParam, lParam);
    return CallWindowProcW(it->second.original, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK subclassedProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto it = subclasses.find(hwnd);
    if (it == subclasses.end())
        return DefWindowProcW(hwnd, message, wParam, lParam);
    const Subclass s = it->second; // the handler may take the subclass away
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, LONG_PTR(s.original));
        subclasses.erase(hwnd);
        return CallWindowProcW(s.original, hwnd, message, wParam, lParam);
    }
    return s.proc(hwnd, message, wParam, lParam, kSubclassId, s.data);
}

void subclass(HWND hwnd, SUBCLASSPROC proc, DWORD_PTR data)
{
    Subclass s{nullptr, proc, data};
    s.original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    subclasses[hwnd] = s;
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, LONG_PTR(subclassedProc));
}

void unsubclass(HWND hwnd)
{
    auto it = subclasses.find(hwnd);
    if (it == subclasses.end())
        return;
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, LONG_PTR(it->second.original));
    subclasses.erase(it);
}

class Win32List;
class Win32Edit;
std::unordered_map<HWND, Win32List*> lists;
std::unordered_map<HWND, Win32Edit*> edits;

HBRUSH listBrush()
{
    static HBRUSH brush = CreateSolidBrush(kListBackground);
    return brush;
}

HFONT fontHandle(const std::shared_ptr<Font>& font)
{
    auto* f = dynamic_cast<Win32Font*>(font.get());
    return f ? f->handle() : nullptr;
}

RECT toRect(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

Text windowText(HWND h)
{
    const int n = GetWindowTextLengthW(h);
    std::wstring s(size_t(n) + 1, L'\0');
    const int got = GetWindowTextW(h, s.data(), n + 1);
    return fromWide(s.c_str(), size_t(got > 0 ? got : 0));
}

LRESULT CALLBACK listProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
LRESULT CALLBACK editorProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
LRESULT CALLBACK numberProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

class Win32List : public NativeList {
public:
    Win32List(HWND hwnd, ListHandler& handler, std::vector<HICON> icons, int iconSize, HFONT font)
        : hwnd_(hwnd), handler_(handler), icons_(std::move(icons)), iconSize_(iconSize), font_(font)
    {
        lists[hwnd_] = this;
        subclass(hwnd_, listProc, DWORD_PTR(this));
        if (font_)
            SendMessageW(hwnd_, WM_SETFONT, WPARAM(font_), FALSE);
    }
    ~Win32List() override
    {
        closeEditor();
        for (const IconStrip& strip : strips_)
            DeleteObject(strip.bitmap);
        if (stripDc_)
            DeleteDC(stripDc_);
        lists.erase(hwnd_);
        unsubclass(hwnd_);
        DestroyWindow(hwnd_);
        for (HICON i : icons_)
            DestroyIcon(i);
    }

    WindowHandle handle() const override { return WindowHandle(hwnd_); }
    int add(const Text& text) override { return rowIndex(SendMessageW(hwnd_, LB_ADDSTRING, 0, LPARAM(wide(text).c_str()))); }
    int insert(int index, const Text& text) override
    {
        return rowIndex(SendMessageW(hwnd_, LB_INSERTSTRING, WPARAM(index), LPARAM(wide(text).c_str())));
    }
    bool remove(int index) override { return SendMessageW(hwnd_, LB_DELETESTRING, WPARAM(index), 0) != LB_ERR; }
    void clear() override { SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0); }
    int count() const override { return int(SendMessageW(hwnd_, LB_GETCOUNT, 0, 0)); }
    Text text(int index) const override
    {
        const LRESULT n = SendMessageW(hwnd_, LB_GETTEXTLEN, WPARAM(index), 0);
        if (n == LB_ERR)
            return Text();
        std::wstring s(size_t(n) + 1, L'\0');
        SendMessageW(hwnd_, LB_GETTEXT, WPARAM(index), LPARAM(s.data()));
        return fromWide(s.c_str(), size_t(n));
    }
    int selection() const override { return rowIndex(SendMessageW(hwnd_, LB_GETCURSEL, 0, 0)); }
    void select(int index) override { SendMessageW(hwnd_, LB_SETCURSEL, WPARAM(index), 0); }
    int topRow() const override { return int(SendMessageW(hwnd_, LB_GETTOPINDEX, 0, 0)); }
    void setTopRow(int index) override { SendMessageW(hwnd_, LB_SETTOPINDEX, WPARAM(index), 0); }
    Rect rowRect(int index) const override
    {
        RECT r{};
        SendMessageW(hwnd_, LB_GETITEMRECT, WPARAM(index), LPARAM(&r));
        return {r.left, r.top, r.right, r.bottom};
    }
    void setRowHeight(int height) override { SendMessageW(hwnd_, LB_SETITEMHEIGHT, 0, MAKELPARAM(height, 0)); }
    int textHeight() override
    {
        HDC dc = GetDC(hwnd_);
        HGDIOBJ old = font_ ? SelectObject(dc, font_) : nullptr;
        TEXTMETRICW tm{};
        GetTextMetricsW(dc, &tm);
        if (old)
            SelectObject(dc, old);
        ReleaseDC(hwnd_, dc);
        return tm.tmHeight;
    }
    void setRedraw(bool on) override
    {
        SendMessageW(hwnd_, WM_SETREDRAW, on ? TRUE : FALSE, 0);
        if (on)
            InvalidateRect(hwnd_, nullptr, TRUE);
    }
    void invalidate() override { InvalidateRect(hwnd_, nullptr, TRUE); }
    void update() override { UpdateWindow(hwnd_); }
    void show(bool visible) override { ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE); }

    void openEditor(const Rect& r, const Text& t) override
    {
        closeEditor();
        HWND e = CreateWindowExW(0, L"EDIT", wide(t).c_str(),
                                 WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_MULTILINE |
                                     ES_WANTRETURN | ES_AUTOVSCROLL,
                                 r.left, r.top, r.width(), r.height(), hwnd_, nullptr, GetModuleHandleW(nullptr),
                                 nullptr);
        if (!e)
            return;
        SetWindowPos(e, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        if (font_)
            SendMessageW(e, WM_SETFONT, WPARAM(font_), FALSE);
        subclass(e, editorProc, DWORD_PTR(this));
        editor_ = e;
        SendMessageW(e, EM_SETSEL, 0, -1);
        SetFocus(e);
    }
    bool editorOpen() const override { return editor_ != nullptr; }
    Text editorText() const override { return editor_ ? windowText(editor_) : Text(); }
    void closeEditor() override
    {
        // Cleared first: the editor loses the focus while it goes, and that
        // must not end the edit a second time.
        HWND e = editor_;
        editor_ = nullptr;
        if (e) {
            unsubclass(e);
            DestroyWindow(e);
        }
    }
    std::intptr_t notifyParent(unsigned id, std::uintptr_t wParam, std::intptr_t lParam) override
    {
        return SendMessageW(GetParent(hwnd_), id, wParam, lParam);
    }

    void draw(const DRAWITEMSTRUCT& item)
    {
        if (item.itemID == UINT(-1))
            return;
        const Rect rect{item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom};
        const RowPaint p = handler_.paintRow(int(item.itemID), rect, (item.itemState & ODS_SELECTED) != 0);
        HDC dc = item.hDC;
        SetDCBrushColor(dc, p.background);
        FillRect(dc, &item.rcItem, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        SetBkColor(dc, p.background);
        if (p.icon >= 0 && size_t(p.icon) < icons_.size() && icons_[size_t(p.icon)])
            drawIcon(dc, p.icon, p.iconAt, p.background);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, p.textColor);
        // The list selects its font into the paint DC itself; selecting it
        // again for every row costs Wine a font lookup each time.
        HGDIOBJ old = font_ && GetCurrentObject(dc, OBJ_FONT) != font_ ? SelectObject(dc, font_) : nullptr;
        RECT tr = toRect(p.textRect);
        std::wstring s = wide(p.text);
        DrawTextW(dc, s.c_str(), int(s.size()), &tr, DT_SINGLELINE | DT_VCENTER | DT_WORDBREAK);
        if (old)
            SelectObject(dc, old);
    }

    HWND hwnd() const { return hwnd_; }
    HWND editor() const { return editor_; }
    ListHandler& handler() { return handler_; }

    // Wine sends no LBN_SELCHANGE for a click on the row already selected,
    // Windows does; the page needs it (a group row opens and closes).
    void clickStarted(LPARAM lParam)
    {
        const LRESULT hit = SendMessageW(hwnd_, LB_ITEMFROMPOINT, 0, lParam);
        clickRow_ = HIWORD(hit) ? -1 : int(LOWORD(hit));
        selectionNoticed_ = false;
    }
    void clickEnded()
    {
        if (clickRow_ >= 0 && !selectionNoticed_ && clickRow_ == selection())
            handler_.onSelectionChange();
        clickRow_ = -1;
    }
    void selectionChanged()
    {
        selectionNoticed_ = true;
        handler_.onSelectionChange();
    }

private:
    static int rowIndex(LRESULT r) { return r == LB_ERR || r == LB_ERRSPACE ? -1 : int(r); }

    // The icons drawn once onto each row colour, side by side, in the paint
    // DC's format: a row's icon is then one copy. DrawIconEx for every row
    // took most of a repaint's own time under Wine (masks and blending each
    // time). The pixels are the same: an icon drawn onto a plain colour.
    struct IconStrip {
        COLORREF background;
        HBITMAP bitmap;
    };

    void drawIcon(HDC dc, int icon, Point at, COLORREF background)
    {
        const IconStrip* strip = stripFor(dc, background);
        if (!strip) {
            DrawIconEx(dc, at.x, at.y, icons_[size_t(icon)], iconSize_, iconSize_, 0, nullptr, DI_NORMAL);
            return;
        }
        if (stripSelected_ != strip->bitmap) {
            SelectObject(stripDc_, strip->bitmap);
            stripSelected_ = strip->bitmap;
        }
        BitBlt(dc, at.x, at.y, iconSize_, iconSize_, stripDc_, icon * iconSize_, 0, SRCCOPY);
    }

    const IconStrip* stripFor(HDC dc, COLORREF background)
    {
        for (const IconStrip& strip : strips_)
            if (strip.background == background)
                return &strip;
        if (!stripDc_)
            stripDc_ = CreateCompatibleDC(dc);
        const int width = iconSize_ * int(icons_.size());
        HBITMAP bitmap = stripDc_ ? CreateCompatibleBitmap(dc, width, iconSize_) : nullptr;
        if (!bitmap)
            return nullptr;
        SelectObject(stripDc_, bitmap);
        stripSelected_ = bitmap;
        SetDCBrushColor(stripDc_, background);
        const RECT all{0, 0, width, iconSize_};
        FillRect(stripDc_, &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        for (size_t i = 0; i < icons_.size(); ++i)
            if (icons_[i])
                DrawIconEx(stripDc_, int(i) * iconSize_, 0, icons_[i], iconSize_, iconSize_, 0, nullptr, DI_NORMAL);
        strips_.push_back({background, bitmap});
        return &strips_.back();
    }

    HWND hwnd_;
    ListHandler& handler_;
    std::vector<HICON> icons_;
    int iconSize_;
    HFONT font_;
    HWND editor_ = nullptr;
    HDC stripDc_ = nullptr;
    HBITMAP stripSelected_ = nullptr;
    std::vector<IconStrip> strips_;
    int clickRow_ = -1;
    bool selectionNoticed_ = false;
};

class Win32Edit : public NativeEdit {
public:
    Win32Edit(HWND hwnd, EditHandler& handler, HFONT font) : hwnd_(hwnd), handler_(handler)
    {
        edits[hwnd_] = this;
        subclass(hwnd_, numberProc, 0);
        if (font)
            SendMessageW(hwnd_, WM_SETFONT, WPARAM(font), FALSE);
    }
    ~Win32Edit() override
    {
        edits.erase(hwnd_);
        unsubclass(hwnd_);
        DestroyWindow(hwnd_);
    }
    WindowHandle handle() const override { return WindowHandle(hwnd_); }
    Text text() const override { return windowText(hwnd_); }
    void setText(const Text& t) override
    {
        quiet_ = true;
        SetWindowTextW(hwnd_, wide(t).c_str());
        quiet_ = false;
    }
    void enable(bool on) override { EnableWindow(hwnd_, on ? TRUE : FALSE); }
    bool isEnabled() const override { return IsWindowEnabled(hwnd_) != FALSE; }
    void caretToEnd() override { SendMessageW(hwnd_, EM_SETSEL, WPARAM(-1), LPARAM(-1)); }
    void show(bool visible) override { ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE); }

    void changed()
    {
        if (!quiet_)
            handler_.onChange();
    }

private:
    HWND hwnd_;
    EditHandler& handler_;
    bool quiet_ = false;
};

LRESULT CALLBACK listProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    auto* list = reinterpret_cast<Win32List*>(data);
    ListHandler& h = list->handler();
    switch (message) {
    case WM_CHAR:
        h.onChar(unsigned(wParam));
        break;
    case WM_KEYUP:
        h.onKeyUp(unsigned(wParam));
        break;
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MOUSEWHEEL:
        h.onScroll();
        break;
    case WM_RBUTTONUP:
        h.onRButtonUp(pointFromLParam(lParam));
        break;
    case WM_LBUTTONDOWN:
        list->clickStarted(lParam);
        break;
    case WM_LBUTTONUP: {
        const LRESULT r = callOriginal(hwnd, message, wParam, lParam);
        list->clickEnded();
        return r;
    }
    case listmsg::EndEdit:
        h.onEndEdit(wParam != 0);
        return 0;
    default:
        break;
    }
    return callOriginal(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK editorProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    auto* list = reinterpret_cast<Win32List*>(data);
    switch (message) {
    case WM_CHAR:
        // Enter and Escape end the edit on their release; they type nothing.
        if (wParam == '\r' || wParam == '\n' || wParam == VK_ESCAPE)
            return 0;
        break;
    case WM_KEYUP:
        if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
            SendMessageW(list->hwnd(), listmsg::EndEdit, wParam == VK_RETURN ? 1 : 0, 0);
            return 0;
        }
        break;
    case WM_KILLFOCUS:
        if (list->editor() == hwnd)
            SendMessageW(list->hwnd(), listmsg::EndEdit, 1, 0);
        break;
    default:
        break;
    }
    return callOriginal(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK numberProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_CHAR && !numberEditAccepts(unsigned(wParam)))
        return 0;
    return callOriginal(hwnd, message, wParam, lParam);
}

std::vector<HICON> loadIcons(std::span<const int> ids, int size)
{
    std::vector<HICON> icons;
    for (int id : ids)
        icons.push_back(HICON(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0)));
    return icons;
}

class Win32Controls : public Controls {
public:
    std::unique_ptr<NativeList> createList(Window& parent, const ListStyle& style, ListHandler& handler) override
    {
        const Rect& r = style.rect;
        HWND hwnd = CreateWindowExW(0, L"LISTBOX", nullptr,
                                    WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_DISABLENOSCROLL | LBS_HASSTRINGS |
                                        LBS_OWNERDRAWFIXED | LBS_NOTIFY,
                                    r.left, r.top, r.width(), r.height(), hwndOf(&parent),
                                    reinterpret_cast<HMENU>(INT_PTR(style.id)), GetModuleHandleW(nullptr), nullptr);
        if (!hwnd)
            return nullptr;
        return std::make_unique<Win32List>(hwnd, handler, loadIcons(style.iconIds, style.iconSize), style.iconSize,
                                           fontHandle(style.font));
    }
    std::unique_ptr<NativeEdit> createNumberEdit(Window& parent, int id, const Rect& r,
                                                 const std::shared_ptr<Font>& font, EditHandler& handler) override
    {
        HWND hwnd = CreateWindowExW(0, L"EDIT", nullptr, WS_CHILD | WS_VISIBLE | ES_WANTRETURN | ES_CENTER, r.left,
                                    r.top, r.width(), r.height(), hwndOf(&parent),
                                    reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleW(nullptr), nullptr);
        if (!hwnd)
            return nullptr;
        return std::make_unique<Win32Edit>(hwnd, handler, fontHandle(font));
    }
};

} // namespace

bool routeControlMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    switch (message) {
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        auto it = lists.find(item->hwndItem);
        if (item->CtlType != ODT_LISTBOX || it == lists.end())
            return false;
        it->second->draw(*item);
        result = TRUE;
        return true;
    }
    case WM_CTLCOLORLISTBOX:
        if (!lists.count(HWND(lParam)))
            return false;
        SetBkColor(HDC(wParam), kListBackground);
        result = INT_PTR(listBrush());
        return true;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        // The repeat box (a disabled edit asks as a static) and the editors of the lists.
        if (!edits.count(HWND(lParam)) && !lists.count(GetParent(HWND(lParam))))
            return false;
        SetTextColor(HDC(wParam), RGB(0xFF, 0xFF, 0xFF));
        SetBkColor(HDC(wParam), RGB(0, 0, 0));
        result = INT_PTR(GetStockObject(BLACK_BRUSH));
        return true;
    case WM_COMMAND: {
        const HWND child = HWND(lParam);
        if (auto it = lists.find(child); it != lists.end()) {
            if (HIWORD(wParam) == LBN_SELCHANGE)
                it->second->selectionChanged();
            else if (HIWORD(wParam) == LBN_DBLCLK)
                it->second->handler().onDoubleClick();
            result = TRUE;
            return true;
        }
        if (auto it = edits.find(child); it != edits.end()) {
            if (HIWORD(wParam) == EN_CHANGE)
                it->second->changed();
            result = TRUE;
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

} // namespace platform::win32

namespace platform {

Controls& controls()
{
    static win32::Win32Controls controls;
    return controls;
}

} // namespace platform
