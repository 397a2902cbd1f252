#include "panel/model/keyword_arguments.h"

#include "common/list_helpers.h"
#include "panel/model/room_slot_values.h"

namespace KeywordArguments {

const Variant* listAt(const Variant& lists, int32_t position) {
  if (!lists.isArray() || position < lists.lbound() || position > lists.ubound()) return nullptr;
  const Variant& list = lists.at(position);
  return list.isArray() ? &list : nullptr;
}

std::optional<std::pair<int32_t, int32_t>> range(const keywordDef& row, int32_t n) {
  const Variant* minima = listAt(row.ranges, 1);
  const Variant* maxima = listAt(row.ranges, 2);
  if (!minima || !maxima || n > minima->ubound() || n > maxima->ubound()) return std::nullopt;
  return std::make_pair(minima->at(n).toInt32(), maxima->at(n).toInt32());
}

const Variant* words(const keywordDef& row, int32_t n) {
  const Variant& lists = row.wordLists;
  const bool several = lists.isArray() && lists.ubound() > lists.lbound();
  return listAt(lists, several ? n : (lists.isArray() ? lists.lbound() : 1));
}

bool accepts(const keywordDef& row, int32_t n, const Variant& value) {
  switch (row.valueType) {
    case valNumber: {
      std::optional<Decimal> number = RoomSlotValues::asDecimal(value);
      // A room file writes the stored text back; only a whole number reads again as one.
      if (!number || number->truncate() != *number) return false;
      auto bounds = range(row, n);
      return !bounds || (*number >= Decimal(bounds->first) && *number <= Decimal(bounds->second));
    }
    case valWord: {
      const Variant* list = words(row, n);
      return !list || VXCommon::findInArrayCI(*list, RoomSlotValues::asText(value)) != 0;
    }
    default:
      return true;
  }
}

}  // namespace KeywordArguments
