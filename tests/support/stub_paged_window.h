#pragma once
// The main window's skinned side in a real window with nothing behind its
// regions, over the shipped skins: the Win32 hover test and the repaint
// benchmark both drive it. Header only, so the benchmark needs no test library.
#include "platform/platform.h"
#include "platform/resource_ids.h"
#include "settings/config_files.h"
#include "ui/appearance.h"
#include "ui/paged_window.h"

#include <memory>

namespace testsupport {

// The English look at the scale, with the four configurations read from the
// data root's config folder; false when the skins are missing.
inline bool loadShippedLook(ui::Appearance& look, const Text& dataRoot, int scale)
{
    look.place = {dataRoot, u"\\1_INI_EN", scale};
    look.language = 1;
    if (!look.loadTextsAndPageSkins())
        return false;
    look.fonts.create(look.place, look.language, ui::fontBaseValue(platform::os().graphics->logPixelsX()));
    for (int c = 0; c < settings::kConfigurations; ++c)
        settings::loadConfiguration(settings::store(), dataRoot + u"\\config", c, false, look.language);
    return true;
}

// Counts the paints it is asked for and those that drew the skin.
class StubPagedWindow : public ui::PagedWindow {
public:
    explicit StubPagedWindow(ui::Appearance& look) : PagedWindow(IDD_KVX_GMOUSE_DIALOG), look_(look) {}

    bool onInitDialog() override
    {
        shapeFromMaskPicture(u"main_mask.jpg");
        trackCurrentPage();
        return true;
    }
    bool onPaint(platform::Canvas& surface) override
    {
        ++paints;
        const bool drew = PagedWindow::onPaint(surface);
        drawn += drew ? 1 : 0;
        return drew;
    }

    const ui::Appearance& look() const override { return look_; }
    settings::ConfigStore& store() override { return settings::store(); }
    void minimise(platform::Point) override {}
    void exitProgram() override {}
    void applySettings() override {}
    void importSettings() override {}
    void exportSettings() override {}
    void factoryReset() override {}
    std::optional<platform::Color> chooseColour(platform::Color) override { return std::nullopt; }
    void openWithShell(const Text&) override {}
    void openPopup(const ui::PopupRequest&) override {}
    void closePopup() override {}
    void openSoundLighting() override {}
    void openGunPresets() override {}
    settings::FunctionNames& functionNames() override { return names_; }
    macro::Library& library() override { return *library_; }
    macro::LibraryPlace macroPlace() const override { return {}; }
    void clearDanglingMacroReferences() override {}
    std::pair<int, int> macroMemory() override { return {0, 0}; }
    void reloadPresets() override {}

    int paints = 0;
    int drawn = 0;

private:
    struct NoNames : settings::FunctionNames {
        Text skinFunctionName(int) override { return u"Left Click"; }
        Text moreFunctionName(int) override { return Text(); }
        Text libraryMacroName(int, int) override { return Text(); }
        Text presetName(int) override { return Text(); }
    } names_;
    ui::Appearance& look_;
    std::unique_ptr<macro::Library> library_ = std::make_unique<macro::Library>();
};

} // namespace testsupport
