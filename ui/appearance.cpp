#include "ui/appearance.h"

#include "app/paths.h"
#include "platform/atomic_save.h"
#include "platform/platform.h"

namespace ui {

bool Appearance::loadTextsAndPageSkins()
{
    texts.load(place);
    return loadPageSkins(place, skins, texts.get(TextSection::Other, 1));
}

bool Appearance::applyLanguage(int index, const Text& configFile)
{
    language = index;
    place.languageFolder = app::languageFolder(index);
    platform::writeKeyAtomically(configFile, u"Init", u"VER_SEL", text::fromInt(index));
    bool ok = loadTextsAndPageSkins();
    return loadWarningSkins() && ok;
}

} // namespace ui
