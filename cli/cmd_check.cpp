// orvella-config check FILE: reads a projector driver or a room file as `parse` does, runs the
// driver checker over it and prints the parse listing with the checker's findings and summary.
// A file that does not check is also said on stderr, with its error lines; one that checks has
// each index of a room setting that no panel has said there as a warning.
// Exit status: for a driver the checker's load error (0, 2 errors, 5 firmware too old for the
// panel of --fw, 10 unknown format); for a room file 0, or 1 (the room file's load error)
// whenever the check gives anything else; 66 when the file cannot be read; 73 when standard output
// was closed at start (said before the file is read).
#include <CLI/CLI.hpp>
#include <memory>
#include <string>

#include "cli/command.h"
#include "cli/file_args.h"
#include "cli/kept_settings_report.h"
#include "cli/settings_file_reader.h"

namespace cli {
namespace {

std::string input;

void define(CLI::App& command) {
  addSettingsFileOption(command, input)->required();
}

int run() {
  PreparedOutputs outputs({}, {{"", kStandardOutput}});
  int status = kExitOk;
  const std::shared_ptr<PanelSettingsV2> settings = readCheckedSettings(input, status, &outputs[0]);
  if (!settings) return status;
  printParseListing(outputs[0]);
  reportIndexesNoPanelHas(input, *settings);
  return kExitOk;
}

CommandRegistration registration(
    {"check", "parse and check a driver or a room file; exit status = load error\nFILE", define, run});

}  // namespace
}  // namespace cli
