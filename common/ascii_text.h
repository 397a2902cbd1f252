// ASCII letter case for the whole product above the POSIX layer: names, keywords, flag words and
// file extensions compare and convert by ASCII letters only; every other byte (digits, marks,
// bytes above 127) is left as it is and compares exactly.
#pragma once

#include <string>
#include <string_view>

namespace VXCommon {

// 'a'..'z' become 'A'..'Z'; any other byte stays.
char upperAscii(char c);
// 'A'..'Z' become 'a'..'z'; any other byte stays.
char lowerAscii(char c);
// The text with each ASCII letter upper-cased.
std::string upperCased(std::string_view text);
// Same length and the same bytes once ASCII letters are folded.
bool equalsIgnoringCase(std::string_view a, std::string_view b);
// The text ends in the suffix, ASCII letters folded.
bool endsWithIgnoringCase(std::string_view text, std::string_view suffix);

}  // namespace VXCommon
