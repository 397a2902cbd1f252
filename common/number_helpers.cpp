#include "common/number_helpers.h"

#include <string>

#include "common/variant.h"

namespace VXCommon {

int16_t boolToBit(int16_t flag) { return flag != 0 ? 1 : 0; }

bool isNumInRange(std::string_view text, int32_t low, int32_t high) {
  // Not a number, or beyond the 32-bit range: not in any range.
  std::optional<int32_t> n = Variant(std::string(text)).tryToInt32();
  return n && low <= *n && *n <= high;
}

int16_t maxInt(int16_t a, int16_t b) { return a > b ? a : b; }
int16_t minInt(int16_t a, int16_t b) { return a < b ? a : b; }
double maxDbl(double a, double b) { return a > b ? a : b; }
double minDbl(double a, double b) { return a < b ? a : b; }

}  // namespace VXCommon
