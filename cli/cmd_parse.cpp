// orvella-config parse FILE: reads a projector driver or a room file into a new settings
// object and prints the parse listing on stdout, exactly as the listing holds it (CR LF line
// ends; on a terminal its lines escaped as messages are). A name ending in ".room" (any letter
// case) is read as a room file, any other as a driver. Exit status: 0 when no error was
// counted, 2 for a driver and 1 for a room file with errors, 66 when the file cannot be read, 73
// when standard output was closed at start (said before the file is read).
#include <CLI/CLI.hpp>
#include <string>

#include "cli/command.h"
#include "cli/file_args.h"
#include "cli/settings_file_reader.h"

namespace cli {
namespace {

std::string input;

void define(CLI::App& command) {
  addSettingsFileOption(command, input)->required();
}

int run() {
  PreparedOutputs outputs({}, {{"", kStandardOutput}});
  SettingsFile file = readSettingsFile(input);
  if (!file.settings) return kExitNoInput;
  printParseListing(outputs[0]);
  if (file.settings->parseErrors() == 0) return kExitOk;
  return file.room ? kExitRoomFileError : kExitDriverErrors;
}

CommandRegistration registration(
    {"parse", "read a driver (.prjdrv, .prj) or a room file (.room); parse listing\nFILE", define, run});

}  // namespace
}  // namespace cli
