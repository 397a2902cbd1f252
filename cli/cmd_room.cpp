// orvella-config room FILE -o ROOM: reads a projector driver or a room file as `parse` does,
// checks it, and writes what it holds as a room file. Only a check that gives 0 writes the
// room; otherwise the parse listing is printed (left out when ROOM is standard output), the
// failure said on stderr, nothing is written and the exit status is the load error (for a room
// file 1, the room file's load error). 66 when FILE cannot be read, 73 when ROOM cannot be
// written.
#include <CLI/CLI.hpp>
#include <memory>
#include <string>

#include "cli/command.h"
#include "cli/file_args.h"
#include "cli/output_writer.h"
#include "cli/settings_file_reader.h"

namespace cli {
namespace {

std::string input, output;

void define(CLI::App& command) {
  addSettingsFileOption(command, input)->required();
  command.add_option("-o", output, "the room file to write (- for stdout)")->required()->type_name("ROOM")->check(nonEmptyName());
}

int run() {
  checkOutputs({input}, {{"-o", output}});
  int status = kExitOk;
  std::shared_ptr<PanelSettingsV2> settings = readCheckedSettings(input, status, parseListingBeside(output));
  if (!settings) return status;
  return writeOutputFile(output, settings->encodeRoomFile());
}

CommandRegistration registration({"room", "write what FILE holds as a room file\nFILE -o ROOM", define, run});

}  // namespace
}  // namespace cli
