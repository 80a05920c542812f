#include "platform/atomic_save.h"

#include "platform/platform.h"

#include <mutex>

namespace platform {

namespace {

std::mutex& saveMutex()
{
    static std::mutex m;
    return m;
}

} // namespace

Text backupPathOf(const Text& file) { return file + u".bak"; }

Text temporaryPathOf(const Text& file) { return file + u".tmp"; }

bool saveAtomically(const Text& file, const std::function<bool(const Text& copy)>& write)
{
    std::lock_guard lock(saveMutex());
    Files& files = *os().files;
    const Text copy = temporaryPathOf(file);
    // A copy left by an earlier save that died is stale either way.
    files.deleteFile(copy);
    if (files.exists(file) && !files.copyFile(file, copy, false))
        return false;
    if (!write(copy) || !files.replaceFile(copy, file, backupPathOf(file))) {
        files.deleteFile(copy);
        return false;
    }
    return true;
}

bool writeKeyAtomically(const Text& file, const Text& section, const Text& key, const Text& value)
{
    return saveAtomically(file, [&](const Text& copy) { return os().profile->writeString(copy, section, key, value); });
}

bool restoreFromBackup(const Text& file, const std::function<bool(const Text& path)>& usable)
{
    std::lock_guard lock(saveMutex());
    Files& files = *os().files;
    const Text backup = backupPathOf(file);
    if ((files.exists(file) && usable(file)) || !files.exists(backup) || !usable(backup))
        return false;
    const Text copy = temporaryPathOf(file);
    files.deleteFile(copy);
    // Through a copy, so the backup stays whatever happens to the file.
    if (!files.copyFile(backup, copy, false) || !files.replaceFile(copy, file, Text())) {
        files.deleteFile(copy);
        return false;
    }
    return true;
}

} // namespace platform
