// Walking the text of a listing or a room file, both of which end every line with CR LF.
#pragma once

#include <cstddef>
#include <string>

namespace cli {

// Calls `each(line, start)` for every CR LF line of the text (an unended last line included),
// `start` being the line's first byte in the text.
template <typename Fn>
void forEachLine(const std::string& text, Fn each) {
  for (size_t at = 0, end; at < text.size(); at = end + 2) {
    end = text.find("\r\n", at);
    if (end == std::string::npos) end = text.size();
    each(text.substr(at, end - at), at);
  }
}

}  // namespace cli
