// memRuleClass: one memory rule, the description of one field of a device's memory image:
// where a setting, a constant or a checksum lies and how it is encoded. The settings models
// keep ordered lists of rules per memory format and interpret them to build and read images.
// A rule whose start address is negative has no place in the image and is skipped.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "common/variant.h"

class memRuleClass : public VbObject {
 public:
  std::string memoryValRemark;      // label logged before the rule is carried out
  int32_t memoryPokeVal = 0;        // constant written by the constant encodings
  int16_t memoryValIndex = 0;       // keyword row (panel) or setting slot; 0 for none
  int16_t delayTableOffset = 0;     // panel: delay-table slot filled by a delay rule
  int32_t memoryStartAddress = 0;   // first byte of the field; negative: skipped
  int16_t memoryGrammar = 0;        // encoding code of the owning model
  int16_t memoryBitNum = 0;         // bit for the one-bit encodings
  std::string memoryGrammarFlagTest;  // word looked for by the option-word encodings
  bool memRetreiveMe = false;       // read back by the decoder
  int16_t memLowBound = 0;          // smallest value the rule writes
  int16_t memUpBound = 0;           // network models: text field size
  int16_t memOctetCount = 0;        // network models: octet-list length
  int16_t memCkSumBytes = 0;        // network models: bytes covered by a checksum rule
  Variant memDefaultVal;            // network models: value carried by the rule
};

using MemRulePtr = std::shared_ptr<memRuleClass>;
