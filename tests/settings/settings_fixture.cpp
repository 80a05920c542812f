#include "tests/settings/settings_fixture.h"

namespace settingstest {

IniText completeConfig(const std::string& productEn, const std::string& productCn)
{
    IniText ini;
    IniSection& init = ini.section("Init");
    init.set("CurConfig", "2");
    init.set("VER_SEL", "1");
    IniSection& product = ini.section("PRODUCTNAME");
    product.set("PRODUCTNAME_CN", productCn);
    product.set("PRODUCTNAME_EN", productEn);
    ini.section("KEYNUM").set("KeyNum", "10");
    IniSection& keymap = ini.section("KEYMAP");
    const int slots[] = {1, 2, 3, 4, 5, 8, 9, 10, 6, 7};
    for (int i = 1; i <= 10; ++i)
        keymap.set("K" + std::to_string(i) + "_MAP", std::to_string(slots[i - 1]));

    const int codes[settings::kButtons] = {1, 2, 3, 33, 6, 19, 26, 258, 30002, 40000, 0, 12};
    for (int n = 0; n < settings::kConfigurations; ++n) {
        IniSection& c = ini.section("Config" + std::to_string(n));
        for (int b = 0; b < settings::kButtons; ++b) {
            std::string bs = std::to_string(b);
            int code = codes[(b + n) % settings::kButtons];
            c.set("K" + bs, code == 33 ? std::string("33,") + kCtrlShiftC : std::to_string(code));
            c.set("LED_REACT_EN" + bs, "1");
            c.set("LEFT_MAC" + std::to_string(n) + bs, std::to_string((n + b) % 2));
            c.set("MAC_COR" + std::to_string(n) + "_" + bs, std::to_string((n + b) % 7));
            c.set("LED_REACT_TYPE" + bs, std::to_string((n * 3 + b) % 4));
        }
        c.set("WHEEL_STATUS", "0");
    }

    IniSection& share = ini.section("ShareData");
    share.set("DPI_LEVEL", "3");
    share.set("LED_USER_COLER_EN", "1");
    share.set("CYC_7COL_EN", "93");
    const int enabled[settings::kDpiLevels] = {1, 1, 0, 1, 1, 1};
    for (int i = 0; i < settings::kDpiLevels; ++i) {
        std::string is = std::to_string(i);
        share.set("DPI_SET" + is, std::to_string(i * 4 + 1));
        share.set("DPI_SET_EN" + is, std::to_string(enabled[i]));
        share.set("DPI" + is + "_R", std::to_string(i));
        share.set("DPI" + is + "_G", std::to_string(15 - i));
        share.set("DPI" + is + "_B", std::to_string(i + 7));
    }
    for (int i = 0; i < settings::kUserColours; ++i) {
        std::string is = std::to_string(i);
        share.set("LED_USER" + is + "_R", std::to_string(14 - i));
        share.set("LED_USER" + is + "_G", std::to_string(i * 2));
        share.set("LED_USER" + is + "_B", std::to_string(i + 1));
    }
    share.set("LED_TYPE", "12");
    for (int k = 0; k < settings::kEffectSwitches; ++k)
        share.set("LED_TYPE_SW_EN" + std::to_string(k), k == 9 ? "-5" : std::to_string(k % 3));
    share.set("LED_CYC_TIME", "4");
    share.set("LED_FEATURE_SCOLOR", "0");
    share.set("LED_FEATURE_SYMMETRY", "1");
    share.set("LED_FEATURE_DIREC", "2");
    share.set("LED_BRIGHT", "6");
    share.set("LED_CYCTIME", "4");
    share.set("DPI_SPEED", "7");
    share.set("WHEEL_SPEED", "3");
    share.set("USB_SPEED", "2");
    share.set("FIRE_TIME", "275");
    share.set("MODE_LIGHT", "1");
    share.set("SOFT_HARD_MAC", "1");
    return ini;
}

} // namespace settingstest
