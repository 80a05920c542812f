#pragma once
// The macro page: the macro library and the editor of the selected macro.
// The lists and the loop-count box are child controls that exist only while
// the page is shown.
#include "macro/item_text.h"
#include "macro/macro_editor.h"
#include "macro/macro_recorder.h"
#include "ui/controls/list_box_xi.h"
#include "ui/pages/common_regions.h"

#include <memory>

namespace ui {

class MacroPage : public Page {
public:
    static constexpr int Record = 4;
    static constexpr int Insert = 5;
    static constexpr int FirstCycleMode = 6; // 6, 7, 8: cycle modes 2, 1, 0
    static constexpr int Hint = 9;
    static constexpr int GunPresets = 13;
    static constexpr int SoftwareMacros = 15;

    static constexpr int kLibraryListId = 10001;
    static constexpr int kEventListId = 10002;
    static constexpr int kRepeatBoxId = 10004;
    static constexpr int kValueListId = 10007;

    explicit MacroPage(PageHost& host);
    ~MacroPage() override;

    int id() const override { return kMacroPage; }
    Text pictureBase() const override { return u"mac"; }
    std::span<const SkinRegion> hitTable() const override { return host_.look().skins.mac; }

    void shown() override;
    void hidden() override;
    void beforePress() override;
    void press(int region, Point p) override;
    void paintLayer(PagePaint& paint) override;
    void paintTexts(PagePaint& paint) override;
    bool message(unsigned id, std::uintptr_t wParam, std::intptr_t lParam) override;
    std::span<const Rect> controlRects() const override { return controlRects_; }
    bool recordingMessage(const platform::Message& m) override;
    void languageChanging() override;
    void languageChanged() override;

    // The page's parts, for the main window's tests.
    ListBoxXI& libraryList() { return library_; }
    ListBoxXI& eventList() { return events_; }
    ListBoxXI& valueList() { return values_; }
    NumberEdit& repeatBox() { return repeat_; }
    macro::MacroEditor& editor() { return *editor_; }

    // A choice of the library menus (11 group rows, 12 macro rows), the event
    // row menu (13) or the insert menu (14).
    void menuChoice(int menu, int item);
    // Import and export files come from the file dialogs of the main window.
    void importGroup(const Text& file);
    void exportGroup(const Text& file);
    // Import (1), export (2) or reset (3) of the library, as the main window's
    // message asks; the page need not be shown.
    void libraryFileAction(int which);
    // Whether a window is one of the page's lists or its repeat box.
    bool ownsControl(platform::WindowHandle h) const;

private:
    macro::ItemTexts itemTexts() const;
    void tell(const macro::Outcome& o);
    void rebuildLibrary(int selectRow);
    void refreshEvents(bool touchRepeatBox = true);
    void showLedValues();
    void updateRepeatBox();
    void refreshGauge();
    bool macroRowSelected() const;
    const macro::LibraryRow* selectedLibraryRow() const;

    void librarySelectionChanged();
    // Shows what a library row selected by the program holds (no toggling, no save).
    void showRow(int row);
    void eventSelectionChanged();
    void valueDoubleClicked();
    void repeatChanged();
    void listEdited(int row, int list);
    void afterLibraryChange(const macro::Outcome& o, int selectRow);
    void importGroupFromDialog();
    void exportGroupFromDialog();
    void resetLibrary();

    // Right clicks in the lists (points in the list's client area) open the
    // menus at the cursor.
    void libraryRightClick(Point p);
    void eventRightClick(Point p);
    void valueRightClick(Point p);
    void openAtCursor(PopupKind kind, Point inList, int ledBlock = -1);
    // Before another row is shown: the repeat count of the macro row shown
    // until now goes into its record and the record into its file.
    void saveShownMacro(int newRow);

    void startRecording(const macro::LibraryRow& row);
    // Keeps the recorded events and saves the macro.
    void stopRecording();
    // Gives the macro back what it held before the recording.
    void cancelRecording();
    void endRecordingState();
    // The key capture dialog for the key event of `row`; its key arrives as msg::KeyCaptured.
    void captureKey(int row);
    void keyCaptured(std::uint8_t deviceCode);

    ListBoxXI library_{listnumber::Library};
    ListBoxXI events_{listnumber::Events};
    ListBoxXI values_{listnumber::Values};
    NumberEdit repeat_;
    std::unique_ptr<macro::MacroEditor> editor_;
    macro::MacroRecorder recorder_;
    std::vector<macro::LibraryRow> rows_;
    int librarySelection_ = 0;
    int eventRow_ = 0;
    int valueRow_ = 0;
    int captureRow_ = -1; // the event row a key capture is open for
    bool inInsertCommand_ = false;
    Text lastRepeatText_;
    std::pair<int, int> gauge_{0, 0};
    std::array<Rect, 6> controlRects_{}; // the three EDIT and the three MACRODISPLAY rectangles
};

} // namespace ui
