// orvella-config room FILE -o ROOM: reads a projector driver or a room file as `parse` does,
// checks it, and writes what it holds as a room file. Only a check that gives 0 writes the
// room; otherwise the parse listing is printed (left out when ROOM is standard output), the
// failure said on stderr, nothing is written and the exit status is the load error (for a room
// file 1, the room file's load error). 66 when FILE cannot be read, 73 when ROOM cannot be
// written or a room file cannot hold what FILE holds (room_file_refusal.h: nothing is written). A room file keeps settings only: the lines of FILE that held a comment are counted
// on stderr once the room is written, so that no note is dropped without a word.
#include <CLI/CLI.hpp>
#include <memory>
#include <string>

#include "cli/command.h"
#include "cli/failure_report.h"
#include "cli/file_args.h"
#include "cli/output_writer.h"
#include "cli/room_file_refusal.h"
#include "cli/settings_file_reader.h"

namespace cli {
namespace {

std::string input, output;

void sayCommentsNotWritten(int32_t lines) {
  const std::string where = output == kStandardOutput ? "standard output" : "'" + output + "'";
  sayLine("orvella-config: " + input + ": " + std::to_string(lines) +
          (lines == 1 ? " comment line is" : " comment lines are") + " not written to " + where +
          ": a room file keeps settings only");
}

void define(CLI::App& command) {
  addSettingsFileOption(command, input)->required();
  command.add_option("-o", output, "the room file to write (- for stdout)")->required()->type_name("ROOM")->check(nonEmptyName());
}

int run() {
  PreparedOutputs outputs({input}, {{"-o", output}});
  const std::unique_ptr<PreparedOutput> parseListing = parseListingBeside(outputs[0]);
  int status = kExitOk;
  std::shared_ptr<PanelSettingsV2> settings = readCheckedSettings(input, status, parseListing.get());
  if (!settings) return status;
  const RoomFile room = roomFileOf(*settings, isRoomFileName(input) ? "" : input);
  if (room.refusal) return refuseRoomFile(output, *room.refusal);
  const int written = outputs[0].writeText(room.text);
  const int32_t comments = settings->commentLines();
  if (written == kExitOk && comments > 0) sayCommentsNotWritten(comments);
  return written;
}

CommandRegistration registration({"room", "write what FILE holds as a room file\nFILE -o ROOM", define, run});

}  // namespace
}  // namespace cli
