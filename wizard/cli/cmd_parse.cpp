// orvella-config parse FILE: reads a projector driver or a room file into a new settings
// object and prints the parse listing on stdout, exactly as the listing holds it (CR LF line
// ends). A name ending in ".room" (any letter case) is read as a room file, any other as a
// driver. Exit status: 0 when no error was counted, 2 for a driver and 1 for a room file with
// errors, 66 when the file cannot be read.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "panel/panel_settings.h"
#include "wizard/cli/command.h"
#include "wizard/parse_file_listing.h"

namespace cli {
namespace {

constexpr int kExitRoomErrors = 1;
constexpr int kExitDriverErrors = 2;

bool isRoomFile(const std::string& path) {
  static const std::string kExtension = ".room";
  if (path.size() < kExtension.size()) return false;
  for (size_t i = 0; i < kExtension.size(); ++i) {
    char c = path[path.size() - kExtension.size() + i];
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    if (c != kExtension[i]) return false;
  }
  return true;
}

int runParse(const GlobalOptions&, const std::vector<std::string>& args) {
  if (args.size() != 1 || args[0].empty()) throw UsageError{"parse takes exactly one FILE"};
  const std::string& path = args[0];
  bool room = isRoomFile(path);

  auto settings = std::make_shared<PanelSettingsV2>();
  bool read = room ? settings->ReadAndParseRoomFile(path) : settings->ReadAndParseProjFile(path);
  if (!read) {
    std::fprintf(stderr, "orvella-config: cannot read '%s'\n", path.c_str());
    return kExitNoInput;
  }

  const std::string& listing = ParseFileListing::instance().txtParseFileListing();
  std::fwrite(listing.data(), 1, listing.size(), stdout);
  std::fflush(stdout);
  if (settings->parseErrors() == 0) return kExitOk;
  return room ? kExitRoomErrors : kExitDriverErrors;
}

CommandRegistration registration(
    "parse", "parse  FILE   read a driver (.prjdrv, .prj) or a room file (.room); parse listing",
    runParse);

}  // namespace
}  // namespace cli
