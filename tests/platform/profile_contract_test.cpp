// The profile-file rules the program depends on. Natively these run against
// the portable implementation, in the Windows build against kernel32.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/platform.h"
#include "tests/support/temp_folder.h"

using testsupport::TempFolder;

namespace {

platform::Profile& profile() { return *platform::os().profile; }

std::string ini(const std::string& body) { return body; }

} // namespace

TEST(ProfileContract, MissingFileSectionOrKeyGiveTheDefault)
{
    TempFolder dir;
    Text file = dir.file("none.ini");
    EXPECT_EQ(profile().getString(file, u"Init", u"VER_SEL", u"", 5), u"");
    EXPECT_EQ(profile().getString(file, u"Init", u"VER_SEL", u"dflt", 50), u"dflt");
    EXPECT_EQ(profile().getInt(file, u"Init", u"VER_SEL", 7), 7);

    dir.writeText(u"a.ini", ini("[Init]\r\nVER_SEL=1\r\n"));
    EXPECT_EQ(profile().getString(dir.file("a.ini"), u"Other", u"VER_SEL", u"x", 5), u"x");
    EXPECT_EQ(profile().getString(dir.file("a.ini"), u"Init", u"Missing", u"", 5), u"");
    EXPECT_FALSE(dir.exists(u"none.ini")) << "reading must not create the file";
}

TEST(ProfileContract, BufferSizeCutsLongValues)
{
    TempFolder dir;
    dir.writeText(u"a.ini", "[Config0]\r\nFIRE_TIME=12345\r\nNAME=abcdefghij\r\n");
    Text file = dir.file("a.ini");
    EXPECT_EQ(profile().getString(file, u"Config0", u"FIRE_TIME", u"", 5), u"1234");
    EXPECT_EQ(profile().getString(file, u"Config0", u"NAME", u"", 10), u"abcdefghi");
    EXPECT_EQ(profile().getString(file, u"Config0", u"NAME", u"", 11), u"abcdefghij");
    EXPECT_EQ(profile().getString(file, u"Config0", u"NAME", u"", 1), u"");
    // The default is cut the same way.
    EXPECT_EQ(profile().getString(file, u"Config0", u"NONE", u"123456", 5), u"1234");
}

TEST(ProfileContract, NamesIgnoreCaseAndValuesAreTrimmed)
{
    TempFolder dir;
    dir.writeText(u"a.ini", "[init]\r\n  curconfig  =   2   \r\nQ=\"quoted\"\r\nE=\r\n");
    Text file = dir.file("a.ini");
    EXPECT_EQ(profile().getString(file, u"Init", u"CurConfig", u"", 5), u"2");
    EXPECT_EQ(profile().getString(file, u"INIT", u"Q", u"", 50), u"quoted");
    EXPECT_EQ(profile().getString(file, u"Init", u"E", u"dflt", 50), u"") << "an empty value is a value";
    EXPECT_EQ(profile().getInt(file, u"Init", u"CurConfig", 9), 2);
}

TEST(ProfileContract, ReadsUtf16FilesWithBomAndUtf8Ansi)
{
    TempFolder dir;
    dir.write(u"u16.ini", testsupport::utf16LeWithBom("[TipText]\r\n1=未连接设备 \r\nK=Ä\r\n"));
    EXPECT_EQ(profile().getString(dir.file("u16.ini"), u"TipText", u"1", u"", 260), text::fromUtf8("未连接设备"));
    EXPECT_EQ(profile().getString(dir.file("u16.ini"), u"TipText", u"K", u"", 260), text::fromUtf8("Ä"));

    dir.writeText(u"ascii.ini", "[PRODUCTNAME]\r\nPRODUCTNAME_EN=KVX Gaming Mouse\r\n");
    EXPECT_EQ(profile().getString(dir.file("ascii.ini"), u"PRODUCTNAME", u"PRODUCTNAME_EN", u"", 50),
              u"KVX Gaming Mouse");
}

TEST(ProfileContract, WritingCreatesFileSectionAndKeyAndKeepsTheRest)
{
    TempFolder dir;
    Text file = dir.file("new.ini");
    ASSERT_TRUE(profile().writeString(file, u"Init", u"CurConfig", u"3"));
    EXPECT_EQ(profile().getString(file, u"Init", u"CurConfig", u"", 5), u"3");

    dir.writeText(u"a.ini", "; user notes\r\n[Init]\r\nVER_SEL=1\r\nCurConfig=0\r\n\r\n[Config0]\r\nDPI_SET1=4\r\n");
    Text a = dir.file("a.ini");
    ASSERT_TRUE(profile().writeString(a, u"Init", u"CurConfig", u"2"));
    ASSERT_TRUE(profile().writeString(a, u"Init", u"NEWKEY", u"x"));
    ASSERT_TRUE(profile().writeString(a, u"ShareData", u"DPI_LEVEL", u"5"));
    EXPECT_EQ(profile().getString(a, u"Init", u"CurConfig", u"", 5), u"2");
    EXPECT_EQ(profile().getString(a, u"Init", u"VER_SEL", u"", 5), u"1");
    EXPECT_EQ(profile().getString(a, u"Init", u"NEWKEY", u"", 5), u"x");
    EXPECT_EQ(profile().getString(a, u"Config0", u"DPI_SET1", u"", 5), u"4");
    EXPECT_EQ(profile().getString(a, u"ShareData", u"DPI_LEVEL", u"", 5), u"5");
    std::string content = dir.readText(u"a.ini");
    EXPECT_NE(content.find("; user notes"), std::string::npos);
    // Overwriting a key does not duplicate it.
    EXPECT_EQ(content.find("CurConfig", content.find("CurConfig") + 1), std::string::npos);
}

TEST(ProfileContract, Utf16FilesStayUtf16WhenWritten)
{
    TempFolder dir;
    dir.write(u"lang.ini", testsupport::utf16LeWithBom("[Init]\r\nNAME=中文\r\n"));
    Text file = dir.file("lang.ini");
    ASSERT_TRUE(profile().writeString(file, u"Init", u"OTHER", text::fromUtf8("Português")));
    auto bytes = dir.read(u"lang.ini");
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);
    EXPECT_EQ(profile().getString(file, u"Init", u"NAME", u"", 50), text::fromUtf8("中文"));
    EXPECT_EQ(profile().getString(file, u"Init", u"OTHER", u"", 50), text::fromUtf8("Português"));
}

TEST(ProfileContract, DeletingKeysAndSections)
{
    TempFolder dir;
    dir.writeText(u"a.ini", "[A]\r\nk1=1\r\nk2=2\r\n[B]\r\nk=3\r\n");
    Text file = dir.file("a.ini");
    profile().deleteKey(file, u"A", u"k1");
    EXPECT_EQ(profile().getString(file, u"A", u"k1", u"gone", 10), u"gone");
    EXPECT_EQ(profile().getString(file, u"A", u"k2", u"", 10), u"2");
    profile().deleteSection(file, u"A");
    EXPECT_EQ(profile().getString(file, u"A", u"k2", u"gone", 10), u"gone");
    EXPECT_EQ(profile().getString(file, u"B", u"k", u"", 10), u"3");
}

TEST(ProfileContract, GarbageFilesNeverCrashAndGiveDefaults)
{
    TempFolder dir;
    std::vector<std::uint8_t> binary;
    for (int i = 0; i < 4096; ++i)
        binary.push_back(static_cast<std::uint8_t>((i * 131 + 7) & 0xFF));
    dir.write(u"bin.ini", binary);
    EXPECT_EQ(profile().getString(dir.file("bin.ini"), u"Init", u"VER_SEL", u"", 5), u"");
    dir.write(u"empty.ini", {});
    EXPECT_EQ(profile().getInt(dir.file("empty.ini"), u"Init", u"VER_SEL", 0), 0);
    dir.writeText(u"huge.ini", "[Init]\r\nVER_SEL=" + std::string(100000, '9') + "\r\n");
    EXPECT_EQ(profile().getString(dir.file("huge.ini"), u"Init", u"VER_SEL", u"", 5), u"9999");
}

TEST(ProfileContract, IntegersConvertTheWayKernel32Does)
{
    TempFolder dir;
    dir.writeText(u"n.ini", "[N]\r\nplain=  12abc\r\nneg=-5\r\npos=+7\r\nword=abc\r\nempty=\r\n"
                            "hex=0x1F\r\nupperx=0X1F\r\nbin=0b101\r\noct=0o17\r\nlead0=012\r\n"
                            "wrap=4294967295\r\nquoted=\"3\"\r\n");
    Text file = dir.file("n.ini");
    auto get = [&](const char* key) { return profile().getInt(file, u"N", T(key), -42); };
    EXPECT_EQ(get("plain"), 12);
    EXPECT_EQ(get("neg"), -5);
    EXPECT_EQ(get("pos"), 7);
    EXPECT_EQ(get("word"), 0) << "present but not a number";
    EXPECT_EQ(get("empty"), -42) << "an empty value counts as missing";
    EXPECT_EQ(get("missing"), -42);
    EXPECT_EQ(get("hex"), 31);
    EXPECT_EQ(get("upperx"), 0) << "only a lower-case x selects hex";
    EXPECT_EQ(get("bin"), 5);
    EXPECT_EQ(get("oct"), 15);
    EXPECT_EQ(get("lead0"), 12) << "a leading zero is not octal";
    EXPECT_EQ(get("wrap"), -1) << "32-bit wrap-around";
    EXPECT_EQ(get("quoted"), 3);
}

TEST(ProfileContract, ChineseTextSurvivesInUtf16FilesOnly)
{
    TempFolder dir;
    dir.write(u"lang.ini", testsupport::utf16LeWithBom("[MACRO_GROUP_NAME]\r\n"));
    Text file = dir.file("lang.ini");
    Text name = text::fromUtf8("压枪宏 1");
    ASSERT_TRUE(profile().writeString(file, u"MACRO_GROUP_NAME", u"0", name));
    EXPECT_EQ(profile().getString(file, u"MACRO_GROUP_NAME", u"0", u"", 50), name);
    // Cut inside the text, like any value.
    EXPECT_EQ(profile().getString(file, u"MACRO_GROUP_NAME", u"0", u"", 3), name.substr(0, 2));
}

TEST(ProfileContract, WritesIntoAMissingFolderFailAndDeletesCreateNothing)
{
    TempFolder dir;
    EXPECT_FALSE(profile().writeString(dir.file("no\\such.ini"), u"A", u"k", u"v"));
    EXPECT_FALSE(dir.exists(u"no"));
    profile().deleteKey(dir.file("gone.ini"), u"A", u"k");
    profile().deleteSection(dir.file("gone.ini"), u"A");
    EXPECT_FALSE(dir.exists(u"gone.ini"));

    // Deleting what is not there leaves the file's entries alone.
    dir.writeText(u"a.ini", "[A]\r\nk=1\r\n");
    profile().deleteKey(dir.file("a.ini"), u"A", u"other");
    profile().deleteSection(dir.file("a.ini"), u"B");
    EXPECT_EQ(profile().getString(dir.file("a.ini"), u"A", u"k", u"", 5), u"1");
}

namespace {

std::vector<std::uint8_t> bytesOf(const std::string& s) { return {s.begin(), s.end()}; }

bool contains(const std::vector<std::uint8_t>& haystack, const std::string& needle)
{
    auto n = bytesOf(needle);
    return std::search(haystack.begin(), haystack.end(), n.begin(), n.end()) != haystack.end();
}

} // namespace

TEST(ProfileContract, AnyCarriageReturnOrLineFeedEndsALine)
{
    TempFolder dir;
    dir.writeText(u"a.ini", "[A]\rk1=1\rk2=2\r\n[B]\n\rx=4\r[C]\r\r\nc=5");
    Text file = dir.file("a.ini");
    EXPECT_EQ(profile().getString(file, u"A", u"k1", u"", 5), u"1");
    EXPECT_EQ(profile().getString(file, u"A", u"k2", u"", 5), u"2");
    EXPECT_EQ(profile().getString(file, u"B", u"x", u"", 5), u"4") << "not 4\\r[C]...";
    EXPECT_EQ(profile().getString(file, u"C", u"c", u"", 5), u"5");
    ASSERT_TRUE(profile().writeString(file, u"A", u"k1", u"7"));
    EXPECT_EQ(profile().getString(file, u"A", u"k2", u"", 5), u"2");
    EXPECT_EQ(profile().getString(file, u"C", u"c", u"", 5), u"5");
}

TEST(ProfileContract, ALineWithoutEqualsIsAKeyWithoutValue)
{
    TempFolder dir;
    dir.writeText(u"a.ini", "before=0\r\n[A]\r\nlonely\r\n  spaced  \r\n;note=2\r\nk=1\r\n");
    Text file = dir.file("a.ini");
    EXPECT_EQ(profile().getString(file, u"A", u"lonely", u"dflt", 10), u"dflt");
    EXPECT_EQ(profile().getInt(file, u"A", u"lonely", 77), 77);
    EXPECT_EQ(profile().getString(file, u"A", u";note", u"", 10), u"2") << "a ';' line is a key like any other";
    EXPECT_EQ(profile().getString(file, u"", u"before", u"", 10), u"0") << "lines before the first header";

    ASSERT_TRUE(profile().writeString(file, u"A", u"lonely", u"5"));
    EXPECT_EQ(profile().getString(file, u"A", u"lonely", u"", 10), u"5");
    std::string content = dir.readText(u"a.ini");
    EXPECT_LT(content.find("lonely=5"), content.find("k=1")) << "the value goes to the line that named it";
    profile().deleteKey(file, u"A", u"spaced");
    EXPECT_EQ(dir.readText(u"a.ini").find("spaced"), std::string::npos);
}

TEST(ProfileContract, ANulEndsANameOrValueButNotTheFile)
{
    TempFolder dir;
    std::string body = "[A]\r\nk1=a";
    body += '\0';
    body += "b\r\nj";
    body += '\0';
    body += "unk\r\nk2=2\r\n[B";
    body += '\0';
    body += "]\r\nk=3\r\n";
    dir.write(u"a.ini", bytesOf(body));
    Text file = dir.file("a.ini");
    EXPECT_EQ(profile().getString(file, u"A", u"k1", u"", 10), u"a");
    EXPECT_EQ(profile().getString(file, u"A", u"k2", u"", 10), u"2");
    EXPECT_EQ(profile().getString(file, u"B", u"k", u"", 10), u"3");
    ASSERT_TRUE(profile().writeString(file, u"A", u"k1", u"9"));
    EXPECT_EQ(profile().getString(file, u"A", u"k2", u"", 10), u"2") << "a write keeps what follows the NUL";
    EXPECT_EQ(profile().getString(file, u"B", u"k", u"", 10), u"3");
}

TEST(ProfileContract, Utf8WithBomDecodesBrokenBytesAsReplacementsAndStaysUtf8)
{
    TempFolder dir;
    dir.write(u"a.ini", bytesOf("\xEF\xBB\xBF[A]\r\nk=\xE9t\xC3\xA9\r\nm=\xE4\xB8\xAD\r\n"
                                "cut=\xE4\xB8x\r\noverlong=\xC0\x80x\r\nsurrogate=\xED\xA0\x80x\r\n"
                                "beyond=\xF4\x90\x80\x80x\r\nshort=\xE0\x80\x80x\r\nlead=\xF8\x88x\r\n"));
    Text file = dir.file("a.ini");
    EXPECT_EQ(profile().getString(file, u"A", u"k", u"", 10), u"\uFFFDt\u00E9");
    EXPECT_EQ(profile().getString(file, u"A", u"m", u"", 10), u"\u4E2D");
    // One replacement for the bytes read until the sequence showed itself broken.
    EXPECT_EQ(profile().getString(file, u"A", u"cut", u"", 10), u"\uFFFDx");
    EXPECT_EQ(profile().getString(file, u"A", u"overlong", u"", 10), u"\uFFFD\uFFFDx");
    EXPECT_EQ(profile().getString(file, u"A", u"surrogate", u"", 10), u"\uFFFD\uFFFDx");
    EXPECT_EQ(profile().getString(file, u"A", u"beyond", u"", 10), u"\uFFFD\uFFFD\uFFFDx");
    EXPECT_EQ(profile().getString(file, u"A", u"short", u"", 10), u"\uFFFD\uFFFDx");
    EXPECT_EQ(profile().getString(file, u"A", u"lead", u"", 10), u"\uFFFD\uFFFDx");

    ASSERT_TRUE(profile().writeString(file, u"A", u"n", text::fromUtf8("é")));
    auto bytes = dir.read(u"a.ini");
    EXPECT_TRUE(contains(bytes, "\xEF\xBB\xBF[A]")) << "the mark stays";
    EXPECT_TRUE(contains(bytes, "m=\xE4\xB8\xAD\r\n")) << "not encoded twice";
    EXPECT_TRUE(contains(bytes, "n=\xC3\xA9\r\n"));
}

TEST(ProfileContract, Utf16BigEndianFilesAreReadAndStayBigEndian)
{
    TempFolder dir;
    std::vector<std::uint8_t> be{0xFE, 0xFF};
    for (char16_t c : text::fromUtf8("[A]\r\nk=1\r\nname=中\r\n")) {
        be.push_back(std::uint8_t(c >> 8));
        be.push_back(std::uint8_t(c & 0xFF));
    }
    dir.write(u"be.ini", be);
    Text file = dir.file("be.ini");
    EXPECT_EQ(profile().getString(file, u"A", u"k", u"", 5), u"1");
    ASSERT_TRUE(profile().writeString(file, u"A", u"n", u"x"));
    auto bytes = dir.read(u"be.ini");
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes[0], 0xFE);
    EXPECT_EQ(bytes[1], 0xFF);
    EXPECT_EQ(bytes[2], 0x00) << "'[' high byte first";
    EXPECT_EQ(profile().getString(file, u"A", u"name", u"", 5), text::fromUtf8("中"));
    EXPECT_EQ(profile().getString(file, u"A", u"n", u"", 5), u"x");
}

TEST(ProfileContract, AnsiFilesReadAsWindows1252AndKeepTheirBytes)
{
    TempFolder dir;
    dir.write(u"a.ini", bytesOf("[A]\r\na=\x80\x9F\xE9t\xC3\xA9\r\n"));
    Text file = dir.file("a.ini");
    EXPECT_EQ(profile().getString(file, u"A", u"a", u"", 10), u"\u20AC\u0178\u00E9t\u00C3\u00A9");
    ASSERT_TRUE(profile().writeString(file, u"A", u"w", text::fromUtf8("中é")));
    EXPECT_EQ(dir.readText(u"a.ini"), "[A]\r\na=\x80\x9F\xE9t\xC3\xA9\r\nw=?\xE9\r\n")
        << "what the code page lacks becomes '?'";
}

TEST(ProfileContract, IntegersReadOnlyTheFirst29Characters)
{
    TempFolder dir;
    dir.writeText(u"n.ini", "[N]\r\ncut=" + std::string(26, '0') + "12345\r\nblanks=" + std::string(40, ' ') +
                                "7\r\nquoted=\"" + std::string(27, '0') + "9\"\r\n");
    Text file = dir.file("n.ini");
    EXPECT_EQ(profile().getInt(file, u"N", u"cut", -1), 123);
    EXPECT_EQ(profile().getInt(file, u"N", u"blanks", -1), 7) << "blanks are trimmed before counting";
    EXPECT_EQ(profile().getInt(file, u"N", u"quoted", -1), 9) << "and the quotes removed";
}

TEST(ProfileContract, QuotesComeOffBeforeTheBufferCutsTheValue)
{
    TempFolder dir;
    dir.writeText(u"q.ini", "[A]\r\nq=\"abcdef\"\r\n");
    Text file = dir.file("q.ini");
    EXPECT_EQ(profile().getString(file, u"A", u"q", u"", 3), u"ab");
    EXPECT_EQ(profile().getString(file, u"A", u"q", u"", 6), u"abcde");
    EXPECT_EQ(profile().getString(file, u"A", u"q", u"", 7), u"abcde") << "kernel32 drops one more here";
    EXPECT_EQ(profile().getString(file, u"A", u"q", u"", 8), u"abcdef");
}

TEST(ProfileContract, NamesFoldCaseInAsciiOnly)
{
    TempFolder dir;
    dir.write(u"g.ini", testsupport::utf16LeWithBom("[Äa]\r\nÖk=1\r\nK=2\r\n[ß]\r\nz=3\r\n"));
    Text file = dir.file("g.ini");
    EXPECT_EQ(profile().getString(file, text::fromUtf8("ÄA"), u"k", u"", 5), u"2");
    EXPECT_EQ(profile().getString(file, text::fromUtf8("äA"), u"k", u"-", 5), u"-");
    EXPECT_EQ(profile().getString(file, text::fromUtf8("ÄA"), text::fromUtf8("ök"), u"-", 5), u"-");
    EXPECT_EQ(profile().getString(file, u"SS", u"z", u"-", 5), u"-");
}

TEST(ProfileContract, SectionNamesRunToTheLastBracket)
{
    TempFolder dir;
    dir.writeText(u"h.ini", "[a]b]\r\nk=1\r\n[ c ] ; x ]\r\nk=2\r\n [e]tail\r\nk=5\r\n[d\r\nk=3\r\n");
    Text file = dir.file("h.ini");
    EXPECT_EQ(profile().getString(file, u"a]b", u"k", u"", 5), u"1");
    EXPECT_EQ(profile().getString(file, u"a", u"k", u"-", 5), u"-");
    EXPECT_EQ(profile().getString(file, u"c ] ; x", u"k", u"", 5), u"2");
    EXPECT_EQ(profile().getString(file, u"e", u"k", u"", 5), u"5");
    EXPECT_EQ(profile().getString(file, u"d", u"k", u"-", 5), u"-") << "no ']': not a header";
    ASSERT_TRUE(profile().writeString(file, u"a]b", u"k", u"9"));
    EXPECT_EQ(profile().getString(file, u"a]b", u"k", u"", 5), u"9");
    EXPECT_EQ(profile().getString(file, u"c ] ; x", u"k", u"", 5), u"2");
}

TEST(ProfileContract, VerticalTabFormFeedAndCtrlZAreBlanks)
{
    TempFolder dir;
    dir.writeText(u"i.ini", "[\x0b" "A\x0c]\r\n\x0b k \x1a=\x0c 5\x0b\x1a\x1a\r\n\x1a[B]\r\nq=\x1a\r\n");
    Text file = dir.file("i.ini");
    EXPECT_EQ(profile().getString(file, u"A", u"k", u"", 5), u"5");
    EXPECT_EQ(profile().getInt(file, u"A", u"k", -1), 5);
    EXPECT_EQ(profile().getString(file, u"B", u"q", u"-", 5), u"");
    dir.write(u"u.ini", testsupport::utf16LeWithBom("[A]\r\nk=\u00A0x\u3000\r\n"));
    EXPECT_EQ(profile().getString(dir.file("u.ini"), u"A", u"k", u"", 5), u"\u00A0x\u3000") << "Unicode spaces stay";
}

TEST(ProfileContract, TheFirstOfRepeatedSectionsAndKeysCounts)
{
    TempFolder dir;
    dir.writeText(u"l.ini", "[A]\r\nk=1\r\nK=2\r\n[a]\r\nk=3\r\nj=4\r\n");
    Text file = dir.file("l.ini");
    EXPECT_EQ(profile().getString(file, u"A", u"k", u"", 5), u"1");
    EXPECT_EQ(profile().getString(file, u"A", u"j", u"-", 5), u"-");
    ASSERT_TRUE(profile().writeString(file, u"A", u"k", u"9"));
    EXPECT_EQ(dir.readText(u"l.ini"), "[A]\r\nk=9\r\nK=2\r\n[a]\r\nk=3\r\nj=4\r\n");
    profile().deleteSection(file, u"A");
    EXPECT_EQ(profile().getString(file, u"A", u"j", u"", 5), u"4");
}

TEST(ProfileContract, WritingTheSameValueLeavesTheFileAlone)
{
    TempFolder dir;
    dir.writeText(u"s.ini", "[A]\r\n\r\n k = 1 \r\n");
    ASSERT_TRUE(profile().writeString(dir.file("s.ini"), u"A", u"k", u" 1"));
    EXPECT_EQ(dir.readText(u"s.ini"), "[A]\r\n\r\n k = 1 \r\n");
    ASSERT_TRUE(profile().writeString(dir.file("s.ini"), u"A", u"k", u"2"));
    EXPECT_EQ(dir.readText(u"s.ini"), "[A]\r\nk=2\r\n") << "any other write rewrites the whole file";
}

// A section read at once gives every key's value as reading the key alone
// does: trimmed, unquoted, cut to the buffer, in the file's encoding.
TEST(ProfileContract, ASectionReadAtOnceGivesWhatEachKeyGives)
{
    TempFolder dir;
    std::string body = "[Init]\r\nDAT_VER=3\r\n[macros]\r\n  MacroNum = 12 \r\nnovalue\r\n0=\"quoted line\"\r\n"
                       "1='x'\r\n2=abcdefghij\r\n3=\r\n";
    const std::string longLine(70000, '7');
    body += "4=" + longLine + "\r\n[Other]\r\n5=no\r\n";
    for (const char* name : {"ansi.ini", "wide.ini"}) {
        if (std::string(name) == "ansi.ini")
            dir.writeText(text::fromUtf8(name), body);
        else
            dir.write(text::fromUtf8(name), testsupport::utf16LeWithBom(body));
        const Text file = dir.file(name);
        for (size_t buffer : {size_t(6), size_t(11), size_t(80000)}) {
            const auto entries = profile().getSection(file, u"Macros", buffer);
            std::vector<Text> keys;
            for (const auto& e : entries) {
                keys.push_back(e.key);
                EXPECT_EQ(e.value, profile().getString(file, u"Macros", e.key, u"", buffer)) << name << " " << buffer;
            }
            EXPECT_EQ(keys, (std::vector<Text>{u"MacroNum", u"0", u"1", u"2", u"3", u"4"})) << name;
        }
    }
    EXPECT_EQ(profile().getSection(dir.file("ansi.ini"), u"None", 10).size(), 0u);
    EXPECT_EQ(profile().getSection(dir.file("none.ini"), u"Macros", 10).size(), 0u);
    EXPECT_FALSE(dir.exists(u"none.ini"));
}

TEST(ProfileContract, OfARunOfNamelessKeysOnlyTheFirstIsKept)
{
    TempFolder dir;
    dir.writeText(u"n.ini", "=0\r\n=1\r\n[A]\r\nk\r\n=2\r\n =3\r\n\x1a=4\r\nj=5\r\n=6\r\n[B]\r\n=7\r\n=8\r\n");
    ASSERT_TRUE(profile().writeString(dir.file("n.ini"), u"A", u"k", u"9"));
    EXPECT_EQ(dir.readText(u"n.ini"), "=0\r\n[A]\r\nk=9\r\n=2\r\nj=5\r\n=6\r\n[B]\r\n=7\r\n");
}

TEST(ProfileContract, ALineCutToNothingByANulIsWrittenBlankAndDroppedByTheNextWrite)
{
    TempFolder dir;
    std::string body = "[A]\r\n";
    body += '\0';
    body += "\r\n=1\r\n";
    body += '\0';
    body += "=2\r\n";
    body += '\0';
    body += "=3\r\nk=4\r\n";
    dir.write(u"z.ini", bytesOf(body));
    Text file = dir.file("z.ini");
    ASSERT_TRUE(profile().writeString(file, u"A", u"k", u"5"));
    EXPECT_EQ(dir.readText(u"z.ini"), "[A]\r\n\r\n=2\r\n=3\r\nk=5\r\n")
        << "the nameless key after an emptied name is dropped, the NUL-led ones are kept";
    ASSERT_TRUE(profile().writeString(file, u"A", u"k", u"6"));
    EXPECT_EQ(dir.readText(u"z.ini"), "[A]\r\n=2\r\nk=6\r\n");
    ASSERT_TRUE(profile().writeString(file, u"A", u"k", u"7"));
    EXPECT_EQ(dir.readText(u"z.ini"), "[A]\r\n=2\r\nk=7\r\n") << "from here on a write changes only its key";
}

// A save writes a copy and puts it in the file's place; copies of one file
// then part ways. Each name reads what its own file holds.
TEST(ProfileContract, FilesMovedIntoPlaceOrCopiedReadTheirOwnValues)
{
    TempFolder dir;
    platform::Files& files = *platform::os().files;
    ASSERT_TRUE(profile().writeString(dir.file("a.tmp"), u"S", u"K", u"1"));
    ASSERT_TRUE(profile().writeString(dir.file("a.tmp"), u"S", u"T", u"tail "));
    EXPECT_EQ(profile().getString(dir.file("a.tmp"), u"S", u"T", u"", 50), u"tail");
    ASSERT_TRUE(files.replaceFile(dir.file("a.tmp"), dir.file("a.ini"), Text()));
    EXPECT_EQ(profile().getString(dir.file("a.ini"), u"S", u"K", u"", 50), u"1");
    EXPECT_EQ(profile().getString(dir.file("a.tmp"), u"S", u"K", u"gone", 50), u"gone");

    ASSERT_TRUE(files.copyFile(dir.file("a.ini"), dir.file("b.ini"), false));
    ASSERT_TRUE(profile().writeString(dir.file("b.ini"), u"S", u"K", u"2"));
    EXPECT_EQ(profile().getString(dir.file("a.ini"), u"S", u"K", u"", 50), u"1");
    EXPECT_EQ(profile().getString(dir.file("b.ini"), u"S", u"K", u"", 50), u"2");
    EXPECT_EQ(profile().getString(dir.file("b.ini"), u"S", u"T", u"", 50), u"tail");

    dir.writeText(u"a.ini", "[S]\r\nK=3\r\nT=tail\r\n");
    EXPECT_EQ(profile().getString(dir.file("a.ini"), u"S", u"K", u"", 50), u"3");
}
