// ASCII letter case inside the POSIX layer (wildcards, message-box answers, settings names).
// The layer sits below the shared text helpers, so it keeps this one small copy of its own;
// only ASCII letters fold, every other byte compares exactly.
#pragma once

#include <string_view>

namespace platform::ascii {

inline char lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

inline bool sameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

}  // namespace platform::ascii
