// The records of the code-table packer: codeTableItem, one packed IR or RS232 code with its
// three flag bytes and its place in the packed region, and codeTableNameItem, one entry of
// the region's name table.
//
// The flag bytes that lead each packed code in the panel image:
//   repeatsByte       bit 7 includeCont, bit 6 useRepeat, bits 5-0 the repeat count
//   continuationByte  bit 7 usePrefix, bit 6 useSuffix, bits 5-0 the 1-based index position
//                     of the code that continues this one (0 = none)
//   configFlagsByte   bit 0 isHidden, bit 1 isSelection
// Records are shared (the index may name one code at several positions), so they are held
// by shared_ptr inside the packer's key/value lists.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "common/variant.h"

class codeTableItem : public VbObject {
 public:
  bool isRS232 = false;
  // Image address of the entry's first byte; 0 for an index placeholder.
  int32_t absoluteAddr = 0;
  // Offset of the entry from the start of the entry area.
  int32_t addrOffset = 0;
  std::string codeName;
  // The packed code, one character per byte, without the three flag bytes.
  std::string packedString;
  // Name of the code that continues this one; "" for none.
  std::string continuationName;
  int16_t continuationByte = 0;
  int16_t repeatsByte = 0;
  int16_t configFlagsByte = 0;
  // Already placed in the index.
  bool isOrdered = false;
};

class codeTableNameItem : public VbObject {
 public:
  // Offset of the name from the start of the name strings.
  int32_t addrOffset = 0;
  // One character whose code is the name's length, then the name.
  std::string codeNameLStr;
};

// Bits of configFlagsByte.
constexpr int16_t kCodeFlagHidden = 1;
constexpr int16_t kCodeFlagSelection = 2;

using CodeTableItemPtr = std::shared_ptr<codeTableItem>;
using CodeTableNameItemPtr = std::shared_ptr<codeTableNameItem>;
