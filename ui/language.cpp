#include "ui/language.h"

#include "platform/platform.h"

namespace ui {

Text sectionName(TextSection s)
{
    switch (s) {
    case TextSection::Tip: return u"TipText";
    case TextSection::MouseKey: return u"UniqueName_MouseKey";
    case TextSection::DevMac: return u"UniqueName_DevMac";
    case TextSection::Led: return u"UniqueName_LED";
    case TextSection::Other: return u"UniqueName_Other";
    case TextSection::ShortCut: return u"UniqueName_ShortCut";
    }
    return Text();
}

bool LanguageTexts::load(const SkinPlace& place)
{
    for (auto& table : tables_)
        table.fill(Text());
    const Text path = place.languageFile(u"LanguageText.ini");
    if (!platform::os().files->exists(path)) {
        platform::os().windows->messageBox(nullptr, u"\u627E\u4E0D\u5230\u914D\u7F6E\u6587\u4EF6", programName());
        return false;
    }
    platform::Profile& profile = *platform::os().profile;
    for (int s = 0; s < 6; ++s) {
        const Text section = sectionName(TextSection(s));
        for (int i = 0; i < kTextsPerSection; ++i)
            tables_[size_t(s)][size_t(i)] =
                splitMainFields(profile.getString(path, section, text::fromInt(i), Text(), 260))[0];
    }
    return true;
}

const Text& LanguageTexts::get(TextSection section, int index) const
{
    static const Text none;
    if (index < 0 || index >= kTextsPerSection)
        return none;
    return tables_[size_t(section)][size_t(index)];
}

void LanguageTexts::set(TextSection section, int index, const Text& value)
{
    if (index >= 0 && index < kTextsPerSection)
        tables_[size_t(section)][size_t(index)] = value;
}

} // namespace ui
