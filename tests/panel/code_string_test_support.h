// Helpers of the code-string tests: a log sink that records its lines, a compact text form of
// a lex list ("txt(PWR ON) hex(13) dly(-5000)"), and CODE-SUBST lists built from name/text
// pairs.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "common/key_value_list.h"
#include "panel/code_string_compiler.h"

namespace codestring_test {

// Records each logged line as "(W) text", "(E) text", "(P) text" or "(I) text".
struct RecordingLog {
  std::vector<std::string> lines;
  CodeStrings::LogSink sink() {
    return [this](ParseLogKind kind, const std::string& text) {
      const char* tag = kind == plWarning ? "(W) " : kind == plError ? "(E) "
                      : kind == plProblem ? "(P) " : kind == plInfo ? "(I) " : "(?) ";
      lines.push_back(tag + text);
    };
  }
};

inline std::string lexTag(int16_t type) {
  switch (type) {
    case lexText: return "txt";
    case lexBinary: return "bin";
    case lexDecimal: return "dec";
    case lexVarBin: return "vbin";
    case lexVarAsc0: return "vasc0";
    case lexVarAsc1: return "vasc1";
    case lexVarAsc2: return "vasc2";
    case lexVarAsc3: return "vasc3";
    case lexQStop: return "qstop";
    case lexRaw: return "raw";
    case lexHex: return "hex";
    case lexDelay: return "dly";
    case lexVarHex: return "vhex";
    default: return "type" + std::to_string(type);
  }
}

inline std::string describe(const TypeValueList& lexes) {
  std::string out;
  for (const TypeValuePtr& lex : lexes) {
    if (!out.empty()) out += ' ';
    out += lexTag(lex->theType) + "(" + lex->theValue.toText() + ")";
  }
  return out;
}

inline KeyValuePtr substitutions(const std::vector<std::pair<std::string, std::string>>& defs) {
  auto list = std::make_shared<KeyValueClass>();
  for (const auto& [name, text] : defs) list->AddPair(Variant(name), Variant(text));
  return list;
}

}  // namespace codestring_test
