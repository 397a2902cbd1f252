#include "panel/model/keyword_arguments.h"

#include <optional>

#include "common/list_helpers.h"
#include "panel/model/room_slot_values.h"

namespace KeywordArguments {

namespace {

// Element `position` of a 1-based list of lists, when it is a list.
const Variant* listAt(const Variant& lists, int32_t position) {
  if (!lists.isArray() || position < lists.lbound() || position > lists.ubound()) return nullptr;
  const Variant& list = lists.at(position);
  return list.isArray() ? &list : nullptr;
}

bool numberAccepted(const keywordDef& row, int32_t n, const Variant& value) {
  std::optional<Decimal> number = RoomSlotValues::asDecimal(value);
  // A room file writes the stored text back; only a whole number reads again as one.
  if (!number || number->truncate() != *number) return false;
  const Variant* minima = listAt(row.ranges, 1);
  const Variant* maxima = listAt(row.ranges, 2);
  if (!minima || !maxima || n > minima->ubound() || n > maxima->ubound()) return true;
  return *number >= Decimal(minima->at(n).toInt32()) && *number <= Decimal(maxima->at(n).toInt32());
}

bool wordAccepted(const keywordDef& row, int32_t n, const Variant& value) {
  const Variant& lists = row.wordLists;
  // A row with one list uses it for every argument.
  const bool several = lists.isArray() && lists.ubound() > lists.lbound();
  const Variant* words = listAt(lists, several ? n : (lists.isArray() ? lists.lbound() : 1));
  return !words || VXCommon::findInArrayCI(*words, RoomSlotValues::asText(value)) != 0;
}

}  // namespace

bool accepts(const keywordDef& row, int32_t n, const Variant& value) {
  switch (row.valueType) {
    case valNumber: return numberAccepted(row, n, value);
    case valWord: return wordAccepted(row, n, value);
    default: return true;
  }
}

}  // namespace KeywordArguments
