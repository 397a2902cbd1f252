// orvella-config library: what the local library holds. Lists the saved rooms, the drivers by
// maker and model (the current revision marked, application notes named) and the upgrade
// files newer than the panel's firmware (--fw) and this utility. A folder that does not exist
// lists as empty; when a folder of the library cannot be read, nothing is listed: each such
// folder is named with the reason on stderr and the status is 66. An entry named like a room, a
// driver or an upgrade file that is left out (a folder, a link that leads nowhere or loops) is
// named with the reason in a warning on stderr; the listing and the status stay. Names come from the file
// system and may hold any byte: each line shows them as messages do (platform::visibleText),
// so that no name can drive the terminal.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <string>
#include <vector>

#include "common/device_globals.h"
#include "common/file_library.h"
#include "common/startup_globals.h"
#include "common/utility_version.h"
#include "cli/command.h"
#include "cli/failure_report.h"
#include "cli/file_args.h"
#include "cli/output_writer.h"
#include "platform/visible_text.h"

namespace {

// The listing, printed only once every folder has been read.
std::string listing;

void printLine(const std::string& text) { listing += platform::visibleText(text) + "\n"; }

// The width a name takes in the listing, escaped.
size_t shownSize(const std::string& name) { return platform::visibleText(name).size(); }

std::string orNone(const std::string& path) { return path.empty() ? "none" : path; }

std::string version(int major, int minor) { return std::to_string(major) + "." + std::to_string(minor); }

void listRooms(fileDatabaseCls& library) {
  library.createSavedRoomsDB();
  int16_t unused = 0;
  auto rooms = library.getSavedRoomsList("", unused);
  printLine("Saved rooms:");
  if (rooms->empty()) printLine("  none");
  for (const std::string& room : *rooms) printLine("  " + room);
}

void listDrivers(fileDatabaseCls& library) {
  library.createDriverDB();
  int16_t unused = 0;
  printLine("Drivers:");
  auto makers = library.getMfgrList("", unused);
  if (makers.empty()) printLine("  none");
  for (const std::string& maker : makers) {
    printLine("  " + (maker.empty() ? std::string("(no maker)") : maker));
    auto models = library.getModelList(maker, "", unused, true);
    size_t width = 0;
    for (const ProjDriverPtr& model : models) width = std::max(width, shownSize(model->projModelAndRev));
    for (const ProjDriverPtr& model : models) {
      std::string line = "    " + model->projModelAndRev;
      line.append(width + 2 - shownSize(model->projModelAndRev), ' ');
      line += model->projIsCurrent ? "current" : "older revision";
      if (model->hasPDF) line += ", application note";
      line += "  [" + model->projDriverName + "]";
      printLine(line);
    }
  }
}

void listUpgrades(fileDatabaseCls& library) {
  const int fwMajor = VXCommon::gPanelFwMajor, fwMinor = VXCommon::gPanelFwMinor;
  const std::string fw = version(fwMajor, fwMinor);
  const std::string utility = version(VXCommon::kUtilityMajor, VXCommon::kUtilityMinor) + "." +
                              std::to_string(VXCommon::kUtilityRevision);
  printLine("Upgrades:");
  printLine("  panel firmware newer than " + fw + ": " +
            orNone(library.findFWUpgrades(1, int16_t(fwMajor), int16_t(fwMinor), ".fw")));
  printLine("  adapter web-ROM image newer than " + fw + ": " +
            orNone(library.findWebromUpgrades(2, int16_t(fwMajor), int16_t(fwMinor))));
  printLine("  help file for utility " + utility + ": " + orNone(library.findCurrentHelp()));
  printLine("  utility installer newer than " + utility + ": " + orNone(library.findCurrentCU()));
}

void warnOfLeftOutFiles(const fileDatabaseCls& library) {
  for (const LeftOutFile& file : library.leftOutFiles())
    cli::sayLine("orvella-config: warning: '" + file.path + "' is left out: " + file.reason);
}

void define(CLI::App&) {}

int runLibrary() {
  cli::PreparedOutputs outputs({}, {{"", cli::kStandardOutput}});
  printLine("Library: " + VXCommon::gDefaultDir);
  fileDatabaseCls library;
  listRooms(library);
  listDrivers(library);
  listUpgrades(library);
  warnOfLeftOutFiles(library);
  if (int status = cli::failOnUnreadableFolders(); status != cli::kExitOk) return status;
  return outputs[0].writeText(listing, "\n");
}

const cli::CommandRegistration registration(
    {"library", "the library's drivers by maker, model and revision; rooms; upgrades", define, runLibrary});

}  // namespace
