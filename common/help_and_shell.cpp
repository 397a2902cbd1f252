#include "common/help_and_shell.h"

#include "common/file_library.h"
#include "platform/message_box.h"
#include "platform/shell_opener.h"

namespace VXCommon {
namespace {

std::string& helpFile() {
  static std::string path;
  return path;
}

}  // namespace

void showHelp(int32_t contextId) {
  if (helpFile().empty()) helpFile() = fileDatabaseCls().findCurrentHelp();
  if (helpFile().empty()) {
    platform::currentMessageBoxes().show("Cannot find Help File.  Try downloading upgrades.",
                                         platform::MsgButtons::Ok, platform::MsgIcon::Stop);
    return;
  }
  platform::currentShellOpener().openHelp(helpFile(), contextId);
}

void shellOpen(const std::string& path) { platform::currentShellOpener().open(path); }

void resetHelpFile() { helpFile().clear(); }

}  // namespace VXCommon
