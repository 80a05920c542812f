// The key combination a button gets through the shortcut capture: switches
// choose the modifiers, the last other key is the main key, and the main
// window turns what the dialog sends into the button's shortcut text.
#include "tests/settings/settings_fixture.h"

#include "settings/shortcut_capture.h"

using namespace settings;

namespace {

constexpr unsigned kDown = 0x100, kUp = 0x101;
constexpr int kLanguage = 1;

ShortcutCapture capture() { return ShortcutCapture({kLanguage, u"Left", u"Middle", u"Right", u"", u""}); }

// What the main window stores for a confirmed capture.
Text storedText(const ShortcutCapture& c) { return shortcutText(combinationFromCapture(c.combinationText(), c.mainVk())); }

} // namespace

TEST(ShortcutCapture, PressingModifiersChangesNothingTheSwitchesChooseThem)
{
    ShortcutCapture c = capture();
    keys::CaptureStep step = c.message(kDown, 162);
    EXPECT_TRUE(step.changed) << "the dialog repaints";
    c.message(kDown, 17);
    c.message(kUp, 160);
    EXPECT_TRUE(c.empty());
    EXPECT_EQ(c.mainVk(), kNoMainKey);
    EXPECT_EQ(c.combinationText(), u"");

    c.toggle(Modifier::Ctrl);
    c.message(kDown, 'C');
    c.message(kUp, 162);
    EXPECT_EQ(c.combinationText(), u"Ctrl&split&C");
    EXPECT_EQ(c.modifiersShown(), u"Ctrl");
    EXPECT_EQ(storedText(c), shortcutText({true, false, false, false, u"C", 67}));
}

TEST(ShortcutCapture, TheLastKeyReleasedIsKeptAndEscapeIsAKeyToo)
{
    ShortcutCapture c = capture();
    c.message(kDown, 'S');
    c.message(kDown, 'D');
    c.message(kUp, 'S');
    EXPECT_EQ(c.mainName(), u"S");
    EXPECT_EQ(c.mainVk(), 'S');
    EXPECT_TRUE(c.message(kDown, 27).swallow);
    EXPECT_EQ(c.mainName(), u"ESCAPE");
}

TEST(ShortcutCapture, AllModifiersAndKeyInTheirFixedOrderWhateverTheSwitchingOrder)
{
    ShortcutCapture c = capture();
    c.toggle(Modifier::Win);
    c.toggle(Modifier::Shift);
    c.toggle(Modifier::Alt);
    c.toggle(Modifier::Ctrl);
    c.message(kDown, 116);
    EXPECT_EQ(c.modifiersShown(), u"Ctrl+Shift+Alt+Win");
    EXPECT_EQ(c.combinationText(), u"Ctrl&split&Shift&split&Alt&split&Win&split&F5");
    EXPECT_EQ(storedText(c), shortcutText({true, true, true, true, u"F5", 116}));
    c.toggle(Modifier::Alt);
    EXPECT_EQ(c.modifiersShown(), u"Ctrl+Shift+Win") << "switching off takes the name away";
    c.clear();
    EXPECT_TRUE(c.empty());
    EXPECT_EQ(c.modifiersShown(), u"");
}

TEST(ShortcutCapture, ModifiersWithoutAMainKeyAndAKeyNamedLikeAModifier)
{
    ShortcutCapture c = capture();
    c.toggle(Modifier::Shift);
    EXPECT_FALSE(c.empty());
    EXPECT_EQ(c.combinationText(), u"Shift");
    EXPECT_EQ(storedText(c), shortcutText({false, true, false, false, u"", 0}));

    // The main key is the last token whatever its name says.
    const Combination k = combinationFromCapture(u"Ctrl&split&Win", 91);
    EXPECT_TRUE(k.ctrl);
    EXPECT_FALSE(k.win);
    EXPECT_EQ(k.keyName, u"Win");
    EXPECT_EQ(k.vk, 91);
    EXPECT_EQ(combinationFromCapture(u"", 65).vk, 0) << "no text, no key";
}

TEST(ShortcutCapture, PrefilledFromAKeyCombinationButtonOnly)
{
    ShortcutCapture c = capture();
    const Text ctrlAltDelete = shortcutText({true, false, true, false, u"Delete", 46});
    c.prefill(function::KeyCombination, ctrlAltDelete);
    EXPECT_TRUE(c.isOn(Modifier::Ctrl));
    EXPECT_FALSE(c.isOn(Modifier::Shift));
    EXPECT_TRUE(c.isOn(Modifier::Alt));
    EXPECT_FALSE(c.isOn(Modifier::Win));
    EXPECT_EQ(c.mainName(), u"Delete");
    EXPECT_EQ(c.mainVk(), 46);
    EXPECT_EQ(storedText(c), ctrlAltDelete) << "confirming unchanged stores the same text";

    c.prefill(5, ctrlAltDelete);
    EXPECT_TRUE(c.empty()) << "another function shows nothing";

    c.prefill(function::KeyCombination, shortcutText({false, false, false, true, u"", 0}));
    EXPECT_TRUE(c.isOn(Modifier::Win));
    EXPECT_EQ(c.mainVk(), kNoMainKey);
    EXPECT_EQ(c.mainName(), u"");

    // Damaged texts: a key without a usable code is no key; a stray token is ignored.
    c.prefill(function::KeyCombination, u"Ctrl&split&162&split&Q&split&x");
    EXPECT_TRUE(c.isOn(Modifier::Ctrl));
    EXPECT_EQ(c.mainVk(), kNoMainKey);
    c.prefill(function::KeyCombination, u"Q&split&81&split&Ctrl");
    EXPECT_EQ(c.mainName(), u"Q");
    EXPECT_FALSE(c.isOn(Modifier::Ctrl));
}

TEST(ShortcutCapture, ConfirmedCombinationBecomesTheButtonsMacro)
{
    auto s = std::make_unique<ConfigStore>();
    s->catalogue.keyNum = 8;
    ShortcutCapture c = capture();
    c.toggle(Modifier::Ctrl);
    c.toggle(Modifier::Shift);
    c.message(kDown, 'S');
    assignKeyCombination(*s, 5, storedText(c), true, kLanguage);
    EXPECT_EQ(s->buttons[0][5].functionCode, function::KeyCombination);
    const macro::MacroRecord& r = s->shortcutMacros[0][5];
    EXPECT_EQ(macro::recordName(r), u"Ctrl+Shift+S");
    ASSERT_EQ(r.eventCount, 3);
    EXPECT_EQ(r.code[0], 224);
    EXPECT_EQ(r.code[1], 225);
    EXPECT_EQ(r.code[2], 22);
}
