#pragma once
// The key-combination capture of a button: four modifier switches and the
// last non-modifier key pressed or released. OK with something chosen sends
// the main window msg::ShortcutCaptured (wParam: button × 256 + the main
// key's VK, 255 for none; lParam: the address of the combination text, valid
// while the message is handled).
#include "settings/shortcut_capture.h"
#include "ui/dialogs/capture_dialog.h"

#include <array>

namespace ui {

class CShortcutGetKey : public CaptureDialog {
public:
    static constexpr int kTemplate = 131;
    static constexpr int kRegions = 14;
    static constexpr Size kSize{480, 330};
    enum Region { Modifiers = 0, MainKey = 1, Ok = 2, Cancel = 3, Clear = 4, Close = 5, FirstSwitch = 6 };
    static constexpr std::intptr_t kCancelledByButton = 8;

    // `shortcutTexts` are the language's UniqueName_ShortCut texts (1: no key, 2: no modifier).
    CShortcutGetKey(const Appearance& look, Text title, int button, int functionCode, const Text& shortcutText);

    bool onInitDialog() override;
    void onLButtonDown(Point p) override;

    Text pictureBase() const override { return u"combinationKey"; }
    const settings::ShortcutCapture& capture() const { return capture_; }
    int button() const { return button_; }

protected:
    keys::CaptureStep keyMessage(unsigned message, unsigned virtualKey) override
    {
        return capture_.message(message, virtualKey);
    }
    bool isButton(int region) const override { return region >= Ok && region <= FirstSwitch + 3; }
    void paintLayers(SkinPictures& pictures) override;

private:
    void confirm();

    settings::ShortcutCapture capture_;
    int button_;
    std::array<Text, kTextsPerSection> texts_; // copied when the dialog opens
};

} // namespace ui
