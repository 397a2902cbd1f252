#include "wizard/cli/settings_file_reader.h"

#include <cstdio>

#include "wizard/parse_file_listing.h"

namespace cli {

bool isRoomFileName(const std::string& path) {
  static const std::string kExtension = ".room";
  if (path.size() < kExtension.size()) return false;
  for (size_t i = 0; i < kExtension.size(); ++i) {
    char c = path[path.size() - kExtension.size() + i];
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    if (c != kExtension[i]) return false;
  }
  return true;
}

SettingsFile readSettingsFile(const std::string& path) {
  SettingsFile file;
  file.room = isRoomFileName(path);
  auto settings = std::make_shared<PanelSettingsV2>();
  bool read = file.room ? settings->ReadAndParseRoomFile(path) : settings->ReadAndParseProjFile(path);
  if (!read) {
    std::fprintf(stderr, "orvella-config: cannot read '%s'\n", path.c_str());
    return file;
  }
  file.settings = settings;
  return file;
}

void printParseListing() {
  const std::string& listing = ParseFileListing::instance().txtParseFileListing();
  std::fwrite(listing.data(), 1, listing.size(), stdout);
  std::fflush(stdout);
}

}  // namespace cli
