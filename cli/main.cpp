// orvella-config: reads the command line (command_line.h, CLI11), applies the global options,
// starts the program up on its library and runs one command. Usage errors exit 64, said with
// the usage line of the command (of the program when no command was read); --help, help and
// --version print on stdout and exit 0 (73, writing nothing, when stdout was closed at start).
// Whatever the run did, a failed write to stdout ends it with 73. SIGXFSZ is ignored for the
// whole run, so that a file-size limit fails the write it stops (73) instead of ending the
// program.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "common/utility_version.h"
#include "platform/message_box.h"
#include "platform/start_descriptors.h"
#include "platform/temporary_file.h"
#include "cli/command.h"
#include "cli/command_line.h"
#include "cli/failure_report.h"
#include "cli/file_args.h"
#include "cli/globals_options.h"
#include "cli/output_writer.h"

namespace cli {
namespace {

constexpr const char* kAbout =
    "orvella-config: the data side of the Orvella room panel configuration utility. It reads,\n"
    "checks and writes projector drivers and room files, and builds and reads back the\n"
    "panel's 8192-byte memory image.";

constexpr const char* kExitStatuses =
    "Exit status:\n"
    "  0   success\n"
    "  1   the room file does not check       6, 7 the panel's memory format is unknown\n"
    "  2   the driver does not check          8   the panel's memory cannot be read fully\n"
    "  3   never given: a room file that      9   the panel's memory is not correct\n"
    "      cannot be read gives 66            10  the driver's format is unrecognized\n"
    "  4   the panel's driver is not in the   64  usage\n"
    "      library's drivers folder           65  the image's build logged errors\n"
    "  5   the driver needs a newer panel     66  an input or a library folder\n"
    "      firmware than --fw                     cannot be read, a serial port\n"
    "                                             cannot be opened\n"
    "                                         73  an output cannot be written\n"
    "                                         74  a device does not answer\n"
    "                                             or answers wrongly\n";

std::vector<Command>& registry() {
  static std::vector<Command> commands;
  return commands;
}

std::string versionText() {
  return "orvella-config " + std::to_string(VXCommon::kUtilityMajor) + "." +
         std::to_string(VXCommon::kUtilityMinor) + "." + std::to_string(VXCommon::kUtilityRevision);
}

// The usage line of a command (its synopsis, the second line of its about), or the program's.
std::string usageLine(const std::string& commandName) {
  for (const Command& command : registry()) {
    if (commandName != command.name) continue;
    const std::string about = command.about;
    const size_t lineEnd = about.find('\n');
    const std::string synopsis = lineEnd == std::string::npos ? "" : " " + about.substr(lineEnd + 1);
    return "usage: orvella-config " + commandName + synopsis + "  (orvella-config " + commandName + " --help)";
  }
  return "usage: orvella-config [OPTIONS] COMMAND ...  (orvella-config --help lists the commands and options)";
}

int usageError(const std::string& text, const std::string& commandName) {
  fail(kExitUsage, text);
  sayLine(usageLine(commandName));
  return kExitUsage;
}

// A value that an option's check refuses: CLI11 puts the option's name and a colon before the
// check's text, which reads on from the name ("--format expects ..., got '10'").
std::string refusedValue(const CLI::ValidationError& error) {
  std::string text = error.what();
  if (const size_t colon = text.find(": expects "); colon != std::string::npos) text.erase(colon, 1);
  return text;
}

// The parser's own answer to --help or --version, on stdout through the one writer that says a
// failure.
int printUsageText(CLI::App& app, const CLI::Error& request) {
  std::ostringstream text;
  app.exit(request, text, std::cerr);
  return writeStandardOutput(text.str());
}

// The system's message boxes (the start-up's warnings among them) say their lines as every
// other message is said.
void sayMessageBoxesAsMessages() {
  static platform::TerminalMessageBoxes boxes("orvella-config: ");
  platform::installMessageBoxes([]() -> platform::MessageBoxes& { return boxes; });
}

int runProgram(int argc, char** argv) {
  sayMessageBoxesAsMessages();
  CLI::App app{kAbout, "orvella-config"};
  app.get_formatter()->label("SUBCOMMAND", "COMMAND");
  app.get_formatter()->column_width(34);
  app.require_subcommand(1);
  app.set_version_flag("--version", versionText(), "print the program's version and exit");
  GlobalOptions globals;
  defineGlobalOptions(app, globals);

  std::string helpTopic;  // help's COMMAND is read by the command line's reader
  CLI::App* help = app.add_subcommand("help", "this usage, or that of COMMAND");
  help->add_option("COMMAND", helpTopic);
  std::sort(registry().begin(), registry().end(),
            [](const Command& a, const Command& b) { return std::string(a.name) < b.name; });
  for (const Command& command : registry()) {
    CLI::App* sub = app.add_subcommand(command.name, command.about);
    sub->group("Commands");
    command.define(*sub);
    sub->footer(globalOptionsSummary(app));
  }
  help->group("Commands");
  app.footer(kExitStatuses);  // after the commands, which would take it over

  std::string commandName;  // once the command line is read
  try {
    parseCommandLine(app, argc, argv, commandName);
    if (int status = applyGlobalOptions(globals); status != kExitOk) return status;
    for (const Command& command : registry())
      if (commandName == command.name) return command.run();
    return usageError("unknown command '" + commandName + "'", "");
  } catch (const CLI::CallForHelp& e) {
    return printUsageText(app, e);
  } catch (const CLI::CallForVersion& e) {
    return printUsageText(app, e);
  } catch (const CLI::ValidationError& e) {
    return usageError(refusedValue(e), commandName);
  } catch (const CLI::Error& e) {  // a required option missing
    return usageError(e.what(), commandName);
  } catch (const UsageError& e) {
    return usageError(e.text, e.command.empty() ? commandName : e.command);
  } catch (const OutputError& e) {
    return fail(kExitCantCreate, e.text);
  }
}

}  // namespace

CommandRegistration::CommandRegistration(const Command& command) { registry().push_back(command); }

}  // namespace cli

int main(int argc, char** argv) {
  // Before anything is opened: a closed standard descriptor is no file's number.
  platform::holdDescriptorsAtStart();
  platform::failWritesPastTheFileSizeLimit();
  return cli::finishStandardOutput(cli::runProgram(argc, argv));
}
