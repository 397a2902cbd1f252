// The rules a keyword row sets for argument n of its statements, read from the row's ranges
// and word lists, and whether a value that did not come from a statement (the panel's memory)
// keeps them. The statement parser checks what it reads by the same rules, so a value accepted
// here is one a room file can give again.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>

#include "common/variant.h"
#include "panel/model/keyword_def.h"

namespace KeywordArguments {

// Element `position` of a 1-based list of lists, when it is a list; null otherwise.
const Variant* listAt(const Variant& lists, int32_t position);

// The lowest and highest number argument n may take; none when the row sets no range for it.
std::optional<std::pair<int32_t, int32_t>> range(const keywordDef& row, int32_t n);

// The words argument n may be (a row with one list uses it for every argument); null when the
// row has no list for it.
const Variant* words(const keywordDef& row, int32_t n);

// A number within the row's range for argument n, a word of its list (ignoring case); values
// of the other types, and arguments the row sets no range or list for, are accepted.
bool accepts(const keywordDef& row, int32_t n, const Variant& value);

}  // namespace KeywordArguments
