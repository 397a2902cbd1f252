#include "cli/settings_file_reader.h"

#include <cstdio>

#include "common/ascii_text.h"
#include "common/file_type_table.h"
#include "common/startup_globals.h"
#include "common/unreadable_folders.h"
#include "panel/load_error.h"
#include "cli/command.h"
#include "cli/failure_report.h"
#include "cli/file_args.h"
#include "cli/output_writer.h"
#include "platform/directory_listing.h"
#include "wizard/parse_file_listing.h"

namespace cli {

bool isRoomFileName(const std::string& path) { return VXCommon::endsWithIgnoringCase(path, ".room"); }

SettingsFile readSettingsFile(const std::string& path) {
  SettingsFile file;
  file.path = path;
  file.room = isRoomFileName(path);
  if (checkInput(path) != kExitOk) return file;
  auto settings = std::make_shared<PanelSettingsV2>();
  bool read = file.room ? settings->ReadAndParseRoomFile(path) : settings->ReadAndParseProjFile(path);
  if (!read) {
    // It was readable a moment ago: ask again for the reason.
    const std::string reason = whyUnreadable(path);
    fail(kExitNoInput, "cannot read '" + path + "': " + (reason.empty() ? "read failed" : reason));
    return file;
  }
  file.settings = settings;
  file.parsedSize = ParseFileListing::instance().txtParseFileListing().size();
  return file;
}

SettingsFile checkSettingsFile(const std::string& path) {
  SettingsFile file = readSettingsFile(path);
  if (!file.settings) return file;
  file.settings->IsDriverValid(file.result);
  return file;
}

namespace {

// For a command that stops when its file does not check: the parse listing in `listing`, the
// failure on stderr, and the exit status.
int failed(const SettingsFile& file, PreparedOutput* listing) {
  const int written = listing ? listing->writeText(ParseFileListing::instance().txtParseFileListing()) : kExitOk;
  reportCheckFailure(file);
  if (!listing)
    sayLine("orvella-config: the parse listing of '" + file.path +
            "' is not written, since -o sends the room to standard output; the check command prints it");
  return written != kExitOk ? written : file.status();
}

}  // namespace

std::unique_ptr<PreparedOutput> parseListingBeside(const PreparedOutput& output) {
  if (output.isStandardOutput()) return nullptr;
  return std::make_unique<PreparedOutput>(OutputName{"", kStandardOutput, false});
}

std::shared_ptr<PanelSettingsV2> readCheckedSettings(const std::string& path, int& status, PreparedOutput* listing) {
  return checkedSettings(checkSettingsFile(path), status, listing);
}

std::shared_ptr<PanelSettingsV2> checkedSettings(const SettingsFile& file, int& status, PreparedOutput* listing) {
  if (!file.settings) status = kExitNoInput;
  else if (file.result != 0) status = failed(file, listing);
  else return file.settings;
  return nullptr;
}

namespace {

// kExitOk for a readable file of the library; otherwise says why on stderr, naming the folder
// when the folder is what cannot be read, and gives kExitNoInput.
int checkLibraryInput(const std::string& path) {
  VXCommon::noteIfUnreadable(VXCommon::folderPartOf(path),
                             platform::currentDirectoryLister().list(path, platform::DirAttr::Normal));
  return reportUnreadableFolder(path) ? kExitNoInput : checkInput(path);
}

}  // namespace

std::shared_ptr<PanelSettingsV2> loadFactoryDefaults(int& status, PreparedOutput* listing) {
  const std::string driver = VXCommon::gFileTypes->localDir(ftDrivers) + PanelSettingsV2::kFactoryDefaultsDriver;
  if ((status = checkLibraryInput(driver)) != kExitOk) return nullptr;
  auto settings = std::make_shared<PanelSettingsV2>();
  if (!settings->loadDefaults()) return settings;
  // Read and checked once more on its own, for the listing and the lines its errors belong to.
  if (readCheckedSettings(driver, status, listing)) status = loadDriverParseError;
  return nullptr;
}

int printParseListing(PreparedOutput& listing) {
  return listing.writeText(ParseFileListing::instance().txtParseFileListing());
}

void reportCheckFailure(const SettingsFile& file) {
  reportLoadError(file.path, file.status());
  reportParseErrors(file.path, ParseFileListing::instance().txtParseFileListing(), file.parsedSize);
}

}  // namespace cli
