// The output files of the commands (-o FILE): written whole through a temporary file beside
// the target and a rename, so that a failure never leaves a half-written file nor destroys the
// one that was there (platform::writeOutputFile).
#pragma once

#include <string>

namespace cli {

// kExitOk when the file holds the bytes; otherwise says why on stderr and gives
// kExitCantCreate.
int writeOutputFile(const std::string& path, const std::string& bytes);

}  // namespace cli
