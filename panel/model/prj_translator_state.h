// PrjTranslatorState: what the reader of older-format (".prj") drivers remembers across the
// records of one file: the code names recorded per category (read back by the 0-based index
// that the keymap records give), the serial words and the carrier values, which only become
// statements once their companions have been read. Zero in a new settings object; the reader
// resets it at the start of every file.
#pragma once

#include <array>
#include <cstdint>
#include <string>

struct PrjTranslatorState {
  static constexpr int16_t kMaxNames = 300;

  std::array<std::string, kMaxNames> selectionNames;  // codes of category 0, in file order
  int16_t selectionCount = 0;
  std::array<std::string, kMaxNames> hiddenNames;     // codes of category 1
  int16_t hiddenCount = 0;
  std::array<std::string, kMaxNames> coreNames;       // codes of category 2
  int16_t coreCount = 0;

  std::string baud;      // remembered serial words
  std::string dataBits;
  std::string parity;
  std::string stopBits;

  int16_t carrierPr2 = 0;        // remembered carrier values
  int16_t carrierDutyCycle = 0;
};
