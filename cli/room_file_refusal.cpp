#include "cli/room_file_refusal.h"

#include "panel/panel_settings.h"
#include "cli/command.h"
#include "cli/failure_report.h"
#include "cli/file_args.h"

namespace cli {
namespace {

std::string sentence(const UnwritableText& text) {
  return "a room file cannot hold " + text.setting + " '" + text.text + "': " + text.why;
}

// The driver a driver file names is its file name after the last ":" or "\" as well as "/".
std::optional<UnwritableText> cutDriverName(const PanelSettingsV2& settings, const std::string& driverFile) {
  const size_t slash = driverFile.rfind('/');
  const std::string fileName = slash == std::string::npos ? driverFile : driverFile.substr(slash + 1);
  const size_t cut = fileName.find_last_of(":\\");
  if (cut == std::string::npos) return std::nullopt;
  return UnwritableText{"PROJ-DRIVER-NAME", fileName,
                        std::string("a driver is named by its file name after its last '") + fileName[cut] +
                            "', so the room would name the driver '" + settings.fullDriverName() + "'"};
}

}  // namespace

RoomFile roomFileOf(const PanelSettingsV2& settings, const std::string& driverFile) {
  std::optional<UnwritableText> unwritable;
  RoomFile room{settings.encodeRoomFile(unwritable), std::nullopt};
  // The driver's own name comes first: the room would name another driver.
  if (!driverFile.empty())
    if (std::optional<UnwritableText> cut = cutDriverName(settings, driverFile)) unwritable = cut;
  if (unwritable) room.refusal = sentence(*unwritable);
  return room;
}

int refuseRoomFile(const std::string& output, const std::string& refusal) {
  const std::string where = output == kStandardOutput ? "standard output" : "'" + output + "'";
  return fail(kExitCantCreate, "cannot write " + where + ": " + refusal);
}

}  // namespace cli
