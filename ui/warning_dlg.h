#pragma once
// The warning dialog: one skinned message with one or two buttons. Modal
// warnings are shown by whoever has something to say; the status warning is
// one modeless window, shown while the mouse is not connected, whose button
// ends the program.
#include "ui/appearance.h"
#include "ui/messages.h"
#include "ui/skinned_window.h"
#include "ui/tips.h"

#include <array>
#include <memory>

namespace ui {

constexpr int kWarningTemplate = 105;

enum class WarningPlacement { MainWindow, Desktop };
enum class WarningForm { Modal, Status };

class Warnings;

class WarningDlg : public SkinnedWindow {
public:
    static constexpr int kRegions = 13;
    enum Button { None = 0, First = 1, Second = 2 };

    explicit WarningDlg(Warnings& warnings);

    bool onInitDialog() override;
    bool onPaint(platform::Canvas& surface) override;
    void onLButtonUp(Point p) override;
    void onDeviceChange(const platform::DeviceChange& change) override;

    // Fills the regions and texts for the current form (at initialisation,
    // and when the status warning is shown again).
    void fillRegions();

    WarningForm form() const { return form_; }
    int hoveredButton() const { return hovered(0) == kNoRegion ? None : hovered(0) + 1; }
    const SkinPlace& skinPlace() const override;
    Text pictureBase() const override;
    const std::array<SkinRegion, kRegions>& regions() const { return regions_; }
    Size skinSize() const { return size_; }

private:
    Warnings& warnings_;
    WarningForm form_ = WarningForm::Modal;
    std::array<SkinRegion, kRegions> regions_;
    Size size_;
};

// The shared warning state of the main window, and the tip sink of the program.
class Warnings : public TipSink {
public:
    explicit Warnings(const Appearance& look);
    ~Warnings() override;

    // The main window the warnings belong to and its skin size at scale 1 (from its mask).
    void setMainWindow(platform::Window* main, Size mainSkinSize);
    // The main window's initialisation has ended: modal warnings open over it
    // from now on (unless the status warning has already been shown).
    void initialisationFinished();

    // Shows `text` in a modal warning and returns the dialog's result.
    std::intptr_t showWarning(const Text& text);
    std::intptr_t showModal();
    // Tip `number` of the current language followed by `suffix`, in a modal warning.
    void showTip(int number, const Text& suffix) override;

    // The status warning: created hidden once, shown while the mouse is missing.
    void createStatus(const Text& text);
    void showStatus(const Text& text);
    void hideStatus();

    WarningDlg* status() const { return status_.get(); }
    // The modal warning that is running (the innermost one), or null.
    WarningDlg* openModal() const { return open_; }
    // The most recent modal warning object, kept until the next one is made.
    WarningDlg* lastModal() const { return last_.get(); }

    // Shared state, as the dialogs read it when they initialise.
    Text message;
    WarningPlacement placement = WarningPlacement::Desktop;
    WarningForm form = WarningForm::Modal;
    bool statusActive = false;
    Point popupPosition;

    const Appearance& look() const { return look_; }
    platform::Window* mainWindow() const { return main_; }

private:
    Point centredMainPosition() const;

    const Appearance& look_;
    platform::Window* main_ = nullptr;
    Size mainSkinSize_;
    bool statusShownOnce_ = false;
    std::unique_ptr<WarningDlg> status_;
    std::unique_ptr<WarningDlg> last_;
    WarningDlg* open_ = nullptr;
};

} // namespace ui
