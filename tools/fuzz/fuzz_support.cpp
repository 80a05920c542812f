#include "tools/fuzz/fuzz_support.h"

#include "platform/headless/process_headless.h"
#include "platform/headless/profile_headless.h"
#include "platform/headless/windows_headless.h"
#include "platform/platform.h"
#include "ui/tips.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <cstdlib>

namespace fuzz {

namespace {

class InstantClock : public platform::Clock {
public:
    void sleepMs(unsigned ms) override { nowUs_ += std::int64_t(ms) * 1000; }
    std::uint32_t tickMs() override { return static_cast<std::uint32_t>(nowUs_ / 1000); }
    std::int64_t monotonicUs() override { return nowUs_; }
    platform::SystemTime systemTime() override { return {2026, 1, 4, 1, 12, 0, 0, 0}; }

private:
    std::int64_t nowUs_ = 1'000'000;
};

} // namespace

bool MemoryFiles::copyFile(const Text& from, const Text& to, bool failIfExists)
{
    auto it = files_.find(from);
    if (it == files_.end() || (failIfExists && files_.count(to)))
        return false;
    return writeFile(to, Bytes(it->second.bytes));
}

std::optional<Bytes> MemoryFiles::readFile(const Text& path)
{
    auto it = files_.find(path);
    if (it == files_.end())
        return std::nullopt;
    return it->second.bytes;
}

bool MemoryFiles::writeFile(const Text& path, const Bytes& bytes)
{
    File& file = files_[path];
    file.bytes = bytes;
    file.version = ++writes_;
    return true;
}

std::optional<platform::FileStamp> MemoryFiles::stamp(const Text& path)
{
    auto it = files_.find(path);
    if (it == files_.end())
        return std::nullopt;
    return platform::FileStamp{it->second.bytes.size(), std::int64_t(it->second.version)};
}

std::optional<std::uint64_t> MemoryFiles::version(const Text& path)
{
    auto it = files_.find(path);
    if (it == files_.end())
        return std::nullopt;
    return it->second.version;
}

bool MemoryFiles::replaceFile(const Text& replacement, const Text& target, const Text& backup)
{
    auto from = files_.find(replacement);
    if (from == files_.end() || folders_.count(target))
        return false;
    // Taken out first: writing the backup may rehash the map and move `from`.
    Bytes bytes = std::move(from->second.bytes);
    files_.erase(from);
    if (!backup.empty())
        if (auto old = files_.find(target); old != files_.end())
            writeFile(backup, old->second.bytes);
    File& file = files_[target];
    file.bytes = std::move(bytes);
    file.version = ++writes_;
    return true;
}

std::vector<Text> MemoryFiles::listFiles(const Text& folder)
{
    Text prefix = folder;
    if (!prefix.empty() && prefix.back() != u'\\')
        prefix += u'\\';
    std::vector<Text> names;
    for (const auto& [path, file] : files_)
        if (path.starts_with(prefix) && path.find(u'\\', prefix.size()) == Text::npos)
            names.push_back(path.substr(prefix.size()));
    std::sort(names.begin(), names.end());
    return names;
}

void MemoryFiles::clear()
{
    files_.clear();
    folders_.clear();
}

namespace {

MemoryFiles& installedFiles()
{
    static MemoryFiles* files = [] {
        platform::installDefault();
        platform::installWindowing();
        static MemoryFiles memory;
        static InstantClock clock;
        platform::servicesStorage().files = &memory;
        platform::servicesStorage().clock = &clock;
        return &memory;
    }();
    return *files;
}

std::optional<platform::headless::HeadlessProfile>& profile()
{
    static std::optional<platform::headless::HeadlessProfile> p;
    return p;
}

} // namespace

World::World() : files(installedFiles())
{
    profile().emplace(files);
    platform::servicesStorage().profile = &*profile();
}

World::~World()
{
    files.clear();
    profile().reset();
    ui::clearShownTips();
    std::vector<platform::headless::HeadlessWindows::MessageBoxShown>().swap(
        platform::headless::windows().messageBoxes);
    static_cast<platform::headless::HeadlessProcess*>(platform::os().process)->clearTraces();
}

Bytes bytesOf(const std::uint8_t* data, std::size_t size)
{
    return Bytes(data, data + size);
}

void check(bool holds, const char* what)
{
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

} // namespace fuzz
