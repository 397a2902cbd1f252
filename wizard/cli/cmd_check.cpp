// orvella-config check FILE: reads a projector driver or a room file as `parse` does, runs the
// driver checker over it and prints the parse listing with the checker's findings and summary.
// Exit status: for a driver the checker's load error (0, 2 errors, 5 firmware too old for the
// panel given with --fw, 10 unknown format); for a room file 0, or 1 (the room file's load
// error) whenever the check gives anything else; 66 when the file cannot be read.
#include <cstdint>
#include <string>
#include <vector>

#include "wizard/cli/command.h"
#include "wizard/cli/settings_file_reader.h"

namespace cli {
namespace {

constexpr int kExitRoomFileError = 1;

int runCheck(const GlobalOptions&, const std::vector<std::string>& args) {
  if (args.size() != 1 || args[0].empty()) throw UsageError{"check takes exactly one FILE"};
  SettingsFile file = readSettingsFile(args[0]);
  if (!file.settings) return kExitNoInput;

  int16_t result = 0;
  file.settings->IsDriverValid(result);
  printParseListing();
  if (file.room) return result == 0 ? kExitOk : kExitRoomFileError;
  return result;
}

CommandRegistration registration(
    "check", "check  FILE   parse and check a driver or a room file; exit status = load error",
    runCheck);

}  // namespace
}  // namespace cli
