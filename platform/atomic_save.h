#pragma once
// Saves that survive a crash. The profile functions rewrite the whole file at
// every key, so a save of many keys straight into the file leaves it half old,
// half new (or cut short) when the program or the machine dies midway. Here
// the keys go into a copy beside the file, which takes the file's place in
// one step once all of them are written; the file before it is kept as the
// backup that start-up falls back on.
#include "platform/text.h"

#include <functional>

namespace platform {

Text backupPathOf(const Text& file);    // file + ".bak"
Text temporaryPathOf(const Text& file); // file + ".tmp", in the same folder

// Calls write(copy) with a copy of the file (or no file, when there is none
// yet) and puts the copy in the file's place when write returns true. When
// it returns false or anything fails, the file stays as it was. One save at
// a time in the process, so concurrent saves of one file do not mix.
bool saveAtomically(const Text& file, const std::function<bool(const Text& copy)>& write);

// One key, saved the same way.
bool writeKeyAtomically(const Text& file, const Text& section, const Text& key, const Text& value);

// At start-up: when the file is missing or fails `usable` and its backup
// passes, the backup is copied into its place. Returns whether it was.
bool restoreFromBackup(const Text& file, const std::function<bool(const Text& path)>& usable);

} // namespace platform
