#include "ui/dialog_gun.h"

#include "platform/platform.h"
#include "ui/picture_cache.h"

#include <span>

namespace ui {

namespace {

constexpr const char16_t* kSkinFile = u"skin_gun.ini";
constexpr int kTextFontSize = 2;
constexpr platform::Color kText = platform::rgb(255, 255, 255);
constexpr platform::Color kCaption = platform::rgb(150, 160, 170);
constexpr int kRadioIndent = 28;

namespace region {
constexpr int Close = 0;
constexpr int Cancel = 1;
constexpr int Ok = 2;
constexpr int Dismiss = 3;
constexpr int Picture = 4;
constexpr int Weapon = 5;
constexpr int WeaponArrow = 6;
constexpr int CountMode = 8;
constexpr int HoldMode = 9;
} // namespace region

// A box's text as a number: at most `digits` characters count, like the box's own limit.
int boxNumber(const Text& t, int digits) { return text::toInt(TextView(t).substr(0, size_t(digits))); }

} // namespace

CDialogGun::CDialogGun(const Appearance& look, macro::PresetTable& presets, Text languageFolder)
    : platform::Window(kTemplate), look_(look), presets_(presets), languageFolder_(std::move(languageFolder)),
      editor_(presets, languageFolder_, look.language)
{
}

CDialogGun::~CDialogGun()
{
    weaponList_.close();
    strength_.destroy();
    repeat_.destroy();
    interval_.destroy();
}

bool CDialogGun::onInitDialog()
{
    const int s = look_.place.scale;
    const platform::Size mask = maskSize(look_.place.picture(u"gun_mask.jpg")).value_or(platform::Size{});
    const platform::Size screen = platform::os().windows->screenSize();
    shapeWindow(*this, mask, s, {(screen.width - mask.width * s) / 2, (screen.height - mask.height * s) / 2});
    if (!loadRegionTable(look_.place, kSkinFile, u"BUTTONPOS", 0, regions_, SkinReader::Dialog)) {
        endDialog(2); // the missing file has been reported
        return true;
    }
    for (int i = 0; i < 3; ++i)
        boxRects_[size_t(i)] = loadRectangle(look_.place, kSkinFile, u"EDIT", i, SkinReader::Dialog);
    const auto font = look_.font(kTextFontSize);
    strength_.create(*this, kStrengthBox, boxRects_[0], font);
    repeat_.create(*this, kRepeatBox, boxRects_[1], font);
    interval_.create(*this, kIntervalBox, boxRects_[2], font);
    showPreset();
    return true;
}

void CDialogGun::fillBoxes()
{
    repeat_.setText(boxes_.repeat);
    repeat_.enable(boxes_.repeatEnabled);
    strength_.setText(boxes_.strength);
    interval_.setText(boxes_.interval);
}

void CDialogGun::showPreset()
{
    editor_.show(editor_.current(), boxes_);
    fillBoxes();
    const Text picture =
        look_.place.dataRoot + u"\\Gun\\" + text::fromInt(editor_.current() + 1) + u".jpg";
    pictureMissing_ = !platform::os().files->exists(picture);
    invalidate(false);
    if (pictureMissing_)
        message(macro::kWeaponPictureMissingText);
}

macro::PresetNumbers CDialogGun::typed() const
{
    return {boxNumber(repeat_.text(), macro::kRepeatDigits), boxNumber(strength_.text(), macro::kStrengthDigits),
            boxNumber(interval_.text(), macro::kIntervalDigits)};
}

void CDialogGun::message(const Text& text) { platform::os().windows->messageBox(this, text, programName()); }

void CDialogGun::saved(macro::PresetWrite write)
{
    if (write == macro::PresetWrite::FileMissing)
        message(macro::kPresetFileMissingText);
}

void CDialogGun::openWeaponList()
{
    menus::MenuContext context;
    context.look = &look_;
    context.sources.presets = &presets_;
    context.target.currentPreset = editor_.currentSlot();
    context.owner = this;
    const int s = look_.place.scale;
    const platform::Rect r5 = regions_[region::Weapon].rect();
    weaponList_.open(menus::kind::Weapon, std::move(context), menus::weaponListRect(windowRect(), r5, s));
}

void CDialogGun::onMouseMove(platform::Point p)
{
    const int r = hitTest(p, regions_);
    if (r != hovered_) {
        hovered_ = r;
        trackMouseLeave(1);
        invalidate(false);
    }
}

void CDialogGun::onMouseLeave()
{
    if (hovered_ != kNoRegion) {
        hovered_ = kNoRegion;
        invalidate(false);
    }
}

void CDialogGun::onLButtonDown(platform::Point p)
{
    weaponList_.close();
    const int r = hitTest(p, regions_);
    pressed_ = true;
    invalidate(false);
    switch (r) {
    case region::Close:
    case region::Cancel:
    case region::Dismiss:
        endDialog(2);
        break;
    case region::Ok:
        saved(editor_.ok(typed()));
        endDialog(1);
        break;
    case region::Weapon:
    case region::WeaponArrow:
        openWeaponList();
        break;
    case region::HoldMode:
        editor_.holdMode(boxes_);
        fillBoxes();
        break;
    case region::CountMode:
        editor_.countMode(boxes_);
        fillBoxes();
        break;
    default:
        break;
    }
}

void CDialogGun::onLButtonUp(platform::Point)
{
    pressed_ = false;
    invalidate(false);
}

std::intptr_t CDialogGun::onMessage(unsigned id, std::uintptr_t wParam, std::intptr_t)
{
    if (id != msg::PresetDialog)
        return 0;
    macro::PresetWrite write = macro::PresetWrite::Saved;
    const macro::PresetSwitch result = editor_.switchedFrom(int(wParam), typed(), boxes_, write);
    if (result == macro::PresetSwitch::PreviousBad) {
        message(macro::kPresetContentErrorText);
        return 0;
    }
    saved(write);
    showPreset();
    return 0;
}

bool CDialogGun::onPaint(platform::Canvas& surface)
{
    const int s = look_.place.scale;
    SkinPictures pictures = loadSkinPictures(look_.place, u"gun");
    if (!pictures.normal)
        return false;
    platform::Canvas& canvas = *pictures.normal;
    paintHover(pictures, regions_, hovered_, pressed_, s);
    const int mode = editor_.cycleMode();
    if (mode == macro::cycle::WhileHeld)
        copyRegion(canvas, pictures.down.get(), regions_[region::HoldMode], s);
    else if (mode == macro::cycle::Count)
        copyRegion(canvas, pictures.down.get(), regions_[region::CountMode], s);

    if (!pictureMissing_) {
        const Text path = look_.place.dataRoot + u"\\Gun\\" + text::fromInt(editor_.current() + 1) + u".jpg";
        if (auto weapon = pictureCache().get(path)) {
            const platform::Size ws = weapon->size();
            canvas.stretchFrom(*weapon, pictureRect(regions_[region::Picture], s), {0, 0, ws.width, ws.height});
        }
    }

    canvas.setFont(look_.font(kTextFontSize));
    for (int r = 0; r < kRegions; ++r) {
        const SkinRegion& g = regions_[size_t(r)];
        Text t = r == region::Weapon ? presets_.names[size_t(editor_.current())] : g.text;
        if (t.empty())
            continue;
        const platform::Rect area = pictureRect(g, s);
        const platform::Size extent = canvas.textExtent(t);
        const bool button = r == region::Ok || r == region::Cancel;
        canvas.setTextColor(button || r == region::Weapon ? kText : kCaption);
        // The two cycle-mode regions begin with their radio mark in the picture.
        const bool radio = r == region::CountMode || r == region::HoldMode;
        const int x = button ? area.left + (area.width() - extent.width) / 2 : area.left + (radio ? kRadioIndent : 8);
        canvas.drawText({x, area.top + (area.height() - extent.height) / 2}, t);
    }
    present(surface, canvas, s);
    return true;
}

} // namespace ui
