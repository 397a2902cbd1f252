// Rs232Lab: the protocol trace window, reduced to its text. One instance, created on first
// use. Every protocol step appends one line ending in CR LF; the program prints the text when
// asked to, or has each line passed on as it is added (a trace followed while it happens).
#pragma once

#include <functional>
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
  // Passes each line added from now on, with its CR LF, to `follower` (none: stop passing).
  void follow(std::function<void(const std::string&)> follower) { follower_ = std::move(follower); }

 private:
  Rs232Lab() = default;
  void append(const std::string& line);
  std::string text_;
  std::function<void(const std::string&)> follower_;
};
