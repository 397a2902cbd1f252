// The driver file that reading a panel back takes from the library for the driver name the
// panel holds: the file of that name in the library's drivers folder, or the ".prjdrv" of the
// same name when the folder has one (a panel built from an older-format ".prj" names that
// file). A name that holds a folder separator or a NUL names no file there.
#pragma once

#include <optional>
#include <string>

namespace LibraryDriver {

// The library's drivers folder, ending in "/"; "" before the file types are set up.
std::string folder();

// The name, in the drivers folder, of the file read for `panelName`; none when the folder has
// no such file.
std::optional<std::string> fileNameFor(const std::string& panelName);

}  // namespace LibraryDriver
