// fileDatabaseCls: what lies in the local file library under the default directory: the saved
// rooms, the projector drivers by maker, model and revision (with their application notes),
// and the newest upgrade files (panel and adapter firmware, web-ROM image, help file, utility
// installer). Every folder comes from gFileTypes; files are found with the platform's
// directory listing (normal files only). A folder that does not exist counts as empty; one
// that exists but cannot be listed counts as empty too and is noted as unreadable
// (unreadable_folders.h), so that the caller does not take it for empty.
//
// Driver file names are "<maker> <model> (<revision>).prjdrv" (or ".prj", the older format):
// "Acme PX-100 (Rev A).prjdrv" is maker "Acme", model "PX-100", revision "(Rev A)". The driver
// list is kept in ascending byte order of the file names; of the ".prj" and ".prjdrv" files
// of one name only the ".prjdrv" is kept, and the revision that sorts last is the current one
// of its maker and model. Names compare exactly (letter case counts).
//
// Upgrade file names are 8 characters before the extension, versions in hex digits:
// "FW" product major minor (firmware, web-ROM), "HE" major minor help-revision (help),
// "CU" major minor revision (installer). Names whose version part is not hex are skipped.
//
// Entries of the saved-rooms and drivers folders whose names fit a room or a driver, and of the
// upgrade folders whose names fit the upgrade file looked for, but that are no normal file (a
// folder, a link that leads nowhere or loops) are left out of the lists and the look-ups as the
// directory listing leaves them out; the library keeps which, and why, for its caller to say.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One driver file of the library.
struct projDriversCls {
  std::string projMfgr;         // the file name up to its first blank
  std::string projExt;          // "prj" or "prjdrv"
  std::string projModel;        // between the first blank and the "("
  std::string projRev;          // from the "(" on, "(1.2)"; empty without a "("
  std::string projModelAndRev;  // everything after the first blank
  bool projIsCurrent = false;   // the newest revision of its maker and model
  std::string projDriverName;   // the file name with its extension
  bool hasPDF = false;          // an application note of the same base name exists
};

// An entry whose name fits a saved room, a driver or an upgrade file, left out.
struct LeftOutFile {
  std::string path;    // the folder and the name
  std::string reason;  // as the directory listing gives it
};

using ProjDriverPtr = std::shared_ptr<projDriversCls>;
using SavedRoomList = std::vector<std::string>;

class fileDatabaseCls {
 public:
  // Rebuilds the saved-room list: the names of the saved-room files without extension.
  void createSavedRoomsDB();
  // The saved-room list itself (shared with this object); curFileIdx is currFile's position
  // in it from 1, 0 when absent.
  std::shared_ptr<SavedRoomList> getSavedRoomsList(const std::string& currFile, int16_t& curFileIdx);

  // Rebuilds the driver list from the drivers folder.
  void createDriverDB();
  // The maker's current drivers (all of them with showAllRevs), plus currDriver whatever its
  // revision; curModelIdx is currDriver's position in the result from 1, 0 when absent.
  std::vector<ProjDriverPtr> getModelList(const std::string& currMfgr, const std::string& currDriver,
                                          int16_t& curModelIdx, bool showAllRevs);
  // Each maker once, in list order; curMfgIdx is the position of currDriver's maker from 1.
  std::vector<std::string> getMfgrList(const std::string& currDriver, int16_t& curMfgIdx);
  // The record of a driver file name; null for a name that is not a driver.
  static ProjDriverPtr parseDriverFn(const std::string& name);

  // Full path of the newest firmware file newer than the given version for product 1 (panel)
  // or 2 (network adapter) with extension exten (with its dot); "" when none.
  std::string findFWUpgrades(int16_t curProdId, int16_t curMajVer, int16_t curMinorVer,
                             const std::string& exten);
  // Full path of the newest web-ROM image of the same major version with a minor version
  // above the current one and below 80 hex; "" when none.
  std::string findWebromUpgrades(int16_t curProdId, int16_t curMajVer, int16_t curMinorVer);
  // Full path of the help file of this utility's major and minor version with the highest
  // help revision; "" when none.
  std::string findCurrentHelp();
  // Full path of the newest utility installer when it is newer than this utility; "" else.
  std::string findCurrentCU();

  // What the last createSavedRoomsDB and createDriverDB left out, rooms first, each in
  // name order; then what the upgrade look-ups left out, in the order they met it.
  std::vector<LeftOutFile> leftOutFiles() const;

 private:
  void insertDriverSorted(ProjDriverPtr record);
  void markCurrentRevisions();

  std::vector<ProjDriverPtr> drivers_;
  std::shared_ptr<SavedRoomList> savedRooms_ = std::make_shared<SavedRoomList>();
  std::vector<LeftOutFile> savedRoomsLeftOut_, driversLeftOut_, upgradesLeftOut_;
};
