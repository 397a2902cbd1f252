// orvella-config defaults -o ROOM: the panel's factory settings as a room file. Loads the
// factory-defaults driver of the library's drivers folder (--library, or the stored or default
// library) into a new settings object and writes the room. When that driver cannot be read
// the status is 66; when it does not check cleanly the parse listing is printed, nothing is
// written and the status is 2; 73 when ROOM cannot be written.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "common/file_type_table.h"
#include "common/startup_globals.h"
#include "panel/panel_settings.h"
#include "platform/fs_util.h"
#include "wizard/cli/command.h"
#include "wizard/cli/output_writer.h"
#include "wizard/cli/settings_file_reader.h"
#include "wizard/program_startup.h"

namespace cli {
namespace {

constexpr int kExitDefaultsError = 2;  // the driver's parse error

int runDefaults(const GlobalOptions& globals, const std::vector<std::string>& args) {
  std::string output;
  ArgReader reader(args);
  while (!reader.done()) {
    std::string arg = reader.next();
    if (arg == "-o") output = reader.value("-o");
    else throw UsageError{"defaults takes only -o ROOM, not '" + arg + "'"};
  }
  if (output.empty()) throw UsageError{"defaults needs -o ROOM"};

  programStartup(globals.library);
  std::string driver = VXCommon::gFileTypes->localDir(ftDrivers) + PanelSettingsV2::kFactoryDefaultsDriver;
  if (!platform::readWholeFile(driver)) {
    std::fprintf(stderr, "orvella-config: cannot read '%s'\n", driver.c_str());
    return kExitNoInput;
  }

  auto settings = std::make_shared<PanelSettingsV2>();
  if (settings->loadDefaults()) {
    printParseListing();
    return kExitDefaultsError;
  }
  return writeOutputFile(output, settings->encodeRoomFile());
}

CommandRegistration registration(
    "defaults", "defaults -o ROOM                  the factory defaults as a room file",
    runDefaults);

}  // namespace
}  // namespace cli
