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

// Legend n of the table of `keyword` as the room file names it: "ROOM-LEGEND-FONT[4]".
std::string legendName(const std::string& keyword, int16_t n);

// The bytes the field of the table at `start` leaves for the texts after the pointers.
int32_t textRoom(const MemRuleSet& rules, int32_t start);

// The bytes the texts take: a length byte and the characters of each.
int32_t textBytes(const Texts& texts);

// The legend (1 to 4) that alone makes the texts need more than `room` bytes: the only one
// that takes more than an even share of them. 0 when they fit, or when no legend or several
// take more than their share.
int16_t tooLongLegend(const Texts& texts, int32_t room);

// What the user is told of texts that need more than `room` bytes, in the words of the room
// file: each legend of `keyword` that holds text, with its length in bytes, then what they need
// and what the field holds ("ROOM-LEGEND-FONT[1] (100 bytes) and ROOM-LEGEND-FONT[4] (64 bytes)
// need 168 bytes with the table's 4 length bytes; the field holds 152"), and the legend that
// alone makes them too long, with by how much ("; ROOM-LEGEND-NAME[1] is 26 bytes too long").
std::string tooLongForUser(const std::string& keyword, const Texts& texts, int32_t room);

}  // namespace LegendTable
