#include "panel/panel_settings.h"

#include "common/vb_error.h"

namespace {

bool isKeywordRow(int16_t row) { return row >= 1 && row <= kKeywordCount; }

// First value of a slot as text; an empty slot gives "".
std::string firstValueText(const KeyValuePtr& slot) {
  return slot ? slot->ItemVal(1).toText() : std::string();
}

}  // namespace

PanelSettingsV2::PanelSettingsV2() {
  buildWordLists();
  buildKeywordTable();
  buildRuleSets();
  Clear();
}

KeyValuePtr& PanelSettingsV2::kv(int16_t row) {
  if (!isKeywordRow(row)) throw VbError(VbError::kSubscriptOutOfRange);
  return kv_[size_t(row - 1)];
}

const KeyValuePtr& PanelSettingsV2::kv(int16_t row) const {
  if (!isKeywordRow(row)) throw VbError(VbError::kSubscriptOutOfRange);
  return kv_[size_t(row - 1)];
}

const keywordDef& PanelSettingsV2::keywordTable(int16_t row) const {
  if (!isKeywordRow(row)) throw VbError(VbError::kSubscriptOutOfRange);
  return keywordTable_[size_t(row - 1)];
}

const MemRuleSet& PanelSettingsV2::memRules(int16_t set) const {
  if (set < 1 || set > kRuleSetCount) throw VbError(VbError::kSubscriptOutOfRange);
  return memRules_[size_t(set - 1)];
}

Variant PanelSettingsV2::directAccess(int16_t index) const { return Variant(kv(index)); }

std::string PanelSettingsV2::assembleDriverName() const {
  return firstValueText(kv(kwProjName)) + " (" + firstValueText(kv(kwProjDriverRev)) + ")";
}

std::string PanelSettingsV2::fullDriverName() const { return firstValueText(kv(kwProjDriverName)); }

void PanelSettingsV2::Clear() {
  for (auto& slot : kv_) slot.reset();
  auto codeTable = std::make_shared<KeyValueClass>();
  kv(kwIrCode) = codeTable;
  kv(kwRsCode) = codeTable;
  parseErrors_ = 0;
  parseWarnings_ = 0;
  commentLines_ = 0;
  refusedValueLists_.clear();
  logParse(plClear, "");
}

void PanelSettingsV2::copyPersistentVals(const PanelSettingsV2& oldObj) {
  for (int16_t row = 1; row <= kKeywordCount; ++row) {
    if (!keywordTable(row).persistent) continue;
    const KeyValuePtr& old = oldObj.kv(row);
    if (old) kv(row) = old;
  }
}
