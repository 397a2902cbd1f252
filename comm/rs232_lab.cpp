#include "comm/rs232_lab.h"

Rs232Lab& Rs232Lab::instance() {
  static Rs232Lab window;
  return window;
}

void Rs232Lab::addDebugging(const std::string& line) { append(line); }

void Rs232Lab::addString(const std::string& line) { append(line); }

void Rs232Lab::append(const std::string& line) {
  text_ += line;
  text_ += "\r\n";
  if (follower_) follower_(line + "\r\n");
}
