// Help and shell of the shared module VXCommon: opening the help file at a topic, and opening
// a document or web address with the desktop's associated application (platform/shell_opener.h).
//
// The help file is the one the file library finds for this utility's version; once found its
// path is kept for the rest of the run, while a search that found nothing is made again at
// the next call. Neither function reports failure; only a missing help file shows a message.
#pragma once

#include <cstdint>
#include <string>

namespace VXCommon {

// contextId 0 opens the help file at its default topic.
void showHelp(int32_t contextId);
void shellOpen(const std::string& path);
// Forgets the help file found (tests; resetStartupGlobals calls it).
void resetHelpFile();

}  // namespace VXCommon
