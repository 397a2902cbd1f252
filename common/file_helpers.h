// File and wait helpers of the shared module VXCommon: splitting file names, testing whether a
// file or folder exists, and waiting.
//
// File names split at "/", "\" and ":" alike, so names written on either kind of system come
// apart the same way. The existence tests go through the platform's directory listing and
// answer its disk errors with message boxes: drive not ready asks to retry (OK) or give up
// (Cancel); a missing drive or path says so; anything else shows the error's number and text,
// followed by the folder it is about (": 'FOLDER/'"), and notes that folder as one that cannot
// be read (unreadable_folders.h), for the command that needs it to end there. Each of these
// answers False. A path holding a wildcard ("*" or "?") names no single file and is answered
// False without a listing.
#pragma once

#include <cstdint>
#include <string>

namespace VXCommon {

// The part after the last "/", "\" or ":"; the whole text when there is none.
std::string fileNameOf(const std::string& path);
// Without its last "." and what follows; unchanged when it holds no ".".
std::string stripExt(const std::string& name);
// stripExt(fileNameOf(path)).
std::string baseNameOf(const std::string& path);
// The characters after the last "." without the dot; the whole name when it holds no ".".
std::string extOf(const std::string& name);

// True when the path is not empty and names an existing normal file (not a folder, not hidden).
bool fileExists(const std::string& path);
// True when a folder (or a normal file) of that name exists; a final "/" is allowed.
bool dirExists(const std::string& path);

// Returns after ms milliseconds, measured on a monotonic clock, sleeping meanwhile; at once
// for 0 or less.
void waitMs(int16_t ms);

}  // namespace VXCommon
