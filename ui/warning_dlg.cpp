#include "ui/warning_dlg.h"

#include "platform/platform.h"
#include "ui/picture_cache.h"

namespace ui {

namespace {
constexpr platform::Color kWhite = 0xFFFFFF;
constexpr platform::Color kDialogFace = platform::rgb(0xF0, 0xF0, 0xF0);
} // namespace

WarningDlg::WarningDlg(Warnings& warnings) : SkinnedWindow(kWarningTemplate), warnings_(warnings) {}

const SkinPlace& WarningDlg::skinPlace() const { return warnings_.look().place; }

Text WarningDlg::pictureBase() const
{
    return form_ == WarningForm::Modal ? u"warning" : u"warning2";
}

bool WarningDlg::onInitDialog()
{
    // The form is fixed when the dialog is made, so a status warning keeps its
    // own pictures and button while modal warnings come and go.
    form_ = warnings_.form;
    const Appearance& look = warnings_.look();
    size_ = maskSize(look.place.picture(pictureBase() + u"_mask.jpg")).value_or(Size{});
    shapeWindow(*this, size_, look.place.scale, warnings_.popupPosition);
    fillRegions();
    if (platform::Window* main = warnings_.mainWindow())
        main->registerHidNotification();
    return true;
}

void WarningDlg::fillRegions()
{
    const auto& entries = warnings_.look().skins.warning;
    regions_.fill(SkinRegion());
    if (form_ == WarningForm::Modal) {
        for (int i = 0; i < kRegions; ++i)
            regions_[size_t(i)] = entries[size_t(i)];
    } else {
        regions_[0] = entries[6];
        regions_[2] = entries[7];
    }
    regions_[2].text = warnings_.message;
    // The buttons are regions 0 and 1.
    setTrackedTables({std::span<const SkinRegion>(regions_).first(2)});
    invalidate();
}

bool WarningDlg::onPaint(platform::Canvas& surface)
{
    const Appearance& look = warnings_.look();
    const int s = look.place.scale;
    Rect client = clientRect();
    auto canvas = platform::os().graphics->createCanvas({client.width(), client.height()});
    canvas->fill(client, kDialogFace);

    const Text base = pictureBase();
    if (auto normal = pictureCache().get(look.place.picture(base + u"_normal.jpg")))
        present(*canvas, *normal, s);
    if (const int h = hovered(0); h != kNoRegion) {
        const SkinRegion& r = regions_[size_t(h)];
        if (auto over = pictureCache().get(look.place.picture(base + u"_over.jpg")))
            canvas->stretchFrom(*over, r.rect(), pictureRect(r, s));
    }

    const SkinRegion& area = regions_[2];
    canvas->setFont(look.font(6));
    canvas->setTextColor(kWhite);
    Size extent = canvas->textExtent(area.text);
    canvas->drawText({area.x + (area.width - extent.width) / 2 + 2, area.y + (area.height - extent.height) / 2},
                     area.text);

    surface.copyFrom(*canvas, client, {0, 0});
    return true;
}

void WarningDlg::onLButtonUp(Point p)
{
    if (regions_[0].contains(p)) {
        if (form_ == WarningForm::Status) {
            endDialog(1); // hides the status warning
            if (platform::Window* main = warnings_.mainWindow())
                main->send(msg::EndProgram);
        } else {
            endDialog(1);
        }
    } else if (regions_[1].contains(p)) {
        onClose();
    }
}

void WarningDlg::onDeviceChange(const platform::DeviceChange& change)
{
    // Devices come and go while a modal warning runs; the main window handles them.
    if (platform::Window* main = warnings_.mainWindow())
        main->onDeviceChange(change);
}

Warnings::Warnings(const Appearance& look) : look_(look) {}

Warnings::~Warnings()
{
    if (status_)
        status_->destroy();
}

void Warnings::setMainWindow(platform::Window* main, Size mainSkinSize)
{
    main_ = main;
    mainSkinSize_ = mainSkinSize;
}

void Warnings::initialisationFinished()
{
    if (!statusShownOnce_)
        placement = WarningPlacement::MainWindow;
}

std::intptr_t Warnings::showWarning(const Text& text)
{
    message = text;
    return showModal();
}

std::intptr_t Warnings::showModal()
{
    statusActive = false;
    const int s = look_.place.scale;
    if (placement == WarningPlacement::MainWindow && main_ && main_->exists()) {
        Rect r = main_->windowRect();
        popupPosition = {r.left + 330 * s, r.top + 280 * s};
    } else {
        Size screen = platform::os().windows->screenSize();
        popupPosition = {screen.width / 2 - 200 * s, screen.height / 2 - 100 * s};
    }
    form = WarningForm::Modal;

    // A warning shown while another one runs (a message handled inside its
    // loop) must not delete the running one: objects are only replaced once
    // their own run has ended.
    last_.reset();
    auto dlg = std::make_unique<WarningDlg>(*this);
    WarningDlg* outer = open_;
    open_ = dlg.get();
    std::intptr_t result = dlg->doModal(main_);
    open_ = outer;
    last_ = std::move(dlg);
    return result;
}

void Warnings::showTip(int number, const Text& suffix)
{
    showWarning(look_.texts.tip(number) + suffix);
}

Point Warnings::centredMainPosition() const
{
    const int s = look_.place.scale;
    Size screen = platform::os().windows->screenSize();
    return {(screen.width - mainSkinSize_.width * s) / 2, (screen.height - mainSkinSize_.height * s) / 2};
}

void Warnings::createStatus(const Text& text)
{
    message = text;
    form = WarningForm::Status;
    popupPosition = centredMainPosition();
    if (!status_)
        status_ = std::make_unique<WarningDlg>(*this);
    status_->create(main_);
}

void Warnings::showStatus(const Text& text)
{
    message = text;
    placement = WarningPlacement::Desktop;
    statusShownOnce_ = true;
    popupPosition = centredMainPosition();
    form = WarningForm::Status;
    statusActive = true;
    if (!status_ || !status_->exists())
        createStatus(text);
    if (!status_->isVisible()) {
        status_->fillRegions();
        Rect r = status_->windowRect();
        status_->move(Rect::fromXywh(popupPosition.x, popupPosition.y, r.width(), r.height()));
        status_->show(platform::Show::Show);
    }
    if (main_) {
        const int s = look_.place.scale;
        main_->move(Rect::fromXywh(popupPosition.x, popupPosition.y, mainSkinSize_.width * s,
                                   mainSkinSize_.height * s));
    }
}

void Warnings::hideStatus()
{
    if (status_ && status_->isVisible())
        status_->show(platform::Show::Hide);
}

} // namespace ui
