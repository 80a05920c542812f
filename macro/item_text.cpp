#include "macro/item_text.h"

#include "keys/key_names.h"

#include <algorithm>

namespace macro {

namespace {

// How the list names a key: device numbering.
constexpr int kDeviceKeyNames = 2;
constexpr int kUnnamedMode = 7;
// A block holds one header and at most this many four-byte steps.
constexpr int kMaxSteps = (kBlockBytes - 4) / 4;

Text num(long long v) { return text::fromInt(v); }

Text moveText(const MacroRecord& r, int k)
{
    static const char* const signs[] = {"[X-]:", ",[Y-]:", "[X-]:", ",[Y+]:", "[X+]:", ",[Y-]:", "[X+]:", ",[Y+]:"};
    const int sub = r.sub[k];
    if (sub < 3 || sub > 6)
        return u"[X]:eeror,[Y]:eeror";
    const int i = (sub - 3) * 2;
    return T(signs[i]) + num(r.param[k].x) + T(signs[i + 1]) + num(r.param[k].y);
}

Text cpiText(const MacroRecord& r, int k, const ItemTexts& t)
{
    if (r.sub[k] == sub::CpiReturn)
        return t.cpiReturn;
    if (r.sub[k] != sub::CpiSet)
        return u"[DPI]:Error";
    static const int cpi[] = {0, 200, 400, 600, 800, 1000, 1200, 1600, 1600, 2000, 2000, 2400, 2400, 3200, 4000, 4800};
    const int level = r.param[k].x;
    const int value = level >= 1 && level <= 15 ? cpi[level] : 800;
    return u"[DPI]:" + num(value) + u" ";
}

Text modeName(int mode, const ItemTexts& t)
{
    switch (mode) {
    case 1: return t.modeNames[0];
    case 2: return t.modeNames[1];
    case 3: return t.modeNames[2];
    case 6: return t.modeNames[3];
    default: return t.modeNames[4];
    }
}

bool modeHasName(int mode) { return mode == 1 || mode == 2 || mode == 3 || mode == 6; }

} // namespace

Text pauseRowText(int delay, const ItemTexts& t) { return num(delay) + t.pauseUnit; }

ListRow eventRow(const MacroRecord& r, int k, const ItemTexts& t)
{
    const std::uint8_t code = r.code[k];
    switch (code) {
    case kind::Move: return {moveText(r, k), rowkind::Move};
    case kind::Cpi: return {cpiText(r, k, t), rowkind::Cpi};
    case kind::Led: {
        const int sub = r.sub[k];
        const bool step = sub >= 13 && sub <= 15;
        return {t.ledEvent + (step ? num(r.param[k].x + 1) : t.ledError), rowkind::Led};
    }
    case kind::Pause: return {t.pauseItem, rowkind::Plain};
    default: break;
    }
    const int kindOfRow = r.sub[k] == sub::Press     ? rowkind::Press
                          : r.sub[k] == sub::Release ? rowkind::Release
                                                     : rowkind::Plain;
    return {keys::keyName(t.language, code, kDeviceKeyNames, t.leftButton, t.middleButton, t.rightButton, t.button4,
                          t.button5),
            kindOfRow};
}

EventRows eventRows(const MacroRecord& r, const ItemTexts& t)
{
    EventRows out;
    const int count = std::min<int>(r.eventCount, kMaxEvents);
    out.rows.reserve(size_t(count) * 2);
    for (int k = 0; k < count; ++k) {
        ListRow row = eventRow(r, k, t);
        if (row.kind == rowkind::Press)
            ++out.pressRows;
        else if (row.kind == rowkind::Release)
            ++out.releaseRows;
        out.rows.push_back(std::move(row));
        out.rows.push_back({pauseRowText(r.delay[k], t), rowkind::Plain});
    }
    return out;
}

ValueRows ledValueRows(std::uint8_t (&block)[kBlockBytes], const ItemTexts& t)
{
    ValueRows out;
    const int steps = std::min<int>(block[0], kMaxSteps);
    out.shownMode = block[4];
    if (steps == 0)
        return out;
    if (!modeHasName(block[4]))
        block[4] = kUnnamedMode;
    out.shownMode = block[4];
    if (block[5] == 0)
        block[5] = 1;
    // Blocks from files may hold more steps; their rows show labels only.
    for (int i = 4; i < 4 * steps + 3; ++i) {
        Text value;
        if (i == 4)
            value = modeName(block[4], t);
        else if (i == 5)
            value = u" " + num(block[5]);
        else if (i == 6)
            value = num(block[6]);
        switch (i % 4) {
        case 0: out.rows.push_back(t.lightMode + u" " + value); break;
        case 1:
            out.rows.push_back(modeHasNoColour(out.shownMode) ? t.noColour : t.colour + u"  " + value);
            break;
        case 2: out.rows.push_back(t.duration + value + u"*122" + t.pauseUnit); break;
        default: out.rows.push_back(out.rows.back()); break;
        }
    }
    return out;
}

} // namespace macro
