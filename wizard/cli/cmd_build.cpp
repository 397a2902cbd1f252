// orvella-config build FILE --format 7|8|9 -o IMAGE [--listing FILE]: reads a projector driver
// or a room file as `check` does and, when the check gives 0, builds the panel's 8192-byte
// image in that memory format for the firmware given with --fw (0.0 without it). The memory
// listing goes to the --listing file, or to stdout without one; the image is written only when
// its build logged no error.
// Exit status: 0; the load error when the check fails (the parse listing printed, 1 for a room
// file); 65 when the image build logged errors (the listing written, no image); 64 usage; 66
// FILE unreadable; 73 IMAGE or the listing file unwritable.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "common/device_globals.h"
#include "common/memory_image.h"
#include "wizard/cli/command.h"
#include "wizard/cli/output_writer.h"
#include "wizard/cli/settings_file_reader.h"
#include "wizard/mem_debug_form.h"

namespace cli {
namespace {

constexpr int kExitRoomFileError = 1;
constexpr int kExitImageErrors = 65;
constexpr int kFirstFormat = 7;

struct BuildArgs {
  std::string input, image, listing;
  int16_t version = 0;  // rule set 1, 2, 3 for formats 7, 8, 9
};

BuildArgs readArgs(const std::vector<std::string>& args) {
  BuildArgs build;
  ArgReader reader(args);
  while (!reader.done()) {
    std::string arg = reader.next();
    if (arg == "-o") {
      build.image = reader.value("-o");
    } else if (arg == "--listing") {
      build.listing = reader.value("--listing");
    } else if (arg == "--format") {
      std::string format = reader.value("--format");
      if (format != "7" && format != "8" && format != "9")
        throw UsageError{"--format expects 7, 8 or 9, got '" + format + "'"};
      build.version = int16_t(format[0] - '0' - kFirstFormat + 1);
    } else if (build.input.empty() && !arg.empty() && arg[0] != '-') {
      build.input = arg;
    } else {
      throw UsageError{"build takes one FILE, --format, -o IMAGE and --listing FILE, not '" +
                       arg + "'"};
    }
  }
  if (build.input.empty() || build.image.empty() || build.version == 0)
    throw UsageError{"build needs FILE, --format 7|8|9 and -o IMAGE"};
  return build;
}

int runBuild(const GlobalOptions&, const std::vector<std::string>& args) {
  BuildArgs build = readArgs(args);
  SettingsFile file = readSettingsFile(build.input);
  if (!file.settings) return kExitNoInput;
  int16_t result = 0;
  file.settings->IsDriverValid(result);
  if (result != 0) {
    printParseListing();
    return file.room ? kExitRoomFileError : result;
  }

  MemDebugForm::instance().reset();
  std::shared_ptr<memBlockCls> image = file.settings->makeMemoryMap(
      build.version, VXCommon::gPanelFwMajor, VXCommon::gPanelFwMinor);
  const std::string& listing = MemDebugForm::instance().txtMemDumpListing();
  if (build.listing.empty()) {
    std::fwrite(listing.data(), 1, listing.size(), stdout);
    std::fflush(stdout);
  } else if (int status = writeOutputFile(build.listing, listing); status != kExitOk) {
    return status;
  }
  if (!image) {
    std::fprintf(stderr,
                 "orvella-config: the image of '%s' has errors (see the listing); nothing "
                 "written\n",
                 build.input.c_str());
    return kExitImageErrors;
  }
  return writeOutputFile(build.image, image->memImage());
}

CommandRegistration registration(
    "build", "build  FILE --format 7|8|9 -o IMAGE [--listing FILE]   the panel's 8192-byte image",
    runBuild);

}  // namespace
}  // namespace cli
