// orvella-config room FILE -o ROOM: reads a projector driver or a room file as `parse` does,
// checks it, and writes what it holds as a room file. Only a check that gives 0 writes the
// room; otherwise the parse listing is printed, nothing is written and the exit status is the
// load error (for a room file 1, the room file's load error). 66 when FILE cannot be read,
// 73 when ROOM cannot be written.
#include <cstdint>
#include <string>
#include <vector>

#include "wizard/cli/command.h"
#include "wizard/cli/output_writer.h"
#include "wizard/cli/settings_file_reader.h"

namespace cli {
namespace {

constexpr int kExitRoomFileError = 1;

int runRoom(const GlobalOptions&, const std::vector<std::string>& args) {
  std::string input, output;
  ArgReader reader(args);
  while (!reader.done()) {
    std::string arg = reader.next();
    if (arg == "-o") output = reader.value("-o");
    else if (input.empty() && !arg.empty() && arg[0] != '-') input = arg;
    else throw UsageError{"room takes one FILE and -o ROOM, not '" + arg + "'"};
  }
  if (input.empty() || output.empty()) throw UsageError{"room needs FILE and -o ROOM"};

  SettingsFile file = readSettingsFile(input);
  if (!file.settings) return kExitNoInput;
  int16_t result = 0;
  file.settings->IsDriverValid(result);
  if (result != 0) {
    printParseListing();
    return file.room ? kExitRoomFileError : result;
  }
  return writeOutputFile(output, file.settings->encodeRoomFile());
}

CommandRegistration registration(
    "room", "room   FILE -o ROOM               write what FILE holds as a room file",
    runRoom);

}  // namespace
}  // namespace cli
