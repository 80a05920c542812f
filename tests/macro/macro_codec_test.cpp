#include "macro/macro_file.h"

#include "tests/macro/macro_test_support.h"

#include <gtest/gtest.h>

using namespace macro;
using namespace macrotest;

namespace {

constexpr int kUs = 1;
constexpr int kGerman = 4;

std::string toAscii(const Text& t) { return text::toUtf8(t); }
Text fromAscii(const std::string& s) { return text::fromUtf8(s); }

std::string token(const Text& line, int t) { return toAscii(line.substr(size_t(t) * 3, 3)); }

// The version-3 line without the six tokens older files lack.
Text olderLine(const Text& v3)
{
    return v3.substr(0, 75 * 3) + v3.substr(81 * 3);
}

} // namespace

TEST(MacroCodec, ZeroRecordIsAllZeroTokensAndBack)
{
    auto zero = std::make_unique<MacroRecord>();
    const Text line = encodeMacroLine(*zero, kUs);
    ASSERT_EQ(line.size(), size_t(kTokenCountV3 * 3));
    EXPECT_EQ(line, Text(line.size(), u'0'));
    EXPECT_EQ(decodeMacroLine(line, 3, kUs), kEmptyRecord);
    EXPECT_EQ(decodeMacroLine(Text(), 3, kUs), kEmptyRecord);
}

TEST(MacroCodec, FieldsLandOnTheirTokens)
{
    auto r = std::make_unique<MacroRecord>();
    setRecordName(*r, u"AB");
    r->repeatCount = 1000;
    r->eventCount = 2;
    r->ledCount = 1;
    r->vAdjustSwitch = 1;
    r->vAdjustValue = 10;
    r->reserved[2] = 9; // always written as zero
    r->code[1] = 5;
    r->param[1] = {0x1234, 7};
    r->delay[1] = 300;
    r->ledBlock[4][67] = 255;
    const Text line = encodeMacroLine(*r, kUs);
    EXPECT_EQ(token(line, 0), "065");
    EXPECT_EQ(token(line, 1), "000");
    EXPECT_EQ(token(line, 2), "066");
    EXPECT_EQ(token(line, 3), "000");
    for (int t = 4; t < 60; ++t)
        ASSERT_EQ(token(line, t), "000") << t;
    EXPECT_EQ(token(line, 61), "232");
    EXPECT_EQ(token(line, 62), "003");
    EXPECT_EQ(token(line, 63), "002");
    EXPECT_EQ(token(line, 73), "001");
    EXPECT_EQ(token(line, 75), "001");
    EXPECT_EQ(token(line, 76), "010");
    EXPECT_EQ(token(line, 79), "000");
    const int e1 = 81 + 8;
    EXPECT_EQ(token(line, e1 + 1), "066"); // device code 5 is the B key
    EXPECT_EQ(token(line, e1 + 2), "052");
    EXPECT_EQ(token(line, e1 + 3), "018");
    EXPECT_EQ(token(line, e1 + 4), "007");
    EXPECT_EQ(token(line, e1 + 6), "044");
    EXPECT_EQ(token(line, e1 + 7), "001");
    EXPECT_EQ(token(line, 2620), "255");
}

TEST(MacroCodec, KeysAndMouseButtonsAreStoredAsVirtualKeys)
{
    struct Row {
        std::uint8_t device;
        const char* file;
    } rows[] = {
        {4, "065"},    {224, "162"},  {kind::LeftButton, "240"}, {kind::RightButton, "241"},
        {kind::MiddleButton, "242"},  {kind::Button4, "244"},    {kind::Button5, "245"},
        {kind::Move, "246"},          {kind::Led, "249"},        {kind::FB, "251"},
        {kind::Pause, "000"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(int(row.device));
        auto r = std::make_unique<MacroRecord>();
        r->eventCount = 1;
        r->code[0] = row.device;
        const Text line = encodeMacroLine(*r, kUs);
        EXPECT_EQ(token(line, 82), row.file);
        EXPECT_EQ(decodeMacroLine(line, 3, kUs).code[0], row.device);
    }
}

TEST(MacroCodec, KeyTranslationFollowsTheLanguage)
{
    // Device code 28 is the key right of T: Y on US keyboards, Z on German ones.
    auto r = std::make_unique<MacroRecord>();
    r->eventCount = 1;
    r->code[0] = 28;
    EXPECT_EQ(token(encodeMacroLine(*r, kUs), 82), "089");
    EXPECT_EQ(token(encodeMacroLine(*r, kGerman), 82), "090");
    auto t = zeroTokensV3();
    t[82] = 90; // VK Z
    EXPECT_EQ(decodeMacroLine(fromAscii(tokenLine(t)), 3, kGerman).code[0], 28);
    EXPECT_EQ(decodeMacroLine(fromAscii(tokenLine(t)), 3, kUs).code[0], 29);
}

TEST(MacroCodec, RecordRoundTripsThroughItsLine)
{
    auto r = richRecord();
    r->fbCount = 0;
    for (int language : {0, kUs, kGerman, 7, 26}) {
        SCOPED_TRACE(language);
        const Text line = encodeMacroLine(*r, language);
        EXPECT_EQ(decodeMacroLine(line, 3, language), *r);
        EXPECT_EQ(encodeMacroLine(decodeMacroLine(line, 3, language), language), line);
    }
    EXPECT_EQ(decodeMacroName(encodeMacroLine(*r, kUs)), u"Recoil \u4E2D\u6587");
}

TEST(MacroCodec, FbBlocksAndReservedBytesAreNotInTheFile)
{
    auto r = richRecord();
    insertEvent(*r, 0, kind::FB, 0);
    r->fbBlock[0][3] = 44;
    r->reserved[0] = 1;
    const MacroRecord back = decodeMacroLine(encodeMacroLine(*r, kUs), 3, kUs);
    EXPECT_EQ(back.fbCount, 1);
    EXPECT_EQ(back.fbBlock[0][0], 0);
    EXPECT_EQ(back.fbBlock[0][3], 0);
    EXPECT_EQ(back.reserved[0], 0);
}

TEST(MacroCodec, OlderVersionLinesDecodeLikeVersion3WithoutVerticalAdjust)
{
    auto r = richRecord();
    const Text v3 = encodeMacroLine(*r, kUs);
    const Text v1 = olderLine(v3);
    ASSERT_EQ(v1.size(), size_t(2615 * 3));
    MacroRecord expected = *r;
    expected.vAdjustSwitch = 0;
    expected.vAdjustValue = 0;
    for (int version : {0, 1, 2, 4}) {
        SCOPED_TRACE(version);
        EXPECT_EQ(decodeMacroLine(v1, version, kUs), expected);
    }
    EXPECT_EQ(decodeMacroLine(v3, 3, kUs), *r);
    EXPECT_EQ(headerTokens(3), 81);
    EXPECT_EQ(lineBufferChars(3), 26649u);
    EXPECT_EQ(lineBufferChars(1), 26595u);
}

TEST(MacroCodec, ShortAndDamagedLinesReadMissingTokensAsZero)
{
    auto t = zeroTokensV3();
    setName(t, "Hi");
    t[61] = 5;
    t[63] = 2;
    t[81 + 1] = 65;
    t[81 + 6] = 50;
    const std::string full = tokenLine(t);

    // Cut inside event 0's delay: the name and counts survive, the rest is 0.
    const std::string cut = full.substr(0, (81 + 6) * 3 + 2);
    MacroRecord r = decodeMacroLine(fromAscii(cut), 3, kUs);
    EXPECT_EQ(recordName(r), u"Hi");
    EXPECT_EQ(r.repeatCount, 5);
    EXPECT_EQ(r.eventCount, 2);
    EXPECT_EQ(r.code[0], 4);
    EXPECT_EQ(r.delay[0], 5); // the two digits "05" that are there

    // Tokens that do not start with a digit read 0; "7x1" reads 7.
    std::string bad = full;
    bad.replace(61 * 3, 3, "abc");
    bad.replace(63 * 3, 3, "7x1");
    bad.replace(81 * 3 + 3, 3, "-65");
    r = decodeMacroLine(fromAscii(bad), 3, kUs);
    EXPECT_EQ(r.repeatCount, 0);
    EXPECT_EQ(r.eventCount, 7);
    EXPECT_EQ(r.code[0], 0);

    EXPECT_EQ(decodeMacroLine(u"06", 3, kUs).name[0], 6);
    EXPECT_EQ(decodeMacroName(u"0650"), u"A");

    // Only '0'..'9' are digits: the characters either side of them, and wide
    // characters whose low byte is a digit, end a token.
    EXPECT_EQ(decodeMacroLine(u"/12", 3, kUs).name[0], 0);
    EXPECT_EQ(decodeMacroLine(u"1:2", 3, kUs).name[0], 1);
    EXPECT_EQ(decodeMacroLine(u"9\uFF119", 3, kUs).name[0], 9);
    EXPECT_EQ(decodeMacroLine(u"\u01306", 3, kUs).name[0], 0);
}

TEST(MacroCodec, OverlongLinesAndHugeValuesStayWithinTheRecord)
{
    // Every token 999: counts that index arrays are cut to the arrays.
    const Text nines(40000, u'9');
    MacroRecord r = decodeMacroLine(nines, 3, kUs);
    EXPECT_EQ(r.eventCount, kMaxEvents);
    EXPECT_EQ(r.ledCount, kBlockCount);
    EXPECT_EQ(r.fbCount, kBlockCount);
    EXPECT_EQ(r.name[kNameUnits - 1], 0);
    EXPECT_EQ(r.repeatCount, std::uint16_t(999 + 999 * 256));

    // Tokens after the last LED block are ignored.
    auto t = zeroTokensV3();
    t.resize(3000, 255);
    EXPECT_EQ(decodeMacroLine(fromAscii(tokenLine(t)), 3, kUs), kEmptyRecord);
}

TEST(MacroCodec, NameFieldKeepsItsTerminatorWhateverTheFileHolds)
{
    auto t = zeroTokensV3();
    for (int u = 0; u < 30; ++u)
        t[2 * u] = 'a' + u % 26; // thirty letters, no terminator
    MacroRecord r = decodeMacroLine(fromAscii(tokenLine(t)), 3, kUs);
    EXPECT_EQ(recordName(r).size(), 29u);
    EXPECT_EQ(r.name[29], 0);

    // Units after a terminator are dropped.
    t = zeroTokensV3();
    setName(t, "AB");
    t[2 * 5] = 'Z';
    r = decodeMacroLine(fromAscii(tokenLine(t)), 3, kUs);
    EXPECT_EQ(recordName(r), u"AB");
    EXPECT_EQ(r.name[5], 0);
}
