#include "ui/fonts.h"

#include "platform/platform.h"
#include "ui/language.h"
#include "ui/tips.h"

namespace ui {

const Text kFaceYaHei = u"\u5FAE\u8F6F\u96C5\u9ED1";
const Text kFaceArial = u"Arial";
const Text kFaceCairo = u"Cairo";

int fontBaseValue(int dpi)
{
    // The ratio dpi / 96, compared exactly.
    if (dpi == 96)
        return 87;
    if (dpi == 120)
        return 63;
    if (dpi == 144)
        return 53;
    if (dpi == 168 || dpi == 192)
        return 43;
    if (dpi > 192 && dpi < 288)
        return 30;
    if (dpi == 288)
        return 20;
    return 10;
}

std::array<int, 6> fontSizes(FontSource source, int b, int scale)
{
    switch (source) {
    case FontSource::Custom: return {b + 5, b + 10, b + 30, b + 40, b + 50, (b + 10) * scale};
    case FontSource::SingleFamily: return {b + 5, b + 5, b + 30, b + 40, b + 50, (b + 5) * scale};
    case FontSource::PerLanguage: return {b + 5, b + 5, b + 10, b + 40, b + 50, (b + 5) * scale};
    }
    return {};
}

Fonts::Set Fonts::makeSet(const Text& face, FontSource source, int base, int scale)
{
    Set set;
    set.face = face;
    set.source = source;
    std::array<int, 6> sizes = fontSizes(source, base, scale);
    for (size_t i = 0; i < sizes.size(); ++i)
        set.sizes[i] = platform::os().graphics->createPointFont(sizes[i], face);
    return set;
}

namespace {

// The custom font file is named by the language file; it must stay inside the data root.
bool safeRelativeName(const Text& name)
{
    if (name.find(u':') != Text::npos)
        return false;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find_first_of(u"\\/", start);
        if (end == Text::npos)
            end = name.size();
        if (name.compare(start, end - start, u"..") == 0)
            return false;
        start = end + 1;
    }
    return true;
}

} // namespace

void Fonts::create(const SkinPlace& place, int language, int base)
{
    platform::Profile& profile = *platform::os().profile;
    const Text file = place.languageFile(u"LanguageText.ini");
    const Text section = sectionName(TextSection::MouseKey);
    const Text flag = profile.getString(file, section, u"fontFlag", Text(), 260);

    if (text::toInt(flag) != 0) {
        Text fontFile = profile.getString(file, section, u"font", Text(), 260);
        Text fontName = profile.getString(file, section, u"fontName", Text(), 260);
        if (!fontFile.empty() && safeRelativeName(fontFile))
            platform::os().graphics->addPrivateFontFile(place.dataRoot + fontFile);
        single_ = makeSet(fontName, FontSource::Custom, base, place.scale);
        return;
    }
    if (flag.empty() && !perLanguage_) {
        const int s = place.scale;
        perLanguageSets_[0] = makeSet(kFaceArial, FontSource::PerLanguage, base, s);
        perLanguageSets_[1] = makeSet(kFaceYaHei, FontSource::PerLanguage, base, s);
        if (platform::os().graphics->addFontFromResource(kArabicFontResource) == platform::FontResource::Failed)
            showTip(6);
        perLanguageSets_[2] = makeSet(kFaceCairo, FontSource::PerLanguage, base, s);
        perLanguageSets_[3] = makeSet(kFaceYaHei, FontSource::PerLanguage, base, s);
        perLanguageSets_[4] = makeSet(kFaceArial, FontSource::PerLanguage, base, s);
        perLanguage_ = true;
        return;
    }
    const Text& face = (language == 0 || language == 12) ? kFaceYaHei : kFaceArial;
    single_ = makeSet(face, FontSource::SingleFamily, base, place.scale);
}

const Fonts::Set& Fonts::setFor(int language) const
{
    if (!perLanguage_)
        return single_;
    switch (language) {
    case 1: return perLanguageSets_[0];
    case 0:
    case 19: return perLanguageSets_[1];
    case 13: return perLanguageSets_[2];
    case 12: return perLanguageSets_[3];
    default: return perLanguageSets_[4];
    }
}

std::shared_ptr<platform::Font> Fonts::get(int size, int language) const
{
    if (size < 1 || size > 6)
        return nullptr;
    return setFor(language).sizes[size_t(size - 1)];
}

void Fonts::select(platform::Canvas& canvas, int size, int language) const
{
    canvas.setFont(get(size, language));
}

FontSource Fonts::sourceFor(int language) const
{
    return setFor(language).source;
}

const Text& Fonts::faceFor(int language) const
{
    return setFor(language).face;
}

void Fonts::releaseSingle()
{
    single_ = Set();
}

} // namespace ui
