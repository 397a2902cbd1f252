// DirectoryLister: the names in a folder that match a pattern, as the file tests and the file
// library need them.
//
// A pattern is a folder path, "/" and a name pattern (see wildcard.h); without a "/" the
// folder is the current one, and an empty name pattern means "*.*". A name pattern without
// wildcards names one entry and is looked up exactly. Only the names are returned (no folder),
// sorted by their bytes. Names starting with "." are hidden and never listed; so are entries
// that are neither normal files nor folders. DirAttr::Normal lists normal files only;
// DirAttr::WithFolders lists folders too.
//
// Errors keep the numbers the callers tell apart: no medium or an I/O error is "drive not
// ready" (71); a folder of the pattern that does not exist is "device unavailable" (68); any
// other failure keeps its errno and the system's text for it, such as a file or a loop of
// symbolic links where a folder of the path should be ("Not a directory", "Too many levels of
// symbolic links"), and names the folder it is about. A folder that exists but holds no match
// is no error: the list is just empty.
//
// A listing by wildcard also says which entries matched the name pattern but were left out, and
// why: a folder where only normal files are asked for, an entry that is neither a normal file
// nor a folder, a symbolic link that leads nowhere or loops (the system's text). Hidden names
// and entries removed while the folder is read are not among them.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace platform {

constexpr int kErrDeviceUnavailable = 68;
constexpr int kErrDriveNotReady = 71;

enum class DirAttr { Normal, WithFolders };

struct LeftOutEntry {
  std::string name;
  std::string reason;  // "it is a folder", "it is not a regular file" or the system's text
};

struct DirListing {
  std::vector<std::string> names;
  int error = 0;            // 0 when the listing succeeded
  std::string description;  // the error's text
  // Of an error other than 68 and 71: the folder it is about, ending in "/". The pattern's own
  // folder, but for a file or a loop of links in a folder's place, which is named (the outermost
  // one). Empty when not known: then it is the pattern's folder.
  std::string folder;
  std::vector<LeftOutEntry> leftOut;  // sorted by name, as names are
};

class DirectoryLister {
 public:
  virtual ~DirectoryLister() = default;
  virtual DirListing list(const std::string& pattern, DirAttr attrs) = 0;
};

class PosixDirectoryLister : public DirectoryLister {
 public:
  DirListing list(const std::string& pattern, DirAttr attrs) override;
};

// Returns the provider it replaces. An empty provider restores the POSIX lister.
std::function<DirectoryLister&()> installDirectoryLister(std::function<DirectoryLister&()> provider);
DirectoryLister& currentDirectoryLister();

}  // namespace platform
