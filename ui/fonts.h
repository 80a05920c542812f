#pragma once
// The fonts texts are drawn with: five sizes plus one at screen scale, all
// point fonts from a base value that follows the screen's pixels per inch.
#include "ui/skin.h"

#include <array>
#include <memory>

namespace ui {

// Base value B (tenths of a point) for the screen's logical pixels per inch.
int fontBaseValue(int logPixelsX);

enum class FontSource { Custom, SingleFamily, PerLanguage };
// Point sizes (tenths) of sizes 1 to 6 of a set.
std::array<int, 6> fontSizes(FontSource source, int base, int scale);

extern const Text kFaceYaHei; // 微软雅黑
extern const Text kFaceArial;
extern const Text kFaceCairo;

// Resource id of the Arabic font the executable may carry.
constexpr int kArabicFontResource = 188;

class Fonts {
public:
    // Builds the fonts from the font keys of the language's LanguageText.ini
    // (once at start-up, again when the display is measured anew). The
    // per-language sets, once made, are kept.
    void create(const SkinPlace& place, int language, int base);

    // Size 1 to 6 for the current language; null before create() or for another size.
    std::shared_ptr<platform::Font> get(int size, int language) const;
    void select(platform::Canvas& canvas, int size, int language) const;

    bool perLanguageSets() const { return perLanguage_; }
    // Faces and sizes of the set `language` draws with (for tests and diagnostics).
    FontSource sourceFor(int language) const;
    const Text& faceFor(int language) const;
    // Lets go of the single set (the language menu does so before the fonts are made again).
    void releaseSingle();

private:
    struct Set {
        Text face;
        FontSource source = FontSource::SingleFamily;
        std::array<std::shared_ptr<platform::Font>, 6> sizes;
    };
    static Set makeSet(const Text& face, FontSource source, int base, int scale);
    const Set& setFor(int language) const;

    bool perLanguage_ = false;
    std::array<Set, 5> perLanguageSets_; // Arial (1), 微软雅黑 (0, 19), Cairo (13), 微软雅黑 (12), Arial (others)
    Set single_;
};

} // namespace ui
