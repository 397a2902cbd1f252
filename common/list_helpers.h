// Case-insensitive search and removal in 1-based text lists (VXCommon).
//
// A list is a Variant array whose elements 1 to its upper bound are looked at (an element 0,
// where present, is never looked at), or a std::vector whose element k-1 is position k.
// Elements compare as text, ignoring ASCII letter case; an element that has no text form (an
// object) never matches.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/variant.h"

namespace VXCommon {

// The first position (from 1) whose element equals the text ignoring case; 0 when none or
// when the value is not a list.
int32_t findInArrayCI(const Variant& list, std::string_view text);
int32_t findInArrayCI(const std::vector<std::string>& list, std::string_view text);

// A new 1-based list holding, in order, every element that differs from the text ignoring
// case. A list with no such element gives an empty list (upper bound 0).
Variant removeFromArrayCI(const Variant& list, std::string_view text);

}  // namespace VXCommon
