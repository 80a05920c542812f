// Page repaints: how long one repaint takes when the hover moves from one
// region of a page to the next (the window repaints what it marks as changed),
// and a repaint of the whole window, on each of the four pages at display
// scale 1 and 2, next to the 8.3 ms of a 120 Hz frame. The window is a real one of
// the build's window system (a Win32 dialog under Wine) carrying the
// program's pages, so the figure includes every layer, the texts and the
// enlarged copy onto the window; the first paint after start also decodes
// the pictures, the others find them in the picture cache. Prints `name: value`.
#include "platform/platform.h"
#include "platform/resource_ids.h"
#include "settings/config_files.h"
#include "ui/appearance.h"
#include "ui/paged_window.h"
#include "ui/picture_cache.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr int kRepaints = 40;
constexpr double kFrameMs = 1000.0 / 120.0;
const char* const kPageNames[] = {"main", "advanced", "macro", "led"};

Text dataRoot(int argc, char** argv)
{
    const char* dir = argc > 1 ? argv[1] : std::getenv("KVX_SOURCE_DIR");
    Text root = text::fromUtf8(dir ? dir : ".");
    if (argc <= 1)
        root += u"/skins";
#ifdef _WIN32
    if (!root.empty() && root[0] == u'/')
        root = u"Z:" + root; // the host's root under Wine
    std::replace(root.begin(), root.end(), u'/', u'\\');
#endif
    return root;
}

// The main window's skinned side with nothing behind its regions.
class BenchWindow : public ui::PagedWindow {
public:
    explicit BenchWindow(ui::Appearance& look) : PagedWindow(IDD_KVX_GMOUSE_DIALOG), look_(look) {}

    bool onInitDialog() override
    {
        shapeFromMaskPicture(u"main_mask.jpg");
        trackCurrentPage();
        return true;
    }
    bool onPaint(platform::Canvas& surface) override
    {
        const bool p = PagedWindow::onPaint(surface);
        painted = painted || p;
        return p;
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

    bool painted = false;

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

double percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, std::size_t(p * double(v.size() - 1) + 0.5))];
}

// The centres of the page's regions that have a size, to hover one after another.
std::vector<platform::Point> hoverPoints(ui::Page& page)
{
    std::vector<platform::Point> points;
    for (const ui::SkinRegion& r : page.hitTable())
        if (r.width > 0 && r.height > 0)
            points.push_back({r.x + r.width / 2, r.y + r.height / 2});
    return points;
}

bool measure(const Text& root, int scale)
{
    ui::Appearance look;
    look.place = {root, u"\\1_INI_EN", scale};
    look.language = 1;
    if (!look.loadTextsAndPageSkins()) {
        std::printf("page_repaint: the skins under the data root are missing\n");
        return false;
    }
    look.fonts.create(look.place, look.language, ui::fontBaseValue(platform::os().graphics->logPixelsX()));
    settings::ConfigStore& s = settings::store();
    for (int c = 0; c < settings::kConfigurations; ++c)
        settings::loadConfiguration(s, root + u"\\config", c, false, look.language);
    BenchWindow window(look);
    if (!window.create()) {
        std::printf("page_repaint: no window could be made (no display?)\n");
        return false;
    }
    window.show(platform::Show::Show);
    platform::Clock& clock = *platform::os().clock;
    ui::pictureCache().clear();
    bool ok = true;
    for (int p = 0; p < ui::kPageCount; ++p) {
        window.switchPage(p);
        std::vector<platform::Point> points = hoverPoints(window.page());
        points.push_back({1, 1}); // and empty space
        auto timed = [&](auto&& step) {
            std::int64_t start = clock.monotonicUs();
            step();
            return double(clock.monotonicUs() - start) / 1000.0;
        };
        // The page's pictures are decoded here.
        const double first = timed([&] {
            window.invalidate(false);
            window.update();
        });
        // A move repaints what the window itself marks as changed by the hover.
        std::vector<double> ms, full;
        for (int i = 1; i <= kRepaints; ++i) {
            window.onMouseMove(points[std::size_t(i) % points.size()]);
            ms.push_back(timed([&] { window.update(); }));
        }
        // The whole window, as after it was uncovered.
        for (int i = 0; i < kRepaints; ++i)
            full.push_back(timed([&] {
                window.invalidate(false);
                window.update();
            }));
        const char* name = kPageNames[p];
        std::printf("page_repaint_%s_scale%d_first_ms: %.2f\n", name, scale, first);
        std::printf("page_repaint_%s_scale%d_median_ms: %.2f\n", name, scale, percentile(ms, 0.5));
        std::printf("page_repaint_%s_scale%d_p95_ms: %.2f\n", name, scale, percentile(ms, 0.95));
        std::printf("page_repaint_%s_scale%d_p95_frames_120hz: %.2f\n", name, scale, percentile(ms, 0.95) / kFrameMs);
        std::printf("page_repaint_%s_scale%d_whole_median_ms: %.2f\n", name, scale, percentile(full, 0.5));
        std::printf("page_repaint_%s_scale%d_whole_p95_ms: %.2f\n", name, scale, percentile(full, 0.95));
    }
    window.destroy();
    if (!window.painted) {
        std::printf("page_repaint: the pages' pictures are missing\n");
        ok = false;
    }
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    platform::installDefault();
    Text root = dataRoot(argc, argv);
    std::printf("frame_budget_ms: %.1f\n", kFrameMs);
    bool ok = measure(root, 1);
    ok = measure(root, 2) && ok;
    return ok ? 0 : 1;
}
