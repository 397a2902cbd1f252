#include "common/file_helpers.h"

#include <chrono>
#include <thread>

#include "common/unreadable_folders.h"
#include "platform/directory_listing.h"
#include "platform/message_box.h"

namespace VXCommon {
namespace {

using platform::DirAttr;
using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

// A number as the runtime's Str writes it: a blank before a non-negative value.
std::string numberWithSign(int n) { return (n >= 0 ? " " : "") + std::to_string(n); }

// Lists `pattern` until it answers or the user gives up; True when something matched.
bool listingFinds(const std::string& path, const std::string& pattern, DirAttr attrs) {
  auto& boxes = platform::currentMessageBoxes();
  for (;;) {
    platform::DirListing result = platform::currentDirectoryLister().list(pattern, attrs);
    if (result.error == 0) return !result.names.empty();
    if (result.error == platform::kErrDriveNotReady) {
      if (boxes.show("Put floppy disk in drive and clode the drive door", MsgButtons::OkCancel,
                     MsgIcon::Warning) == MsgAnswer::Ok)
        continue;
      return false;
    }
    if (result.error == platform::kErrDeviceUnavailable) {
      boxes.show("This drive or path does not exist: " + path, MsgButtons::Ok, MsgIcon::Warning);
      return false;
    }
    // The box names the folder it is about after its own text; the run cannot go on with that
    // folder, and what needs it ends naming it.
    const std::string folder = result.folder.empty() ? folderPartOf(pattern) : result.folder;
    boxes.show("unexpected error #" + numberWithSign(result.error) + " occured :" + result.description + ": '" +
                   folder + "'",
               MsgButtons::Ok, MsgIcon::Stop);
    noteUnreadableFolder(folder, result.description);
    return false;
  }
}

bool holdsWildcard(const std::string& path) { return path.find_first_of("*?") != std::string::npos; }

}  // namespace

std::string fileNameOf(const std::string& path) {
  size_t cut = path.find_last_of("/\\:");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string stripExt(const std::string& name) {
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string baseNameOf(const std::string& path) { return stripExt(fileNameOf(path)); }

std::string extOf(const std::string& name) {
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(dot + 1);
}

bool fileExists(const std::string& path) {
  // A final "/" names a folder, which the listing would read as "every file in it".
  if (path.empty() || path.back() == '/' || holdsWildcard(path)) return false;
  return listingFinds(path, path, DirAttr::Normal);
}

bool dirExists(const std::string& path) {
  if (path.empty() || holdsWildcard(path)) return false;
  std::string folder = path;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return listingFinds(path, folder, DirAttr::WithFolders);
}

void waitMs(int16_t ms) {
  if (ms <= 0) return;
  auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  std::this_thread::sleep_until(until);
}

}  // namespace VXCommon
