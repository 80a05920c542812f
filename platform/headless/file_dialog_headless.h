#pragma once
// File dialogs without a screen: each call takes the next scripted answer
// (a path, or cancel) and remembers what it was asked. With nothing scripted
// the dialog is cancelled. Header-only, so tests of either build can use it.
#include "platform/file_dialog.h"

#include <deque>
#include <mutex>
#include <vector>

namespace platform::headless {

class ScriptedFileDialog : public FileDialog {
public:
    struct Request {
        bool save = false;
        FileDialogOptions options;
    };

    void answer(const Text& path)
    {
        std::lock_guard lock(mutex_);
        answers_.push_back(path);
    }
    void cancelNext()
    {
        std::lock_guard lock(mutex_);
        answers_.push_back(std::nullopt);
    }
    std::vector<Request> requests() const
    {
        std::lock_guard lock(mutex_);
        return requests_;
    }
    void reset()
    {
        std::lock_guard lock(mutex_);
        answers_.clear();
        requests_.clear();
        colours_.clear();
        colourRequests_.clear();
    }

    std::optional<Text> chooseFileToOpen(const FileDialogOptions& options) override
    {
        return next(false, options);
    }
    std::optional<Text> chooseFileToSave(const FileDialogOptions& options) override
    {
        return next(true, options);
    }
    // Colours answer from their own script; with none scripted the dialog is cancelled.
    void answerColour(std::optional<Color> c)
    {
        std::lock_guard lock(mutex_);
        colours_.push_back(c);
    }
    std::vector<Color> colourRequests() const
    {
        std::lock_guard lock(mutex_);
        return colourRequests_;
    }
    std::optional<Color> chooseColour(Color initial) override
    {
        std::lock_guard lock(mutex_);
        colourRequests_.push_back(initial);
        if (colours_.empty())
            return std::nullopt;
        std::optional<Color> c = colours_.front();
        colours_.pop_front();
        return c;
    }

private:
    std::optional<Text> next(bool save, const FileDialogOptions& options)
    {
        std::lock_guard lock(mutex_);
        requests_.push_back({save, options});
        if (answers_.empty())
            return std::nullopt;
        std::optional<Text> a = answers_.front();
        answers_.pop_front();
        return a;
    }

    mutable std::mutex mutex_;
    std::deque<std::optional<Text>> answers_;
    std::vector<Request> requests_;
    std::deque<std::optional<Color>> colours_;
    std::vector<Color> colourRequests_;
};

} // namespace platform::headless
