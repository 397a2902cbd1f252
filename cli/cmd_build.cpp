// orvella-config build (FILE | --defaults) --format 7|8|9 -o IMAGE [--listing FILE]: reads a
// projector driver or a room file as `check` does, or loads the library's factory defaults
// (which give the image no time stamp), and when the check gives 0 builds the panel's
// 8192-byte image in that memory format for the firmware of --fw (1.2 without it). The
// memory listing goes to the --listing file, or to stdout without one; the image is written
// only when its build logged no error. Each of the room's settings that the image does not
// keep as the file gives it is then said on stderr as a warning (kept_settings_report.h), and
// only then does the image replace its file. Both outputs are proved before anything is read.
// Exit status: 0; the load error when the check fails (the parse listing goes there, 1 for a room
// file); 65 when the image build logged errors (the listing written, no image; stderr names the
// setting behind each error line); 64 usage (IMAGE a terminal; an output that is FILE, or the
// library's driver that a room's report reads); 66 FILE unreadable; 73 IMAGE or the listing file
// unwritable (a folder, a file the user may not replace, a standard output closed at start).
#include <CLI/CLI.hpp>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/device_globals.h"
#include "common/file_type_table.h"
#include "common/memory_image.h"
#include "common/startup_globals.h"
#include "cli/build_error_report.h"
#include "cli/command.h"
#include "cli/failure_report.h"
#include "cli/file_args.h"
#include "cli/kept_settings_report.h"
#include "cli/output_writer.h"
#include "cli/settings_file_reader.h"
#include "wizard/mem_debug_form.h"

namespace cli {
namespace {

constexpr int kFirstFormat = 7, kLastFormat = 9;

struct BuildArgs {
  std::string input, image, listing, format;
  bool defaults = false;
} args;

// The memory format that a --format text names in decimal; nothing for any other text.
std::optional<int> memoryFormatOf(const std::string& text) {
  int format = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, format);
  if (error != std::errc() || stop != end || format < kFirstFormat || format > kLastFormat) return std::nullopt;
  return format;
}

// Any other text (a word, an empty one) is named with the formats there are.
CLI::Validator memoryFormat() {
  return CLI::Validator(
      [](const std::string& text) {
        return memoryFormatOf(text) ? std::string() : "expects the memory format 7, 8 or 9, got '" + text + "'";
      },
      "");
}

void define(CLI::App& command) {
  addSettingsFileOption(command, args.input);
  command.add_flag("--defaults", args.defaults, "the library's factory defaults instead of FILE");
  command.add_option("--format", args.format, "the panel's memory format")
      ->required()
      ->check(memoryFormat())
      ->type_name("7|8|9");
  command.add_option("-o", args.image, "the image file to write (- for stdout, which needs --listing FILE)")
      ->required()
      ->type_name("IMAGE")
      ->check(nonEmptyName());
  command.add_option("--listing", args.listing, "the memory listing's file (default stdout)")
      ->type_name("FILE")
      ->check(nonEmptyName());
}

int run() {
  if (args.input.empty() == !args.defaults) throw UsageError{"build takes either FILE or --defaults"};
  const std::string listingPath = args.listing.empty() ? kStandardOutput : args.listing;
  const std::string input = args.defaults
      ? VXCommon::gFileTypes->localDir(ftDrivers) + PanelSettingsV2::kFactoryDefaultsDriver
      : args.input;
  PreparedOutputs outputs({input}, {{"--listing", listingPath, !args.listing.empty()},
                                    {"-o", args.image, true, /*binary*/ true}});
  PreparedOutput &listingFile = outputs[0], &imageFile = outputs[1];

  int status = kExitOk;
  std::shared_ptr<PanelSettingsV2> settings;
  if (args.defaults) {
    settings = loadFactoryDefaults(status, &listingFile);
  } else {
    const SettingsFile file = checkSettingsFile(input);
    // A room's report reads the library's driver of its name: no output may replace it.
    if (file.settings && file.room)
      if (const std::optional<std::string> driver = libraryDriverOfRoom(*file.settings))
        outputs.refuseInputs({*driver});
    settings = checkedSettings(file, status, &listingFile);
  }
  if (!settings) return status;

  MemDebugForm::instance().reset();
  int16_t ruleSet = int16_t(*memoryFormatOf(args.format) - kFirstFormat + 1);
  std::vector<ImageBuildError> errors;
  std::shared_ptr<memBlockCls> image =
      settings->makeMemoryMap(ruleSet, VXCommon::gPanelFwMajor, VXCommon::gPanelFwMinor, &errors);
  if ((status = listingFile.writeText(MemDebugForm::instance().txtMemDumpListing())) != kExitOk) return status;
  if (!image) {
    const bool listingShown = args.listing.empty() || args.listing == kStandardOutput;
    const std::string where = listingShown ? "the listing" : "the listing in '" + args.listing + "'";
    fail(kExitImageErrors, "the image of '" + input + "' has errors (see " + where + ") and was not written");
    reportBuildErrors(input, *settings, errors);
    return kExitImageErrors;
  }
  // The image replaces its file last, once everything is said: a build that ends before (a
  // signal, a standard error closed by its reader) leaves the old image.
  if ((status = imageFile.writeAside(image->memImage())) != kExitOk) return status;
  // What the image does not keep of the room is said, not only left out.
  reportSettingsNotKept(input, *settings, ruleSet, image->memImage());
  return imageFile.putInPlace();
}

CommandRegistration registration({"build", "the panel's 8192-byte image of a driver, a room or the factory defaults\n"
                                           "(FILE | --defaults) --format 7|8|9 -o IMAGE [--listing FILE]",
                                  define, run});

}  // namespace
}  // namespace cli
