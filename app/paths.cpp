#include "app/paths.h"

namespace app {

namespace {
const char* const kLanguageFolders[30] = {
    "\\0_INI_CN",   "\\1_INI_EN",   "\\2_INI_FR",    "\\3_INI_BILI", "\\4_INI_DE",   "\\5_INI_SP",
    "\\6_INI_IT",   "\\7_INI_RU",   "\\8_INI_TU",    "\\9_INI_PO",   "\\10_INI_TH",  "\\11_INI_KR",
    "\\12_INI_JP",  "\\13_INI_AR",  "\\14_INI_PL",   "\\15_INI_CZ",  "\\16_INI_SE",  "\\17_INI_NL",
    "\\18_INI_POBR", "\\19_INI_CNTW", "\\20_INI_NLBE", "\\21_INI_DA", "\\22_INI_SL",  "\\23_INI_FA",
    "\\24_INI_UA",  "",             "\\26_INI_HUN",  "\\27_INI_IND", "\\28_INI_VIE", "\\29_INI_HEB",
};
}

Text languageFolder(int language)
{
    if (language < 0 || language > 29)
        return Text();
    return T(kLanguageFolders[language]);
}

Text executableFolderOf(TextView modulePath)
{
    size_t slash = modulePath.rfind(u'\\');
    if (slash == TextView::npos)
        return Text();
    return Text(modulePath.substr(0, slash));
}

void Paths::setDataRoot(const Text& exeFolder)
{
    executableFolder = exeFolder;
    dataRoot = exeFolder + u"\\skins";
    configFile = dataRoot + u"\\config\\config.ini";
    configFolder = dataRoot + u"\\config\\";
}

void Paths::setMacroFolders(int language)
{
    macroFolder = dataRoot + languageFolder(language) + u"\\macro\\";
    macroResetFolder = dataRoot + languageFolder(language) + u"\\macroReset\\";
}

Paths& paths()
{
    static Paths p;
    return p;
}

} // namespace app
