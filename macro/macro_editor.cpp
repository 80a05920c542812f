#include "macro/macro_editor.h"

#include <algorithm>

namespace macro {

namespace {

constexpr int kLastSlot = kMaxMacrosPerGroup - 1;
constexpr int kMaxLedEvents = kBlockCount;
// Value rows edited in place read "<label>:<number>*122<unit>": the number is
// what lies between the colon and the last six characters.
constexpr size_t kDurationSuffixChars = 6;

struct InsertSpec {
    std::uint8_t code;
    std::uint8_t sub;
    bool after;
};

std::optional<InsertSpec> insertSpecOf(int item)
{
    using namespace insertitem;
    switch (item) {
    case BeforeLeftPress: return InsertSpec{kind::LeftButton, sub::Press, false};
    case BeforeLeftRelease: return InsertSpec{kind::LeftButton, sub::Release, false};
    case BeforeMiddlePress: return InsertSpec{kind::MiddleButton, sub::Press, false};
    case BeforeMiddleRelease: return InsertSpec{kind::MiddleButton, sub::Release, false};
    case BeforeRightPress: return InsertSpec{kind::RightButton, sub::Press, false};
    case BeforeRightRelease: return InsertSpec{kind::RightButton, sub::Release, false};
    case AfterLeftPress: return InsertSpec{kind::LeftButton, sub::Press, true};
    case AfterLeftRelease: return InsertSpec{kind::LeftButton, sub::Release, true};
    case AfterMiddlePress: return InsertSpec{kind::MiddleButton, sub::Press, true};
    case AfterMiddleRelease: return InsertSpec{kind::MiddleButton, sub::Release, true};
    case AfterRightPress: return InsertSpec{kind::RightButton, sub::Press, true};
    case AfterRightRelease: return InsertSpec{kind::RightButton, sub::Release, true};
    case AfterSetCpi: return InsertSpec{kind::Cpi, sub::CpiSet, true};
    case AfterReturnCpi: return InsertSpec{kind::Cpi, sub::CpiReturn, true};
    case AfterLed: return InsertSpec{kind::Led, sub::LedStep, true};
    case AfterPause: return InsertSpec{kind::Pause, 0, true};
    default: break;
    }
    if (item >= AfterMoveUpLeft && item <= AfterMoveDownRight)
        return InsertSpec{kind::Move, std::uint8_t(3 + item - AfterMoveUpLeft), true};
    return std::nullopt;
}

// A number the user typed; digits only, so it cannot be negative.
long digitsValue(TextView t) { return text::toLong(t); }

} // namespace

bool isAllDigits(TextView t)
{
    return !t.empty() && std::all_of(t.begin(), t.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

int cpiLevelOf(int cpi)
{
    switch (cpi) {
    case 200: return 1;
    case 400: return 2;
    case 600: return 3;
    case 800: return 4;
    case 1000: return 5;
    case 1200: return 6;
    case 1600: return 7;
    case 2000: return 9;
    case 2400: return 11;
    case 3200: return 13;
    case 4000: return 14;
    case 4800: return 15;
    default: return 0;
    }
}

Text cpiValuesMessage() { return u"CPI(:200/400/600/800/1000/1200/1600/2000/2400/3200/4000/4800)"; }

MacroEditor::MacroEditor(Library& library, Text macroFolder, int language)
    : lib_(library), folder_(std::move(macroFolder)), language_(language)
{
}

void MacroEditor::setPlace(Text macroFolder, int language)
{
    folder_ = std::move(macroFolder);
    language_ = language;
}

int MacroEditor::currentSlot() const { return std::clamp(lib_.currentMacro, 0, kLastSlot); }
MacroRecord& MacroEditor::current() { return lib_.table[currentSlot()]; }
const MacroRecord& MacroEditor::current() const { return lib_.table[currentSlot()]; }

bool MacroEditor::hasEvent(int row) const { return row >= 0 && row / 2 < current().eventCount; }

Outcome MacroEditor::insertAt(int pos, std::uint8_t code, std::uint8_t sub, int& row, bool listWasEmpty)
{
    Outcome o = insertEvent(current(), pos, code, sub);
    if (o)
        row = listWasEmpty ? 0 : std::min(row + 2, rowCount() - 1);
    return o;
}

Outcome MacroEditor::runInsertItem(int item, int& row)
{
    if (recording)
        return Outcome::refused();
    if (item == insertitem::Delete)
        return deleteEventAt(row);
    const auto spec = insertSpecOf(item);
    if (!spec)
        return Outcome::refused();
    if (spec->code == kind::Led && current().ledCount >= kMaxLedEvents)
        return Outcome::refused(tip::Full);

    const bool empty = current().eventCount == 0;
    const int r = std::max(row, 0);
    const int e = std::min(r / 2, int(current().eventCount));
    const int pos = spec->after ? (empty ? 0 : std::min(e + 1, int(current().eventCount))) : e;
    row = r;
    return insertAt(pos, spec->code, spec->sub, row, empty);
}

Outcome MacroEditor::deleteEventAt(int& row)
{
    if (recording || !hasEvent(row))
        return Outcome::refused();
    Outcome o = deleteEvent(current(), row / 2);
    if (o)
        row = row < 3 ? 0 : row - 2;
    return o;
}

ModifyAction MacroEditor::modifyAction(int row) const
{
    if (!hasEvent(row))
        return ModifyAction::Nothing;
    if (row % 2 == 1)
        return ModifyAction::EditDelay;
    switch (current().code[row / 2]) {
    case kind::Cpi:
    case kind::Move: return ModifyAction::EditParameters;
    case kind::Led: return ModifyAction::Nothing;
    default: return ModifyAction::CaptureKey;
    }
}

bool MacroEditor::canEditParameters(int row) const
{
    return !recording && hasEvent(row) && row % 2 == 0 && current().code[row / 2] > 128;
}

bool MacroEditor::canEditDelay(int row) const { return !recording && hasEvent(row) && row % 2 == 1; }

Outcome MacroEditor::replaceKey(int row, std::uint8_t deviceCode)
{
    if (recording || !hasEvent(row) || row % 2 == 1)
        return Outcome::refused();
    current().code[row / 2] = deviceCode;
    return Outcome::ok();
}

Outcome MacroEditor::eventRowEdited(int row, TextView text, TextView pauseUnit)
{
    if (recording || !hasEvent(row) || text.empty())
        return Outcome::refused();
    MacroRecord& r = current();
    const int e = row / 2;

    if (row % 2 == 1) {
        TextView digits = text;
        if (!isAllDigits(digits)) {
            const size_t unit = pauseUnit.empty() ? TextView::npos : text.find(pauseUnit);
            digits = unit == TextView::npos ? TextView() : text.substr(0, unit);
        }
        if (!isAllDigits(digits))
            return Outcome::refused();
        long value = digitsValue(digits);
        Outcome o = Outcome::ok();
        if (value > kMaxPause) {
            value = kMaxPause;
            o.tip = tip::Full;
        }
        r.delay[e] = std::uint16_t(value);
        return o;
    }

    if (r.code[e] == kind::Cpi && r.sub[e] == sub::CpiSet) {
        const size_t colon = text.find(u':');
        const TextView number = colon == TextView::npos ? text : text.substr(colon + 1);
        const long cpi = text::toLong(number);
        int level = cpi > 0 && cpi <= 4800 ? cpiLevelOf(int(cpi)) : 0;
        Outcome o = Outcome::ok();
        if (level == 0) {
            level = cpiLevelOf(800);
            o.message = cpiValuesMessage();
        }
        r.param[e].x = std::uint16_t(level);
        return o;
    }

    if (r.code[e] == kind::Move) {
        // "[X+]:12,[Y-]:5": X between the first colon and the comma after it,
        // Y after the next colon.
        auto pos = [&](char16_t c, size_t from) {
            const size_t p = text.find(c, from);
            return p == TextView::npos ? size_t(0) : p;
        };
        const size_t c1 = pos(u':', 0);
        const size_t comma = pos(u',', c1);
        const size_t c2 = pos(u':', comma);
        const TextView xs = comma > c1 ? text.substr(c1 + 1, comma - c1 - 1) : TextView();
        const TextView ys = text.substr(std::min(c2 + 1, text.size()));
        if (!isAllDigits(xs) || !isAllDigits(ys))
            return Outcome::refused();
        long x = digitsValue(xs), y = digitsValue(ys);
        Outcome o = Outcome::ok();
        if (x > kMaxMoveAmount) {
            x = kMaxMoveAmount;
            o.tip = tip::Failed;
            o.tipPrefix += u"[X]; ";
        }
        if (y > kMaxMoveAmount) {
            y = kMaxMoveAmount;
            o.tip = tip::Failed;
            o.tipPrefix += u"[Y]; ";
        }
        r.param[e] = {std::uint16_t(x), std::uint16_t(y)};
        return o;
    }
    return Outcome::refused();
}

Outcome MacroEditor::valueRowEdited(int row, int v, TextView text)
{
    if (recording || !hasEvent(row))
        return Outcome::refused();
    MacroRecord& r = current();
    const int e = row / 2;
    const int block = r.param[e].x;
    if (r.code[e] != kind::Led || v < 0 || v + 4 >= kBlockBytes)
        return Outcome::refused();
    if (block >= kBlockCount)
        return Outcome::refused(tip::Failed);

    TextView digits = text;
    if (!isAllDigits(digits)) {
        const size_t colon = text.find(u':');
        digits = TextView();
        if (colon != TextView::npos) {
            const TextView rest = text.substr(colon + 1);
            if (rest.size() > kDurationSuffixChars)
                digits = rest.substr(0, rest.size() - kDurationSuffixChars);
        }
    }
    if (!isAllDigits(digits))
        return Outcome::refused();
    long value = digitsValue(digits);
    int tipNumber = 0;
    if (value > kMaxLedValue) {
        value = kMaxLedValue;
        tipNumber = tip::Full;
    }
    value = std::max(value, 1L);
    r.ledBlock[block][v + 4] = std::uint8_t(value);
    Outcome saved = saveCurrent();
    if (!saved)
        return saved;
    return Outcome::ok(tipNumber);
}

MacroEditor::RepeatChange MacroEditor::repeatTextChanged(TextView text, bool macroRowSelected)
{
    const long n = std::clamp(text::toLong(text), 1L, long(kMaxRepeatCount));
    RepeatChange change{text::fromInt(n), Outcome::refused()};
    if (macroRowSelected && !recording) {
        current().repeatCount = std::uint16_t(n);
        change.saved = saveCurrent();
    }
    return change;
}

Outcome MacroEditor::setCycleMode(int mode)
{
    if (recording || mode < cycle::Count || mode > cycle::WhileHeld)
        return Outcome::refused();
    MacroRecord& r = current();
    if (mode == cycle::Count) {
        r.mode = std::uint8_t(r.mode & ~0x0B);
    } else {
        r.mode = std::uint8_t((r.mode & ~0x07) + mode);
        r.repeatCount = 1;
    }
    return saveCurrent();
}

bool MacroEditor::repeatBoxEnabled() const { return (current().mode & 3) == cycle::Count; }

Text MacroEditor::repeatBoxText() const
{
    return repeatBoxEnabled() ? text::fromInt(current().repeatCount) : Text(u"1");
}

Outcome MacroEditor::saveCurrent()
{
    if (lib_.groupCount <= 0 || lib_.currentGroup < 0 || lib_.currentGroup >= lib_.groupCount)
        return Outcome::refused(tip::Failed);
    if (currentSlot() >= lib_.currentGroupMacroCount)
        return Outcome::refused(tip::SelectMacro);
    const auto file = groupFilePath(folder_, lib_.groupNames[lib_.currentGroup]);
    if (!file)
        return Outcome::refused(tip::BadName);
    if (!saveMacro(*file, lib_.table, lib_.currentGroupMacroCount, currentSlot(), language_))
        return Outcome::refused(tip::WriteFailed);
    return Outcome::ok();
}

} // namespace macro
