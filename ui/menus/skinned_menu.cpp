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

SkinnedMenu::SkinnedMenu(MenuSpec spec, PopupMenus& menus, SkinnedMenu* ownerMenu)
    : platform::Window(templateFor(spec.level)), spec_(std::move(spec)), menus_(menus), ownerMenu_(ownerMenu)
{
}

SkinnedMenu::~SkinnedMenu()
{
    child_.reset();
    destroy();
}

bool SkinnedMenu::onInitDialog()
{
    // Sub-menus and the macro choice menu find their menus by these texts.
    if (spec_.level == Level::Menu)
        setText(u"MainMenuDlg");
    else if (spec_.level == Level::SubMenu)
        setText(u"SubMenuDlg");

    const SkinPlace& place = menus_.context().look->place;
    if (spec_.level == Level::Menu && (spec_.id == kind::MacroRow || spec_.id == kind::Event) &&
        !platform::os().files->exists(place.picture(spec_.mask()))) {
        const Text name = spec_.id == kind::MacroRow ? u"MacR_mask.jpg" : u"MacR_mask2.jpg";
        platform::os().windows->messageBox(nullptr, u"找不到 " + name, Text());
    }
    const MenuGeometry g = geometryOf(spec_, place);
    tracker_ = RowTracker(g, place.scale, spec_.stickyHover);
    setRegion({0, 0, g.width * place.scale, g.height * place.scale});
    return true;
}

bool SkinnedMenu::onPaint(platform::Canvas& surface)
{
    PopupMenus::HandlerScope busy(menus_);
    const SkinPlace& place = menus_.context().look->place;
    if (spec_.pictureBase.empty())
        return true;
    auto normal = pictureCache().get(place.picture(spec_.picture(u"normal")));
    if (!normal)
        return true; // a picture that cannot be decoded draws nothing
    auto picture = platform::os().graphics->createCanvas(normal->size());
    picture->copyFrom(*normal, {0, 0, normal->size().width, normal->size().height}, {0, 0});

    const MenuGeometry& g = tracker_.geometry();
    const int hovered = tracker_.hovered();
    const bool languageMenu = spec_.level == Level::Menu && spec_.id == kind::Language;
    if (hovered != kNoRow && !languageMenu) {
        const bool down = tracker_.pressed() && spec_.pressedLook;
        if (auto strip = pictureCache().get(place.picture(spec_.picture(down ? u"down" : u"over"))))
            picture->copyFrom(*strip, rowRect(g, hovered, 1), {0, (hovered - 1) * g.rowHeight});
    }
    paintRows(*picture);
    present(surface, *picture, place.scale);
    return true;
}

void SkinnedMenu::paintRows(platform::Canvas& picture)
{
    const Appearance& look = *menus_.context().look;
    const MenuGeometry& g = tracker_.geometry();
    picture.setTextColor(kWhite);
    for (int i = 1; i <= int(spec_.rows.size()) && g.rowHeight > 0; ++i) {
        const MenuRow& row = spec_.rows[size_t(i - 1)];
        const int top = (i - 1) * g.rowHeight;
        if (spec_.rowPictures && !row.picturePrefix.empty()) {
            const Text state = i == tracker_.hovered() ? u"_over.jpg" : u"_normal.jpg";
            if (auto own = pictureCache().get(look.place.picture(row.picturePrefix + state)))
                picture.copyFrom(*own, platform::Rect::fromXywh(0, top, g.width, g.rowHeight), {0, 0});
        }
        if (row.swatch)
            picture.fill({0, top, g.width, top + g.rowHeight - 1}, *row.swatch);
        if (row.text.empty())
            continue;
        picture.setFont(look.font(2));
        const Size extent = picture.textExtent(row.text);
        const int x = spec_.align == TextAlign::Left2 ? 2 : (g.width - extent.width) / 2;
        const int y = top + (g.rowHeight - extent.height) / 2;
        picture.drawText({x, y}, row.text);
        if (row.arrow != Arrow::None) {
            picture.setFont(look.font(1));
            picture.drawText({std::max(x, 12) - 10, y - 1}, row.arrow == Arrow::Down ? u"↓" : u"↑");
        }
    }
}

void SkinnedMenu::onMouseMove(platform::Point p)
{
    PopupMenus::HandlerScope busy(menus_);
    if (!tracker_.move(p))
        return;
    invalidate(true);
    rowChanged();
}

void SkinnedMenu::rowChanged()
{
    const MenuContext& ctx = menus_.context();
    const MenuGeometry& g = tracker_.geometry();
    if (opensSubMenus(spec_)) {
        closeChild();
        const int groups = ctx.sources.library ? ctx.sources.library->groupCount : 0;
        if (auto place = subMenuFor(spec_, tracker_.hovered(), g, groups))
            openChild(describeSubMenu(place->source, ctx.sources), *place);
    } else if (isGroupList(spec_) && ctx.sources.library) {
        closeChild();
        if (auto place = macroChoiceFor(spec_, tracker_.hovered(), g, *ctx.sources.library))
            openChild(describeMacroChoice(place->source, spec_.leftMacro, ctx.sources), *place);
    }
}

void SkinnedMenu::closeChild()
{
    // No handler of the child runs while its menu handles a message of its own.
    child_.reset();
}

void SkinnedMenu::openChild(MenuSpec spec, const SubMenuPlace& place)
{
    auto child = std::make_unique<SkinnedMenu>(std::move(spec), menus_, this);
    if (!child->create(this))
        return;
    const int s = menus_.context().look->place.scale;
    const platform::Rect r = windowRect();
    child->move(platform::Rect::fromXywh(r.left + place.offset.x * s, r.top + place.offset.y * s,
                                         place.size.width * s, place.size.height * s));
    child->show(platform::Show::Show);
    child_ = std::move(child);
}

void SkinnedMenu::onLButtonDown(platform::Point)
{
    PopupMenus::HandlerScope busy(menus_);
    tracker_.press();
    invalidate(true);
}

void SkinnedMenu::onLButtonUp(platform::Point)
{
    PopupMenus::HandlerScope busy(menus_);
    const MenuChoice choice = choose(spec_, tracker_.release());
    if (choice.action == Action::Nothing && !choice.message) {
        invalidate(true);
        return;
    }
    menus_.chosen(*this, choice);
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
    auto menu = std::make_unique<SkinnedMenu>(describeMenu(kind, context_.sources), *this, nullptr);
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

void PopupMenus::chosen(SkinnedMenu& from, const MenuChoice& choice)
{
    const std::optional<OwnerMessage> message = carryOut(choice, context_.target);
    if (choice.close) {
        if (from.spec().level != Level::Menu)
            closeRequest = true;
        close();
    }
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
        owner->send(ownermsg::FontsAgain, 1, 0);
    if (choice.repaintOwner || choice.action == Action::AssignFunction || choice.action == Action::AssignMacro) {
        owner->invalidate(true);
        owner->update();
    }
}

} // namespace ui::menus
