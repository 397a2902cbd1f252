// Escape translation of older-format RS232 codes, and the code-string members of the panel
// settings object (CODE-SUBST from slot 10, messages in the parse listing and its counters).
#include <gtest/gtest.h>

#include <string>

#include "panel/language/code_string_compiler.h"
#include "panel/panel_settings.h"
#include "tests/panel/language/code_string_test_support.h"
#include "wizard/parse_file_listing.h"

using namespace codestring_test;

class CodeStringSettingsTestAccess {
 public:
  static TypeValueListPtr compileCodeString(PanelSettingsV2& settings, const std::string& code,
                                            CodeMedium medium) {
    return settings.compileCodeString(code, medium);
  }
  static void translateEscCodes(PanelSettingsV2& settings, TypeValueList& lexes) {
    settings.translateEscCodes(lexes);
  }
  static KeyValuePtr& slot(PanelSettingsV2& settings, int16_t row) { return settings.kv(row); }
};
using Access = CodeStringSettingsTestAccess;

namespace {

TEST(CodeStringEscapes, EscapeSequencesBecomeLexes) {
  // An RS232 code, compiled and then translated; describe() of the result; the line logged.
  struct { std::string code, lexes, log; } cases[] = {
      {"$1B,'W',$00", "vasc0(&VASC0)", ""},
      {"$1B,'w',1,'A'", "vasc1(&VASC1) txt(A)", ""},
      {"$1B,'L',255", "dly(7395000)", ""},
      {"27,'d',$0D", "dly(29000) hex(13)", ""},
      {"$1B,27", "dec(27)", ""},
      {"$1B,$1B,$1B,'V'", "hex(27) vbin(&VBIN)", ""},
      {"$1B,'Vxyz'", "vbin(&VBIN) txt(xyz)", ""},
      {"'A',$1B,'H',1", "txt(A) vhex(&VHEX) dec(1)", ""},
      {"$1B,86", "vbin(&VBIN)", ""},
      // Escapes that share a text with the characters after them keep those characters.
      {"$1B,'DPWR'", "dly(29000) txt(PWR)", ""},
      {"$1B,'L(',1", "dly(1160000) dec(1)", ""},
      // Nothing to translate.
      {"'A',$1B", "txt(A) hex(27)", ""},
      {"$1B,'X',1", "hex(27) txt(X) dec(1)", ""},
      {"$1B,''", "hex(27) txt()", ""},
      {"$1B,D5m", "hex(27) dly(5000)", ""},
      // A missing count or width is an error and puts no lex in.
      {"$1B,'L'", "", "(E) There is no value following a L."},
      {"$1B,'L',D5m", "dly(5000)", "(E) There is no value following a L."},
      {"$1B,'W'", "", "(E) There is no value following a W."},
      {"1,$1B,'W',&VHEX", "dec(1) vhex(&VHEX)", "(E) There is no value following a W."},
      // A width the panel has no code for is an error, named by its byte value.
      {"$1B,'W',7", "", "(E) The value following a W is 7, and a W takes 0 to 3."},
      {"$1B,'W5',$03", "hex(3)", "(E) The value following a W is 53, and a W takes 0 to 3."},
  };
  for (const auto& c : cases) {
    RecordingLog compileLog, log;
    TypeValueListPtr lexes = CodeStrings::compileCodeString(c.code, mediumRS232, nullptr, compileLog.sink());
    ASSERT_TRUE(compileLog.lines.empty()) << c.code;
    CodeStrings::translateEscCodes(*lexes, log.sink());
    EXPECT_EQ(describe(*lexes), c.lexes) << c.code;
    EXPECT_EQ(log.lines, c.log.empty() ? std::vector<std::string>{} : std::vector{c.log}) << c.code;
  }
}

TEST(CodeStringSettings, UseCodeSubstAndTheParseLog) {
  // translate: an older-format RS232 code, escapes translated after compiling; listingTail:
  // the lines added to the parse listing.
  struct {
    std::string code;
    CodeMedium medium;
    bool translate;
    std::string lexes, listingTail;
    int16_t errors, warnings;
  } cases[] = {
      {"HDR,$0D", mediumRS232, false, "txt(A) hex(1) hex(13)",
       "    (I) Substitutions Made ''A',$01,$0D '\r\n", 0, 0},
      {"Hdr", mediumRS232, false, "", "    (E) Substitution code not found 'Hdr'\r\n", 1, 0},
      {"R5m", mediumIR, false, "raw(5000)",
       "    (W) Raw Codes are deprecated, they will be used, however\r\n", 0, 1},
      {"$1B,'L'", mediumRS232, true, "", "    (E) There is no value following a L.\r\n", 1, 0},
  };
  for (const auto& c : cases) {
    PanelSettingsV2 settings;
    Access::slot(settings, kwCodeSubst) = substitutions({{"HDR", "'A',$01"}});
    const size_t before = ParseFileListing::instance().txtParseFileListing().size();
    TypeValueListPtr lexes = Access::compileCodeString(settings, c.code, c.medium);
    if (c.translate) Access::translateEscCodes(settings, *lexes);
    EXPECT_EQ(describe(*lexes), c.lexes) << c.code;
    EXPECT_EQ(ParseFileListing::instance().txtParseFileListing().substr(before), c.listingTail) << c.code;
    EXPECT_EQ(settings.parseErrors(), c.errors) << c.code;
    EXPECT_EQ(settings.parseWarnings(), c.warnings) << c.code;
  }
}

}  // namespace
