// The folders of the local library that could not be read this run, each with the system's
// reason, so that a command that needs them can end naming them instead of taking them for
// empty. The file tests note the folder of a listing that met an unexpected error (after their
// message box), and the file library notes a folder it could not list; a folder that does not
// exist is never noted (it is an empty one), but a file or a loop of links in its place is.
//
// Folders end in "/". A folder inside one noted before is not noted again: that one is why it
// cannot be read, and the one to name. initGlobals starts the record afresh.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/directory_listing.h"

namespace VXCommon {

struct UnreadableFolder {
  std::string folder;  // ending in "/"
  std::string reason;  // the system's text
};

void noteUnreadableFolder(const std::string& folder, const std::string& reason);
// Notes `folder` (or the folder the listing's error names) when its listing failed for any
// reason but that it does not exist.
void noteIfUnreadable(const std::string& folder, const platform::DirListing& listing);
// The folder part of a path or listing pattern, with its final "/" ("./" when it has none).
std::string folderPartOf(const std::string& path);
// The folders noted, in the order met.
const std::vector<UnreadableFolder>& unreadableFolders();
// The noted folder that holds `path` (or is it), if any.
std::optional<UnreadableFolder> unreadableFolderOf(const std::string& path);
void resetUnreadableFolders();

}  // namespace VXCommon
