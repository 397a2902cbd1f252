#include "panel/room/room_file_text.h"

#include <optional>

#include "common/text_helpers.h"
#include "common/time_codes.h"
#include "common/vb_error.h"

namespace RoomFileText {

namespace {

bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

const Decimal kHour(int64_t{3600000000});
const Decimal kMinute(60000000);

// Minutes and hours are written rounded to 4 decimals. A time within half a unit of the fourth
// decimal of the largest decimal would round to a count that, read back, no longer fits: such
// a count is taken one step lower.
std::string inUnits(const Decimal& magnitude, const Decimal& unit, const char* letter) {
  static const Decimal kStep = Decimal::fromParts(false, 1, 4);
  Decimal count = (magnitude / unit).roundHalfEven(4);
  for (;;) {
    try {
      (void)(count * unit);
      break;
    } catch (const VbError&) {
      count -= kStep;
    }
  }
  return count.toString() + letter;
}

}  // namespace

bool isPlainWord(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                 c == '-' || c == '_' || c == '+' || c == '.';
    if (!plain) return false;
  }
  return true;
}

std::string quoted(std::string_view text, char quote) {
  std::string out;
  out.reserve(text.size() + 2);
  out += quote;
  for (char c : text) out += isLineEnd(c) ? ' ' : c;
  out += quote;
  return out;
}

std::string legendLine(std::string_view text) {
  // CR LF and a lone CR are one line end each; a lone LF is the only one left after that.
  std::string line = VXCommon::crLfToPipe(text);
  for (char& c : line)
    if (c == '\n') c = '|';
  return line;
}

std::string subscript(std::string_view key, bool alwaysQuoted) {
  if (!alwaysQuoted && isPlainWord(key)) return std::string(key);
  return quoted(key, '\'');
}

std::string time(const Decimal& microseconds) {
  const Decimal magnitude = microseconds.abs();
  if (magnitude > kHour) return inUnits(magnitude, kHour, "H");
  if (magnitude > kMinute) return inUnits(magnitude, kMinute, "M");
  return VXCommon::formatMicroseconds(magnitude);
}

// The code-string scanner knows no hour unit: a longer delay is written in minutes.
std::string codeTime(const Decimal& microseconds) {
  const Decimal magnitude = microseconds.abs();
  if (magnitude > kMinute) return inUnits(magnitude, kMinute, "M");
  return VXCommon::formatMicroseconds(magnitude);
}

}  // namespace RoomFileText
