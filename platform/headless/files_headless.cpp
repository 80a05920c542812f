#include "platform/headless/files_headless.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace platform::headless {

fs::path hostPath(const Text& windowsPath)
{
    std::string p = text::toUtf8(windowsPath);
    std::replace(p.begin(), p.end(), '\\', '/');
    return fs::path(p);
}

namespace {

// CreateDirectoryW and RemoveDirectoryW accept a trailing separator.
fs::path folderPath(const Text& windowsPath)
{
    fs::path p = hostPath(windowsPath);
    return p.has_filename() || p == p.root_path() ? p : p.parent_path();
}

} // namespace

bool HeadlessFiles::exists(const Text& path)
{
    std::error_code ec;
    return fs::exists(hostPath(path), ec);
}

bool HeadlessFiles::isDirectory(const Text& path)
{
    std::error_code ec;
    return fs::is_directory(hostPath(path), ec);
}

bool HeadlessFiles::copyFile(const Text& from, const Text& to, bool failIfExists)
{
    std::error_code ec;
    fs::path src = hostPath(from), dst = hostPath(to);
    if (!fs::is_regular_file(src, ec) || fs::is_directory(dst, ec))
        return false;
    if (failIfExists && fs::exists(dst, ec))
        return false;
    return fs::copy_file(src, dst, fs::copy_options::overwrite_existing, ec) && !ec;
}

bool HeadlessFiles::deleteFile(const Text& path)
{
    std::error_code ec;
    fs::path p = hostPath(path);
    if (!fs::is_regular_file(p, ec))
        return false;
    return fs::remove(p, ec);
}

bool HeadlessFiles::createDirectory(const Text& path)
{
    std::error_code ec;
    fs::path p = folderPath(path);
    if (fs::exists(p, ec) || !fs::is_directory(p.parent_path().empty() ? fs::path(".") : p.parent_path(), ec))
        return false;
    return fs::create_directory(p, ec);
}

bool HeadlessFiles::removeDirectory(const Text& path)
{
    std::error_code ec;
    fs::path p = folderPath(path);
    if (!fs::is_directory(p, ec) || !fs::is_empty(p, ec))
        return false;
    return fs::remove(p, ec);
}

std::optional<std::vector<std::uint8_t>> HeadlessFiles::readFile(const Text& path)
{
    std::error_code ec;
    fs::path p = hostPath(path);
    if (!fs::is_regular_file(p, ec))
        return std::nullopt;
    std::ifstream in(p, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool HeadlessFiles::writeFile(const Text& path, const std::vector<std::uint8_t>& bytes)
{
    std::error_code ec;
    fs::path p = hostPath(path);
    if (fs::is_directory(p, ec))
        return false;
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool HeadlessFiles::replaceFile(const Text& replacement, const Text& target, const Text& backup)
{
    std::error_code ec;
    fs::path from = hostPath(replacement), to = hostPath(target);
    if (!fs::is_regular_file(from, ec) || fs::is_directory(to, ec))
        return false;
    // The old file stays in place until the rename swaps the new one in.
    if (!backup.empty() && fs::is_regular_file(to, ec) &&
        !fs::copy_file(to, hostPath(backup), fs::copy_options::overwrite_existing, ec))
        return false;
    fs::rename(from, to, ec);
    return !ec;
}

std::optional<FileStamp> HeadlessFiles::stamp(const Text& path)
{
    fs::path p = hostPath(path);
    std::error_code ec;
    if (!fs::is_regular_file(p, ec))
        return std::nullopt;
    std::uintmax_t size = fs::file_size(p, ec);
    if (ec)
        return std::nullopt;
    fs::file_time_type written = fs::last_write_time(p, ec);
    if (ec)
        return std::nullopt;
    return FileStamp{size, std::int64_t(written.time_since_epoch().count())};
}

std::vector<Text> HeadlessFiles::listFiles(const Text& folder)
{
    std::vector<Text> names;
    std::error_code ec;
    for (fs::directory_iterator it(hostPath(folder), ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec))
            names.push_back(text::fromUtf8(it->path().filename().string()));
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace platform::headless
