// Small file-system helpers of the POSIX layer: whole-file reads and replacing a file through
// a temporary file and a rename, so that a failure never destroys the old file.
#pragma once

#include <optional>
#include <string>

namespace platform {

// The file's bytes, or nothing when it cannot be read.
std::optional<std::string> readWholeFile(const std::string& path);

// Writes `bytes` to a new temporary file beside `path`, flushes it to disk and renames it
// over `path`. False (and the old file untouched) on any failure.
bool replaceFile(const std::string& path, const std::string& bytes);

// The path that `path` names once every symbolic link on its last component is followed
// (relative link targets taken from the link's folder); `path` itself when it is no link. The
// target need not exist. A chain of more than 40 links ends at the 40th.
std::string followLinks(const std::string& path);

// Creates `dir` and its missing parents (mode 0777 less the umask). True when it exists after.
bool makeDirs(const std::string& dir);

}  // namespace platform
