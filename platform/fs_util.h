// Small file-system helpers of the POSIX layer: whole-file reads, whole writes to a descriptor,
// and replacing a file through a temporary file and a rename, so that a failure never destroys
// the old file.
#pragma once

#include <optional>
#include <string>

namespace platform {

// The file's bytes, or nothing when it cannot be read.
std::optional<std::string> readWholeFile(const std::string& path);

// Writes `bytes` to a new temporary file beside `path`, flushes it to disk and renames it
// over `path`. False (and the old file untouched) on any failure.
bool replaceFile(const std::string& path, const std::string& bytes);

// Writes all of `bytes` to the open descriptor `fd`, going on after a short write or a signal.
// False (errno saying why) when a write fails.
bool writeAll(int fd, const std::string& bytes);

// Creates `dir` and its missing parents (mode 0777 less the umask). True when it exists after.
bool makeDirs(const std::string& dir);

}  // namespace platform
