// dirStructCls: the table of the file types kept in the local library. For each type: its id
// (FileTypeId), its local folder (ending in "/"), its folder on the update server (a URL,
// empty for a type kept only locally) and its extensions with their dots, in registration
// order.
//
// Registering a type creates its missing local folders, outermost first. Lookups go by id;
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

 private:
  // Position (1..typeCount) of the first type with this id, 0 when none.
  int16_t typeIndex(int16_t key) const;
  // Creates each missing folder along localDir, outermost first; a last component without a
  // final "/" is a name, not a folder.
  static void createFolders(const std::string& localDir);

  // Element i - 1 describes the i-th registered type.
  int16_t typeCount = 0;
  std::array<int16_t, kMaxTypes> typeIds{};
  std::array<std::string, kMaxTypes> localDirs;
  std::array<std::string, kMaxTypes> webDirs;
  std::array<int16_t, kMaxTypes> extCounts{};
  std::array<std::array<std::string, kMaxExtensions>, kMaxTypes> extLists;
};
