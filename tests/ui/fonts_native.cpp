// Which fonts are made from the font keys of the language file (headless
// graphics records what was created and registered).
#include "platform/headless/windows_headless.h"
#include "platform/platform.h"
#include "tests/ui/skin_fixture.h"
#include "ui/fonts.h"
#include "ui/tips.h"

#include <gtest/gtest.h>

using namespace ui;
namespace hl = platform::headless;

namespace {

class FontSets : public ::testing::Test {
protected:
    void SetUp() override
    {
        hl::graphics().fontsCreated.clear();
        hl::graphics().privateFontFiles.clear();
        hl::graphics().fontResource = platform::FontResource::Absent;
        clearShownTips();
    }
    void TearDown() override { hl::graphics().fontResource = platform::FontResource::Absent; }

    void keys(const std::string& mouseKeySection)
    {
        root.ini("\\1_INI_EN", "LanguageText.ini", "[UniqueName_MouseKey]\r\n" + mouseKeySection);
    }
    uitest::DataRoot root;
};

int tenths(const std::shared_ptr<platform::Font>& f)
{
    auto h = std::dynamic_pointer_cast<hl::HeadlessFont>(f);
    return h ? h->tenths : -1;
}

} // namespace

TEST_F(FontSets, WithoutFontKeysFivePerLanguageSetsAreMadeOnceAndChosenByLanguage)
{
    keys("");
    Fonts fonts;
    fonts.create(root.place(), 1, 63);
    ASSERT_TRUE(fonts.perLanguageSets());
    EXPECT_EQ(hl::graphics().fontsCreated.size(), 30u);
    EXPECT_EQ(fonts.faceFor(1), kFaceArial);
    EXPECT_EQ(fonts.faceFor(0), kFaceYaHei);
    EXPECT_EQ(fonts.faceFor(19), kFaceYaHei);
    EXPECT_EQ(fonts.faceFor(12), kFaceYaHei);
    EXPECT_EQ(fonts.faceFor(13), kFaceCairo);
    EXPECT_EQ(fonts.faceFor(6), kFaceArial);
    EXPECT_EQ(fonts.sourceFor(6), FontSource::PerLanguage);
    EXPECT_EQ(tenths(fonts.get(1, 6)), 68) << "size 1 at 120 dpi is 6.8 points";
    EXPECT_EQ(tenths(fonts.get(3, 6)), 73);
    EXPECT_EQ(fonts.get(0, 6), nullptr);
    EXPECT_EQ(fonts.get(7, 6), nullptr);
    EXPECT_TRUE(shownTips().empty()) << "no Arabic font resource: nothing to report";

    fonts.create(root.place(), 1, 87);
    EXPECT_EQ(tenths(fonts.get(1, 6)), 68) << "per-language sets stay for the run";
}

TEST_F(FontSets, ArabicFontResourceThatFailsToRegisterShowsTipSix)
{
    keys("");
    hl::graphics().fontResource = platform::FontResource::Failed;
    Fonts fonts;
    fonts.create(root.place(), 13, 87);
    EXPECT_EQ(shownTips(), std::vector<int>{6});
    EXPECT_EQ(fonts.faceFor(13), kFaceCairo) << "the face is still asked for by name";
}

TEST_F(FontSets, FlagZeroMakesTheSingleSetByLanguage)
{
    keys("fontFlag=0\r\n");
    Fonts chinese, english;
    chinese.create(root.place(), 0, 87);
    english.create(root.place(), 6, 87);
    EXPECT_FALSE(chinese.perLanguageSets());
    EXPECT_EQ(chinese.faceFor(0), kFaceYaHei);
    EXPECT_EQ(english.faceFor(6), kFaceArial);
    EXPECT_EQ(english.sourceFor(6), FontSource::SingleFamily);
    EXPECT_EQ(tenths(english.get(2, 6)), 92);
    EXPECT_EQ(tenths(english.get(3, 6)), 117);
}

TEST_F(FontSets, CustomFontFileIsRegisteredFromTheDataRootAndItsFaceUsed)
{
    keys("fontFlag=1\r\nfont=\\fonts\\Mouse.ttf\r\nfontName=Mouse Sans\r\n");
    root.file("fonts\\Mouse.ttf", {0, 1, 0, 0});
    Fonts fonts;
    fonts.create(root.place("\\1_INI_EN", 2), 1, 87);
    ASSERT_EQ(hl::graphics().privateFontFiles.size(), 1u);
    EXPECT_EQ(hl::graphics().privateFontFiles[0], root.path() + u"\\fonts\\Mouse.ttf");
    EXPECT_EQ(fonts.faceFor(1), u"Mouse Sans");
    EXPECT_EQ(fonts.sourceFor(1), FontSource::Custom);
    EXPECT_EQ(tenths(fonts.get(6, 1)), (87 + 10) * 2);
}

TEST_F(FontSets, CustomFontOutsideTheDataRootOrMissingIsIgnored)
{
    keys("fontFlag=1\r\nfont=\\..\\..\\elsewhere.ttf\r\nfontName=Other\r\n");
    Fonts fonts;
    fonts.create(root.place(), 1, 87);
    EXPECT_TRUE(hl::graphics().privateFontFiles.empty());
    EXPECT_EQ(fonts.faceFor(1), u"Other") << "the face is asked for by its name alone";

    keys("fontFlag=1\r\nfont=\\absent.ttf\r\nfontName=Other\r\n");
    fonts.create(root.place(), 1, 87);
    EXPECT_TRUE(hl::graphics().privateFontFiles.empty());
}

TEST_F(FontSets, SelectedFontMeasuresText)
{
    keys("fontFlag=0\r\n");
    Fonts fonts;
    fonts.create(root.place(), 1, 87);
    hl::HeadlessCanvas canvas({10, 10});
    fonts.select(canvas, 5, 1);
    canvas.drawText({1, 1}, u"x");
    ASSERT_EQ(canvas.texts().size(), 1u);
    EXPECT_EQ(canvas.texts()[0].tenths, 137);
    EXPECT_EQ(canvas.texts()[0].face, kFaceArial);
}
