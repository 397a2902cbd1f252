// Code-table packer: creation and the 24-slot delay table shared by all IR codes.
#include <string>

#include "common/memory_image.h"
#include "panel/image/code_table/code_table_v789.h"

namespace {

const char* const kDelayEntry = "         DELAY TABLE entry ";

}  // namespace

CodeTableV789::CodeTableV789() = default;

int16_t CodeTableV789::insertOrFindDelayTableEntry(memBlockCls& mem, int16_t theDelay,
                                                   int16_t delayOffset) {
  // A slot outside the table or a value that is not one byte would corrupt the region.
  if (delayOffset >= kDelaySlots || theDelay < 0 || theDelay > 255) {
    mem.memDebug(memDbgError, kDelayEntry + std::to_string(delayOffset) +
                                  " out of range with val =" + std::to_string(theDelay));
    return -1;
  }
  if (delayOffset >= 0) {
    delayTable_[delayOffset] = theDelay;
    mem.memDebug(memDbgInfo, kDelayEntry + std::to_string(delayOffset) + " set with val =" +
                                 std::to_string(theDelay));
    return delayOffset;
  }
  const int16_t slotsInUse = nextFreeDelaySlot_ - 1;
  for (int16_t slot = 0; slot < slotsInUse; ++slot)
    if (delayTable_[slot] == theDelay) return slot;
  if (slotsInUse >= kDelaySlots) {
    mem.memDebug(memDbgWarning,
                 "         DELAY TABLE insert requested but delay table is full - using RAW");
    return -1;
  }
  delayTable_[slotsInUse] = theDelay;
  mem.memDebug(memDbgInfo, kDelayEntry + std::to_string(slotsInUse) + " inserted with val =" +
                               std::to_string(theDelay));
  ++nextFreeDelaySlot_;
  return slotsInUse;
}
