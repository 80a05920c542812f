#pragma once
// The key capture dialog: the key of a macro key event is whatever key is
// pressed (or released) last while it is open. OK hands the key to the
// owner with msg::KeyCaptured (wParam: its device key code).
#include "ui/dialogs/capture_dialog.h"

namespace ui {

class CDialogGetKey : public CaptureDialog {
public:
    static constexpr int kTemplate = 130;
    static constexpr int kRegions = 4;
    static constexpr Size kSize{360, 200};
    enum Region { KeyName = 0, Ok = 1, Cancel = 2 };

    // Shows the event's key at `topLeft` (screen) until a key is captured.
    CDialogGetKey(const Appearance& look, Text title, std::uint8_t deviceCode, Point topLeft);

    bool onInitDialog() override;
    void onLButtonDown(Point p) override;

    Text pictureBase() const override { return u"keyset"; }
    const keys::KeyCapture& capture() const { return capture_; }

protected:
    keys::CaptureStep keyMessage(unsigned message, unsigned virtualKey) override
    {
        return capture_.message(message, virtualKey);
    }
    bool isButton(int region) const override { return region == Ok || region == Cancel; }
    void paintLayers(SkinPictures& pictures) override;

private:
    keys::KeyCapture capture_;
    Point topLeft_;
};

} // namespace ui
