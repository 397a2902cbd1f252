// CodeTableV789: the packer of the panel's code-table region (memory formats 7, 8 and 9).
//
// One packer serves one image build: the four IR bit times go into delay slots 0-3, every code
// of the driver is packed with addCodeTableEntry, the positions the panel addresses are named
// in index order with createOrderedTableList, and getCodeTablePackedString gives the region.
//
// Region written from start address S (16-bit big-endian image addresses; N index positions,
// M named codes, L bytes of name strings):
//   S                    address of the delay table (S + 2 + 2N)
//   S + 2 + 2(k - 1)     address of the k-th indexed code, + 0x8000 for RS232; 0 = no code
//   S + 2 + 2N           24 delay bytes, slot 0 first
//   S + 26 + 2N          M
//   S + 27 + 2N + 2(j-1) address of the j-th name's length byte
//   S + 27 + 2N + 2M     the names, each a length byte and its characters
//   C = S + 27 + 2N + 2M + L   the codes, each repeatsByte, continuationByte,
//                        configFlagsByte and the packed code
// Names and codes are in definition order. Codes never named for a position are indexed after
// the named positions, so every code can be reached.
//
// RS232 codes are bytes with ESC (27) escapes, always closed by ESC "E": ESC ESC a data byte
// 27, ESC "V" / ESC "H" the binary / hex variable, ESC "W" n the ASCII variable of width n,
// ESC "L" n a pause of n steps of 29 ms. IR codes are 2-bit symbols, four to a byte from the
// high bits: 10 bit 0, 11 bit 1, 00 end, 01 escape followed by 11 delay slot, 10 negative
// delay slot, 01 raw delay, 00 negative raw delay, each of these followed by a whole byte
// (the slot number or the delay byte); the symbol after a whole byte starts a fresh byte.
//
// Every step writes trace lines into the image's debug log; faults are error lines there
// (which make the image build fail), never exceptions. A full delay table is only a warning:
// the delay is then packed raw.
#pragma once

#include <cstdint>
#include <string>

#include "common/key_value_list.h"
#include "panel/image/code_table/code_table_items.h"
#include "panel/model/type_value.h"

class memBlockCls;

class CodeTableV789 {
 public:
  static constexpr int16_t kDelaySlots = 24;
  // Slots 0-3 hold the IR bit times; slots from here on are given out on demand.
  static constexpr int16_t kFirstFreeSlot = 5;  // 1-based

  CodeTableV789();
  CodeTableV789(const CodeTableV789&) = delete;
  CodeTableV789& operator=(const CodeTableV789&) = delete;

  // delayOffset 0 or more sets that slot to theDelay and returns it. A negative delayOffset
  // finds the first slot in use that holds exactly theDelay, or gives it the next free slot;
  // -1 when the table is full (a warning), or when the slot or the byte is out of range (an
  // error).
  int16_t insertOrFindDelayTableEntry(memBlockCls& mem, int16_t theDelay, int16_t delayOffset);

  // Packs one code entry; lexes may be null (no lexes). Lexes the medium cannot pack are
  // logged as errors and left out; the rest of the entry is still packed.
  void addCodeTableEntry(memBlockCls& mem, const std::string& name, const TypeValueListPtr& lexes,
                         const std::string& continuation, int16_t repeats, bool isRS232,
                         bool isHidden, bool isSelection, bool includeCont, bool useSuffix,
                         bool useRepeat, bool usePrefix);

  // True once the codes packed so far name more codes than the region holds or already pass
  // address 0x8000 from startAddr: packing more would change nothing but the listing's length.
  bool cannotFit(int32_t startAddr) const;

  // Appends the named code to the index; a name no code has (or "") gives the word 0x0000.
  void createOrderedTableList(const std::string& name);

  // The packed region for the start address; writes nothing but log lines into mem. Empty,
  // after its error lines, when the region does not fit below 0x8000 or names too many codes.
  std::string getCodeTablePackedString(memBlockCls& mem, int32_t startAddr);

 private:
  void appendUnorderedEntries();
  std::string appendIrSymbol(std::string code, std::string& trace, char symbol, int16_t byteValue);

  std::string packRs232Code(memBlockCls& mem, const std::string& name, const TypeValueList& lexes);
  std::string packIrCode(memBlockCls& mem, const std::string& name, const TypeValueList& lexes);
  void packRs232Lex(memBlockCls& mem, const typeValueClass& lex, std::string& code);
  std::string packIrLex(memBlockCls& mem, const typeValueClass& lex, std::string code,
                        std::string& trace);

  void resolveContinuations(memBlockCls& mem);
  int16_t firstIndexPosition(const codeTableItem& item) const;

  int16_t delayTable_[kDelaySlots] = {};
  int16_t nextFreeDelaySlot_ = kFirstFreeSlot;
  KeyValueClass entriesByName_;  // code name -> codeTableItem, definition order
  KeyValueClass orderedList_;    // code name -> codeTableItem or placeholder, index order
  KeyValueClass nameItems_;      // code name -> codeTableNameItem, definition order
  // Kept in 32 bits so that an oversized table is reported rather than wrapping.
  int32_t codeOffset_ = 0;
  int32_t nameTableLength_ = 0;
  // 2-bit symbols already in the last byte of the IR code being packed.
  int16_t irSymbolCount_ = 0;
};
