// Code-table packer: one code entry packed as RS232 bytes with ESC escapes or as IR 2-bit
// symbols, with its flag bytes and its name-table entry.
#include <optional>
#include <string>

#include "common/hex_dump.h"
#include "common/hex_text.h"
#include "common/memory_image.h"
#include "common/time_codes.h"
#include "panel/image/code_table/code_table_v789.h"
#include "panel/model/time_ticks.h"

namespace {

constexpr char kEsc = 27;
constexpr size_t kMaxNameLength = 255;

// The two bits of an IR symbol; the escape's followers reuse the codes of the plain symbols.
int symbolBits(char symbol) {
  switch (symbol) {
    case '1': case 'D': return 3;
    case '0': case 'd': return 2;
    case 'S': case 'R': return 1;
    default: return 0;  // '.', 'r'
  }
}

void logUnknownLex(memBlockCls& mem, int16_t type) {
  mem.memDebug(memDbgError, "Unknown lexical type=" + std::to_string(type));
}

void logBadValue(memBlockCls& mem, int16_t type) {
  mem.memDebug(memDbgError, "Lexical value out of range for type=" + std::to_string(type));
}

// The lex's value as one byte; none when it is not a number from 0 to 255.
std::optional<int16_t> byteValue(const Variant& value) {
  if (!value.isNumber()) return std::nullopt;
  std::optional<int16_t> b = value.tryToInt16();
  if (b && *b >= 0 && *b <= 255) return b;
  return std::nullopt;
}

std::optional<Decimal> timeValue(const Variant& value) {
  if (!value.isNumber()) return std::nullopt;
  return value.toDecimal();
}

// A data byte of an RS232 code; 27 is doubled so that the panel does not take it for an escape.
void appendDataByte(std::string& code, char byte) {
  code += byte;
  if (byte == kEsc) code += kEsc;
}

}  // namespace

void CodeTableV789::addCodeTableEntry(memBlockCls& mem, const std::string& name,
                                      const TypeValueListPtr& lexes,
                                      const std::string& continuation, int16_t repeats,
                                      bool isRS232, bool isHidden, bool isSelection,
                                      bool includeCont, bool useSuffix, bool useRepeat,
                                      bool usePrefix) {
  static const TypeValueList kNoLexes;
  const TypeValueList& lexList = lexes ? *lexes : kNoLexes;

  auto item = std::make_shared<codeTableItem>();
  item->repeatsByte = int16_t((repeats & 63) + (includeCont ? 128 : 0) + (useRepeat ? 64 : 0));
  item->continuationByte = int16_t((usePrefix ? 128 : 0) + (useSuffix ? 64 : 0));
  item->configFlagsByte =
      int16_t((isHidden ? kCodeFlagHidden : 0) + (isSelection ? kCodeFlagSelection : 0));
  item->packedString = isRS232 ? packRs232Code(mem, name, lexList) : packIrCode(mem, name, lexList);
  item->addrOffset = codeOffset_;
  item->isRS232 = isRS232;
  item->codeName = name;
  item->continuationName = continuation;
  entriesByName_.AddPair(Variant(name), Variant(item));
  codeOffset_ += int32_t(item->packedString.size()) + 3;

  // The name table holds each name behind one length byte.
  std::string storedName = name;
  if (storedName.size() > kMaxNameLength) {
    mem.memDebug(memDbgError, "Code name longer than 255 characters '" + name + "'");
    storedName.resize(kMaxNameLength);
  }
  auto nameItem = std::make_shared<codeTableNameItem>();
  nameItem->addrOffset = nameTableLength_;
  nameItem->codeNameLStr = char(storedName.size()) + storedName;
  nameItems_.AddPair(Variant(name), Variant(nameItem));
  nameTableLength_ += int32_t(storedName.size()) + 1;
}

std::string CodeTableV789::packRs232Code(memBlockCls& mem, const std::string& name,
                                         const TypeValueList& lexes) {
  std::string code;
  for (const TypeValuePtr& lex : lexes) {
    if (lex) packRs232Lex(mem, *lex, code);
  }
  code += kEsc;
  code += 'E';
  mem.memDebug(memDbgInfo, "    RSCODE[" + name + "]=" + VXCommon::quoteCodeString(code));
  return code;
}

void CodeTableV789::packRs232Lex(memBlockCls& mem, const typeValueClass& lex, std::string& code) {
  switch (lex.theType) {
    case lexText:
      if (!lex.theValue.isString()) return logBadValue(mem, lex.theType);
      for (char c : lex.theValue.toText()) appendDataByte(code, c);
      return;
    case lexDecimal:
    case lexHex:
      if (auto b = byteValue(lex.theValue)) return appendDataByte(code, char(*b));
      return logBadValue(mem, lex.theType);
    case lexVarBin:
      code += {kEsc, 'V'};
      return;
    case lexVarHex:
      code += {kEsc, 'H'};
      return;
    case lexVarAsc0: code += {kEsc, 'W', char(0)}; return;
    case lexVarAsc1: code += {kEsc, 'W', char(1)}; return;
    case lexVarAsc2: code += {kEsc, 'W', char(2)}; return;
    case lexVarAsc3: code += {kEsc, 'W', char(3)}; return;
    case lexDelay: {
      std::optional<Decimal> time = timeValue(lex.theValue);
      if (!time) return logBadValue(mem, lex.theType);
      // The pause is one byte of 29 ms steps; a longer one cannot be packed.
      int16_t steps = 256;
      try {
        steps = VXCommon::toUnits(time->abs(), Decimal(TimeTicks::k29ms));
      } catch (const VbError&) {
      }
      if (steps > 255) {
        mem.memDebug(memDbgError, "RS232 delay too long=" + VXCommon::formatMicroseconds(*time));
        return;
      }
      code += {kEsc, 'L', char(steps)};
      return;
    }
    default:
      logUnknownLex(mem, lex.theType);
  }
}

std::string CodeTableV789::packIrCode(memBlockCls& mem, const std::string& name,
                                      const TypeValueList& lexes) {
  std::string code;
  std::string trace;
  irSymbolCount_ = 0;
  for (const TypeValuePtr& lex : lexes) {
    if (lex) code = packIrLex(mem, *lex, std::move(code), trace);
  }
  code = appendIrSymbol(std::move(code), trace, '.', -1);
  mem.memDebug(memDbgInfo, "    IRCODE[" + name + "]=" + trace + ">");
  return code;
}

std::string CodeTableV789::packIrLex(memBlockCls& mem, const typeValueClass& lex,
                                     std::string code, std::string& trace) {
  switch (lex.theType) {
    case lexBinary:
      if (!lex.theValue.isString()) {
        logBadValue(mem, lex.theType);
        break;
      }
      for (char c : lex.theValue.toText())
        code = appendIrSymbol(std::move(code), trace, c == '0' ? '0' : '1', -1);
      break;
    case lexDelay:
    case lexRaw: {
      std::optional<Decimal> time = timeValue(lex.theValue);
      if (!time) {
        logBadValue(mem, lex.theType);
        break;
      }
      const bool negative = time->isNegative();
      for (unsigned char delayByte : VXCommon::encodeDelay(mem, time->abs())) {
        code = appendIrSymbol(std::move(code), trace, 'S', -1);
        int16_t slot = lex.theType == lexDelay ? insertOrFindDelayTableEntry(mem, delayByte, -1) : -1;
        if (slot >= 0)
          code = appendIrSymbol(std::move(code), trace, negative ? 'd' : 'D', slot);
        else
          code = appendIrSymbol(std::move(code), trace, negative ? 'r' : 'R', delayByte);
      }
      break;
    }
    case lexQStop:
      break;
    default:
      logUnknownLex(mem, lex.theType);
  }
  return code;
}

std::string CodeTableV789::appendIrSymbol(std::string code, std::string& trace, char symbol,
                                          int16_t byteValue) {
  if (irSymbolCount_ == 0) {
    trace += code.empty() ? "<" : "><";
    code += '\0';
  }
  const int shift = 6 - 2 * irSymbolCount_;
  code.back() = char(static_cast<unsigned char>(code.back()) | (symbolBits(symbol) << shift));
  trace += symbol;
  // Only the position inside the current byte matters, so the count wraps at 4.
  irSymbolCount_ = int16_t((irSymbolCount_ + 1) % 4);
  if (byteValue >= 0) {
    code += char(byteValue);
    trace += "><$" + VXCommon::hex2Str(byteValue);
    irSymbolCount_ = 0;
  }
  return code;
}
