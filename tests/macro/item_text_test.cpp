#include "macro/item_text.h"

#include "tests/support/temp_folder.h"
#include "ui/language.h"
#include "ui/macro_item_texts.h"

#include <gtest/gtest.h>

using namespace macro;

namespace macro {
void PrintTo(const ListRow& r, std::ostream* os) { *os << '"' << text::toUtf8(r.text) << "\" kind " << r.kind; }
} // namespace macro

namespace {

ItemTexts shippedTexts(int language, const char* folder)
{
    ui::LanguageTexts texts;
    EXPECT_TRUE(texts.load({testsupport::sourceDir() + u"\\skins", T(folder), 1}));
    return ui::macroItemTexts(texts, language);
}

std::unique_ptr<MacroRecord> recordWith(std::initializer_list<std::array<int, 5>> events)
{
    auto r = std::make_unique<MacroRecord>();
    int k = 0;
    for (const auto& e : events) {
        r->code[k] = std::uint8_t(e[0]);
        r->sub[k] = std::uint8_t(e[1]);
        r->param[k] = {std::uint16_t(e[2]), std::uint16_t(e[3])};
        r->delay[k] = std::uint16_t(e[4]);
        ++k;
    }
    r->eventCount = std::uint16_t(k);
    return r;
}

} // namespace

TEST(ItemText, PressAndReleaseOfAKeyListFourRowsAndCountThem)
{
    const ItemTexts en = shippedTexts(1, "\\1_INI_EN");
    auto r = recordWith({{4, 1, 0, 0, 50}, {4, 2, 0, 0, 20}});
    const EventRows rows = eventRows(*r, en);
    const std::vector<ListRow> expected{{u"A", 1}, {u"50ms", 0}, {u"A", 2}, {u"20ms", 0}};
    EXPECT_EQ(rows.rows, expected);
    EXPECT_EQ(rows.pressRows, 1);
    EXPECT_EQ(rows.releaseRows, 1);
    EXPECT_TRUE(eventRows(MacroRecord{}, en).rows.empty());
}

TEST(ItemText, EveryKindOfEventRowInEachShippedLanguage)
{
    struct Lang {
        int index;
        const char* folder;
        const char16_t* left;
        const char16_t* cpiReturn;
        const char16_t* led;
        const char16_t* pause;
        const char16_t* unit;
    } langs[] = {
        {0, "\\0_INI_CN", u"左键", u"[DPI]:恢复", u"[灯效]:", u"[延时]", u"毫秒"},
        {1, "\\1_INI_EN", u"Left button", u"[DPI]:Restore", u"[LED]:", u"[Pause]", u"ms"},
        {6, "\\6_INI_IT", nullptr, u"[DPI]:Ripristina", u"[LED]:", u"[Pausa]", u"ms"},
    };
    for (const Lang& l : langs) {
        SCOPED_TRACE(l.folder);
        const ItemTexts t = shippedTexts(l.index, l.folder);
        auto r = recordWith({{0xF6, 4, 5, 10, 7},   {0xF6, 9, 1, 1, 0},  {0xF8, 9, 7, 0, 0}, {0xF8, 9, 8, 0, 0},
                             {0xF8, 9, 0, 0, 0},    {0xF8, 10, 0, 0, 0}, {0xF8, 3, 0, 0, 0}, {0xF9, 13, 0, 0, 0},
                             {0xF9, 2, 1, 0, 0},    {0, 0, 0, 0, 0},     {0xF1, 1, 0, 0, 0}, {0xFA, 1, 387, 0, 0},
                             {0xF6, 5, 65535, 3, 0}});
        const EventRows rows = eventRows(*r, t);
        ASSERT_EQ(rows.rows.size(), 26u);
        auto row = [&](int k) { return rows.rows[size_t(2 * k)]; };
        EXPECT_EQ(row(0), (ListRow{u"[X-]:5,[Y+]:10", 3}));
        EXPECT_EQ(rows.rows[1], (ListRow{Text(u"7") + l.unit, 0}));
        EXPECT_EQ(row(1), (ListRow{u"[X]:eeror,[Y]:eeror", 3}));
        EXPECT_EQ(row(2), (ListRow{u"[DPI]:1600 ", 5}));
        EXPECT_EQ(row(3), (ListRow{u"[DPI]:1600 ", 5}));
        EXPECT_EQ(row(4), (ListRow{u"[DPI]:800 ", 5}));
        EXPECT_EQ(row(5), (ListRow{l.cpiReturn, 5}));
        EXPECT_EQ(row(6), (ListRow{u"[DPI]:Error", 5}));
        EXPECT_EQ(row(7), (ListRow{Text(l.led) + u"1", 4}));
        EXPECT_EQ(row(8).kind, 4);
        EXPECT_EQ(row(8).text.substr(0, Text(l.led).size()), l.led);
        EXPECT_NE(row(8).text, Text(l.led) + u"2");
        EXPECT_EQ(row(9), (ListRow{l.pause, 0}));
        if (l.left)
            EXPECT_EQ(row(10), (ListRow{l.left, 1}));
        EXPECT_EQ(row(11), (ListRow{u"NULL", 1}));
        EXPECT_EQ(row(12), (ListRow{u"[X+]:65535,[Y-]:3", 3}));
    }
}

TEST(ItemText, FreshLedBlockShowsThreeValueRowsAndIsRepaired)
{
    for (auto [index, folder] : {std::pair{1, "\\1_INI_EN"}, {0, "\\0_INI_CN"}, {6, "\\6_INI_IT"}}) {
        SCOPED_TRACE(folder);
        const ItemTexts t = shippedTexts(index, folder);
        std::uint8_t block[kBlockBytes] = {1, 0, 0, 0, 0, 0, 10};
        const ValueRows v = ledValueRows(block, t);
        ASSERT_EQ(v.rows.size(), 3u);
        EXPECT_EQ(v.rows[0], t.lightMode + u" " + t.modeNames[4]);
        EXPECT_EQ(v.rows[1], t.noColour);
        EXPECT_EQ(v.rows[2], t.duration + u"10*122" + t.pauseUnit);
        EXPECT_EQ(block[4], 7);
        EXPECT_EQ(block[5], 1);
        EXPECT_EQ(v.shownMode, 7);
    }
    const ItemTexts en = shippedTexts(1, "\\1_INI_EN");
    std::uint8_t steady[kBlockBytes] = {1, 0, 0, 0, 2, 4, 3};
    const ValueRows v = ledValueRows(steady, en);
    EXPECT_EQ(v.rows, (std::vector<Text>{u"Light mode: Steady", u"Colour:   4", u"Duration:3*122ms"}));
    std::uint8_t none[kBlockBytes] = {0, 0, 0, 0, 0, 0, 10};
    EXPECT_TRUE(ledValueRows(none, en).rows.empty());
    EXPECT_EQ(none[4], 0);
}

TEST(ItemText, MemoryGaugeInEachShippedLanguage)
{
    for (auto [folder, expected] : {std::pair{"\\1_INI_EN", u"Macro memory: 1200 / 2847 bytes"},
                                    {"\\0_INI_CN", u"宏存储: 1200 / 2847 字节"},
                                    {"\\6_INI_IT", u"Memoria macro: 1200 / 2847 byte"}}) {
        ui::LanguageTexts texts;
        ASSERT_TRUE(texts.load({testsupport::sourceDir() + u"\\skins", T(folder), 1}));
        EXPECT_EQ(ui::macroMemoryText(texts, 1200, 2847), expected);
        EXPECT_FALSE(texts.tip(ui::kTipMacrosDoNotFit).empty());
        EXPECT_FALSE(texts.tip(tip::BadName).empty());
        EXPECT_FALSE(texts.tip(tip::WriteFailed).empty());
    }
}
