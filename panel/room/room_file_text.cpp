#include "panel/room/room_file_text.h"

#include <optional>

#include "common/text_helpers.h"
#include "common/time_codes.h"
#include "common/vb_error.h"

namespace RoomFileText {

namespace {

bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

const Decimal kMinute(60000000);
const Decimal kSecond(1000000);

// True when `text` reads back as exactly `magnitude`.
bool readsBackAs(const std::string& text, const Decimal& magnitude) {
  const std::optional<Decimal> read = VXCommon::parseTimeValue(text, false);
  return read && *read == magnitude;
}

// The minutes of a time, when four decimals of a minute hold it exactly.
std::optional<std::string> exactMinutes(const Decimal& magnitude) {
  try {
    const Decimal minutes = (magnitude / kMinute).roundHalfEven(4);
    if (minutes * kMinute == magnitude) return minutes.toString() + "M";
  } catch (const VbError&) {
    // Rounded up, the largest times no longer fit: not in minutes.
  }
  return std::nullopt;
}

// The text of a time that reads back as that very time; `hours` allows the usual hour text.
std::string exactTime(const Decimal& magnitude, bool hours) {
  const std::string usual = VXCommon::formatMicroseconds(magnitude);
  if ((hours || usual.back() != 'H') && readsBackAs(usual, magnitude)) return usual;
  if (std::optional<std::string> minutes = exactMinutes(magnitude)) return *minutes;
  // Above a second a time has at most 22 decimals of a microsecond: in seconds it is exact.
  return (magnitude / kSecond).toString() + "s";
}

}  // namespace

void Quoting::check(std::string_view text, std::string_view quotes) {
  if (first_) return;
  for (char c : text) {
    if (isLineEnd(c)) {
      first_ = UnwritableText{"", std::string(text), "it holds a line end, which would end its statement"};
    } else if (quotes.find(c) != std::string_view::npos) {
      first_ = UnwritableText{"", std::string(text),
                          std::string("it holds a ") + (c == '"' ? "double" : "single") + " quote, which would end it"};
    } else {
      continue;
    }
    return;
  }
}

std::string Quoting::quoted(std::string_view text, char quote) {
  check(text, std::string_view(&quote, 1));
  std::string out;
  out.reserve(text.size() + 2);
  out += quote;
  for (char c : text) out += isLineEnd(c) ? ' ' : c;
  out += quote;
  return out;
}

std::string Quoting::codeText(std::string_view text) {
  check(text, "'\"");
  return quoted(text, '\'');
}

std::string Quoting::subscript(std::string_view key, bool alwaysQuoted) {
  if (!alwaysQuoted && isPlainWord(key)) return std::string(key);
  return quoted(key, '\'');
}

void Quoting::nameSetting(const std::string& setting) {
  if (first_ && first_->setting.empty()) first_->setting = setting;
}

bool isPlainWord(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                 c == '-' || c == '_' || c == '+' || c == '.';
    if (!plain) return false;
  }
  return true;
}

std::string legendLine(std::string_view text) {
  // CR LF and a lone CR are one line end each; a lone LF is the only one left after that.
  std::string line = VXCommon::crLfToPipe(text);
  for (char& c : line)
    if (c == '\n') c = '|';
  return line;
}

std::string subscript(std::string_view key, bool alwaysQuoted) { return Quoting().subscript(key, alwaysQuoted); }

std::string time(const Decimal& microseconds) { return exactTime(microseconds.abs(), true); }

std::string codeTime(const Decimal& microseconds) { return exactTime(microseconds.abs(), false); }

}  // namespace RoomFileText
