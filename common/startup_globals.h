// The shared module's start-up state: the load-error texts, the default directory (the root
// of the local file library), the update server and the table of file types.
//
// initGlobals rebuilds all of it from the per-user settings store (application
// "VezUradoDuruvo", section "Startup"): the default directory is the stored
// "DefaultDirectory", or, when none is stored, $XDG_DATA_HOME/VXC (see platform/xdg_dirs.h),
// which is then stored without a final "/" once its folders are laid out (one that could not
// be is not kept, the file-type table having said why). In memory gDefaultDir always ends in
// "/". The record of unreadable library folders starts afresh. The start-up sets
// gUpdateServer before calling it; the web folders are built from it.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "common/file_type_table.h"

namespace VXCommon {

inline constexpr const char* kSettingsApp = "VezUradoDuruvo";
inline constexpr const char* kSettingsSection = "Startup";

// Entry k is the text shown for load error k (1 to 10); entry 0 is unused.
extern std::array<std::string, 11> gErrorMessages;
extern std::string gDefaultDir;
extern std::string gUpdateServer;  // host name of the update server
// A new table at every initGlobals; an empty one before the first.
extern std::shared_ptr<dirStructCls> gFileTypes;

void initGlobals();
// $XDG_DATA_HOME/VXC, without a final "/".
std::string defaultLibraryDir();
// Back to the state before any start-up, the help file found included (tests).
void resetStartupGlobals();

}  // namespace VXCommon
