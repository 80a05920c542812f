#pragma once
// Files that pass everything on until the n-th change to the disk, which is
// cut off halfway (a write or copy leaves half its bytes) as if the program
// died there; every later change then fails without effect. Native tests only.
#include "platform/headless/profile_headless.h"
#include "platform/platform.h"

#include <functional>

namespace testsupport {

class DyingFiles : public platform::Files {
public:
    DyingFiles(platform::Files& inner, int dieAt) : inner_(inner), dieAt_(dieAt) {}

    bool died() const { return changes_ > dieAt_; }
    int changes() const { return int(changes_); }

    bool exists(const Text& p) override { return inner_.exists(p); }
    bool isDirectory(const Text& p) override { return inner_.isDirectory(p); }
    std::optional<std::vector<std::uint8_t>> readFile(const Text& p) override { return inner_.readFile(p); }
    std::optional<platform::FileStamp> stamp(const Text& p) override { return inner_.stamp(p); }
    std::vector<Text> listFiles(const Text& f) override { return inner_.listFiles(f); }

    bool copyFile(const Text& from, const Text& to, bool failIfExists) override
    {
        if (!change())
            return false;
        if (dying()) {
            auto bytes = inner_.readFile(from);
            if (bytes)
                inner_.writeFile(to, half(*bytes));
            return false;
        }
        return inner_.copyFile(from, to, failIfExists);
    }
    bool writeFile(const Text& p, const std::vector<std::uint8_t>& bytes) override
    {
        if (!change())
            return false;
        if (dying()) {
            inner_.writeFile(p, half(bytes));
            return false;
        }
        return inner_.writeFile(p, bytes);
    }
    bool deleteFile(const Text& p) override { return change() && !dying() && inner_.deleteFile(p); }
    bool createDirectory(const Text& p) override { return change() && !dying() && inner_.createDirectory(p); }
    bool removeDirectory(const Text& p) override { return change() && !dying() && inner_.removeDirectory(p); }
    bool replaceFile(const Text& r, const Text& t, const Text& b) override
    {
        return change() && !dying() && inner_.replaceFile(r, t, b);
    }

private:
    // Counts a change; false once the program is dead.
    bool change() { return ++changes_ <= dieAt_ + 1; }
    bool dying() const { return changes_ == dieAt_ + 1; }
    static std::vector<std::uint8_t> half(const std::vector<std::uint8_t>& b)
    {
        return {b.begin(), b.begin() + std::ptrdiff_t(b.size() / 2)};
    }

    platform::Files& inner_;
    long long dieAt_; // wide: "never" is INT_MAX, and the checks add one to it
    long long changes_ = 0;
};

// Runs `save` with the disk cut off after `dieAt` changes; returns how many
// changes it made, or -1 when it died first.
inline int runDyingAt(int dieAt, const std::function<void()>& save)
{
    auto& os = platform::os();
    DyingFiles dying(*os.files, dieAt);
    platform::headless::HeadlessProfile profile(dying);
    auto* savedFiles = os.files;
    auto* savedProfile = os.profile;
    os.files = &dying;
    os.profile = &profile;
    save();
    os.files = savedFiles;
    os.profile = savedProfile;
    return dying.died() ? -1 : dying.changes();
}

} // namespace testsupport
