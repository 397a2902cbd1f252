// Listings and logs taken apart for the tests: the CR LF lines of a text, and those of them
// that start with a given mark (the error lines "[E]..." of a listing); a room text's line put in.
#pragma once

#include <string>
#include <vector>

namespace listing_lines {

// The lines ended by CR LF; an unended rest is left out.
inline std::vector<std::string> of(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
    lines.push_back(text.substr(at, end - at));
  return lines;
}

inline std::vector<std::string> starting(const std::string& text, const std::string& mark) {
  std::vector<std::string> kept;
  for (std::string& line : of(text))
    if (line.rfind(mark, 0) == 0) kept.push_back(std::move(line));
  return kept;
}

// The text with `line` in place of the line that starts as it does up to its '=', or with
// `line` added at the end when no line does.
inline std::string withLine(const std::string& text, const std::string& line) {
  const size_t at = text.find("\n" + line.substr(0, line.find('=') + 1));
  if (at == std::string::npos) return text + line + "\r\n";
  return text.substr(0, at + 1) + line + text.substr(text.find("\r\n", at));
}

}  // namespace listing_lines
