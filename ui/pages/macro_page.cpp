#include "ui/pages/macro_page.h"

#include "platform/platform.h"
#include "ui/macro_item_texts.h"
#include "ui/dialogs/dialog_get_key.h"
#include "ui/messages.h"
#include "ui/pages/page_text.h"
#include "ui/tips.h"

#include <algorithm>

namespace ui {

namespace {

constexpr int kLibraryIcons[] = {169, 170, 171};
constexpr int kEventIcons[] = {172, 173, 174, 175, 178, 182};
constexpr int kValueIcons[] = {178};
constexpr int kListFontSize = 6;
constexpr int kNewGroupName = 36;   // UniqueName_DevMac
constexpr int kNewMacroName = 37;

// Menu items of the library menus.
namespace libitem {
constexpr int NewGroup = 1, NewMacro = 2, DeleteGroup = 3, Reset = 4, Rename = 5, ImportGroup = 6,
              ExportGroup = 7, ImportMacro = 8;
constexpr int RenameMacro = 1, DeleteMacro = 2, ImportIntoGroup = 3, ExportMacro = 4;
} // namespace libitem
constexpr int kGroupMenu = 11, kMacroMenu = 12, kEventMenu = 13, kInsertMenu = 14;

platform::FileDialogOptions fileOptions(const Text& folder, bool single)
{
    platform::FileDialogOptions o;
    o.filter = single ? u"All Files(*.sdat)|*.sdat||" : u"All Files(*.dat)|*.dat||";
    o.defaultExtension = single ? u"sdat" : u"dat";
    o.initialFolder = folder;
    return o;
}

} // namespace

MacroPage::MacroPage(PageHost& host) : Page(host) {}
MacroPage::~MacroPage() = default;

macro::ItemTexts MacroPage::itemTexts() const
{
    return macroItemTexts(host_.look().texts, host_.look().language);
}

void MacroPage::shown()
{
    const Appearance& look = host_.look();
    const MainSkinTables& t = look.skins;
    for (size_t i = 0; i < 3; ++i) {
        controlRects_[i] = t.macEdit[i];
        controlRects_[3 + i] = t.macDisplay[i];
    }
    const macro::LibraryPlace place = host_.macroPlace();
    if (!editor_)
        editor_ = std::make_unique<macro::MacroEditor>(host_.library(), place.macroFolder, place.language);
    editor_->setPlace(place.macroFolder, place.language);

    platform::Window& w = host_.window();
    const int iconSize = 16 * look.place.scale;
    const auto font = look.font(kListFontSize);
    library_.create(w, kLibraryListId, t.macDisplay[0], kLibraryIcons, iconSize, font);
    events_.create(w, kEventListId, t.macDisplay[1], kEventIcons, iconSize, font);
    values_.create(w, kValueListId, t.macDisplay[2], kValueIcons, iconSize, font);
    repeat_.create(w, kRepeatBoxId, t.macEdit[2], font);
    library_.selectionChanged = [this] { librarySelectionChanged(); };
    events_.selectionChanged = [this] { eventSelectionChanged(); };
    values_.selectionChanged = [this] {
        host_.closePopup();
        valueRow_ = values_.selection();
    };
    values_.doubleClicked = [this] { valueDoubleClicked(); };
    library_.rightButtonUp = [this](Point p) { libraryRightClick(p); };
    events_.rightButtonUp = [this](Point p) { eventRightClick(p); };
    values_.rightButtonUp = [this](Point p) { valueRightClick(p); };
    repeat_.changed = [this] { repeatChanged(); };

    // The names of every group, as the files hold them now.
    macro::readMacroNames(host_.library(), place.macroFolder);
    host_.library().currentMacro = 0;
    rebuildLibrary(0);
    events_.empty();
    values_.empty();
    repeat_.setText(u"1");
    lastRepeatText_ = u"1";
    repeat_.enable(false);
    refreshGauge();
}

void MacroPage::hidden()
{
    if (recorder_.running())
        cancelRecording();
    library_.destroy();
    events_.destroy();
    values_.destroy();
    repeat_.destroy();
}

void MacroPage::beforePress()
{
    library_.endEdit(true);
    events_.endEdit(true);
    values_.endEdit(true);
    repeat_.enable(false);
}

const macro::LibraryRow* MacroPage::selectedLibraryRow() const
{
    const int row = std::max(library_.selection(), 0);
    return size_t(row) < rows_.size() ? &rows_[size_t(row)] : nullptr;
}

bool MacroPage::macroRowSelected() const
{
    const macro::LibraryRow* r = selectedLibraryRow();
    return r && !r->isGroup && library_.selection() > 0;
}

void MacroPage::press(int region, Point)
{
    settings::ConfigStore& s = host_.store();
    if (!rows_.empty())
        repeat_.enable(macroRowSelected() && editor_->repeatBoxEnabled());
    const macro::LibraryRow* row = selectedLibraryRow();
    switch (region) {
    case Record:
    case Insert:
        if (rows_.empty()) {
            showTip(macro::tip::CreateMacroFirst);
        } else if (row && row->isGroup) {
            showTip(macro::tip::SelectMacro);
        } else if (region == Record) {
            if (recorder_.running())
                stopRecording();
            else if (row)
                startRecording(*row);
        } else if (region == Insert) {
            eventRow_ = std::max(events_.selection(), 0);
            PopupRequest q;
            q.kind = PopupKind::InsertMenu;
            q.region = region;
            q.at = host_.look().skins.mac[size_t(region)];
            host_.openPopup(q);
        }
        break;
    case FirstCycleMode:
    case FirstCycleMode + 1:
    case FirstCycleMode + 2:
        if (macroRowSelected()) {
            tell(editor_->setCycleMode(2 - (region - FirstCycleMode)));
            repeat_.setText(editor_->repeatBoxText());
            lastRepeatText_ = repeat_.text();
            repeat_.enable(editor_->repeatBoxEnabled());
        }
        break;
    case GunPresets:
        host_.openGunPresets();
        break;
    case SoftwareMacros:
        s.softwareMacros = s.softwareMacros ? 0 : 1;
        break;
    default:
        break;
    }
}

bool MacroPage::message(unsigned id, std::uintptr_t wParam, std::intptr_t lParam)
{
    switch (id) {
    case msg::MacroListEdit:
        listEdited(int(wParam), int(lParam));
        return true;
    case msg::MacroPageMenu:
        menuChoice(int(wParam), int(lParam));
        return true;
    case msg::KeyCaptured:
        keyCaptured(std::uint8_t(wParam));
        return true;
    case msg::LedEventValues1:
    case msg::LedEventValues2:
    case msg::LedEventValues3:
        // A value chosen in a value menu is kept like a value typed into the list.
        if (editor_ && library_.exists()) {
            if (macroRowSelected())
                tell(editor_->saveCurrent());
            showLedValues();
            values_.select(valueRow_);
        }
        return true;
    case msg::MacroFileAction:
        libraryFileAction(int(wParam));
        return true;
    default:
        return false;
    }
}

void MacroPage::tell(const macro::Outcome& o)
{
    if (o.listTip)
        showTip(o.listTip);
    if (o.tip)
        showTip(o.tip, o.tipPrefix.empty() ? Text() : u" " + o.tipPrefix);
    if (!o.message.empty())
        platform::os().windows->messageBox(&host_.window(), o.message, Text());
}

void MacroPage::rebuildLibrary(int selectRow)
{
    rows_ = macro::libraryRows(host_.library());
    library_.setRedraw(false);
    library_.empty();
    for (const macro::LibraryRow& r : rows_)
        library_.addRow(r.text, r.kind);
    library_.setRedraw(true);
    if (!rows_.empty())
        library_.select(std::clamp(selectRow, 0, int(rows_.size()) - 1));
    librarySelection_ = library_.selection();
}

void MacroPage::refreshEvents(bool touchRepeatBox)
{
    events_.setRedraw(false);
    events_.empty();
    const macro::Library& lib = host_.library();
    const macro::MacroRecord& m = editor_->current();
    if (lib.groupCount > 0 && m.eventCount > 0) {
        for (const macro::ListRow& r : macro::eventRows(m, itemTexts()).rows)
            events_.addRow(r.text, r.kind);
        events_.select(std::clamp(eventRow_, 0, events_.count() - 1));
        if (touchRepeatBox && !inInsertCommand_) {
            repeat_.enable(editor_->repeatBoxEnabled());
            repeat_.setText(editor_->repeatBoxText());
            lastRepeatText_ = repeat_.text();
        }
    }
    events_.setRedraw(true);
    host_.redraw();
}

void MacroPage::showLedValues()
{
    values_.empty();
    const macro::MacroRecord& m = editor_->current();
    const int e = std::max(events_.selection(), 0) / 2;
    if (events_.count() == 0 || e >= m.eventCount || m.code[e] != macro::kind::Led)
        return;
    const int block = m.param[e].x;
    if (block >= macro::kBlockCount)
        return;
    for (const Text& row : macro::ledValueRows(editor_->current().ledBlock[block], itemTexts()).rows)
        values_.addRow(row, -1);
}

void MacroPage::refreshGauge()
{
    gauge_ = host_.macroMemory();
    host_.redraw();
}

void MacroPage::librarySelectionChanged()
{
    macro::Library& lib = host_.library();
    const int row = library_.selection();
    const int old = librarySelection_;
    host_.closePopup();
    values_.empty();
    if (row < 0)
        return;
    if (size_t(row) >= rows_.size()) {
        showTip(macro::tip::Failed);
        library_.select(old);
        return;
    }
    if (recorder_.running())
        cancelRecording();
    const macro::LibraryRow r = rows_[size_t(row)];
    events_.empty();
    if (r.isGroup) {
        lib.opened[size_t(r.group)] = !lib.opened[size_t(r.group)];
        macro::makeGroupCurrent(lib, host_.macroPlace(), r.group);
        lib.currentMacro = 0;
        rebuildLibrary(row);
        repeat_.setText(u"1");
        lastRepeatText_ = u"1";
        repeat_.enable(false);
        return;
    }
    saveShownMacro(row);
    macro::makeGroupCurrent(lib, host_.macroPlace(), r.group);
    lib.currentMacro = r.macro;
    librarySelection_ = row;
    eventRow_ = 0;
    refreshEvents();
    updateRepeatBox();
}

void MacroPage::saveShownMacro(int newRow)
{
    const int old = librarySelection_;
    const bool macroWasShown = old > 0 && size_t(old) < rows_.size() && !rows_[size_t(old)].isGroup;
    if (macroWasShown && repeat_.isEnabled() && newRow != old) {
        editor_->current().repeatCount = std::uint16_t(std::clamp(text::toInt(repeat_.text()), 0, 1000));
        tell(editor_->saveCurrent());
    }
}

void MacroPage::startRecording(const macro::LibraryRow& row)
{
    Interaction& in = host_.interaction();
    in.recording = true;
    editor_->recording = true;
    host_.redraw();
    platform::os().keyboardHook->install(host_.window().text());
    macro::Library& lib = host_.library();
    lib.currentMacro = std::max(row.macro, 0);
    recorder_.start(editor_->current(), row.text);
    repeat_.setText(u"1");
    lastRepeatText_ = u"1";
    repeat_.enable(false);
    events_.empty();
    values_.empty();
}

bool MacroPage::recordingMessage(const platform::Message& m)
{
    if (!recorder_.running())
        return false;
    if (m.id >= platform::msg::KeyDown && m.id <= platform::msg::SysKeyUp) {
        const platform::SystemTime t = platform::os().clock->systemTime();
        const int now = macro::timeOfDayMs(t.hour, t.minute, t.second, t.milliseconds);
        switch (recorder_.key(m.id, unsigned(m.wParam), editor_->language(), now)) {
        case macro::MacroRecorder::Step::Recorded:
            eventRow_ = 2 * recorder_.recordedCount() - 1;
            refreshEvents(false);
            break;
        case macro::MacroRecorder::Step::Full:
            stopRecording();
            break;
        case macro::MacroRecorder::Step::Skipped:
            break;
        }
    }
    // F10 would open the system menu of the window.
    return m.wParam == 121;
}

void MacroPage::endRecordingState()
{
    host_.interaction().recording = false;
    editor_->recording = false;
    platform::os().keyboardHook->remove();
}

void MacroPage::stopRecording()
{
    recorder_.finish();
    endRecordingState();
    tell(editor_->saveCurrent());
    eventRow_ = 0;
    refreshEvents();
    if ((editor_->current().mode & 3) == macro::cycle::Count)
        repeat_.enable(true);
}

void MacroPage::cancelRecording()
{
    recorder_.cancel();
    endRecordingState();
    host_.redraw();
}

void MacroPage::showRow(int row)
{
    macro::Library& lib = host_.library();
    if (row < 0 || size_t(row) >= rows_.size())
        return;
    const macro::LibraryRow& r = rows_[size_t(row)];
    events_.empty();
    values_.empty();
    if (r.isGroup) {
        lib.currentMacro = 0;
        repeat_.setText(u"1");
        lastRepeatText_ = u"1";
        repeat_.enable(false);
        return;
    }
    macro::makeGroupCurrent(lib, host_.macroPlace(), r.group);
    lib.currentMacro = r.macro;
    eventRow_ = 0;
    refreshEvents();
    updateRepeatBox();
}

void MacroPage::updateRepeatBox()
{
    repeat_.enable(editor_->repeatBoxEnabled());
    repeat_.setText(editor_->repeatBoxText());
    lastRepeatText_ = repeat_.text();
}

void MacroPage::eventSelectionChanged()
{
    eventRow_ = events_.selection();
    host_.closePopup();
    showLedValues();
}

void MacroPage::valueDoubleClicked()
{
    host_.closePopup();
    valueRow_ = values_.selection();
    if (valueRow_ % 4 == 2)
        values_.startEdit();
}

void MacroPage::repeatChanged()
{
    const Text typed = repeat_.text();
    if (typed == lastRepeatText_)
        return;
    const auto change = editor_->repeatTextChanged(typed, macroRowSelected());
    repeat_.setText(change.shown);
    repeat_.native()->caretToEnd();
    lastRepeatText_ = change.shown;
    if (change.saved.tip)
        tell(change.saved);
}

void MacroPage::listEdited(int row, int list)
{
    macro::Library& lib = host_.library();
    if (list == listnumber::Library) {
        if (row < 0 || size_t(row) >= rows_.size()) {
            showTip(macro::tip::SelectMacro);
            return;
        }
        const macro::LibraryRow r = rows_[size_t(row)];
        const Text typed = library_.rowText(row);
        const macro::Renamed renamed =
            r.isGroup ? macro::renameGroup(lib, host_.macroPlace(), r.group, typed)
                      : macro::renameMacro(lib, host_.macroPlace(), r.group, r.macro, typed);
        tell(renamed.outcome);
        rebuildLibrary(row);
        return;
    }
    if (list == listnumber::Events) {
        const int r = events_.selection();
        tell(editor_->eventRowEdited(r, events_.rowText(r), itemTexts().pauseUnit));
        eventRow_ = r;
        refreshEvents(false);
        return;
    }
    if (list == listnumber::Values) {
        tell(editor_->valueRowEdited(std::max(events_.selection(), 0), row, values_.rowText(row)));
        showLedValues();
        values_.select(row);
        valueRow_ = row;
    }
}

void MacroPage::afterLibraryChange(const macro::Outcome& o, int selectRow)
{
    tell(o);
    rebuildLibrary(selectRow);
    refreshGauge();
}

void MacroPage::importGroup(const Text& file)
{
    macro::Library& lib = host_.library();
    const macro::Outcome o = macro::importGroup(lib, host_.macroPlace(), file);
    events_.empty();
    afterLibraryChange(o, macro::rowOf(macro::libraryRows(lib), lib.currentGroup));
}

void MacroPage::exportGroup(const Text& file) { tell(macro::exportGroup(host_.library(), host_.macroPlace(), file)); }

void MacroPage::importGroupFromDialog()
{
    if (auto file = platform::os().fileDialog->chooseFileToOpen(fileOptions(host_.macroPlace().macroFolder, false)))
        importGroup(*file);
}

void MacroPage::exportGroupFromDialog()
{
    if (auto file = platform::os().fileDialog->chooseFileToSave(fileOptions(host_.macroPlace().macroFolder, false)))
        exportGroup(*file);
}

void MacroPage::resetLibrary()
{
    if (recorder_.running())
        cancelRecording();
    tell(macro::resetLibrary(host_.library(), host_.macroPlace()));
    events_.empty();
    values_.empty();
    afterLibraryChange({}, 0);
}

void MacroPage::libraryFileAction(int which)
{
    host_.closePopup();
    switch (which) {
    case 1:
        importGroupFromDialog();
        break;
    case 2:
        if (host_.library().groupCount <= 0)
            showTip(macro::tip::Failed);
        else
            exportGroupFromDialog();
        break;
    case 3:
        resetLibrary();
        host_.reloadPresets();
        break;
    default:
        break;
    }
}

bool MacroPage::ownsControl(platform::WindowHandle h) const
{
    for (const ListBoxXI* list : {&library_, &events_, &values_})
        if (list->native() && list->native()->handle() == h)
            return true;
    return repeat_.native() && repeat_.native()->handle() == h;
}

void MacroPage::openAtCursor(PopupKind kind, Point inList, int ledBlock)
{
    PopupRequest q;
    q.kind = kind;
    q.cursor = platform::os().windows->cursorPos();
    // The cursor is where the list saw the release, so the list's client area starts here.
    q.valueListLeft = q.cursor.x - inList.x;
    q.ledBlock = ledBlock;
    host_.openPopup(q);
}

void MacroPage::libraryRightClick(Point p)
{
    host_.closePopup();
    if (recorder_.running())
        return;
    const int row = library_.rowAt(p);
    const bool onRow = row >= 0 && size_t(row) < rows_.size();
    if (onRow && row != library_.selection()) {
        // The menu acts on the clicked row: it becomes the selected one, its group and macro the current ones.
        saveShownMacro(row);
        library_.select(row);
        librarySelection_ = row;
        macro::makeGroupCurrent(host_.library(), host_.macroPlace(), rows_[size_t(row)].group);
        showRow(row);
    }
    openAtCursor(onRow && !rows_[size_t(row)].isGroup ? PopupKind::MacroRowMenu : PopupKind::LibraryMenu, p);
}

void MacroPage::eventRightClick(Point p)
{
    host_.closePopup();
    if (recorder_.running() || !macroRowSelected())
        return;
    const int row = events_.rowAt(p);
    const macro::MacroRecord& m = editor_->current();
    if (row < 0 || row / 2 >= m.eventCount)
        return;
    events_.select(row);
    eventRow_ = row;
    showLedValues();
    // Pause items and LED events have nothing to modify on their own row.
    const std::uint8_t code = m.code[row / 2];
    if (row % 2 == 1 || (code != 0 && code != macro::kind::Led))
        openAtCursor(PopupKind::EventMenu, p);
}

void MacroPage::valueRightClick(Point p)
{
    host_.closePopup();
    if (recorder_.running())
        return;
    const int v = values_.rowAt(p);
    const macro::MacroRecord& m = editor_->current();
    const int e = std::max(events_.selection(), 0) / 2;
    if (v < 0 || e >= m.eventCount || m.code[e] != macro::kind::Led || m.param[e].x >= macro::kBlockCount)
        return;
    values_.select(v);
    valueRow_ = v;
    const int block = m.param[e].x;
    const int shownMode = m.ledBlock[block][4];
    if (v == 0)
        openAtCursor(PopupKind::LightingModeMenu, p, block);
    else if (v == 1 && shownMode != 6 && shownMode != 7)
        openAtCursor(PopupKind::ColourMenu, p, block);
}

void MacroPage::languageChanging()
{
    if (!editor_ || !library_.exists())
        return;
    if (recorder_.running())
        cancelRecording();
    if (macroRowSelected())
        tell(editor_->saveCurrent());
}

void MacroPage::languageChanged()
{
    // The lists start again from the new language's library, with its fonts.
    if (!library_.exists())
        return;
    hidden();
    shown();
}

void MacroPage::menuChoice(int menu, int item)
{
    if (!editor_)
        return;
    macro::Library& lib = host_.library();
    const macro::LibraryPlace place = host_.macroPlace();
    const macro::LibraryRow* row = selectedLibraryRow();
    const int group = row ? row->group : lib.currentGroup;
    auto& dialogs = *platform::os().fileDialog;

    if (menu == kInsertMenu) {
        inInsertCommand_ = true;
        int r = eventRow_;
        const macro::Outcome o = editor_->runInsertItem(item, r);
        if (o)
            eventRow_ = r;
        if (item == macro::insertitem::Delete)
            values_.empty();
        refreshEvents(false);
        inInsertCommand_ = false;
        tell(o);
        refreshGauge();
        return;
    }
    if (menu == kEventMenu) {
        const int r = std::max(events_.selection(), 0);
        if (item == 1) {
            const macro::ModifyAction a = editor_->modifyAction(r);
            if (a == macro::ModifyAction::EditDelay || a == macro::ModifyAction::EditParameters)
                events_.startEdit();
            else if (a == macro::ModifyAction::CaptureKey && !editor_->recording)
                captureKey(r);
        } else if (item == 2) {
            eventRow_ = r;
            tell(editor_->deleteEventAt(eventRow_));
            values_.empty();
            refreshEvents(false);
            refreshGauge();
        }
        return;
    }
    if (menu == kGroupMenu) {
        switch (item) {
        case libitem::NewGroup: {
            const macro::Outcome o = macro::newGroup(lib, place, host_.look().texts.get(TextSection::DevMac, kNewGroupName));
            events_.empty();
            afterLibraryChange(o, macro::rowOf(macro::libraryRows(lib), lib.currentGroup));
            return;
        }
        case libitem::NewMacro: {
            const macro::Outcome o =
                macro::newMacro(lib, place, group, host_.look().texts.get(TextSection::DevMac, kNewMacroName));
            events_.empty();
            afterLibraryChange(o, macro::rowOf(macro::libraryRows(lib), lib.currentGroup, o ? lib.currentMacro : -1));
            if (o)
                showRow(library_.selection());
            return;
        }
        case libitem::DeleteGroup:
            if (rows_.empty())
                return;
            tell(macro::deleteGroup(lib, place, group));
            host_.clearDanglingMacroReferences();
            events_.empty();
            values_.empty();
            afterLibraryChange({}, 0);
            return;
        case libitem::Reset:
            resetLibrary();
            return;
        case libitem::Rename:
            if (!rows_.empty())
                library_.startEdit();
            return;
        case libitem::ImportGroup:
            importGroupFromDialog();
            return;
        case libitem::ExportGroup:
            if (!rows_.empty())
                exportGroupFromDialog();
            return;
        case libitem::ImportMacro:
            break;
        default:
            return;
        }
    }
    if (menu == kMacroMenu || (menu == kGroupMenu && item == libitem::ImportMacro)) {
        const int m = row && !row->isGroup ? row->macro : -1;
        const int action = menu == kGroupMenu ? libitem::ImportIntoGroup : item;
        switch (action) {
        case libitem::RenameMacro:
            library_.startEdit();
            return;
        case libitem::DeleteMacro: {
            macro::makeGroupCurrent(lib, place, group);
            const macro::Outcome o = macro::deleteMacro(lib, place, m);
            host_.clearDanglingMacroReferences();
            events_.empty();
            values_.empty();
            const auto rows = macro::libraryRows(lib);
            const int above = std::max(macro::rowOf(rows, group, m), 1) - 1;
            afterLibraryChange(o, o ? above : library_.selection());
            showRow(library_.selection());
            return;
        }
        case libitem::ImportIntoGroup:
            host_.closePopup();
            if (auto file = dialogs.chooseFileToOpen(fileOptions(place.macroFolder, true))) {
                const macro::Outcome o = macro::importSingleMacro(lib, place, group, *file);
                afterLibraryChange(o, macro::rowOf(macro::libraryRows(lib), group, o ? lib.currentMacro : -1));
                if (o)
                    showRow(library_.selection());
            }
            return;
        case libitem::ExportMacro:
            if (m >= 0) {
                macro::makeGroupCurrent(lib, place, group);
                lib.currentMacro = m;
                if (auto file = dialogs.chooseFileToSave(fileOptions(place.macroFolder, true)))
                    tell(macro::exportSingleMacro(lib, place, *file));
            }
            return;
        default:
            return;
        }
    }
}

void MacroPage::captureKey(int row)
{
    const int s = host_.look().place.scale;
    const Rect w = host_.window().windowRect();
    captureRow_ = row;
    CDialogGetKey dialog(host_.look(), host_.window().text(), editor_->current().code[row / 2],
                         {w.left + 330 * s, w.top + 280 * s});
    dialog.doModal(&host_.window());
    captureRow_ = -1;
}

void MacroPage::keyCaptured(std::uint8_t deviceCode)
{
    if (captureRow_ < 0 || !editor_)
        return;
    // Saved at once, like the lighting values: a chosen key does not wait for another save.
    if (const macro::Outcome o = editor_->replaceKey(captureRow_, deviceCode))
        tell(editor_->saveCurrent());
    eventRow_ = captureRow_;
    refreshEvents(false);
}

void MacroPage::paintLayer(PagePaint& paint)
{
    const auto& t = host_.look().skins.mac;
    if (const int h = host_.hoveredPage(); h != kNoRegion) {
        if (host_.pressed())
            paint.fromDown(t[size_t(h)]);
        else
            paint.fromOver(t[size_t(h)]);
    }
    if (host_.interaction().recording)
        paint.fromDown(t[Record]);
    if (host_.store().softwareMacros == 1)
        paint.fromDown(t[SoftwareMacros]);
}

void MacroPage::paintTexts(PagePaint& paint)
{
    const Appearance& look = host_.look();
    const auto& t = look.skins.mac;
    for (int r = 0; r < int(t.size()); ++r) {
        TextStyle style;
        Text text = t[size_t(r)].text;
        if (r == Record) {
            const bool recording = host_.interaction().recording;
            text = look.texts.get(TextSection::DevMac, recording ? 40 : 39);
            style.colour = recording ? colour::Red : colour::Accent;
            style.dx = -3;
        } else if (r >= 14 && r <= 16) {
            style.place = TextPlace::Left2;
        } else if (r == Hint) {
            style.place = TextPlace::Left2;
        }
        drawRegionText(paint, t[size_t(r)], text, style);
    }
    // The macro memory gauge, at the right end of the hint line.
    if (size_t(Hint) < t.size() && gauge_.second > 0) {
        TextStyle style;
        style.place = TextPlace::RightAligned;
        style.colour = gauge_.first > gauge_.second ? colour::Red : colour::Grey;
        drawRegionText(paint, t[Hint], macroMemoryText(look.texts, gauge_.first, gauge_.second), style);
    }
}

} // namespace ui
