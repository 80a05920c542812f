// Page paints of the main window at display scale 1 and 2, next to the
// 33 ms goal of the first paint and the 8.3 ms of a 120 Hz frame.
//
// Start: from the window's construction, with its first page's pictures
// decoded ahead on a worker (as the program starts them) while the look and
// the configurations load and the window is made and shown, to the end of
// its first paint; that paint's wait for the pictures is printed apart from
// the paint itself. Then each page's first paint once the background decoding
// after the first paint is done, and, for comparison, each page's first
// paint with nothing decoded ahead ("cold": it decodes the normal and down
// pictures itself; their decoding alone is printed too). Then repaints when
// the hover moves from one region of a page to the next (the window repaints
// what it marks as changed), and repaints of the whole window (compose and
// the enlarged copy onto the window). The window is a real one of the build's
// window system (a Win32 dialog under Wine). Prints `name: value`.
#include "tests/support/stub_paged_window.h"
#include "ui/picture_cache.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

constexpr int kRepaints = 40;
constexpr double kFrameMs = 1000.0 / 120.0;
constexpr double kFirstPaintGoalMs = 33.0;
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

double msSince(std::int64_t startUs) { return double(platform::os().clock->monotonicUs() - startUs) / 1000.0; }

template <typename Step>
double timed(Step&& step)
{
    const std::int64_t start = platform::os().clock->monotonicUs();
    step();
    return msSince(start);
}

void paintAll(testsupport::StubPagedWindow& window)
{
    window.invalidate(false);
    window.update();
}

bool measure(const Text& root, int scale)
{
    ui::pictureCache().clear();
    ui::Appearance look;
    look.place.dataRoot = root;
    const std::int64_t start = platform::os().clock->monotonicUs();
    testsupport::StubPagedWindow window(look);
    window.decodeAhead();
    bool loaded = false, made = false;
    const double loadMs = timed([&] { loaded = testsupport::loadShippedLook(look, root, scale); });
    if (!loaded) {
        std::printf("page_repaint: the skins under the data root are missing\n");
        return false;
    }
    const double createMs = timed([&] { made = window.create(); });
    if (!made) {
        std::printf("page_repaint: no window could be made (no display?)\n");
        return false;
    }
    window.show(platform::Show::Show);
    const std::int64_t shown = platform::os().clock->monotonicUs();
    paintAll(window);
    const double startToPaint = msSince(start), shownToPaint = msSince(shown);
    const double wait = double(window.pictureWaitUs()) / 1000.0;
    std::printf("start_scale%d_to_first_paint_ms: %.2f (goal %.0f)\n", scale, startToPaint, kFirstPaintGoalMs);
    std::printf("start_scale%d_look_and_configurations_ms: %.2f\n", scale, loadMs);
    std::printf("start_scale%d_window_made_ms: %.2f\n", scale, createMs);
    std::printf("start_scale%d_shown_to_first_paint_ms: %.2f\n", scale, shownToPaint);
    std::printf("start_scale%d_first_paint_waits_for_pictures_ms: %.2f\n", scale, wait);
    std::printf("start_scale%d_first_paint_itself_ms: %.2f\n", scale, shownToPaint - wait);

    // The other pages' pictures decode after the first paint; a user takes
    // longer than that to reach a tab.
    const double backgroundMs = timed([&] {
        for (int i = 0; i < 2000 && !window.decodedAheadReady(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    std::printf("start_scale%d_background_decoding_left_ms: %.2f\n", scale, backgroundMs);
    for (int p = 0; p < ui::kPageCount; ++p) {
        window.switchPage(p);
        const double first = timed([&] { paintAll(window); });
        std::printf("page_repaint_%s_scale%d_first_ms: %.2f (waits %.2f)\n", kPageNames[p], scale, first,
                    double(window.pictureWaitUs()) / 1000.0);
    }

    for (int p = 0; p < ui::kPageCount; ++p) {
        window.switchPage(p);
        const char* name = kPageNames[p];
        // Nothing decoded ahead: the page's paint decodes normal and down itself.
        ui::pictureCache().clear();
        const double cold = timed([&] { paintAll(window); });
        const double decode = timed([&] {
            platform::os().graphics->loadPicture(window.pictureFile(u"normal"));
            platform::os().graphics->loadPicture(window.pictureFile(u"down"));
        });
        std::vector<platform::Point> points = hoverPoints(window.page());
        points.push_back({1, 1}); // and empty space
        // The over picture is decoded on the first hover: not counted below.
        window.onMouseMove(points[0]);
        window.update();
        // A move repaints what the window itself marks as changed by the hover.
        std::vector<double> ms, full;
        for (int i = 1; i <= kRepaints; ++i) {
            window.onMouseMove(points[std::size_t(i) % points.size()]);
            ms.push_back(timed([&] { window.update(); }));
        }
        // The whole window, as after it was uncovered.
        for (int i = 0; i < kRepaints; ++i)
            full.push_back(timed([&] { paintAll(window); }));
        std::printf("page_repaint_%s_scale%d_first_cold_ms: %.2f\n", name, scale, cold);
        std::printf("page_repaint_%s_scale%d_decode_normal_and_down_ms: %.2f\n", name, scale, decode);
        std::printf("page_repaint_%s_scale%d_median_ms: %.2f\n", name, scale, percentile(ms, 0.5));
        std::printf("page_repaint_%s_scale%d_p95_ms: %.2f\n", name, scale, percentile(ms, 0.95));
        std::printf("page_repaint_%s_scale%d_p95_frames_120hz: %.2f\n", name, scale, percentile(ms, 0.95) / kFrameMs);
        std::printf("page_repaint_%s_scale%d_whole_median_ms: %.2f\n", name, scale, percentile(full, 0.5));
        std::printf("page_repaint_%s_scale%d_whole_p95_ms: %.2f\n", name, scale, percentile(full, 0.95));
    }
    window.destroy();
    if (window.drawn == 0) {
        std::printf("page_repaint: the pages' pictures are missing\n");
        return false;
    }
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
