#include "common/file_library.h"

#include <algorithm>

#include "common/ascii_text.h"
#include "common/file_helpers.h"
#include "common/hex_text.h"
#include "common/startup_globals.h"
#include "common/text_helpers.h"
#include "common/unreadable_folders.h"
#include "common/utility_version.h"
#include "platform/directory_listing.h"

namespace {

// The normal files of the folder matching the name pattern (and the entries left out); none
// when the folder does not exist or is not known (a type missing from gFileTypes has no
// folder, not the current one). A folder that exists but cannot be listed gives none too, and
// is noted as unreadable.
platform::DirListing listFolder(const std::string& folder, const std::string& namePattern) {
  if (folder.empty()) return {};
  platform::DirListing result =
      platform::currentDirectoryLister().list(folder + namePattern, platform::DirAttr::Normal);
  VXCommon::noteIfUnreadable(folder, result);
  return result;
}

// The entries of a listing of `folder` left out whose names pass `fits`.
std::vector<LeftOutFile> leftOutOf(const std::string& folder, const platform::DirListing& listing,
                                   bool (*fits)(const std::string& name)) {
  std::vector<LeftOutFile> files;
  for (const platform::LeftOutEntry& entry : listing.leftOut)
    if (fits(entry.name)) files.push_back({folder + entry.name, entry.reason});
  return files;
}

bool allHexDigits(const std::string& text) {
  for (char c : text) {
    bool hex = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
    if (!hex) return false;
  }
  return true;
}

// The version characters [from, from + count) of an upgrade file, upper-cased, when its base
// name has the 8 characters of the naming scheme and they are hex digits; "" otherwise.
std::string versionPart(const std::string& fileName, size_t from, size_t count) {
  std::string base = VXCommon::baseNameOf(fileName);
  if (base.size() != 8) return "";
  std::string part = VXCommon::upperCased(base.substr(from, count));
  return allHexDigits(part) ? part : "";
}

// The file of `folder` matching `namePattern` whose version part is the greatest and greater
// than `best`; best then holds that version. "" when none is. The entries named like such a
// file that the listing left out are added to `leftOut` (once each).
std::string newestAbove(const std::string& folder, const std::string& namePattern, size_t from,
                        size_t count, std::string& best, std::vector<LeftOutFile>& leftOut,
                        const std::string& below = "") {
  const platform::DirListing listing = listFolder(folder, namePattern);
  for (const platform::LeftOutEntry& entry : listing.leftOut) {
    const LeftOutFile file{folder + entry.name, entry.reason};
    const bool known = std::any_of(leftOut.begin(), leftOut.end(),
                                   [&file](const LeftOutFile& earlier) { return earlier.path == file.path; });
    if (!known && !versionPart(entry.name, from, count).empty()) leftOut.push_back(file);
  }
  std::string result;
  for (const std::string& name : listing.names) {
    std::string version = versionPart(name, from, count);
    if (version.empty() || (!below.empty() && !(version < below))) continue;
    if (version > best) {
      result = folder + name;
      best = version;
    }
  }
  return result;
}

std::string folderOf(FileTypeId id) { return VXCommon::gFileTypes->localDir(id); }

}  // namespace

void fileDatabaseCls::createSavedRoomsDB() {
  savedRooms_->clear();
  const std::string folder = folderOf(ftSavedRooms);
  const platform::DirListing listing = listFolder(folder, "*.room");
  for (const std::string& name : listing.names) savedRooms_->push_back(VXCommon::stripExt(name));
  savedRoomsLeftOut_ = leftOutOf(folder, listing, [](const std::string&) { return true; });
}

std::shared_ptr<SavedRoomList> fileDatabaseCls::getSavedRoomsList(const std::string& currFile,
                                                                  int16_t& curFileIdx) {
  curFileIdx = 0;
  for (size_t i = 0; i < savedRooms_->size() && i < 32767; ++i) {
    if ((*savedRooms_)[i] == currFile) {
      curFileIdx = int16_t(i + 1);
      break;
    }
  }
  return savedRooms_;
}

ProjDriverPtr fileDatabaseCls::parseDriverFn(const std::string& name) {
  std::string ext = VXCommon::extOf(name);
  // A name without a dot is no driver, even one spelt like an extension.
  if ((ext != "prjdrv" && ext != "prj") || name.find('.') == std::string::npos) return nullptr;
  std::string base = name.substr(0, name.size() - ext.size() - 1);

  std::string maker, rest;
  if (size_t blank = base.find(' '); blank != std::string::npos) {
    maker = base.substr(0, blank + 1);
    VXCommon::trimWhite(maker);
    rest = base.substr(blank + 1);
  } else {
    rest = base;
  }
  std::string model, revision;
  if (size_t paren = rest.find('('); paren != std::string::npos) {
    revision = rest.substr(paren);
    VXCommon::trimWhite(revision);
    model = rest.substr(0, paren);
    VXCommon::trimWhite(model);
  }

  auto record = std::make_shared<projDriversCls>();
  record->projExt = ext;
  record->projModelAndRev = rest;
  record->projMfgr = maker;
  record->projModel = model;
  record->projIsCurrent = false;
  record->projRev = revision;
  record->projDriverName = name;
  record->hasPDF = false;
  return record;
}

void fileDatabaseCls::createDriverDB() {
  drivers_.clear();
  const std::string folder = folderOf(ftDrivers);
  const platform::DirListing listing = listFolder(folder, "*.*");
  for (const std::string& name : listing.names) {
    if (ProjDriverPtr record = parseDriverFn(name)) insertDriverSorted(record);
  }
  driversLeftOut_ = leftOutOf(folder, listing, [](const std::string& name) { return parseDriverFn(name) != nullptr; });
  const std::string docs = folderOf(ftDriverDocs);
  for (const ProjDriverPtr& record : drivers_)
    record->hasPDF = VXCommon::fileExists(docs + VXCommon::baseNameOf(record->projDriverName) + ".pdf");
  markCurrentRevisions();
}

void fileDatabaseCls::insertDriverSorted(ProjDriverPtr record) {
  size_t at = drivers_.size();
  while (at > 0 && !(drivers_[at - 1]->projDriverName < record->projDriverName)) --at;
  drivers_.insert(drivers_.begin() + long(at), std::move(record));
}

void fileDatabaseCls::markCurrentRevisions() {
  std::string maker, model, revision, base;  // of the entry examined just before
  for (size_t i = drivers_.size(); i-- > 0;) {
    projDriversCls& entry = *drivers_[i];
    std::string entryBase = VXCommon::baseNameOf(entry.projDriverName);
    if (entry.projMfgr != maker || entry.projModel != model) {
      entry.projIsCurrent = true;
    } else if (entry.projRev == revision) {
      if (entryBase == base) {
        // The ".prj" beside the ".prjdrv" of the same name: the entry after it stays.
        drivers_.erase(drivers_.begin() + long(i));
        continue;
      }
      // Another driver that only shares maker, model and revision text (names without a
      // revision have none): it is not an older revision of the one after it.
      entry.projIsCurrent = true;
    } else {
      entry.projIsCurrent = false;
    }
    maker = entry.projMfgr;
    model = entry.projModel;
    revision = entry.projRev;
    base = entryBase;
  }
}

std::vector<ProjDriverPtr> fileDatabaseCls::getModelList(const std::string& currMfgr,
                                                         const std::string& currDriver,
                                                         int16_t& curModelIdx, bool showAllRevs) {
  curModelIdx = 0;
  std::vector<ProjDriverPtr> models;
  for (const ProjDriverPtr& record : drivers_) {
    if (record->projMfgr != currMfgr) continue;
    bool selected = record->projDriverName == currDriver;
    if (!selected && !record->projIsCurrent && !showAllRevs) continue;
    models.push_back(record);
    if (selected) curModelIdx = int16_t(models.size());
  }
  return models;
}

std::vector<std::string> fileDatabaseCls::getMfgrList(const std::string& currDriver, int16_t& curMfgIdx) {
  curMfgIdx = 0;
  std::vector<std::string> makers;
  for (const ProjDriverPtr& record : drivers_) {
    if (makers.empty() || record->projMfgr != makers.back()) makers.push_back(record->projMfgr);
    if (record->projDriverName == currDriver) curMfgIdx = int16_t(makers.size());
  }
  return makers;
}

std::string fileDatabaseCls::findFWUpgrades(int16_t curProdId, int16_t curMajVer, int16_t curMinorVer,
                                            const std::string& exten) {
  std::string folder;
  if (curProdId == 1) folder = folderOf(ftPanelFirmware);
  else if (curProdId == 2) folder = folderOf(ftAdapterFirmware);
  else return "";
  std::string best = VXCommon::hex2Str(curMajVer) + VXCommon::hex2Str(curMinorVer);
  return newestAbove(folder, "FW" + VXCommon::hex2Str(curProdId) + "*" + exten, 4, 4, best, upgradesLeftOut_);
}

std::string fileDatabaseCls::findWebromUpgrades(int16_t curProdId, int16_t curMajVer, int16_t curMinorVer) {
  std::string best = VXCommon::hex2Str(curMinorVer);
  return newestAbove(folderOf(ftAdapterFirmware),
                     "FW" + VXCommon::hex2Str(curProdId) + VXCommon::hex2Str(curMajVer) + "*.wrom", 6, 2,
                     best, upgradesLeftOut_, "80");
}

std::string fileDatabaseCls::findCurrentHelp() {
  std::string best;
  return newestAbove(folderOf(ftAppFiles),
                     "HE" + VXCommon::hex2Str(VXCommon::kUtilityMajor) +
                         VXCommon::hex2Str(VXCommon::kUtilityMinor) + "*.chm",
                     6, 2, best, upgradesLeftOut_);
}

std::string fileDatabaseCls::findCurrentCU() {
  std::string best;
  std::string result = newestAbove(folderOf(ftAppFiles), "CU*.exe", 2, 6, best, upgradesLeftOut_);
  std::string own = VXCommon::hex2Str(VXCommon::kUtilityMajor) + VXCommon::hex2Str(VXCommon::kUtilityMinor) +
                    VXCommon::hex2Str(VXCommon::kUtilityRevision);
  return best > own ? result : "";
}

std::vector<LeftOutFile> fileDatabaseCls::leftOutFiles() const {
  std::vector<LeftOutFile> files = savedRoomsLeftOut_;
  files.insert(files.end(), driversLeftOut_.begin(), driversLeftOut_.end());
  files.insert(files.end(), upgradesLeftOut_.begin(), upgradesLeftOut_.end());
  return files;
}
