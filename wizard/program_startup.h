// The program's start-up, as the main window does it before anything looks at the local
// library: the update server's host from the settings store ("UpdateURL", with a default
// host when none is stored), then the shared module's initGlobals.
//
// A library folder given for this run (orvella-config --library DIR) is taken as the default
// directory without touching the stored one: the start-up reads DIR where the stored value
// would be, and stores nothing for it.
#pragma once

#include <string>

inline constexpr const char* kDefaultUpdateServer = "updates.orvella.example";

// libraryDir empty: the stored (or default) directory.
void programStartup(const std::string& libraryDir);
