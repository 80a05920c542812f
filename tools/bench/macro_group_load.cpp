// Macro page: how long a full group (12 macros of 275 events) takes to load
// from its file into the group table, and how long one macro of it takes to
// show in the event list (rows built from the language texts, added to a real
// list of the build's window system: a Win32 LISTBOX under Wine). Scrolling
// the list a page at a time is timed next to the 8.3 ms of a 120 Hz frame.
// Prints `name: value`.
#include "macro/item_text.h"
#include "macro/macro_file.h"
#include "platform/platform.h"
#include "platform/resource_ids.h"
#include "ui/controls/list_box_xi.h"
#include "ui/fonts.h"
#include "ui/language.h"
#include "ui/macro_item_texts.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

constexpr int kRuns = 10;
constexpr double kFrameMs = 1000.0 / 120.0;
constexpr int kEventIcons[] = {172, 173, 174, 175, 178, 182};

Text hostFolder(const std::filesystem::path& p)
{
    Text t = text::fromUtf8(p.string());
#ifdef _WIN32
    if (!t.empty() && t[0] == u'/')
        t = u"Z:" + t;
    std::replace(t.begin(), t.end(), u'/', u'\\');
#endif
    return t;
}

Text sourceSkins()
{
    const char* dir = std::getenv("KVX_SOURCE_DIR");
    return hostFolder(std::filesystem::path(dir ? dir : ".") / "skins");
}

class Host : public platform::Window {
public:
    Host() : Window(IDD_WARNING) {}
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main()
{
    platform::installDefault();
    platform::Clock& clock = *platform::os().clock;
    const auto folder = std::filesystem::temp_directory_path() / "kvx_bench_macro_group";
    std::filesystem::create_directories(folder);
    const Text file = hostFolder(folder / "Bench.dat");

    auto table = std::make_unique<macro::GroupTable>();
    for (int m = 0; m < macro::kMaxMacrosPerGroup; ++m)
        for (int e = 0; e < macro::kMaxEvents; ++e)
            macro::insertEvent((*table)[size_t(m)], e, std::uint8_t(4 + e % 26), e % 2 ? 2 : 1);
    platform::os().files->deleteFile(file);
    if (!macro::writeGroup(file, *table, macro::kMaxMacrosPerGroup, 1)) {
        std::printf("macro_group_load: the group file could not be written\n");
        return 1;
    }

    ui::LanguageTexts texts;
    texts.load({sourceSkins(), u"\\1_INI_EN", 1});
    const macro::ItemTexts itemTexts = ui::macroItemTexts(texts, 1);
    Host host;
    if (!host.create()) {
        std::printf("macro_group_load: no window could be made (no display?)\n");
        return 1;
    }
    host.move({0, 0, 320, 480});
    host.show(platform::Show::Show);
    // The page's list font: size 6 of the single Arial set at 96 pixels per inch.
    const int listPoints = ui::fontSizes(ui::FontSource::SingleFamily, ui::fontBaseValue(96), 1)[5];
    const auto font = platform::os().graphics->createPointFont(listPoints, ui::kFaceArial);
    ui::ListBoxXI list(ui::listnumber::Events);
    list.create(host, 10002, {0, 0, 300, 440}, kEventIcons, 16, font);

    std::vector<double> load, show, scroll, setTop, repaint;
    for (int run = 0; run < kRuns; ++run) {
        auto loaded = std::make_unique<macro::GroupTable>();
        std::int64_t t0 = clock.monotonicUs();
        const int count = macro::loadGroup(*loaded, file, 1).value_or(0);
        load.push_back(double(clock.monotonicUs() - t0) / 1000.0);
        if (count != macro::kMaxMacrosPerGroup) {
            std::printf("macro_group_load: the group read back %d macros\n", count);
            return 1;
        }
        t0 = clock.monotonicUs();
        list.setRedraw(false);
        list.empty();
        for (const macro::ListRow& r : macro::eventRows((*loaded)[size_t(run % count)], itemTexts).rows)
            list.addRow(r.text, r.kind);
        list.select(0);
        list.setRedraw(true);
        list.native()->update();
        show.push_back(double(clock.monotonicUs() - t0) / 1000.0);

        for (int page = 1; page <= 5; ++page) {
            t0 = clock.monotonicUs();
            list.native()->setTopRow(page * 25);
            const std::int64_t t1 = clock.monotonicUs();
            list.native()->invalidate();
            list.native()->update();
            const std::int64_t t2 = clock.monotonicUs();
            scroll.push_back(double(t2 - t0) / 1000.0);
            setTop.push_back(double(t1 - t0) / 1000.0);
            repaint.push_back(double(t2 - t1) / 1000.0);
        }
    }
    list.destroy();
    host.destroy();
    std::filesystem::remove_all(folder);

    std::printf("macro_group_load_12x275_ms: %.2f\n", median(load));
    std::printf("macro_show_550_rows_ms: %.2f\n", median(show));
    std::printf("macro_group_load_and_show_ms: %.2f\n", median(load) + median(show));
    std::printf("event_list_scroll_page_ms: %.2f\n", median(scroll));
    // The split: moving the top row (the list's own work, its scroll bar
    // redrawn) and painting the rows.
    std::printf("event_list_scroll_set_top_ms: %.2f\n", median(setTop));
    std::printf("event_list_scroll_repaint_ms: %.2f\n", median(repaint));
    std::printf("event_list_scroll_frames_120hz: %.2f\n", median(scroll) / kFrameMs);
    return 0;
}
