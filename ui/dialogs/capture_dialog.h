#pragma once
// What the two key capture dialogs share: while one is open it holds the
// keyboard with the desktop-wide hook, which posts every keystroke to the
// window bearing the main window's title (the dialog, in front of it), and
// its message filter turns those keystrokes into the key it shows. The hook
// goes when the dialog is confirmed, cancelled or closed.
#include "keys/key_capture.h"
#include "ui/appearance.h"
#include "ui/skinned_window.h"

namespace ui {

class CaptureDialog : public SkinnedWindow {
public:
    CaptureDialog(int templateId, const Appearance& look, Text title);
    ~CaptureDialog() override;

    const SkinPlace& skinPlace() const override { return look_.place; }
    bool preTranslateMessage(const platform::Message& m) override;
    // Enter is a key to capture, not a confirmation.
    void onOK() override {}
    void onCancel() override { finish(kCancelled); }
    void onLButtonUp(Point p) override;
    void onDestroying() override { releaseKeyboard(); }

    bool capturing() const { return capturing_; }
    // The capture that holds the keyboard now (one at a time), or null.
    static CaptureDialog* openCapture() { return open_; }
    // Ends the capture as its Cancel does (the program is closing).
    void cancel() { finish(kCancelled); }
    // The skin's regions as read when the dialog opened.
    const std::vector<SkinRegion>& regions() const { return regions_; }

    static constexpr std::intptr_t kConfirmed = 0;
    static constexpr std::intptr_t kCancelled = 2;

protected:
    // Title, size and place (scaled), the regions of `skinFile`, then the
    // keyboard. False when the skin file is missing: it has been reported and
    // the dialog ended.
    bool startCapture(const Text& skinFile, int regionCount, Size size, Point topLeft);
    void finish(std::intptr_t result);
    // One key message of the loop, while capturing.
    virtual keys::CaptureStep keyMessage(unsigned message, unsigned virtualKey) = 0;
    // Presses the pressed look is shown for; a hovered region outside them shows nothing.
    virtual bool isButton(int region) const = 0;

    void paintLayers(SkinPictures& pictures) override;
    void drawCentred(platform::Canvas& canvas, int region, TextView text, platform::Color colour) const;
    void pressed(int region);

    const Appearance& look_;
    std::vector<SkinRegion> regions_;

private:
    void releaseKeyboard();

    Text title_;
    bool capturing_ = false;
    static CaptureDialog* open_;
};

// Names of device key codes in the current language, as the event list gives them.
keys::KeyNaming keyNamingOf(const Appearance& look);

} // namespace ui
