// orvella-config decode (--image FILE | --port DEVICE) [-o ROOM] [--listing FILE]: reads a
// panel's room settings back from its memory into a new settings object, as the wizard's
// retrieval does, from an image file or from a panel on a serial line. The driver the panel
// names is re-read from the library's drivers folder, and no output may be that driver (64,
// before anything is written). The memory listing goes to --listing FILE, or to stdout; the
// room file (-o) is written only when the panel decodes cleanly. Then the listing's warnings (what
// the room could not take as the panel holds it) are said on stderr, and so is a room that
// would not build the panel's image again (room_rebuild_check.h). A room that no room file can
// hold as it is (room_file_refusal.h) is refused before anything is written (73: neither the
// listing nor the room); without -o it is said instead, as a warning.
// Any other result is said on stderr with its load-error text and the listing's error lines
// (for a panel of no known format, what its format byte reads: decode_failure_report.h);
// for a driver that does not check (2) the driver's parse listing follows the memory listing
// and its error lines follow on stderr (for one that cannot be read, its name and the reason);
// for a missing driver (4) stderr names the driver and the drivers folder searched, and the
// folder that could not be read, with the reason, when that is why.
// Exit status: 0; the load error (2, 4, 7, 9); 74 when a block could not be read (load error 8,
// said with what the attempts at the block got); 64 usage; 66 an unreadable image or a port
// that cannot be opened or set up; 73 an output that cannot be written.
#include <CLI/CLI.hpp>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/file_type_table.h"
#include "common/startup_globals.h"
#include "panel/load_error.h"
#include "panel/panel_settings.h"
#include "cli/command.h"
#include "cli/decode_failure_report.h"
#include "cli/failure_report.h"
#include "cli/file_args.h"
#include "cli/output_writer.h"
#include "cli/panel_source.h"
#include "cli/room_file_refusal.h"
#include "cli/room_rebuild_check.h"
#include "cli/settings_file_reader.h"
#include "wizard/mem_debug_form.h"
#include "wizard/parse_file_listing.h"

namespace cli {
namespace {

struct DecodeArgs {
  std::string image, port, room, listing;
} args;

void define(CLI::App& command) {
  command.add_option("--image", args.image, "an 8192-byte panel image file")->type_name("FILE")->check(nonEmptyName());
  command.add_option("--port", args.port, "the serial device of a panel")->type_name("DEVICE")->check(nonEmptyName("a device"));
  command.add_option("-o", args.room, "the room file to write (- for stdout, which needs --listing FILE)")->type_name("ROOM")->check(nonEmptyName());
  command.add_option("--listing", args.listing, "the memory listing's file (default stdout)")
      ->type_name("FILE")
      ->check(nonEmptyName());
}

int run() {
  if (args.image.empty() == args.port.empty())
    throw UsageError{"decode reads either --image FILE or --port DEVICE"};
  const std::string listingPath = args.listing.empty() ? kStandardOutput : args.listing;
  std::vector<OutputName> names = {{"--listing", listingPath, !args.listing.empty()}};
  if (!args.room.empty()) names.push_back({"-o", args.room});
  PreparedOutputs outputs(args.image.empty() ? std::vector<std::string>{} : std::vector{args.image}, names);

  const std::string source = args.image.empty() ? args.port : args.image;
  auto optional = [](const std::string& s) { return s.empty() ? std::nullopt : std::optional(s); };
  int status = kExitOk;
  std::string error;
  std::unique_ptr<PanelSource> panel =
      PanelSource::open(optional(args.image), optional(args.port), {}, status, error);
  if (!panel) return fail(status, error);

  auto settings = std::make_shared<PanelSettingsV2>();
  int16_t version = 0;
  const int16_t result = settings->decodeMemoryMap(version);

  // The driver is known only now; no output may replace it.
  const std::string driversFolder = VXCommon::gFileTypes->localDir(ftDrivers);
  if (!settings->fullDriverName().empty()) outputs.refuseInputs({driversFolder + settings->fullDriverName()});

  // A room that cannot be written is refused before any output is.
  const RoomFile room = result == loadOk ? roomFileOf(*settings) : RoomFile{};
  if (room.refusal && !args.room.empty()) return refuseRoomFile(args.room, *room.refusal);

  std::string listing = MemDebugForm::instance().txtMemDumpListing();
  SettingsFile driver;
  if (result == loadDriverParseError && !settings->fullDriverName().empty()) {
    // Read and checked again, for its listing and errors (or why it cannot be read).
    driver = checkSettingsFile(driversFolder + settings->fullDriverName());
    listing += ParseFileListing::instance().txtParseFileListing();
  }
  if (int written = outputs[0].writeText(listing); written != kExitOk) return written;
  if (result == loadOk) {
    // What the room cannot give back as the panel holds it is said, not only listed.
    reportMemoryWarnings(source, MemDebugForm::instance().txtMemDumpListing());
    if (room.refusal) {
      sayLine(source + ": warning: " + *room.refusal);
      return kExitOk;
    }
    const int written = args.room.empty() ? kExitOk : outputs[1].writeText(room.text);
    reportRoomRebuild(source, room.text, version, *panel);
    return written;
  }
  const std::string formatByte = result == loadUnknownFormat ? formatByteMessage(source, *panel, *settings) : "";
  panel.reset();

  reportLoadError(source, result);
  if (result == loadCommError && !args.port.empty() && lastUnreadBlock() >= 0)
    fail(kExitDevice, unreadBlockMessage(lastUnreadBlock(), args.port));
  if (result == loadDriverMissing) {
    fail(result, "the panel's driver '" + settings->fullDriverName() + "' was looked for in the drivers folder " +
                     driversFolder);
    reportUnreadableFolder(driversFolder + settings->fullDriverName());  // why it could not be looked at
  }
  reportDecodeErrors(source, MemDebugForm::instance().txtMemDumpListing(), result, *settings);
  if (!formatByte.empty()) fail(result, formatByte);
  if (driver.settings) reportParseErrors(driver.path, ParseFileListing::instance().txtParseFileListing(), driver.parsedSize);
  return result == loadCommError ? kExitDevice : result;
}

CommandRegistration registration({"decode", "read a panel back into a room file\n"
                                            "(--image FILE | --port DEVICE) [-o ROOM] [--listing FILE]",
                                  define, run});

}  // namespace
}  // namespace cli
