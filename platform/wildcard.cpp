#include "platform/wildcard.h"

#include "platform/ascii_case.h"

namespace platform {

bool hasWildcard(const std::string& pattern) {
  return pattern.find_first_of("*?") != std::string::npos;
}

bool matchesWildcard(const std::string& name, const std::string& pattern) {
  if (pattern == "*.*") return true;
  // Greedy walk remembering the last "*": on a mismatch that star swallows one more character.
  size_t n = 0, p = 0, starP = std::string::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || ascii::lower(pattern[p]) == ascii::lower(name[n]))) {
      ++p;
      ++n;
    } else if (starP != std::string::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace platform
