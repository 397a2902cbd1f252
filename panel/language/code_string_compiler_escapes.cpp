// Escape translation of older-format RS232 codes. Those drivers spelled the panel's in-line
// escapes as plain bytes: ESC V, ESC H, ESC W n, ESC L n, ESC D and ESC ESC. The lexes are read
// as the byte stream they spell (a byte lex is one byte, a text lex one byte per character),
// so a letter or a count that shares a text lex with the characters after it is taken off
// that text and the rest of the text stays. A width of W other than 0 to 3, which the panel has
// no code for, is an error.
#include <optional>
#include <string>

#include "common/ascii_text.h"
#include "panel/language/code_string_compiler.h"
#include "panel/model/time_ticks.h"

namespace CodeStrings {
namespace {

constexpr int kEsc = 27;

// The byte the lex starts with: the value of a byte lex, or the first character of a text.
// Other lexes (delays, markers, bit strings) spell no byte.
std::optional<int> leadingByte(const typeValueClass& lex) {
  if (lex.theType == lexHex || lex.theType == lexDecimal) {
    if (!lex.theValue.isNumber()) return std::nullopt;
    std::optional<int32_t> value = lex.theValue.tryToInt32();
    if (value && *value >= 0 && *value <= 255) return *value;
    return std::nullopt;
  }
  if (lex.theType == lexText && lex.theValue.isString()) {
    const std::string text = lex.theValue.toText();
    if (!text.empty()) return static_cast<unsigned char>(text[0]);
  }
  return std::nullopt;
}

std::optional<int> leadingByteAt(const TypeValueList& lexes, int32_t idx) {
  if (idx > lexes.count()) return std::nullopt;
  return leadingByte(*lexes.item(idx));
}

// Takes the leading byte off the lex at idx: a byte lex goes, a text loses its first
// character and goes when that was its last one.
void consumeLeadingByte(TypeValueList& lexes, int32_t idx) {
  typeValueClass& lex = *lexes.item(idx);
  if (lex.theType == lexText) {
    std::string text = lex.theValue.toText();
    if (text.size() > 1) {
      lex.theValue = Variant(text.substr(1));
      return;
    }
  }
  lexes.remove(idx);
}

TypeValuePtr makeLex(int16_t type, Variant value) {
  return std::make_shared<typeValueClass>(type, std::move(value));
}

// ESC W n: the ASCII field marker of width n; the panel has none for another width.
TypeValuePtr widthMarker(int width) {
  switch (width) {
    case 0: return makeLex(lexVarAsc0, Variant("&VASC0"));
    case 1: return makeLex(lexVarAsc1, Variant("&VASC1"));
    case 2: return makeLex(lexVarAsc2, Variant("&VASC2"));
    case 3: return makeLex(lexVarAsc3, Variant("&VASC3"));
    default: return nullptr;
  }
}

bool isEscape(const typeValueClass& lex) {
  return (lex.theType == lexHex || lex.theType == lexDecimal) && leadingByte(lex) == kEsc;
}

void log(const LogSink& sink, ParseLogKind kind, const std::string& text) {
  if (sink) sink(kind, text);
}

}  // namespace

void translateEscCodes(TypeValueList& lexes, const LogSink& sink) {
  // The count is read again on every pass: the list shrinks and grows as escapes are replaced.
  for (int32_t i = 1; i < lexes.count(); ++i) {
    if (!isEscape(*lexes.item(i))) continue;
    std::optional<int> letter = leadingByteAt(lexes, i + 1);
    if (!letter) continue;  // a delay or a marker after ESC names no escape

    switch (VXCommon::upperAscii(char(*letter))) {
      case kEsc:
        // ESC ESC is one plain ESC byte; the one left is stepped over.
        lexes.remove(i);
        break;
      case 'V':
      case 'H': {
        const bool hex = VXCommon::upperAscii(char(*letter)) == 'H';
        lexes.remove(i);
        consumeLeadingByte(lexes, i);
        lexes.insert(i, hex ? makeLex(lexVarHex, Variant("&VHEX")) : makeLex(lexVarBin, Variant("&VBIN")));
        break;
      }
      case 'W': {
        lexes.remove(i);
        consumeLeadingByte(lexes, i);
        std::optional<int> width = leadingByteAt(lexes, i);
        if (!width) {
          log(sink, plError, "There is no value following a W.");
          break;
        }
        consumeLeadingByte(lexes, i);
        if (TypeValuePtr marker = widthMarker(*width)) {
          lexes.insert(i, marker);
        } else {
          // No lex is left in its place: the error fails the driver's check.
          log(sink, plError, "The value following a W is " + std::to_string(*width) + ", and a W takes 0 to 3.");
        }
        break;
      }
      case 'L':
      case 'D': {
        const bool counted = VXCommon::upperAscii(char(*letter)) == 'L';
        lexes.remove(i);
        consumeLeadingByte(lexes, i);
        int steps = 1;
        if (counted) {
          std::optional<int> count = leadingByteAt(lexes, i);
          if (!count) {
            log(sink, plError, "There is no value following a L.");
            break;
          }
          consumeLeadingByte(lexes, i);
          steps = *count;
        }
        lexes.insert(i, makeLex(lexDelay, Variant(Decimal(steps) * Decimal(TimeTicks::k29ms))));
        break;
      }
      default:
        break;
    }
  }
}

}  // namespace CodeStrings
