#include "common/file_type_table.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "common/file_helpers.h"
#include "common/unreadable_folders.h"
#include "common/vb_error.h"
#include "platform/message_box.h"

void dirStructCls::addNew(int16_t key, const std::string& localDir, const std::string& webDir,
                          const std::vector<std::string>& extensions) {
  if (typeCount >= kMaxTypes || extensions.size() > size_t(kMaxExtensions))
    throw VbError(VbError::kSubscriptOutOfRange);
  int16_t i = typeCount++;
  localDirs[i] = localDir;
  webDirs[i] = webDir;
  typeIds[i] = key;
  extCounts[i] = 0;
  for (const std::string& ext : extensions) extLists[i][extCounts[i]++] = ext;
  createFolders(localDir);
}

std::string dirStructCls::localDir(int16_t key) const {
  int16_t i = typeIndex(key);
  return i == 0 ? "" : localDirs[i - 1];
}

std::string dirStructCls::webDir(int16_t key) const {
  int16_t i = typeIndex(key);
  return i == 0 ? "" : webDirs[i - 1];
}

std::vector<std::string> dirStructCls::extensions(int16_t key) const {
  int16_t i = typeIndex(key);
  if (i == 0) return {};
  return {extLists[i - 1].begin(), extLists[i - 1].begin() + extCounts[i - 1]};
}

int16_t dirStructCls::typeIndex(int16_t key) const {
  for (int16_t i = 0; i < typeCount; ++i)
    if (typeIds[i] == key) return int16_t(i + 1);
  return 0;
}

void dirStructCls::createFolders(const std::string& localDir) {
  // The "/" of an absolute path's root is not a folder to create.
  for (size_t p = localDir.find('/', 1); p != std::string::npos; p = localDir.find('/', p + 1)) {
    const std::string prefix = localDir.substr(0, p + 1);
    if (int error = makeFolder(prefix); error != 0) {
      folderNotMade(prefix, error);
      return;
    }
  }
}

int dirStructCls::makeFolder(const std::string& folder) {
  if (!VXCommon::dirExists(folder)) {
    if (VXCommon::unreadableFolderOf(folder)) return -1;
    if (::mkdir(folder.c_str(), 0777) == 0) return 0;
    if (errno != EEXIST) return errno;
  }
  // There already, as a folder or as a file in its place (which the test counts as present,
  // and which a path cannot go through: the final "/" makes stat say so).
  struct stat info {};
  return ::stat(folder.c_str(), &info) == 0 ? 0 : errno;
}

void dirStructCls::folderNotMade(const std::string& folder, int error) {
  if (std::find(foldersNotMade.begin(), foldersNotMade.end(), folder) != foldersNotMade.end()) return;
  foldersNotMade.push_back(folder);
  if (error > 0)
    platform::currentMessageBoxes().show(
        "cannot make the folder '" + folder + "' for the library: " + std::strerror(error),
        platform::MsgButtons::Ok, platform::MsgIcon::Warning);
}
