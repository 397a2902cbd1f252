// Small file-system helpers of the POSIX layer: a path's folder and name, whole-file reads, whole
// writes to a descriptor, and replacing a file through a temporary file and a rename, so that a
// failure never destroys the old file, nor does a signal that ends the program leave the
// temporary file behind (temporary_file.h).
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

#include "platform/temporary_file.h"

namespace platform {

// The folder that holds `path`, with its closing slash ("." for a bare name), and the name
// within it.
std::string folderOf(const std::string& path);
std::string nameOf(const std::string& path);

// The file's bytes, or nothing when it cannot be read.
std::optional<std::string> readWholeFile(const std::string& path);

// The owner and group of a file.
struct FileOwner {
  uid_t uid;
  gid_t gid;
};

// Writes `bytes` to a new temporary file beside `path`, flushes it to disk and renames it
// over `path`. Before the rename the new file gets `owner` where the user may give it (root
// any; another user only a group of theirs, the owner staying theirs) and then `mode`; without
// them it stays the user's own and private. False (and the old file untouched) on any failure
// to write it.
bool replaceFile(const std::string& path, const std::string& bytes, std::optional<mode_t> mode = std::nullopt,
                 std::optional<FileOwner> owner = std::nullopt);

// The first half of that: the bytes, owner and mode given to `temporary`, flushed to disk and
// closed, ready to be renamed. False (errno saying why) on any failure.
bool fillTemporaryFile(TemporaryFile& temporary, const std::string& bytes, std::optional<mode_t> mode = std::nullopt,
                       std::optional<FileOwner> owner = std::nullopt);

// Writes all of `bytes` to the open descriptor `fd`, going on after a short write or a signal.
// False (errno saying why) when a write fails.
bool writeAll(int fd, const std::string& bytes);

// Creates `dir` and its missing parents (mode 0777 less the umask). True when it exists after.
bool makeDirs(const std::string& dir);

}  // namespace platform
