// orvella-config parse FILE: reads a projector driver or a room file into a new settings
// object and prints the parse listing on stdout, exactly as the listing holds it (CR LF line
// ends). A name ending in ".room" (any letter case) is read as a room file, any other as a
// driver. Exit status: 0 when no error was counted, 2 for a driver and 1 for a room file with
// errors, 66 when the file cannot be read.
#include <string>
#include <vector>

#include "wizard/cli/command.h"
#include "wizard/cli/settings_file_reader.h"

namespace cli {
namespace {

constexpr int kExitRoomErrors = 1;
constexpr int kExitDriverErrors = 2;

int runParse(const GlobalOptions&, const std::vector<std::string>& args) {
  if (args.size() != 1 || args[0].empty()) throw UsageError{"parse takes exactly one FILE"};
  SettingsFile file = readSettingsFile(args[0]);
  if (!file.settings) return kExitNoInput;

  printParseListing();
  if (file.settings->parseErrors() == 0) return kExitOk;
  return file.room ? kExitRoomErrors : kExitDriverErrors;
}

CommandRegistration registration(
    "parse", "parse  FILE   read a driver (.prjdrv, .prj) or a room file (.room); parse listing",
    runParse);

}  // namespace
}  // namespace cli
