#include "common/list_helpers.h"

#include <optional>

#include "common/ascii_text.h"

namespace VXCommon {

namespace {

bool elementMatches(const Variant& element, std::string_view text) {
  auto elementText = element.tryToText();
  return elementText && equalsIgnoringCase(*elementText, text);
}

int32_t firstPosition(const Variant& list) { return list.lbound() > 1 ? list.lbound() : 1; }

}  // namespace

int32_t findInArrayCI(const Variant& list, std::string_view text) {
  if (!list.isArray()) return 0;
  for (int32_t i = firstPosition(list); i <= list.ubound(); ++i)
    if (elementMatches(list.at(i), text)) return i;
  return 0;
}

int32_t findInArrayCI(const std::vector<std::string>& list, std::string_view text) {
  for (size_t i = 0; i < list.size(); ++i)
    if (equalsIgnoringCase(list[i], text)) return int32_t(i + 1);
  return 0;
}

Variant removeFromArrayCI(const Variant& list, std::string_view text) {
  std::vector<Variant> kept;
  if (list.isArray()) {
    for (int32_t i = firstPosition(list); i <= list.ubound(); ++i)
      if (!elementMatches(list.at(i), text)) kept.push_back(list.at(i));
  }
  return Variant::array(std::move(kept));
}

}  // namespace VXCommon
