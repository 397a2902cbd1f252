// Rs232Lab: the protocol trace window, reduced to its text. One instance, created on first
// use. Every protocol step appends one line ending in CR LF; the program prints the text when
// asked to.
#pragma once

#include <string>

class Rs232Lab {
 public:
  static Rs232Lab& instance();

  // A line about a protocol step (requests, outcomes, retries).
  void addDebugging(const std::string& line);
  // A line of traffic as it went over the line.
  void addString(const std::string& line);

  const std::string& text() const { return text_; }
  // Empties the trace (tests, or a new session).
  void clear() { text_.clear(); }

 private:
  Rs232Lab() = default;
  std::string text_;
};
