#include "ui/dialogs/capture_dialog.h"

#include "platform/keyboard_hook.h"
#include "platform/platform.h"

namespace ui {

namespace {
constexpr int kTextFontSize = 2;
}

keys::KeyNaming keyNamingOf(const Appearance& look)
{
    auto devmac = [&](int i) { return look.texts.get(TextSection::DevMac, i); };
    return {look.language, devmac(20), devmac(21), devmac(22), devmac(41), devmac(42)};
}

CaptureDialog* CaptureDialog::open_ = nullptr;

CaptureDialog::CaptureDialog(int templateId, const Appearance& look, Text title)
    : SkinnedWindow(templateId), look_(look), title_(std::move(title))
{
}

CaptureDialog::~CaptureDialog() { releaseKeyboard(); }

bool CaptureDialog::startCapture(const Text& skinFile, int regionCount, Size size, Point topLeft)
{
    setText(title_);
    shapeWindow(*this, size, look_.place.scale, topLeft);
    regions_.assign(size_t(regionCount), SkinRegion());
    if (!loadRegionTable(look_.place, skinFile, u"BUTTONPOS", 0, regions_, SkinReader::Dialog)) {
        endDialog(kCancelled);
        return false;
    }
    setTrackedTables({regions_});
    capturing_ = true;
    open_ = this;
    if (platform::KeyboardHook* hook = platform::os().keyboardHook)
        hook->install(title_);
    return true;
}

void CaptureDialog::releaseKeyboard()
{
    if (open_ == this)
        open_ = nullptr;
    if (capturing_) {
        capturing_ = false;
        if (platform::KeyboardHook* hook = platform::os().keyboardHook)
            hook->remove();
    }
}

void CaptureDialog::finish(std::intptr_t result)
{
    releaseKeyboard();
    endDialog(result);
}

bool CaptureDialog::preTranslateMessage(const platform::Message& m)
{
    if (!capturing_ || !keys::isKeyMessage(m.id))
        return false;
    const keys::CaptureStep step = keyMessage(m.id, unsigned(m.wParam));
    if (step.changed)
        invalidate(false);
    return step.swallow;
}

void CaptureDialog::pressed(int region)
{
    setPressed(region != kNoRegion);
    invalidate(false);
}

void CaptureDialog::onLButtonUp(Point)
{
    setPressed(false);
    invalidate(false);
}

void CaptureDialog::paintLayers(SkinPictures& pictures)
{
    const int h = hovered(0);
    if (h != kNoRegion && isButton(h))
        copyRegion(*pictures.normal, SkinnedWindow::pressed() ? pictures.down.get() : pictures.over.get(),
                   regions_[size_t(h)], look_.place.scale);
}

void CaptureDialog::drawCentred(platform::Canvas& canvas, int region, TextView text, platform::Color colour) const
{
    if (text.empty() || size_t(region) >= regions_.size())
        return;
    const Rect area = pictureRect(regions_[size_t(region)], look_.place.scale);
    canvas.setFont(look_.font(kTextFontSize));
    canvas.setTextColor(colour);
    const Size extent = canvas.textExtent(text);
    canvas.drawText({area.left + (area.width() - extent.width) / 2, area.top + (area.height() - extent.height) / 2},
                    text);
}

} // namespace ui
