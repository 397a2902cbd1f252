// Compiles arbitrary bytes as a code string in each medium, with a few CODE-SUBST names (one
// of them defined through itself and two through each other), and passes the RS232 result
// through the escape translation. Every call must return, and every lex must be of a known
// type.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "common/key_value_list.h"
#include "panel/language/code_string_compiler.h"

namespace {

std::shared_ptr<KeyValueClass> makeSubstitutions() {
  auto list = std::make_shared<KeyValueClass>();
  list->AddPair(Variant("HDR"), Variant("'A',$01"));
  list->AddPair(Variant("TAIL"), Variant("$0D,&VBIN"));
  list->AddPair(Variant("BOTH"), Variant("HDR,TAIL"));
  list->AddPair(Variant("SELF"), Variant("SELF"));
  list->AddPair(Variant("PING"), Variant("1,PONG"));
  list->AddPair(Variant("PONG"), Variant("PING,2"));
  list->AddPair(Variant("IRBITS"), Variant("%0101,D5m,&QSTOP"));
  return list;
}

bool knownLexType(int16_t type) { return type >= lexText && type <= lexVarAsc0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::shared_ptr<KeyValueClass> substitutions = makeSubstitutions();
  const std::string code(reinterpret_cast<const char*>(data), size);
  const CodeStrings::LogSink ignore = [](ParseLogKind, const std::string&) {};

  for (CodeMedium medium : {mediumIR, mediumRS232, mediumPollMatch}) {
    TypeValueListPtr lexes = CodeStrings::compileCodeString(code, medium, substitutions.get(), ignore);
    if (!lexes) std::abort();
    for (const TypeValuePtr& lex : *lexes)
      if (!lex || !knownLexType(lex->theType)) std::abort();
    if (medium == mediumRS232) CodeStrings::translateEscCodes(*lexes, ignore);
  }
  return 0;
}
