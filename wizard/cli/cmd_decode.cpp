// orvella-config decode (--image FILE | --port DEVICE) [-o ROOM] [--listing FILE]: reads a
// panel's room settings back from its memory into a new settings object, as the wizard's
// retrieval does, from an image file or from a panel on a serial line. The driver the panel
// names is re-read from the library's drivers folder (--library, or the stored or default
// library). The memory listing goes to --listing FILE, or to stdout; the room file (-o) is
// written only when the panel decodes cleanly, and any other result prints its load-error text
// on stderr. Exit status: 0; the load error (2, 4, 7, 9); 74 when the port cannot be opened or
// a block could not be read (load error 8); 64 usage; 66 an unreadable image; 73 an output
// that cannot be written.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/startup_globals.h"
#include "panel/load_error.h"
#include "panel/panel_settings.h"
#include "wizard/cli/command.h"
#include "wizard/cli/output_writer.h"
#include "wizard/cli/panel_source.h"
#include "wizard/mem_debug_form.h"
#include "wizard/program_startup.h"

namespace cli {
namespace {

int runDecode(const GlobalOptions& globals, const std::vector<std::string>& args) {
  std::optional<std::string> imagePath, portPath;
  std::string roomPath, listingPath;
  ArgReader reader(args);
  while (!reader.done()) {
    std::string option = reader.next();
    if (option == "--image") imagePath = reader.value(option);
    else if (option == "--port") portPath = reader.value(option);
    else if (option == "-o") roomPath = reader.value(option);
    else if (option == "--listing") listingPath = reader.value(option);
    else throw UsageError{"decode: unknown argument '" + option + "'"};
  }
  if (imagePath.has_value() == portPath.has_value())
    throw UsageError{"decode reads either --image FILE or --port DEVICE"};

  int status = kExitOk;
  std::string error;
  std::unique_ptr<PanelSource> panel = PanelSource::open(imagePath, portPath, status, error);
  if (!panel) return fail(status, error);


  programStartup(globals.library);
  auto settings = std::make_shared<PanelSettingsV2>();
  int16_t version = 0;
  int16_t result;
  result = settings->decodeMemoryMap(version);
  panel.reset();

  const std::string& listing = MemDebugForm::instance().txtMemDumpListing();
  if (!listingPath.empty()) {
    if (int status = writeOutputFile(listingPath, listing); status != kExitOk) return status;
  } else {
    std::fwrite(listing.data(), 1, listing.size(), stdout);
    std::fflush(stdout);
  }
  if (result != loadOk) {
    fail(result, VXCommon::gErrorMessages[size_t(result)]);
    return result == loadCommError ? kExitDevice : result;
  }
  if (!roomPath.empty()) return writeOutputFile(roomPath, settings->encodeRoomFile());
  return kExitOk;
}

CommandRegistration registration(
    "decode",
    "decode (--image FILE | --port DEVICE) [-o ROOM] [--listing FILE]   read a panel back",
    runDecode);

}  // namespace
}  // namespace cli
