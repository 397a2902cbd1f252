// Walking the text of a listing or a room file, both of which end every line with CR LF (the
// library's listing, which is for reading only, with LF).
#pragma once

#include <cstddef>
#include <string>

namespace cli {

inline const std::string kListingLineEnd = "\r\n";

// Calls `each(line, start)` for every line of the text (an unended last line included), `start`
// being the line's first byte in the text.
template <typename Fn>
void forEachLine(const std::string& text, Fn each, const std::string& lineEnd = kListingLineEnd) {
  for (size_t at = 0, end; at < text.size(); at = end + lineEnd.size()) {
    end = text.find(lineEnd, at);
    if (end == std::string::npos) end = text.size();
    each(text.substr(at, end - at), at);
  }
}

}  // namespace cli
