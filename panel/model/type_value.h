// typeValueClass: the record of a type number and a value, and TypeValueList, an ordered
// 1-based list of such records.
//
// The driver-file lexer uses the record as a token (kinds 1-8, the value the token's text);
// a compiled code string is a TypeValueList of lexes whose theType is a CodeLexType:
//   lexText     string, the characters between the quotes
//   lexBinary   string of "0" and "1" digits (may be empty)
//   lexDecimal  int16_t 0..255          lexHex     int16_t 0..255
//   lexVarBin, lexVarAsc0..3, lexVarHex, lexQStop   string, the marker name as written
//   lexDelay, lexRaw   Decimal microseconds, negative for a lower-case direction letter
// A type 0 lex with an empty value is a marker the escape translation could not name; the
// code-table packer reports it. Lists hold records by shared_ptr; positions are 1-based.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "common/variant.h"

enum CodeLexType : int16_t {
  lexText = 1,
  lexBinary = 2,
  lexDecimal = 3,
  lexVarBin = 4,
  lexVarAsc1 = 5,
  lexVarAsc2 = 6,
  lexVarAsc3 = 7,
  lexQStop = 8,
  lexRaw = 9,
  lexHex = 10,
  lexDelay = 11,
  lexVarHex = 12,
  lexVarAsc0 = 13,
};

// Where a code string is used: an IR command, an RS232 command, or the pattern the panel
// matches in the projector's replies while it polls.
enum CodeMedium : int16_t {
  mediumIR = 1,
  mediumRS232 = 2,
  mediumPollMatch = 3,
};

class typeValueClass : public VbObject {
 public:
  typeValueClass() = default;
  typeValueClass(int16_t type, Variant value) : theType(type), theValue(std::move(value)) {}

  int16_t theType = 0;
  Variant theValue;
};

using TypeValuePtr = std::shared_ptr<typeValueClass>;

class TypeValueList : public VbObject {
 public:
  int32_t count() const { return int32_t(items_.size()); }
  bool empty() const { return items_.empty(); }

  // The record at 1-based position idx; VbError 9 outside 1..count.
  const TypeValuePtr& item(int32_t idx) const;
  void add(TypeValuePtr record) { items_.push_back(std::move(record)); }
  void add(int16_t type, Variant value);
  // Puts the record before position idx; idx = count + 1 appends. VbError 9 outside.
  void insert(int32_t idx, TypeValuePtr record);
  // Removes the record at idx; VbError 9 outside 1..count.
  void remove(int32_t idx);
  // Removes the first n records in one step (all of them when n >= count; none for n <= 0).
  void removeFirst(int32_t n);

  std::vector<TypeValuePtr>::const_iterator begin() const { return items_.begin(); }
  std::vector<TypeValuePtr>::const_iterator end() const { return items_.end(); }

 private:
  std::vector<TypeValuePtr> items_;
};

using TypeValueListPtr = std::shared_ptr<TypeValueList>;
