#include "common/startup_globals.h"

#include "common/help_and_shell.h"
#include "common/unreadable_folders.h"
#include "platform/settings_store.h"
#include "platform/xdg_dirs.h"

namespace VXCommon {

std::array<std::string, 11> gErrorMessages;
std::string gDefaultDir;
std::string gUpdateServer;
std::shared_ptr<dirStructCls> gFileTypes = std::make_shared<dirStructCls>();

namespace {

const char* const kLoadErrorTexts[10] = {
    "Error in parsing the save settings file.  Click here for more info.  Call VX for support.",
    "Error in parsing the driver file.  Click here for more info.",
    "Error reading the saved settings file.",
    "Can't find the driver loaded currently saved in the panel.  Try downloading updates.",
    "This driver requires a more recent firmware version.  Click here for more info.",
    "A more up to date configuration utility is needed.  Click here for more info.",
    "A more up to date configuration utility is needed.  Click here for more info.",
    "Can't seem to fully retrieve the panel memory.  Check your connections and call VX for help.",
    "The memory in the panel does not seem to be correct.  Try to download again or simply "
    "configure the product from scratch.",
    "The driver format is unrecognized.  Check for updates to see if there is a new version of "
    "this utility.",
};

struct FileTypeRow {
  FileTypeId id;
  const char* localSub;
  const char* webPath;  // nullptr: kept only locally
  std::vector<std::string> extensions;
};

}  // namespace

std::string defaultLibraryDir() { return platform::dataHome() + "/VXC"; }

void initGlobals() {
  for (int k = 1; k <= 10; ++k) gErrorMessages[k] = kLoadErrorTexts[k - 1];

  resetUnreadableFolders();  // a new start on what the library holds
  auto& store = platform::currentSettingsStore();
  gDefaultDir = store.getSetting(kSettingsApp, kSettingsSection, "DefaultDirectory");
  const bool defaulted = gDefaultDir.empty();
  if (defaulted) gDefaultDir = defaultLibraryDir();
  const std::string toStore = gDefaultDir;
  if (gDefaultDir.back() != '/') gDefaultDir += '/';

  // Registration order is part of the table: lookups by id take the first match.
  const FileTypeRow rows[] = {
      {ftDrivers, "orvella/drivers/", "/products/orvella/drivers/", {".prj", ".prjdrv"}},
      {ftDriverDocs, "orvella/drivers/", "/products/orvella/drivers/", {".pdf"}},
      {ftPanelFirmware, "orvella/firmware/", "/products/orvella/firmware/", {".fw", ".pdf"}},
      {ftSavedRooms, "orvella/userrooms/", nullptr, {".room"}},
      {ftAdapterFirmware, "ridarudozo/firmware/", "/products/ridarudozo/firmware/",
       {".fw", ".wrom", ".pdf"}},
      {ftLegends, "orvella/legends/", "/products/orvella/legends/", {".gif"}},
      {ftAppFiles, "appfiles/", "/products/appfiles/", {".chm", ".exe"}},
  };
  gFileTypes = std::make_shared<dirStructCls>();
  for (const FileTypeRow& row : rows) {
    std::string web = row.webPath ? "http://" + gUpdateServer + row.webPath : "";
    gFileTypes->addNew(row.id, gDefaultDir + row.localSub, web, row.extensions);
  }
  // A default library that could not be laid out is not kept: a later run looks afresh.
  if (defaulted && gFileTypes->foldersLaidOut())
    store.saveSetting(kSettingsApp, kSettingsSection, "DefaultDirectory", toStore);
}

void resetStartupGlobals() {
  gErrorMessages = {};
  gDefaultDir.clear();
  gUpdateServer.clear();
  gFileTypes = std::make_shared<dirStructCls>();
  resetUnreadableFolders();
  resetHelpFile();
}

}  // namespace VXCommon
