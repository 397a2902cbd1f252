// Whether a value that did not come from a statement (the panel's memory) is one that the
// statement parser would accept as argument n of a keyword: a number within the row's range
// for that argument, a word of the row's word list for that argument (ignoring case). Values
// of the other types, and arguments the row sets no range or list for, are accepted.
#pragma once

#include <cstdint>

#include "common/variant.h"
#include "panel/model/keyword_def.h"

namespace KeywordArguments {

bool accepts(const keywordDef& row, int32_t n, const Variant& value);

}  // namespace KeywordArguments
