// PrjTranslatorState: what the reader of older-format (".prj") drivers remembers across the
// records of one file: the code names recorded per category (read back by the 0-based index
// that the keymap records give), the serial words and the carrier values, which only become
// statements once their companions have been read. Zero in a new settings object; the reader
// resets it at the start of every file.
//
// A serial word is empty until its record is read; a record that was refused leaves its word
// marked refused (until a later record of its kind is taken), so that the STOP-BITS record
// makes no PROJ-BAUD-RATE of it: the driver then lacks that keyword, and the refused record's
// own error is the one said.
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

  struct SerialWord {
    std::string word;
    bool refused = false;  // the last record of its kind was refused
  };
  SerialWord baud;      // remembered serial words
  SerialWord dataBits;
  SerialWord parity;
  SerialWord stopBits;

  int16_t carrierPr2 = 0;        // remembered carrier values
  int16_t carrierDutyCycle = 0;
};
