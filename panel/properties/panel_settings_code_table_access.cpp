// Code-table accessors: the names, kinds, flags, continuation, repeat count and lexes of the
// driver's IR and RS232 codes, read from the shared code table of slots 12 and 13.
#include "panel/panel_settings.h"
#include "panel/model/slot_reading.h"

using SlotReading::attributePresent;
using SlotReading::attributeValue;
using SlotReading::codeEntry;

namespace {

constexpr const char* kIrKey = "IRCODE";
constexpr const char* kRsKey = "RSCODE";
constexpr const char* kUsePrefix = "USEPREFIX";
constexpr const char* kUseSuffix = "USESUFFIX";
constexpr const char* kUseRepeat = "USEREPEAT";
constexpr const char* kIsHidden = "IS-HIDDEN";
constexpr const char* kIsSelection = "IS-SELECTION";
constexpr const char* kIncludeCont = "INCLUDECONT";
constexpr const char* kContinue = "CONTINUE";
constexpr const char* kRepeats = "REPEATS";

}  // namespace

int16_t PanelSettingsV2::codeTableCount() const {
  const KeyValuePtr& table = kv(kwIrCode);
  return table ? table->count() : 0;
}

int16_t PanelSettingsV2::codeTableIdx(const std::string& name) const {
  const KeyValuePtr& table = kv(kwIrCode);
  return table ? table->GetIndex(Variant(name)) : 0;
}

std::string PanelSettingsV2::codeTableName(int16_t index) const {
  const KeyValuePtr& table = kv(kwIrCode);
  if (!table || index < 1 || index > table->count()) return "";
  return SlotReading::textOf(table->ItemKey(index));
}

bool PanelSettingsV2::codeTableIsRS232(const Variant& item) const {
  return attributePresent(codeEntry(kv(kwIrCode), item), kRsKey);
}

bool PanelSettingsV2::codeTableIsIR(const Variant& item) const {
  return attributePresent(codeEntry(kv(kwIrCode), item), kIrKey);
}

bool PanelSettingsV2::driverUsesIR() const {
  for (int32_t i = 1; i <= codeTableCount(); ++i)
    if (codeTableIsIR(Variant(i))) return true;
  return false;
}

bool PanelSettingsV2::driverUsesRS232() const {
  for (int32_t i = 1; i <= codeTableCount(); ++i)
    if (codeTableIsRS232(Variant(i))) return true;
  return false;
}

bool PanelSettingsV2::codeTableUsePrefix(const Variant& item) const {
  return attributePresent(codeEntry(kv(kwIrCode), item), kUsePrefix);
}

bool PanelSettingsV2::codeTableUseSuffix(const Variant& item) const {
  return attributePresent(codeEntry(kv(kwIrCode), item), kUseSuffix);
}

bool PanelSettingsV2::codeTableUseRepeat(const Variant& item) const {
  return attributePresent(codeEntry(kv(kwIrCode), item), kUseRepeat);
}

bool PanelSettingsV2::codeTableIsHidden(const Variant& item) const {
  return attributePresent(codeEntry(kv(kwIrCode), item), kIsHidden);
}

void PanelSettingsV2::codeTableIsHidden(const Variant& item, bool value) {
  KeyValuePtr entry = codeEntry(kv(kwIrCode), item);
  if (entry && value && !attributePresent(entry, kIsHidden)) entry->AddPair(kIsHidden, true);
  isDirty(true);
}

bool PanelSettingsV2::codeTableIsSelection(const Variant& item) const {
  return attributePresent(codeEntry(kv(kwIrCode), item), kIsSelection);
}

bool PanelSettingsV2::codeTableIncludeCont(const Variant& item) const {
  return attributePresent(codeEntry(kv(kwIrCode), item), kIncludeCont);
}

std::string PanelSettingsV2::codeTableContinuation(const Variant& item) const {
  Variant value = attributeValue(codeEntry(kv(kwIrCode), item), kContinue);
  return SlotReading::textOf(value);
}

int16_t PanelSettingsV2::codeTableRepetitions(const Variant& item) const {
  Variant value = attributeValue(codeEntry(kv(kwIrCode), item), kRepeats);
  // The parser only stores whole numbers; anything else counts as no repeats.
  if (!value.isNumeric() || value.isEmpty()) return 0;
  std::optional<Decimal> count = value.tryToDecimal();
  if (!count || *count != count->truncate()) return 0;
  return count->tryToInt16().value_or(0);
}

TypeValueListPtr PanelSettingsV2::codeTableLexes(const Variant& item) const {
  KeyValuePtr entry = codeEntry(kv(kwIrCode), item);
  return entry ? entry->ItemVal(1).object<TypeValueList>() : nullptr;
}
