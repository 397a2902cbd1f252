// The outputs of the commands (-o FILE, --listing FILE): "-" is standard output; any other
// name is written by platform::writeOutputFile (a file whole through a temporary file and a
// rename, never half-written nor lost on failure; a device or FIFO written in place; a link
// followed).
#pragma once

#include <string>

namespace cli {

// kExitOk when the output holds the bytes; otherwise says why on stderr and gives
// kExitCantCreate.
int writeOutputFile(const std::string& path, const std::string& bytes);

}  // namespace cli
