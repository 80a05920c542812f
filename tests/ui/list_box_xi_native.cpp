#include "ui/controls/list_box_xi.h"

#include "platform/headless/controls_headless.h"

#include <gtest/gtest.h>

using platform::headless::headlessControls;
using platform::headless::HeadlessList;

namespace {

class Parent : public platform::Window {
public:
    Parent() : Window(0) {}
    std::intptr_t onMessage(unsigned id, std::uintptr_t w, std::intptr_t l) override
    {
        received.push_back({id, w, l});
        return 0;
    }
    struct Got {
        unsigned id;
        std::uintptr_t w;
        std::intptr_t l;
    };
    std::vector<Got> received;
};

constexpr int kEventIcons[] = {172, 173, 174, 175, 178, 182};
constexpr int kLibraryIcons[] = {169, 170, 171};

class ListTest : public ::testing::Test {
protected:
    HeadlessList& make(ui::ListBoxXI& list, int id, std::span<const int> icons, int scale = 1)
    {
        EXPECT_TRUE(list.create(parent, id, {0, 0, 200, 160}, icons, 16 * scale, nullptr));
        return *headlessControls().list(id);
    }
    Parent parent;
};

} // namespace

TEST_F(ListTest, EnterCommitsAChangedTextKeepingKindAndReports)
{
    ui::ListBoxXI events(ui::listnumber::Events);
    HeadlessList& native = make(events, 10002, kEventIcons);
    for (int i = 0; i < 6; ++i)
        events.addRow(u"row" + text::fromInt(i), i % 2 == 0 ? 1 : 0);
    native.click(4);
    native.typeChar(1);
    ASSERT_TRUE(events.editing());
    EXPECT_EQ(native.editorValue, u"row4");
    EXPECT_EQ(native.editorRect, native.rowRect(4));
    native.typeInEditor(u"[DPI]:1600");
    native.editorKeyUp(13);
    EXPECT_FALSE(events.editing());
    EXPECT_EQ(events.rowText(4), u"[DPI]:1600");
    EXPECT_EQ(events.rowKind(4), 1);
    EXPECT_EQ(events.selection(), 4);
    EXPECT_EQ(events.count(), 6);
    ASSERT_EQ(parent.received.size(), 1u);
    EXPECT_EQ(parent.received[0].id, 0xA711u);
    EXPECT_EQ(parent.received[0].w, 4u);
    EXPECT_EQ(parent.received[0].l, 2);
}

TEST_F(ListTest, EscapeOrAnUnchangedTextSendsNothing)
{
    ui::ListBoxXI values(ui::listnumber::Values);
    HeadlessList& native = make(values, 10007, std::span<const int>(kEventIcons + 4, 1));
    values.addRow(u"Duration:10*122ms", -1);
    native.click(0);
    values.startEdit();
    native.typeInEditor(u"Duration:20*122ms");
    native.editorKeyUp(27);
    EXPECT_EQ(values.rowText(0), u"Duration:10*122ms");
    values.startEdit();
    native.editorKeyUp(13);
    EXPECT_TRUE(parent.received.empty());
    EXPECT_FALSE(values.editing());
}

TEST_F(ListTest, LosingTheFocusScrollingOrARightClickCommitFirst)
{
    ui::ListBoxXI library(ui::listnumber::Library);
    HeadlessList& native = make(library, 10001, kLibraryIcons);
    for (int i = 0; i < 20; ++i)
        library.addRow(u"g" + text::fromInt(i), 0);
    int row = 0;
    for (auto end : {+[](HeadlessList& n) { n.editorLosesFocus(); }, +[](HeadlessList& n) { n.scroll(3); },
                     +[](HeadlessList& n) { n.rightClick({5, 5}); }}) {
        native.click(row);
        library.startEdit();
        native.typeInEditor(u"renamed" + text::fromInt(row));
        end(native);
        EXPECT_EQ(library.rowText(row), u"renamed" + text::fromInt(row));
        EXPECT_FALSE(library.editing());
        ++row;
    }
    EXPECT_EQ(parent.received.size(), 3u);
    EXPECT_EQ(parent.received[2].l, 1);
    // Starting with no row selected does nothing.
    native.select(-1);
    library.startEdit();
    EXPECT_FALSE(library.editing());
}

TEST_F(ListTest, RowsAreDrawnLightOnDarkWithIndentsByKind)
{
    ui::ListBoxXI library(ui::listnumber::Library);
    HeadlessList& native = make(library, 10001, kLibraryIcons, 2);
    library.addRow(u"group", 1);
    library.addRow(u"macro", 2);
    native.click(1);
    const auto rows = native.paint();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].background, platform::rgb(0x5D, 0x5D, 0x5D));
    EXPECT_EQ(rows[1].textColor, platform::rgb(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(rows[1].icon, 2);
    EXPECT_EQ(rows[1].iconAt.x, 12);
    EXPECT_EQ(rows[1].textRect.left, 10 + 16 * 2 + 4 + 10);
    EXPECT_EQ(rows[0].background, platform::rgb(0x16, 0x16, 0x16));
    EXPECT_EQ(rows[0].textRect.left, 16 * 2 + 4 + 5);
    EXPECT_EQ(native.rowHeight, 16 * 2 + 4);

    ui::ListBoxXI events(ui::listnumber::Events);
    HeadlessList& eventsNative = make(events, 10002, kEventIcons);
    events.addRow(u"100ms", 0);
    events.addRow(u"odd", 9); // a kind without an icon
    const auto eventRows = eventsNative.paint();
    EXPECT_EQ(eventRows[0].iconAt.x, 32);
    EXPECT_EQ(eventRows[0].textRect.left, 30 + 16 + 4);
    EXPECT_EQ(eventRows[1].icon, -1);
    EXPECT_EQ(eventRows[1].textRect.left, 5);
}

TEST(NumberEdit, OnlyDigitsAndBackspaceChangeTheText)
{
    Parent parent;
    ui::NumberEdit box;
    int changes = 0;
    box.changed = [&] { ++changes; };
    ASSERT_TRUE(box.create(parent, 10004, {0, 0, 40, 20}, nullptr));
    auto& native = *headlessControls().edit(10004);
    native.type(u"1a2-b");
    EXPECT_EQ(box.text(), u"12");
    native.type(8);
    EXPECT_EQ(box.text(), u"1");
    EXPECT_EQ(changes, 3);
    box.setText(u"7");
    EXPECT_EQ(changes, 3);
}
