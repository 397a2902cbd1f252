// Where the per-user files live: the XDG base folders.
//
// $XDG_CONFIG_HOME and $XDG_DATA_HOME are used only when they hold an absolute path; otherwise
// (unset, empty or relative) the defaults $HOME/.config and $HOME/.local/share apply. Results
// carry no final "/". The environment is read at every call, so tests may point it elsewhere.
#pragma once

#include <string>

namespace platform {

std::string configHome();
std::string dataHome();

}  // namespace platform
