#include "tests/support/temp_folder.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace fs = std::filesystem;

namespace testsupport {

namespace {

fs::path host(const Text& t)
{
#ifdef _WIN32
    return fs::path(std::wstring(t.begin(), t.end()));
#else
    std::string s = text::toUtf8(t);
    for (char& c : s)
        if (c == '\\')
            c = '/';
    return fs::path(s);
#endif
}

Text fromHost(const fs::path& p)
{
#ifdef _WIN32
    std::wstring w = p.wstring();
    return Text(w.begin(), w.end());
#else
    return text::fromUtf8(p.string());
#endif
}

} // namespace

TempFolder::TempFolder()
{
    static std::atomic<int> counter{0};
    std::random_device rd;
    fs::path p = fs::temp_directory_path() /
                 ("kvx-test-" + std::to_string(rd()) + "-" + std::to_string(counter++));
    fs::create_directories(p);
    path_ = fromHost(p);
    while (!path_.empty() && (path_.back() == u'\\' || path_.back() == u'/'))
        path_.pop_back();
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    fs::remove_all(host(path_), ec);
}

Text TempFolder::file(const Text& name) const
{
    return path_ + u"\\" + name;
}

void TempFolder::write(const Text& name, const std::vector<std::uint8_t>& bytes) const
{
    fs::path p = host(file(name));
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void TempFolder::writeText(const Text& name, const std::string& utf8) const
{
    write(name, std::vector<std::uint8_t>(utf8.begin(), utf8.end()));
}

std::vector<std::uint8_t> TempFolder::read(const Text& name) const
{
    std::ifstream in(host(file(name)), std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string TempFolder::readText(const Text& name) const
{
    auto bytes = read(name);
    return std::string(bytes.begin(), bytes.end());
}

bool TempFolder::exists(const Text& name) const
{
    std::error_code ec;
    return fs::exists(host(file(name)), ec);
}

std::vector<std::uint8_t> utf16LeWithBom(const std::string& utf8)
{
    Text t = text::fromUtf8(utf8);
    std::vector<std::uint8_t> out = {0xFF, 0xFE};
    for (char16_t c : t) {
        out.push_back(static_cast<std::uint8_t>(c & 0xFF));
        out.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return out;
}

Text sourceDir()
{
    const char* dir = std::getenv("KVX_SOURCE_DIR");
    Text t = dir ? text::fromUtf8(dir) : Text(u".");
#ifdef _WIN32
    // Under Wine the host's root is drive Z:.
    if (!t.empty() && t[0] == u'/')
        t = u"Z:" + t;
    for (char16_t& c : t)
        if (c == u'/')
            c = u'\\';
#endif
    return t;
}

} // namespace testsupport
