// Helpers of the code-string tests: a log sink recording "(W) text", "(E) text", "(I) text"
// lines, a compact text form of a lex list ("txt(PWR ON) hex(13) dly(-5000)"), and CODE-SUBST
// lists built from name/text pairs.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "common/key_value_list.h"
#include "panel/language/code_string_compiler.h"

namespace codestring_test {

struct RecordingLog {
  std::vector<std::string> lines;
  CodeStrings::LogSink sink() {
    return [this](ParseLogKind kind, const std::string& text) {
      static const char* const tags[] = {"(?) ", "(W) ", "(E) ", "(P) ", "(I) "};
      lines.push_back(tags[kind >= 1 && kind <= 4 ? kind : 0] + text);
    };
  }
};

inline std::string describe(const TypeValueList& lexes) {
  static const char* const tags[] = {"type0", "txt", "bin",   "dec", "vbin", "vasc1", "vasc2",
                                     "vasc3", "qstop", "raw", "hex", "dly",  "vhex",  "vasc0"};
  std::string out;
  for (const TypeValuePtr& lex : lexes)
    out += std::string(out.empty() ? "" : " ") + tags[lex->theType] + "(" + lex->theValue.toText() + ")";
  return out;
}

inline KeyValuePtr substitutions(const std::vector<std::pair<std::string, std::string>>& defs) {
  auto list = std::make_shared<KeyValueClass>();
  for (const auto& [name, text] : defs) list->AddPair(Variant(name), Variant(text));
  return list;
}

}  // namespace codestring_test
