// dirStructCls: the table of the file types kept in the local library. For each type: its id
// (FileTypeId), its local folder (ending in "/"), its folder on the update server (a URL,
// empty for a type kept only locally) and its extensions with their dots, in registration
// order.
//
// Registering a type creates its missing local folders, outermost first. A folder along the
// way that cannot be made (or that a file takes the place of) is said once, in a warning box
// naming it and the system's reason, and nothing is made inside it; one the folder test could
// not look into has had its error box. The type is registered all the same, and
// foldersLaidOut() tells whether every local folder is there. Lookups go by id;
// the first type registered with an id wins; an unknown id gives "" or no extensions. The
// table holds at most 20 types of at most 20 extensions; registering beyond that raises
// VbError 9 and changes nothing.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

enum FileTypeId : int16_t {
  ftDrivers = 1,
  ftDriverDocs = 2,
  ftPanelFirmware = 3,
  ftAdapterFirmware = 4,
  ftSavedRooms = 5,
  ftLegends = 6,
  ftAppFiles = 7,
};

class dirStructCls {
 public:
  static constexpr int16_t kMaxTypes = 20;
  static constexpr int16_t kMaxExtensions = 20;

  void addNew(int16_t key, const std::string& localDir, const std::string& webDir,
              const std::vector<std::string>& extensions);
  int16_t count() const { return typeCount; }
  std::string localDir(int16_t key) const;
  std::string webDir(int16_t key) const;
  std::vector<std::string> extensions(int16_t key) const;
  // True when every registered type's local folder exists (or was made).
  bool foldersLaidOut() const { return foldersNotMade.empty(); }

 private:
  // Position (1..typeCount) of the first type with this id, 0 when none.
  int16_t typeIndex(int16_t key) const;
  // Creates each missing folder along localDir, outermost first; a last component without a
  // final "/" is a name, not a folder. Stops at the first folder that is not there.
  void createFolders(const std::string& localDir);
  // 0 when `folder` (ending in "/") is there as a folder or has been made; else the errno, or
  // -1 when the folder test could not look into the folder around it (its box said why).
  static int makeFolder(const std::string& folder);
  // Notes a folder that is not there; says why once (`error` the errno; -1 when a box of the
  // folder test has said it).
  void folderNotMade(const std::string& folder, int error);

  // Element i - 1 describes the i-th registered type.
  int16_t typeCount = 0;
  std::array<int16_t, kMaxTypes> typeIds{};
  std::array<std::string, kMaxTypes> localDirs;
  std::array<std::string, kMaxTypes> webDirs;
  std::array<int16_t, kMaxTypes> extCounts{};
  std::array<std::array<std::string, kMaxExtensions>, kMaxTypes> extLists;
  std::vector<std::string> foldersNotMade;  // the first folder of each path that is not there
};
