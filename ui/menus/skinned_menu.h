#pragma once
// The skinned popup menu: one window class for every menu, sub-menu and the
// macro choice menu, drawn from the description of its kind (menu_model.h).
// A menu owns the sub-menu its hovered row opens, a group list owns the macro
// choice menu of its hovered group. PopupMenus is what an owner window keeps:
// the one open menu chain and what its choices act on.
#include "ui/appearance.h"
#include "ui/menus/menu_model.h"
#include "ui/skinned_window.h"

#include <memory>

namespace ui::menus {

class PopupMenus;

// Everything a menu chain reads and changes, kept by PopupMenus while it is open.
struct MenuContext {
    const Appearance* look = nullptr;
    MenuSources sources;
    ChoiceTarget target;
    macro::Library* library = nullptr; // its names are read again from the files when a menu opens
    platform::Window* owner = nullptr; // receives the menus' messages
};

class SkinnedMenu : public SkinnedWindow {
public:
    SkinnedMenu(MenuSpec spec, PopupMenus& menus);
    ~SkinnedMenu() override;

    const SkinPlace& skinPlace() const override;
    Text pictureBase() const override { return spec_.pictureBase; }
    Text pictureVariant() const override { return spec_.variant; }

    bool onInitDialog() override;
    bool onPaint(platform::Canvas& surface) override;
    void onMouseMove(platform::Point p) override;
    void onLButtonDown(platform::Point p) override;
    void onLButtonUp(platform::Point p) override;
    // Escape and Enter do not end a menu; only a choice or its owner does.
    void onOK() override {}
    void onCancel() override {}
    void onClose() override;

    const MenuSpec& spec() const { return spec_; }
    const MenuGeometry& geometry() const { return geometry_; }
    // The hovered row (from 1), kNoRow for none.
    int hoveredRow() const;
    // The sub-menu or macro choice menu this one has open, if any.
    SkinnedMenu* child() const { return child_.get(); }
    // Hides this menu and what it owns.
    void hideChain();

protected:
    void paintLayers(SkinPictures& pictures) override;
    void hoverChanged() override;
    // A menu keeps its row when the mouse leaves it, for its sub-menu.
    void mouseLeft() override {}

private:
    void openChild(MenuSpec spec, const SubMenuPlace& place);

    MenuSpec spec_;
    PopupMenus& menus_;
    MenuGeometry geometry_;
    std::vector<SkinRegion> rows_;
    std::unique_ptr<SkinnedMenu> child_;
};

// The owner side: opens the one menu chain, closes it, and carries out choices.
class PopupMenus {
public:
    PopupMenus() = default;
    ~PopupMenus();
    PopupMenus(const PopupMenus&) = delete;
    PopupMenus& operator=(const PopupMenus&) = delete;

    // Opens menu `kind` owned by context.owner at `screenRect` (the window's
    // region, from its mask, decides what shows of it). Any open menu is closed first.
    SkinnedMenu* open(int kind, MenuContext context, const platform::Rect& screenRect);
    // The window size a kind needs at scale 1 (its mask width, its rows'
    // height), for the opener's placement; empty when its mask is missing.
    static Size sizeOf(int kind, const MenuContext& context);
    // Closes the open chain, if any.
    void close();
    bool isOpen() const { return menu_ && menu_->isVisible(); }
    SkinnedMenu* menu() const { return menu_.get(); }

    // For SkinnedMenu.
    MenuContext& context() { return context_; }
    void chosen(const MenuChoice& choice);
    struct HandlerScope {
        explicit HandlerScope(PopupMenus& m) : m_(m) { ++m_.handlerDepth_; }
        ~HandlerScope() { --m_.handlerDepth_; }
        PopupMenus& m_;
    };
    bool inHandler() const { return handlerDepth_ > 0; }

private:
    void collect();

    MenuContext context_;
    std::unique_ptr<SkinnedMenu> menu_;
    std::vector<std::unique_ptr<SkinnedMenu>> retired_;
    int handlerDepth_ = 0;
};

} // namespace ui::menus
