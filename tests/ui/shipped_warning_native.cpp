// The warning dialog with the product's own pictures and layout.
#include "platform/headless/windows_headless.h"
#include "platform/platform.h"
#include "tests/support/temp_folder.h"
#include "ui/warning_dlg.h"

#include <gtest/gtest.h>

using namespace ui;
namespace hl = platform::headless;

TEST(ShippedWarning, HoveringTheButtonChangesItsPixelsAndReleasingOnItConfirms)
{
    const Text root = testsupport::sourceDir() + u"\\skins";
    if (!platform::os().files->isDirectory(root))
        GTEST_SKIP() << "no skins folder in this source tree";
    testsupport::TempFolder config;
    Appearance look;
    look.place = {root, Text(), 1};
    ASSERT_TRUE(look.applyLanguage(1, config.file("config.ini")));
    look.fonts.create(look.place, 1, 87);
    Warnings warnings(look);

    bool checked = false;
    hl::windows().setModalDriver([&](platform::Window& w) {
        auto& dlg = static_cast<WarningDlg&>(w);
        const SkinRegion& ok = dlg.regions()[0];
        platform::Point inButton{ok.x + ok.width / 2, ok.y + ok.height / 2};
        hl::HeadlessCanvas* surface = hl::windows().surface(w);
        ASSERT_TRUE(surface);
        std::vector<platform::Pixel> before(surface->pixels().begin(), surface->pixels().end());
        hl::windows().mouseMove(w, inButton);
        std::vector<platform::Pixel> after(surface->pixels().begin(), surface->pixels().end());
        EXPECT_NE(before, after) << "the over picture shows in the button";
        ASSERT_EQ(surface->texts().size(), 1u);
        EXPECT_EQ(surface->texts()[0].text, look.texts.tip(5));
        checked = true;
        hl::windows().click(w, inButton);
    });
    EXPECT_EQ(warnings.showWarning(look.texts.tip(5)), 1);
    hl::windows().setModalDriver(nullptr);
    EXPECT_TRUE(checked);
}
