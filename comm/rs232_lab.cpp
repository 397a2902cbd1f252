#include "comm/rs232_lab.h"

Rs232Lab& Rs232Lab::instance() {
  static Rs232Lab window;
  return window;
}

void Rs232Lab::addDebugging(const std::string& line) {
  text_ += line;
  text_ += "\r\n";
}

void Rs232Lab::addString(const std::string& line) {
  text_ += line;
  text_ += "\r\n";
}
