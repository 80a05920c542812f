#include "platform/win32/files_win.h"

#include "platform/win32/win_util.h"

#include <algorithm>

namespace platform::win32 {

bool Win32Files::exists(const Text& path)
{
    return GetFileAttributesW(wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32Files::isDirectory(const Text& path)
{
    DWORD attributes = GetFileAttributesW(wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Files::copyFile(const Text& from, const Text& to, bool failIfExists)
{
    return CopyFileW(wide(from).c_str(), wide(to).c_str(), failIfExists ? TRUE : FALSE) != FALSE;
}

bool Win32Files::deleteFile(const Text& path)
{
    return DeleteFileW(wide(path).c_str()) != FALSE;
}

bool Win32Files::createDirectory(const Text& path)
{
    return CreateDirectoryW(wide(path).c_str(), nullptr) != FALSE;
}

bool Win32Files::removeDirectory(const Text& path)
{
    return RemoveDirectoryW(wide(path).c_str()) != FALSE;
}

std::optional<std::vector<std::uint8_t>> Win32Files::readFile(const Text& path)
{
    // A folder does not open without FILE_FLAG_BACKUP_SEMANTICS, so it reads as missing.
    UniqueHandle file(CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return std::nullopt;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 || size.QuadPart > 0x7FFFFFFF)
        return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got, nullptr))
            return std::nullopt;
        if (got == 0) // the file shrank meanwhile
            break;
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

bool Win32Files::writeFile(const Text& path, const std::vector<std::uint8_t>& bytes)
{
    UniqueHandle file(CreateFileW(wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

bool Win32Files::replaceFile(const Text& replacement, const Text& target, const Text& backup)
{
    const std::wstring from = wide(replacement), to = wide(target), old = wide(backup);
    {
        // What the profile functions wrote may still sit in the cache: on the
        // disk before it takes the name, or a power cut leaves an empty file.
        UniqueHandle file(CreateFileW(from.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file || !FlushFileBuffers(file.get()))
            return false;
    }
    const DWORD targetAttributes = GetFileAttributesW(to.c_str());
    if (targetAttributes != INVALID_FILE_ATTRIBUTES) {
        if (targetAttributes & FILE_ATTRIBUTE_DIRECTORY)
            return false;
        if (ReplaceFileW(to.c_str(), from.c_str(), backup.empty() ? nullptr : old.c_str(),
                         REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
            return true;
        // ReplaceFileW refuses some targets (other volumes, some attributes);
        // when it gave up with the target still in place, copy and move instead.
        if (GetFileAttributesW(to.c_str()) != INVALID_FILE_ATTRIBUTES && !backup.empty() &&
            !CopyFileW(to.c_str(), old.c_str(), FALSE))
            return false;
    }
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

std::optional<FileStamp> Win32Files::stamp(const Text& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(wide(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return FileStamp{(std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                     std::int64_t((std::uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                  data.ftLastWriteTime.dwLowDateTime)};
}

std::vector<Text> Win32Files::listFiles(const Text& folder)
{
    std::vector<Text> names;
    if (folder.empty()) // not the current drive's root
        return names;
    Text pattern = folder;
    if (pattern.back() != u'\\' && pattern.back() != u'/')
        pattern += u'\\';
    pattern += u'*';
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileW(wide(pattern).c_str(), &data));
    if (!find)
        return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(fromWide(data.cFileName));
    } while (FindNextFileW(find.get(), &data));
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace platform::win32
