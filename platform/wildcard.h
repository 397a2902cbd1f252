// Matching of file names against listing patterns: "*" stands for any run of characters, "?"
// for one character, every other character for itself ignoring ASCII letter case; the pattern
// "*.*" matches every name, with or without a dot.
#pragma once

#include <string>

namespace platform {

bool hasWildcard(const std::string& pattern);
bool matchesWildcard(const std::string& name, const std::string& pattern);

}  // namespace platform
