#include "ui/dialogs/dialog_get_key.h"

#include "ui/messages.h"

namespace ui {

namespace {
constexpr platform::Color kKeyColour = 0xFFBC07;
constexpr platform::Color kWhite = 0xFFFFFF;
} // namespace

CDialogGetKey::CDialogGetKey(const Appearance& look, Text title, std::uint8_t deviceCode, Point topLeft)
    : CaptureDialog(kTemplate, look, std::move(title)), capture_(keyNamingOf(look), deviceCode), topLeft_(topLeft)
{
}

bool CDialogGetKey::onInitDialog()
{
    startCapture(u"skin_keyset.ini", kRegions, kSize, topLeft_);
    return true;
}

void CDialogGetKey::onLButtonDown(Point p)
{
    const int r = hitTest(p, regions_);
    if (r == kNoRegion)
        return;
    pressed(r);
    if (r == Ok) {
        if (platform::Window* owner = parent())
            owner->send(msg::KeyCaptured, capture_.deviceCode(), 0);
        finish(kConfirmed);
    } else if (r == Cancel) {
        finish(kCancelled);
    }
}

void CDialogGetKey::paintLayers(SkinPictures& pictures)
{
    CaptureDialog::paintLayers(pictures);
    platform::Canvas& canvas = *pictures.normal;
    for (int r = 0; r < int(regions_.size()); ++r) {
        if (r == KeyName)
            drawCentred(canvas, r, capture_.name(), kKeyColour);
        else
            drawCentred(canvas, r, regions_[size_t(r)].text, kWhite);
    }
}

} // namespace ui
