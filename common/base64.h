// Base64 of byte strings: the standard alphabet ("A"-"Z", "a"-"z", "0"-"9", "+", "/") with
// "=" padding, the encoded text broken into lines of 76 characters with CR LF between lines
// (never after the last one).
//
// The decoder drops every CR LF pair and every "=" and reads any other character outside the
// alphabet as the value 0, keeping its place; a lone value left over at the end gives nothing.
#pragma once

#include <string>

namespace base64 {

std::string encodeBase64(const std::string& text);
std::string decodeBase64(const std::string& text);

}  // namespace base64
