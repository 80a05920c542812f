#include "ui/menus/skinned_menu.h"

#include "platform/platform.h"
#include "platform/resource_ids.h"
#include "ui/picture_cache.h"

#include <algorithm>

namespace ui::menus {

namespace {

constexpr platform::Color kWhite = 0xFFFFFF;

int templateFor(Level level)
{
    switch (level) {
    case Level::Menu: return IDD_MENU;
    case Level::SubMenu: return IDD_SUBMENU;
    case Level::MacroChoice: return IDD_MACSELMENU;
    }
    return IDD_MENU;
}

bool opensSubMenus(const MenuSpec& s)
{
    return s.level == Level::Menu && (s.id == kind::Button || s.id == kind::Insert);
}

bool isGroupList(const MenuSpec& s)
{
    return s.level == Level::SubMenu && (s.id == source::Groups || s.id == source::LeftGroups);
}

MenuGeometry geometryOf(const MenuSpec& spec, const SkinPlace& place)
{
    if (spec.maskBase.empty())
        return {};
    return menuGeometry(spec, maskSize(place.picture(spec.mask())).value_or(Size{}));
}

} // namespace

SkinnedMenu::SkinnedMenu(MenuSpec spec, PopupMenus& menus)
    : SkinnedWindow(templateFor(spec.level)), spec_(std::move(spec)), menus_(menus)
{
}

SkinnedMenu::~SkinnedMenu()
{
    child_.reset();
    destroy();
}

const SkinPlace& SkinnedMenu::skinPlace() const { return menus_.context().look->place; }

bool SkinnedMenu::onInitDialog()
{
    // Sub-menus and the macro choice menu find their menus by these texts.
    if (spec_.level == Level::Menu)
        setText(u"MainMenuDlg");
    else if (spec_.level == Level::SubMenu)
        setText(u"SubMenuDlg");

    const SkinPlace& place = skinPlace();
    if (spec_.level == Level::Menu && (spec_.id == kind::MacroRow || spec_.id == kind::Event) &&
        !platform::os().files->exists(place.picture(spec_.mask()))) {
        const Text name = spec_.id == kind::MacroRow ? u"MacR_mask.jpg" : u"MacR_mask2.jpg";
        platform::os().windows->messageBox(nullptr, u"找不到 " + name, Text());
    }
    geometry_ = geometryOf(spec_, place);
    rows_ = rowRegions(geometry_, place.scale);
    setTrackedTables({rows_});
    setRegion({0, 0, geometry_.width * place.scale, geometry_.height * place.scale});
    return true;
}

int SkinnedMenu::hoveredRow() const
{
    const int region = hovered(0);
    return region == kNoRegion ? kNoRow : region + 1;
}

bool SkinnedMenu::onPaint(platform::Canvas& surface)
{
    PopupMenus::HandlerScope busy(menus_);
    if (spec_.pictureBase.empty())
        return true;
    SkinnedWindow::onPaint(surface);
    return true; // a picture that cannot be decoded draws nothing
}

void SkinnedMenu::paintLayers(SkinPictures& pictures)
{
    const Appearance& look = *menus_.context().look;
    const MenuGeometry& g = geometry_;
    const int row = hoveredRow();
    if (!(spec_.level == Level::Menu && spec_.id == kind::Language))
        paintHover(pictures, rows_, hovered(0), pressed() && spec_.pressedLook, look.place.scale);

    platform::Canvas& picture = *pictures.normal;
    picture.setTextColor(kWhite);
    for (int i = 1; i <= int(spec_.rows.size()) && g.rowHeight > 0; ++i) {
        const MenuRow& r = spec_.rows[size_t(i - 1)];
        const int top = (i - 1) * g.rowHeight;
        if (spec_.rowPictures && !r.picturePrefix.empty()) {
            const Text state = i == row ? u"_over.jpg" : u"_normal.jpg";
            if (auto own = pictureCache().get(look.place.picture(r.picturePrefix + state)))
                picture.copyFrom(*own, platform::Rect::fromXywh(0, top, g.width, g.rowHeight), {0, 0});
        }
        if (r.swatch)
            picture.fill({0, top, g.width, top + g.rowHeight - 1}, *r.swatch);
        if (r.text.empty())
            continue;
        picture.setFont(look.font(2));
        const Size extent = picture.textExtent(r.text);
        const int x = spec_.align == TextAlign::Left2 ? 2 : (g.width - extent.width) / 2;
        const int y = top + (g.rowHeight - extent.height) / 2;
        picture.drawText({x, y}, r.text);
        if (r.arrow != Arrow::None) {
            picture.setFont(look.font(1));
            picture.drawText({std::max(x, 12) - 10, y - 1}, r.arrow == Arrow::Down ? u"↓" : u"↑");
        }
    }
}

void SkinnedMenu::onMouseMove(platform::Point p)
{
    PopupMenus::HandlerScope busy(menus_);
    // Sub-menus keep their row while the mouse is on its way to what the row opened.
    if (spec_.stickyHover && hitTest(p, rows_) == kNoRegion)
        return;
    SkinnedWindow::onMouseMove(p);
}

void SkinnedMenu::hoverChanged()
{
    invalidate(true);
    const MenuContext& ctx = menus_.context();
    if (opensSubMenus(spec_)) {
        child_.reset();
        const int groups = ctx.sources.library ? ctx.sources.library->groupCount : 0;
        if (auto place = subMenuFor(spec_, hoveredRow(), geometry_, groups))
            openChild(describeSubMenu(place->source, ctx.sources), *place);
    } else if (isGroupList(spec_) && ctx.sources.library) {
        child_.reset();
        if (auto place = macroChoiceFor(spec_, hoveredRow(), geometry_, *ctx.sources.library))
            openChild(describeMacroChoice(place->source, spec_.leftMacro, ctx.sources), *place);
    }
}

void SkinnedMenu::openChild(MenuSpec spec, const SubMenuPlace& place)
{
    // The menu's own handler runs, not the old child's: it can go at once.
    auto child = std::make_unique<SkinnedMenu>(std::move(spec), menus_);
    if (!child->create(this))
        return;
    const int s = skinPlace().scale;
    const platform::Rect r = windowRect();
    child->move(platform::Rect::fromXywh(r.left + place.offset.x * s, r.top + place.offset.y * s,
                                         place.size.width * s, place.size.height * s));
    child->show(platform::Show::Show);
    child_ = std::move(child);
}

void SkinnedMenu::onLButtonDown(platform::Point)
{
    PopupMenus::HandlerScope busy(menus_);
    setPressed(true);
    invalidate(true);
}

void SkinnedMenu::onLButtonUp(platform::Point)
{
    PopupMenus::HandlerScope busy(menus_);
    setPressed(false);
    const MenuChoice choice = choose(spec_, hoveredRow());
    if (choice.action == Action::Nothing && !choice.message) {
        invalidate(true);
        return;
    }
    menus_.chosen(choice);
}

void SkinnedMenu::onClose()
{
    PopupMenus::HandlerScope busy(menus_);
    menus_.close();
}

void SkinnedMenu::hideChain()
{
    if (child_)
        child_->hideChain();
    if (exists())
        show(platform::Show::Hide);
}

PopupMenus::~PopupMenus()
{
    menu_.reset();
    retired_.clear();
}

SkinnedMenu* PopupMenus::open(int kind, MenuContext context, const platform::Rect& screenRect)
{
    close();
    context_ = std::move(context);
    if (!context_.look)
        return nullptr;
    // Menus always show the names the group files hold now.
    if (context_.library) {
        macro::readMacroNames(*context_.library, context_.target.macroFolder);
        context_.sources.library = context_.library;
    }
    auto menu = std::make_unique<SkinnedMenu>(describeMenu(kind, context_.sources), *this);
    if (!menu->create(context_.owner))
        return nullptr;
    menu->move(screenRect);
    menu->show(platform::Show::Show);
    menu_ = std::move(menu);
    return menu_.get();
}

Size PopupMenus::sizeOf(int kind, const MenuContext& context)
{
    if (!context.look)
        return {};
    const MenuGeometry g = geometryOf(describeMenu(kind, context.sources), context.look->place);
    return {g.width, g.height};
}

void PopupMenus::close()
{
    if (menu_) {
        menu_->hideChain();
        retired_.push_back(std::move(menu_));
    }
    collect();
}

void PopupMenus::collect()
{
    // A menu whose handler is running (it sent its owner a message that
    // closes it) goes at the next opportunity.
    if (!inHandler())
        retired_.clear();
}

void PopupMenus::chosen(const MenuChoice& choice)
{
    const std::optional<OwnerMessage> message = carryOut(choice, context_.target);
    // A choice in a sub-menu or macro choice menu ends the whole chain.
    if (choice.close)
        close();
    platform::Window* owner = context_.owner;
    if (!owner)
        return;
    if (message) {
        if (message->posted)
            owner->post(message->id, message->wParam, message->lParam);
        else
            owner->send(message->id, message->wParam, message->lParam);
    }
    if (choice.action == Action::Language && context_.look && !context_.look->fonts.perLanguageSets())
        owner->send(msg::FontsAgain, 1, 0);
    if (choice.repaintOwner || choice.action == Action::AssignFunction || choice.action == Action::AssignMacro) {
        owner->invalidate(true);
        owner->update();
    }
}

} // namespace ui::menus
