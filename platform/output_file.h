// Writing a file that the user asked for (a room file, a panel image, a listing).
//
// A symbolic link is followed: the file it names is the target, and the link stays. A target
// that is a regular file, or does not exist yet, gets the bytes through a temporary file beside
// it, which is flushed and then renamed over it (platform::replaceFile), so that a failure never
// leaves a half-written file nor destroys the one that was there. The file keeps the
// permissions of the file it replaces; a new file gets those of any new file (0666 less the
// umask) instead of the temporary file's private ones. A target that exists and is neither a
// regular file nor a folder (a device, a FIFO, a terminal) is opened and written, never
// replaced.
#pragma once

#include <string>

namespace platform {

// True when the target holds the bytes. Otherwise false, the old file (if any) untouched, no
// temporary file left behind, and the reason (the system's error text) in `reason`.
bool writeOutputFile(const std::string& path, const std::string& bytes, std::string& reason);

}  // namespace platform
