// The macro page's lists and repeat box as real LISTBOX and EDIT windows.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/resource_ids.h"
#include "platform/win32/controls_win.h"
#include "ui/controls/list_box_xi.h"

namespace {

class Host : public platform::Window {
public:
    Host() : Window(IDD_WARNING) {}
    std::intptr_t onMessage(unsigned id, std::uintptr_t w, std::intptr_t l) override
    {
        if (id == platform::listmsg::EditDone)
            done.push_back({int(w), int(l)});
        return 0;
    }
    // On screen, so that its lists paint their rows.
    bool createShown()
    {
        if (!create())
            return false;
        move({0, 0, 300, 300});
        show(platform::Show::Normal);
        return true;
    }
    std::vector<std::pair<int, int>> done;
};

HWND hwnd(platform::WindowHandle h) { return reinterpret_cast<HWND>(h); }

HWND editorOf(HWND list) { return FindWindowExW(list, nullptr, L"EDIT", nullptr); }

constexpr int kIcons[] = {172, 173, 174, 175, 178, 182};

} // namespace

TEST(ListBoxXIWin, EnterInTheEditorReplacesTheRowAndTellsTheParent)
{
    Host host;
    ASSERT_TRUE(host.create());
    ui::ListBoxXI list(ui::listnumber::Events);
    ASSERT_TRUE(list.create(host, 10002, {5, 5, 205, 205}, kIcons, 16, nullptr));
    for (int i = 0; i < 6; ++i)
        list.addRow(u"row" + text::fromInt(i), 1);
    list.select(4);
    const HWND lb = hwnd(list.native()->handle());
    SendMessageW(lb, WM_CHAR, 1, 0);
    const HWND edit = editorOf(lb);
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, L"250");
    SendMessageW(edit, WM_KEYUP, VK_RETURN, 0);
    EXPECT_EQ(editorOf(lb), nullptr);
    EXPECT_EQ(list.rowText(4), u"250");
    EXPECT_EQ(list.rowKind(4), 1);
    EXPECT_EQ(list.selection(), 4);
    ASSERT_EQ(host.done.size(), 1u);
    EXPECT_EQ(host.done[0], (std::pair<int, int>{4, 2}));

    // Escape discards, and so does an unchanged text on Enter.
    SendMessageW(lb, WM_CHAR, 1, 0);
    SetWindowTextW(editorOf(lb), L"999");
    SendMessageW(editorOf(lb), WM_KEYUP, VK_ESCAPE, 0);
    SendMessageW(lb, WM_CHAR, 1, 0);
    SendMessageW(editorOf(lb), WM_KEYUP, VK_RETURN, 0);
    EXPECT_EQ(list.rowText(4), u"250");
    EXPECT_EQ(host.done.size(), 1u);

    // A scroll ends the edit with its text.
    SendMessageW(lb, WM_CHAR, 1, 0);
    SetWindowTextW(editorOf(lb), L"300");
    SendMessageW(lb, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(list.rowText(4), u"300");
    EXPECT_EQ(host.done.size(), 2u);
    host.destroy();
}

TEST(ListBoxXIWin, RowsAreOwnerDrawnOnTheDarkBackground)
{
    Host host;
    ASSERT_TRUE(host.createShown());
    ui::ListBoxXI list(ui::listnumber::Library);
    ASSERT_TRUE(list.create(host, 10001, {0, 0, 200, 200}, std::span<const int>(kIcons, 3), 16, nullptr));
    list.addRow(u"Group", 1);
    list.addRow(u"Macro", 2);
    list.select(1);
    const HWND lb = hwnd(list.native()->handle());
    UpdateWindow(lb);
    RECT r{};
    SendMessageW(lb, LB_GETITEMRECT, 1, LPARAM(&r));
    HDC dc = GetDC(lb);
    const COLORREF selected = GetPixel(dc, r.right - 3, r.top + 1);
    SendMessageW(lb, LB_GETITEMRECT, 0, LPARAM(&r));
    const COLORREF plain = GetPixel(dc, r.right - 3, r.top + 1);
    ReleaseDC(lb, dc);
    EXPECT_EQ(selected, RGB(0x5D, 0x5D, 0x5D));
    EXPECT_EQ(plain, RGB(0x16, 0x16, 0x16));
    host.destroy();
}

// The icon square of a row as a list paints it, against the icon drawn onto
// the row's colour: they must match pixel for pixel.
int iconMismatches(ui::ListBoxXI& list, int row, int iconId)
{
    const HWND lb = hwnd(list.native()->handle());
    const platform::Rect r = list.native()->rowRect(row);
    const platform::RowPaint p = list.paintRow(row, r, list.selection() == row);
    HDC dc = GetDC(lb);
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 16, 16);
    HGDIOBJ old = SelectObject(mem, bitmap);
    SetDCBrushColor(mem, p.background);
    const RECT square{0, 0, 16, 16};
    FillRect(mem, &square, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    HICON icon = HICON(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconId), IMAGE_ICON, 16, 16, 0));
    DrawIconEx(mem, 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL);
    int mismatches = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (GetPixel(dc, p.iconAt.x + x, p.iconAt.y + y) != GetPixel(mem, x, y))
                ++mismatches;
    DestroyIcon(icon);
    SelectObject(mem, old);
    DeleteObject(bitmap);
    DeleteDC(mem);
    ReleaseDC(lb, dc);
    return mismatches;
}

TEST(ListBoxXIWin, IconsFollowTheRowColourAsTheSelectionMoves)
{
    Host host;
    ASSERT_TRUE(host.createShown());
    ui::ListBoxXI list(ui::listnumber::Events);
    ASSERT_TRUE(list.create(host, 10002, {0, 0, 200, 200}, kIcons, 16, nullptr));
    list.addRow(u"Key down", 1);
    list.addRow(u"Delay", 0);
    list.addRow(u"Key up", 2);
    list.select(1);
    const HWND lb = hwnd(list.native()->handle());
    UpdateWindow(lb);
    EXPECT_EQ(iconMismatches(list, 0, kIcons[1]), 0);
    EXPECT_EQ(iconMismatches(list, 1, kIcons[0]), 0) << "selected";
    EXPECT_EQ(iconMismatches(list, 2, kIcons[2]), 0);

    // The selection moves: both rows repaint on their new colours.
    list.select(2);
    UpdateWindow(lb);
    EXPECT_EQ(iconMismatches(list, 1, kIcons[0]), 0);
    EXPECT_EQ(iconMismatches(list, 2, kIcons[2]), 0) << "selected";

    // A row's kind changes through an edit-free replace: the new icon shows.
    list.deleteRow(0);
    list.insertRow(0, u"Key up", 2);
    UpdateWindow(lb);
    EXPECT_EQ(iconMismatches(list, 0, kIcons[2]), 0);
    host.destroy();
}

TEST(NumberEditWin, LettersAreDroppedDigitsAndBackspaceWork)
{
    Host host;
    ASSERT_TRUE(host.create());
    ui::NumberEdit box;
    int changes = 0;
    box.changed = [&] { ++changes; };
    ASSERT_TRUE(box.create(host, 10004, {0, 0, 60, 20}, nullptr));
    const HWND e = hwnd(box.native()->handle());
    for (wchar_t c : std::wstring(L"4x2"))
        SendMessageW(e, WM_CHAR, c, 0);
    EXPECT_EQ(box.text(), u"42");
    SendMessageW(e, WM_CHAR, 8, 0);
    EXPECT_EQ(box.text(), u"4");
    EXPECT_EQ(changes, 3);
    box.setText(u"9");
    EXPECT_EQ(changes, 3);
    host.destroy();
}
