// CodeStrings: the compiler of the driver language's code strings and the escape translation
// of RS232 codes read from older-format drivers.
//
// A code string is a comma-separated list of items:
//   'text'   %0101   13   $0D   D100m / d5m   R560u / r1.2m   &VBIN &VHEX &VASC0-3 &QSTOP
// and names defined by CODE-SUBST, which expand in place (their text may hold further items
// and names). Which items a code may hold depends on its medium. The result is a list of lexes
// (panel/type_value.h). Every fault is reported through the log sink with the parse log's
// kinds (warnings, errors, information); the first error ends the scan and the list then
// holds the lexes made before it. Nothing is thrown.
//
// Expansion is bounded: a code string may make at most kMaxSubstitutions substitutions and its
// expanded text may grow to at most kMaxExpandedLength characters (the appended blank
// included); past either bound "Substitution too deep '<name>'" ends the scan, so a name
// defined through itself cannot hang the reader.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "common/key_value_list.h"
#include "panel/model/parse_log_kind.h"
#include "panel/model/type_value.h"

namespace CodeStrings {

using LogSink = std::function<void(ParseLogKind kind, const std::string& text)>;

constexpr int kMaxSubstitutions = 64;
constexpr size_t kMaxExpandedLength = 4096;

// Compiles codeText for the medium. codeSubst holds the CODE-SUBST definitions (name ->
// text, names compared exactly) and may be null. Always returns a list.
TypeValueListPtr compileCodeString(const std::string& codeText, CodeMedium medium,
                                   const KeyValueClass* codeSubst, const LogSink& log);

// Rewrites, in place, the escape sequences that older-format RS232 codes spell as bytes
// (ESC followed by a letter: V, H, W n, L n, D, or a second ESC) into marker and delay lexes.
void translateEscCodes(TypeValueList& lexes, const LogSink& log);

}  // namespace CodeStrings
