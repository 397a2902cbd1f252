// Writing a file that the user asked for (a room file, a panel image, a listing).
//
// The bytes go to a temporary file beside the target, which is flushed and then renamed over
// it (platform::replaceFile), so that a failure never leaves a half-written file nor destroys
// the one that was there. The file keeps the permissions of the file it replaces; a new file
// gets those of any new file (0666 less the umask) instead of the temporary file's private
// ones.
#pragma once

#include <string>

namespace platform {

// True when the file holds the bytes. Otherwise false, the old file (if any) untouched, no
// temporary file left behind, and the reason (the system's error text) in `reason`.
bool writeOutputFile(const std::string& path, const std::string& bytes, std::string& reason);

}  // namespace platform
