// PanelSettingsV2's code-string members: the compiler and the escape translation, fed with the
// CODE-SUBST definitions of this object and reporting to its parse log.
#include "panel/language/code_string_compiler.h"
#include "panel/panel_settings.h"

TypeValueListPtr PanelSettingsV2::compileCodeString(const std::string& codeText, CodeMedium medium) {
  const KeyValuePtr& substitutions = kv(kwCodeSubst);
  return CodeStrings::compileCodeString(
      codeText, medium, substitutions.get(),
      [this](ParseLogKind kind, const std::string& text) { logParse(kind, text); });
}

void PanelSettingsV2::translateEscCodes(TypeValueList& lexes) {
  CodeStrings::translateEscCodes(
      lexes, [this](ParseLogKind kind, const std::string& text) { logParse(kind, text); });
}
