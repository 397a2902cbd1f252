// orvella-config defaults -o ROOM: the panel's factory settings as a room file. Loads the
// factory-defaults driver of the library's drivers folder into a new settings object and
// writes the room. When that driver cannot be read the status is 66; when it does not check
// cleanly its parse listing is printed (left out when ROOM is standard output), the failure
// said on stderr, nothing is written and the status is its load error; 73 when ROOM cannot be
// written or a room file cannot hold the settings (room_file_refusal.h: nothing is written).
#include <CLI/CLI.hpp>
#include <memory>
#include <string>

#include "common/file_type_table.h"
#include "common/startup_globals.h"
#include "cli/command.h"
#include "cli/file_args.h"
#include "cli/output_writer.h"
#include "cli/room_file_refusal.h"
#include "cli/settings_file_reader.h"

namespace cli {
namespace {

std::string output;

void define(CLI::App& command) {
  command.add_option("-o", output, "the room file to write (- for stdout)")->required()->type_name("ROOM")->check(nonEmptyName());
}

int run() {
  PreparedOutputs outputs({VXCommon::gFileTypes->localDir(ftDrivers) + PanelSettingsV2::kFactoryDefaultsDriver},
                          {{"-o", output}});
  const std::unique_ptr<PreparedOutput> parseListing = parseListingBeside(outputs[0]);
  int status = kExitOk;
  std::shared_ptr<PanelSettingsV2> settings = loadFactoryDefaults(status, parseListing.get());
  if (!settings) return status;
  const RoomFile room = roomFileOf(*settings);
  if (room.refusal) return refuseRoomFile(output, *room.refusal);
  return outputs[0].writeText(room.text);
}

CommandRegistration registration({"defaults", "the factory defaults as a room file\n-o ROOM", define, run});

}  // namespace
}  // namespace cli
