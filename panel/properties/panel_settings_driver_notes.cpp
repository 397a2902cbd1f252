// The driver's document tables: installation notes (DOC-INSTALLATION-NOTE, keyed by note
// number) and revision messages (DOC-REV-USER-MESSAGE, keyed by the quoted revision), as rows
// of key and text in driver order.
#include "panel/panel_settings.h"
#include "panel/model/slot_reading.h"

namespace {

std::vector<PanelSettingsV2::NoteRow> noteRows(const KeyValuePtr& slot) {
  std::vector<PanelSettingsV2::NoteRow> rows;
  if (!slot) return rows;
  for (int32_t i = 1; i <= slot->count(); ++i)
    rows.push_back({SlotReading::textOf(slot->ItemKey(i)), SlotReading::textOf(slot->ItemVal(i))});
  return rows;
}

}  // namespace

std::vector<PanelSettingsV2::NoteRow> PanelSettingsV2::InstallNotes() const {
  return noteRows(kv(kwDocInstallationNote));
}

std::vector<PanelSettingsV2::NoteRow> PanelSettingsV2::RevisionHistory() const {
  return noteRows(kv(kwDocRevUserMessage));
}
