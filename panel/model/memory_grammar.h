// MemoryGrammar: the encodings of a panel memory rule (the value of memRuleClass::memoryGrammar
// in the panel's rule sets). Each names how one rule's value is laid into the 8192-byte panel
// image; the numbers are fixed, and some grammars belong to certain memory formats only.
#pragma once

#include <cstdint>

enum MemoryGrammar : int16_t {
  gramDelaySlot = 1,         // a slot of the code table's delay table; no image byte
  gramCodeTable = 2,         // the packed code-table region (format 9)
  gramRelaysV9 = 3,          // 7 relay bytes, relay 7 first
  gramAfvp = 4,              // 2 pre-amplifier bytes per audio input
  gramLString = 5,           // length-prefixed string (no panel rule uses it)
  gramBaud = 6,              // serial configuration bits and divisor byte
  gramByte = 7,
  gramBit = 8,
  gramFlagBit = 9,           // bit set when the flag word is among the values
  gramNotBit = 10,           // bit, inverted
  gramConstByte = 11,        // the rule's poke value
  gramLegendTable = 12,      // 4 pointers, then 4 length-prefixed strings
  gramTimeTick200ns = 13,
  gramTimeTick120s = 14,
  gramTimeTick470ms = 15,
  gramTimeTick1880ms = 16,
  gramDutyCycle = 17,
  gramDriverName = 18,       // length-prefixed driver name
  gramSelIndex = 19,         // 4 selection indexes, 1-based, 0 = unassigned
  gramHidIndex = 20,         // 7 hidden-function indexes, 1-based, 0 = unassigned
  gramMatchBytes = 21,       // length-prefixed reply pattern
  gramNotFlagBit = 22,       // bit set when the flag word is not among the values
  gramCodeTableV7 = 23,      // the packed code table (formats 7 and 8)
  gramRelaysV7 = 24,         // 1 byte of relay bits
  gramConstWord = 25,        // the rule's poke value, 16-bit big-endian
  gramAfvp4 = 26,            // 2 pre-amplifier bytes for each of exactly 4 inputs
  gramSelIndex0 = 27,        // 4 selection indexes, 0-based, 255 = unassigned
  gramHidIndex0 = 28,        // 7 hidden-function indexes, 0-based, 255 = unassigned
  gramTimeTick29ms = 29,
  gramSetBit = 30,           // bit, always set
  gramCoreIndex = 31,        // one core-function index per value
  gramRoomFileName = 32,     // length-prefixed room file name (no panel rule uses it)
  gramTimeStamp = 33,        // 32-byte text field
  gramShortDriverName = 34,  // 16-byte NUL-padded field
  gramShortLegends = 35,     // 4 NUL-padded fields of 16 bytes
  gramRelaysV8 = 36,         // 7 relay bytes, relay 1 first
};
