// Main-page repaint: how long one repaint takes when the hover moves from one
// mouse part to the next, at display scale 1 and 2, next to the 16.7 ms of a
// 60 Hz frame. The window is a real one of the build's window system (a Win32
// dialog under Wine), so the figure includes the hover copy and the enlarged
// copy onto the window; the first repaint also decodes the three pictures,
// the others find them in the picture cache. Prints `name: value`.
#include "platform/platform.h"
#include "platform/resource_ids.h"
#include "ui/appearance.h"
#include "ui/picture_cache.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kRepaints = 40;
constexpr double kFrameMs = 1000.0 / 60.0;
// Mouse parts of the main page; each repaint hovers the next.
constexpr int kHoverRegions[] = {35, 36, 37, 38, 39, 40, 41, 42};

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

class MainPage : public platform::Window {
public:
    explicit MainPage(ui::Appearance& look) : Window(IDD_KVX_GMOUSE_DIALOG), look_(look) {}

    bool onInitDialog() override
    {
        auto mask = ui::maskSize(look_.place.picture(u"main_mask.jpg"));
        if (mask)
            ui::shapeWindow(*this, *mask, look_.place.scale, {0, 0});
        return true;
    }
    bool onEraseBackground() override { return true; }
    bool onPaint(platform::Canvas& surface) override
    {
        painted = ui::paintSkinnedWindow(surface, look_.place, u"main", Text(), look_.skins.main, hovered, false,
                                         [](ui::SkinPictures&) {});
        return painted;
    }

    int hovered = ui::kNoRegion;
    bool painted = false;

private:
    ui::Appearance& look_;
};

double percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, std::size_t(p * double(v.size() - 1) + 0.5))];
}

bool measure(const Text& root, int scale)
{
    ui::Appearance look;
    look.place = {root, u"\\1_INI_EN", scale};
    look.language = 1;
    if (!look.loadTextsAndPageSkins()) {
        std::printf("main_repaint: the skins under the data root are missing\n");
        return false;
    }
    MainPage page(look);
    if (!page.create()) {
        std::printf("main_repaint: no window could be made (no display?)\n");
        return false;
    }
    page.show(platform::Show::Show);
    platform::Clock& clock = *platform::os().clock;
    ui::pictureCache().clear();
    std::vector<double> ms;
    double first = 0;
    for (int i = 0; i <= kRepaints; ++i) {
        page.hovered = kHoverRegions[i % std::size(kHoverRegions)];
        std::int64_t start = clock.monotonicUs();
        page.invalidate(false);
        page.update();
        double took = double(clock.monotonicUs() - start) / 1000.0;
        if (i == 0)
            first = took; // decodes the pictures
        else
            ms.push_back(took);
    }
    page.destroy();
    if (!page.painted) {
        std::printf("main_repaint: the main page's pictures are missing\n");
        return false;
    }
    std::printf("main_repaint_scale%d_first_ms: %.2f\n", scale, first);
    std::printf("main_repaint_scale%d_median_ms: %.2f\n", scale, percentile(ms, 0.5));
    std::printf("main_repaint_scale%d_p95_ms: %.2f\n", scale, percentile(ms, 0.95));
    std::printf("main_repaint_scale%d_frames_per_repaint: %.2f\n", scale, percentile(ms, 0.5) / kFrameMs);
    return true;
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
