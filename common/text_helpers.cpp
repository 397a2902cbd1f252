#include "common/text_helpers.h"

#include <ctime>

namespace VXCommon {

namespace {

bool isBlankOrTab(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string trimWhite(std::string& text) {
  size_t end = text.size();
  while (end > 0 && isBlankOrTab(text[end - 1])) --end;
  size_t begin = 0;
  while (begin < end && isBlankOrTab(text[begin])) ++begin;
  text = text.substr(begin, end - begin);
  return text;
}

std::string stripLineEnd(std::string_view text, bool oneOnly) {
  std::string_view rest = text;
  auto endsIn = [&](char c) { return !rest.empty() && rest.back() == c; };
  if (!oneOnly) {
    while (endsIn('\r') || endsIn('\n')) rest.remove_suffix(1);
  } else if (endsIn('\r')) {
    rest.remove_suffix(1);
    if (endsIn('\n')) rest.remove_suffix(1);
  } else if (endsIn('\n')) {
    rest.remove_suffix(1);
    if (endsIn('\r')) rest.remove_suffix(1);
  }
  return std::string(rest);
}

std::string pipeToCrLf(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '|') out += "\r\n";
    else out += c;
  }
  return out;
}

std::string crLfToPipe(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r') {
      out += text[i];
      continue;
    }
    out += '|';
    // The LF of a pair goes with its CR; any other character after a CR is kept.
    if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
  }
  return out;
}

std::string padNul(std::string_view text, int16_t width) {
  if (width < 1) return "";
  std::string out(text.substr(0, size_t(width - 1)));
  out.resize(size_t(width), '\0');
  return out;
}

std::string makeTimeStamp() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char buf[32];
  size_t n = std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &local);
  return padNul(std::string_view(buf, n), 32);
}

bool isValidEmail(std::string_view text) {
  if (text.find_first_of(":;<>[],(){}\" ") != std::string_view::npos) return false;
  size_t at = text.find('@');
  if (at == std::string_view::npos || at == 0) return false;
  size_t dot = text.find('.', at);
  if (dot == std::string_view::npos) return false;
  return dot + 1 < text.size() && dot > at + 1;
}

}  // namespace VXCommon
