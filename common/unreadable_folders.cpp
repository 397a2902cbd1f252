#include "common/unreadable_folders.h"

namespace VXCommon {
namespace {

std::vector<UnreadableFolder>& noted() {
  static std::vector<UnreadableFolder> folders;
  return folders;
}

}  // namespace

void noteUnreadableFolder(const std::string& folder, const std::string& reason) {
  if (!unreadableFolderOf(folder)) noted().push_back({folder, reason});
}

void noteIfUnreadable(const std::string& folder, const platform::DirListing& listing) {
  if (listing.error != 0 && listing.error != platform::kErrDeviceUnavailable)
    noteUnreadableFolder(listing.folder.empty() ? folder : listing.folder, listing.description);
}

std::string folderPartOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

const std::vector<UnreadableFolder>& unreadableFolders() { return noted(); }

std::optional<UnreadableFolder> unreadableFolderOf(const std::string& path) {
  for (const UnreadableFolder& entry : noted())
    if (path.compare(0, entry.folder.size(), entry.folder) == 0) return entry;
  return std::nullopt;
}

void resetUnreadableFolders() { noted().clear(); }

}  // namespace VXCommon
