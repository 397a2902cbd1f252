// Safe reading and writing of keyword slot values for the room settings properties.
//
// A slot is a KeyValueClass (or null) laid out as the statement parser leaves it: a setting of
// one argument is the pair ("", value); a setting of several arguments is the pairs ("1", v1),
// ("2", v2) ...; an indexed setting (legend, relay, audio input) has one pair per index keyed
// by the index as decimal text, whose value is either the setting or a list of its values.
//
// Contract: nothing here throws. A read of a missing slot, pair or value, or of a value that
// does not convert, gives the empty text, 0, False or no value. A write creates what is
// missing in the parser's layout, so what the properties store reads back from a room file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/decimal.h"
#include "common/key_value_list.h"
#include "common/variant.h"
#include "panel/model/keyword_def.h"

namespace RoomSlotValues {

// What a panel numbers from 1: its relays, and its pre-amplifier inputs (format 9 writes all
// five, formats 7 and 8 the first four).
constexpr int16_t kRelays = 7;
constexpr int16_t kAudioInputs = 5;
constexpr int16_t kFixedAudioInputs = 4;

// Value k (1-based, positional) of a list; Empty when the list or the position is missing.
Variant valueAt(const KeyValuePtr& list, int16_t pos);

// Checked conversions that give the neutral result instead of raising.
bool asBool(const Variant& value);
int16_t asInt16(const Variant& value);
std::string asText(const Variant& value);
// No value for Empty and for anything that is not a number.
std::optional<Decimal> asDecimal(const Variant& value);

// Value `pos` of the list becomes `value`. A shorter list is first extended with pairs
// holding `filler`, keyed by their position as decimal text, or by "" when keyedByPosition
// is false (a setting of one argument, whose only pair is ("", value)).
void storeAt(KeyValueClass& list, int16_t pos, const Variant& value, const Variant& filler,
             bool keyedByPosition);

// Value 1 of the slot of keyword `row` becomes `value`; a missing slot is created first, and a
// missing pair is keyed as the row's argument count asks.
void storeSetting(KeyValuePtr& slot, const keywordDef& row, const Variant& value);

// The key of an index: its decimal text ("3").
std::string indexKey(int16_t idx);

// The number an index key stands for: n for indexKey(n) of a number from 1 to the most pairs a
// list holds; 0 for any other key ("03", "+3", "3.0", " 3", "OFF"), which no reader takes for
// a number (the room file keeps such a key as it was written).
int32_t numberOfKey(const Variant& key);

// The value of the pair numbered n (keyed indexKey(n)); Empty when the list has none.
Variant numberedValue(const KeyValuePtr& list, int16_t n);

// The pairs numbered 1, 2, ... of the list, in number order, up to the first number the list
// lacks and at most `most`: the relays and inputs a field is written from and read back
// into. A new list; empty when `list` is null.
KeyValuePtr numberedPairs(const KeyValuePtr& list, int16_t most);

// The value list of index `idx` in an indexed slot; null when the slot, the pair or the list
// is missing.
KeyValuePtr indexedList(const KeyValuePtr& slot, int16_t idx);
// The same, creating the slot, the pair or the list when missing. A pair whose value is not a
// list gets a new, empty list.
KeyValuePtr ensureIndexedList(KeyValuePtr& slot, int16_t idx);

}  // namespace RoomSlotValues
