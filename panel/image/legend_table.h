// The legend tables of the panel image: four big-endian pointers, then the four legend texts
// they point at, each a length byte and its characters, packed one after the other.
//
// A table's field is a text field of its rule set (text_fields.h): after the last table it
// runs up to the projector configuration. The texts must fit in what the pointers leave of
// that field: the encoder refuses to build a table whose texts do not, and the decoder
// refuses panel texts that would not fit when the room is built again.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "panel/model/mem_rule_set.h"

namespace LegendTable {

constexpr int16_t kLegends = 4;
constexpr int32_t kPointerBytes = 2 * kLegends;

using Texts = std::array<std::string, kLegends>;

// The bytes the field of the table at `start` leaves for the texts after the pointers.
int32_t textRoom(const MemRuleSet& rules, int32_t start);

// The bytes the texts take: a length byte and the characters of each.
int32_t textBytes(const Texts& texts);

// The legend (1 to 4) that alone makes the texts need more than `room` bytes: the only one
// that takes more than an even share of them. 0 when they fit, or when no legend or several
// take more than their share.
int16_t tooLongLegend(const Texts& texts, int32_t room);

}  // namespace LegendTable
