#include "wizard/cli/output_writer.h"

#include <cstdio>

#include "platform/output_file.h"
#include "wizard/cli/command.h"

namespace cli {

int writeOutputFile(const std::string& path, const std::string& bytes) {
  std::string reason;
  if (platform::writeOutputFile(path, bytes, reason)) return kExitOk;
  std::fprintf(stderr, "orvella-config: cannot write '%s': %s\n", path.c_str(), reason.c_str());
  return kExitCantCreate;
}

}  // namespace cli
