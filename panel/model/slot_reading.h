// Safe reading of value slots and code entries for the panel settings accessors.
//
// Slots and entries are KeyValueClass lists as the statement parser lays them out. These
// helpers never raise: a missing list, a position outside it or a value of the wrong kind
// reads as "nothing" (null, empty Variant, "" or false), so that the accessors built on them
// answer for a driver that lacks a keyword or a code.
#pragma once

#include <string>

#include "common/key_value_list.h"
#include "common/variant.h"

namespace SlotReading {

// The value as text; "" for values without a text form (objects, lists, Nothing).
std::string textOf(const Variant& value);

// The code entry of a code table designated by a name (a string, matched exactly) or by a
// 1-based index (any number); null when the table is missing or the code is not in it.
KeyValuePtr codeEntry(const KeyValuePtr& table, const Variant& item);

// The value of the entry's first pair with exactly this key; empty when there is none.
Variant attributeValue(const KeyValuePtr& entry, const char* key);
// True when the entry has the key with a value that is not empty.
bool attributePresent(const KeyValuePtr& entry, const char* key);

}  // namespace SlotReading
