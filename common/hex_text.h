// Hexadecimal text of the shared module VXCommon, and the 8-bit checksum.
//
// Hex text is upper case: a byte as at least two digits, an address as at least four. The
// readers accept either letter case and never raise: a value that does not fit a 16-bit
// integer (above 7FFF) reads as no value (hexToVar and its "$"/"%" forms) or as 0 (hexToInt).
// The checksum of images and device messages is 255 - ((seed + sum of the bytes) mod 256).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace VXCommon {

// At least two digits; a negative n gives its four-digit two's complement ("FFFF" for -1).
std::string hex2Str(int16_t n);
// At least four digits, more when needed ("10000" for 65,536).
std::string hex4Str(int32_t n);
// "%" and two hex digits: one byte of a URL.
std::string urlEscapeByte(int16_t b);

// 1 to maxDigits hex digits and nothing else; no value otherwise or above 7FFF.
std::optional<int16_t> hexToVar(std::string_view text, int16_t maxDigits);
// "$" followed by one or two hex digits (the driver language's hex byte); else no value.
std::optional<int16_t> parseDollarHex(std::string_view text);
// "%" followed by one or two hex digits (a URL escape); else no value.
std::optional<int16_t> parsePercentHex(std::string_view text);
// The hex digits at the start of the text, up to the first other character; 0 when there are
// none or when they exceed 7FFF.
int16_t hexToInt(std::string_view text);

// seed plus each byte, reduced mod 256 after each addition; the seed itself for no bytes.
int16_t sum8(std::string_view text, int16_t seed);
// 255 - sum8(text, seed).
int16_t checkSum8(std::string_view text, int16_t seed);

}  // namespace VXCommon
