// The portable profile keeps its parse of a file while the file's version
// stays and writes only the line a key changed. Whatever it keeps, the file
// must hold what writing it out whole gives, and reads must follow changes
// made by anyone else.
#include <gtest/gtest.h>

#include <map>

#include "platform/headless/ini_file.h"
#include "platform/headless/profile_headless.h"

using platform::headless::HeadlessProfile;
using platform::headless::IniFile;
using Bytes = std::vector<std::uint8_t>;

namespace {

class VersionedFiles : public platform::Files {
public:
    bool exists(const Text& p) override { return files.count(p) > 0; }
    bool isDirectory(const Text&) override { return false; }
    bool copyFile(const Text& from, const Text& to, bool) override { return files.count(from) && writeFile(to, Bytes(files[from].first)); }
    bool deleteFile(const Text& p) override { return files.erase(p) > 0; }
    bool createDirectory(const Text&) override { return false; }
    bool removeDirectory(const Text&) override { return false; }
    std::optional<Bytes> readFile(const Text& p) override
    {
        ++reads;
        if (!files.count(p))
            return std::nullopt;
        return files[p].first;
    }
    bool writeFile(const Text& p, const Bytes& bytes) override
    {
        files[p] = {bytes, ++changes};
        return true;
    }
    bool replaceFile(const Text&, const Text&, const Text&) override { return false; }
    std::optional<platform::FileStamp> stamp(const Text&) override { return std::nullopt; }
    std::optional<std::uint64_t> version(const Text& p) override
    {
        if (!files.count(p))
            return std::nullopt;
        return files[p].second;
    }
    std::vector<Text> listFiles(const Text&) override { return {}; }

    std::map<Text, std::pair<Bytes, std::uint64_t>> files;
    std::uint64_t changes = 0;
    int reads = 0;
};

Bytes bytesOf(std::string_view s) { return Bytes(s.begin(), s.end()); }

Bytes utf16(std::u16string_view s, bool bigEndian)
{
    Bytes out = bigEndian ? Bytes{0xFE, 0xFF} : Bytes{0xFF, 0xFE};
    for (char16_t c : s) {
        out.push_back(std::uint8_t(bigEndian ? c >> 8 : c & 0xFF));
        out.push_back(std::uint8_t(bigEndian ? c & 0xFF : c >> 8));
    }
    return out;
}

const Text kFile = u"C:\\kvx\\config.ini";

} // namespace

TEST(HeldProfile, EveryWriteLeavesWhatWritingTheWholeFileGives)
{
    const std::u16string body = u"top=1\r\n[Init]\r\nCurConfig=0\r\nName=x\r\n[Config1]\r\nK1=256\r\n\u00e9t\u00e9=\u4e2d\r\n[Config2]\r\nK1=3\r\n";
    const std::vector<std::pair<const char*, Bytes>> starts = {
        {"ANSI", bytesOf("top=1\r\n[Init]\r\nCurConfig=0\r\nName=x\r\n[Config1]\r\nK1=256\r\n\xe9t\xe9=a\r\n[Config2]\r\nK1=3\r\n")},
        {"UTF-8", bytesOf("\xEF\xBB\xBFtop=1\r\n[Init]\r\nCurConfig=0\r\nName=x\r\n[Config1]\r\nK1=256\r\n"
                          "\xC3\xA9t\xC3\xA9=\xE4\xB8\xAD\r\n[Config2]\r\nK1=3\r\n")},
        {"UTF-16", utf16(body, false)},
        {"UTF-16 big-endian", utf16(body, true)},
        // Not as the profile writes it: the first write writes it out whole.
        {"untidy", bytesOf("  top = 1\n\n[Init] ; comment\nCurConfig=0\r\n[Config1]\nK1=256\n")},
        {"empty", {}},
    };
    struct Write {
        const char16_t *section, *key, *value;
    };
    const Write writes[] = {
        {u"Init", u"CurConfig", u"1"},          // same length
        {u"Config1", u"K1", u"65535"},          // longer, in a middle section
        {u"Config1", u"K1", u"7"},              // shorter
        {u"config2", u"k1", u"3"},              // the same value: nothing written
        {u"Config2", u"K2", u"12"},             // a new key in the last section
        {u"Init", u"Lang", u"5"},               // a new key in a section with others after it
        {u"", u"top", u"2"},                    // the keys before the first header
        {u"Config3", u"K1", u"9"},              // a new section
        {u"Config3", u"K2", u"\u4e2d\u6587"},  // a value not every encoding holds
        {u"Config1", u"K1", u" padded "},       // blanks the next read trims
        {u"Config1", u"K1", u"8"},
        {u"Init", u"CurConfig", u""},
    };
    for (const auto& [name, start] : starts) {
        SCOPED_TRACE(name);
        VersionedFiles files;
        HeadlessProfile profile(files);
        files.writeFile(kFile, start);
        for (const Write& w : writes) {
            SCOPED_TRACE(text::toUtf8(Text(w.section) + u"/" + w.key + u"=" + w.value));
            IniFile whole = IniFile::parse(files.files[kFile].first);
            const Bytes before = files.files[kFile].first;
            const Bytes expected = whole.set(w.section, w.key, w.value) ? whole.serialize() : before;
            ASSERT_TRUE(profile.writeString(kFile, w.section, w.key, w.value));
            ASSERT_EQ(files.files[kFile].first, expected);
            HeadlessProfile fresh(files);
            EXPECT_EQ(profile.getString(kFile, w.section, w.key, u"-", 64),
                      fresh.getString(kFile, w.section, w.key, u"-", 64));
            EXPECT_EQ(profile.getString(kFile, u"Config1", u"K1", u"-", 64),
                      fresh.getString(kFile, u"Config1", u"K1", u"-", 64));
        }
    }
}

TEST(HeldProfile, AnUnchangedFileIsReadOnceAndAChangedOneAgain)
{
    VersionedFiles files;
    HeadlessProfile profile(files);
    files.writeFile(kFile, bytesOf("[Init]\r\nCurConfig=2\r\n"));
    for (int i = 0; i < 50; ++i)
        ASSERT_EQ(profile.getInt(kFile, u"Init", u"CurConfig", -1), 2);
    EXPECT_EQ(files.reads, 1);

    // Its own writes keep what it holds good...
    ASSERT_TRUE(profile.writeString(kFile, u"Init", u"CurConfig", u"3"));
    EXPECT_EQ(profile.getInt(kFile, u"Init", u"CurConfig", -1), 3);
    EXPECT_EQ(files.reads, 1) << "neither the write nor the read after it reads the file";

    // ...a change by anyone else, even one of the same size, does not.
    files.writeFile(kFile, bytesOf("[Init]\r\nCurConfig=4\r\n"));
    EXPECT_EQ(profile.getInt(kFile, u"Init", u"CurConfig", -1), 4);
    ASSERT_TRUE(profile.writeString(kFile, u"Init", u"Other", u"1"));
    EXPECT_EQ(files.files[kFile].first, bytesOf("[Init]\r\nCurConfig=4\r\nOther=1\r\n"));
    files.deleteFile(kFile);
    EXPECT_EQ(profile.getInt(kFile, u"Init", u"CurConfig", -1), -1);
    ASSERT_TRUE(profile.writeString(kFile, u"Init", u"CurConfig", u"5"));
    EXPECT_EQ(files.files[kFile].first, bytesOf("[Init]\r\nCurConfig=5\r\n"));
}
