// Number helpers of the shared module VXCommon: Boolean to bit, the range check of numeric
// input, minimum and maximum. None of them raises: a text whose value does not fit a 32-bit
// integer is simply not in range.
#pragma once

#include <cstdint>
#include <string_view>

namespace VXCommon {

// 1 for any non-zero flag, 0 for False.
int16_t boolToBit(int16_t flag);
// True when the text is a plain number (blanks around, sign, digits, one point) whose value,
// rounded half to even to a 32-bit integer, lies in low..high inclusive.
bool isNumInRange(std::string_view text, int32_t low, int32_t high);

// a when a > b (a < b for the minimum), otherwise b.
int16_t maxInt(int16_t a, int16_t b);
int16_t minInt(int16_t a, int16_t b);
double maxDbl(double a, double b);
double minDbl(double a, double b);

}  // namespace VXCommon
