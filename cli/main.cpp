// orvella-config: reads the command line (CLI11), applies the global options, starts the
// program up on its library and runs one command. Usage errors exit 64; --help, help and
// --version print on stdout and exit 0. Whatever the run did, a failed write to stdout ends it
// with 73. SIGXFSZ is ignored for the whole run, so that a file-size limit fails the write it
// stops (73) instead of ending the program.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "common/utility_version.h"
#include "platform/message_box.h"
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
    "      firmware than --fw                     cannot be read\n"
    "                                         73  an output cannot be written\n"
    "                                         74  a device does not answer\n";

std::vector<Command>& registry() {
  static std::vector<Command> commands;
  return commands;
}

bool isCommandName(const std::string& name) {
  return name == "help" || std::any_of(registry().begin(), registry().end(),
                                       [&name](const Command& command) { return name == command.name; });
}

std::string versionText() {
  return "orvella-config " + std::to_string(VXCommon::kUtilityMajor) + "." +
         std::to_string(VXCommon::kUtilityMinor) + "." + std::to_string(VXCommon::kUtilityRevision);
}

int usageError(const std::string& text) {
  fail(kExitUsage, text);
  sayLine("usage: orvella-config [OPTIONS] COMMAND ...  (orvella-config --help lists the commands and options)");
  return kExitUsage;
}

// The parser's own answer to --help or --version, on stdout through the one writer that says a
// failure.
int printUsageText(CLI::App& app, const CLI::Error& request) {
  std::ostringstream text;
  app.exit(request, text, std::cerr);
  return writeOutputFile(kStandardOutput, text.str());
}

// The system's message boxes (the start-up's warnings among them) say their lines as every
// other message is said.
void sayMessageBoxesAsMessages() {
  static platform::TerminalMessageBoxes boxes("orvella-config: ");
  platform::installMessageBoxes([]() -> platform::MessageBoxes& { return boxes; });
}

// The arguments the command line has no place for, in the order given.
std::string notExpected(const std::vector<std::string>& arguments) {
  std::string text = arguments.size() == 1 ? "The following argument was not expected:"
                                           : "The following arguments were not expected:";
  for (const std::string& argument : arguments) text += " " + argument;
  return text;
}

int runProgram(int argc, char** argv) {
  sayMessageBoxesAsMessages();
  CLI::App app{kAbout, "orvella-config"};
  app.get_formatter()->label("SUBCOMMAND", "COMMAND");
  app.get_formatter()->column_width(34);
  app.fallthrough();  // global options are taken after the command too
  app.require_subcommand(1);
  app.set_version_flag("--version", versionText(), "print the program's version and exit");
  GlobalOptions globals;
  defineGlobalOptions(app, globals);

  std::string helpTopic;
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

  try {
    parseCommandLine(app, argc, argv);
    if (help->parsed()) {
      if (!helpTopic.empty() && !isCommandName(helpTopic)) return usageError("unknown command '" + helpTopic + "'");
      CLI::App* topic = helpTopic.empty() ? &app : app.get_subcommand(helpTopic);
      std::string name = topic == &app ? "orvella-config" : "orvella-config " + helpTopic;
      return writeOutputFile(kStandardOutput, app.get_formatter()->make_help(topic, name, CLI::AppFormatMode::Normal));
    }
    if (int status = applyGlobalOptions(globals); status != kExitOk) return status;
    const std::string name = app.get_subcommands().front()->get_name();
    for (const Command& command : registry())
      if (name == command.name) return command.run();
    return usageError("unknown command '" + name + "'");
  } catch (const CLI::CallForHelp& e) {
    return printUsageText(app, e);
  } catch (const CLI::CallForVersion& e) {
    return printUsageText(app, e);
  } catch (const CLI::RequiredError& e) {
    if (!app.get_subcommands().empty()) return usageError(e.what());
    std::vector<std::string> rest = app.remaining();
    return usageError(rest.empty() ? "a COMMAND is required" : "unknown command '" + rest.front() + "'");
  } catch (const CLI::ExtrasError& e) {
    const std::vector<std::string> extras = app.remaining(true);
    return usageError(extras.empty() ? e.what() : notExpected(extras));
  } catch (const CLI::ParseError& e) {
    return usageError(e.what());
  } catch (const CLI::Error& e) {
    return usageError(e.what());
  } catch (const UsageError& e) {
    return usageError(e.text);
  } catch (const OutputError& e) {
    return fail(kExitCantCreate, e.text);
  }
}

}  // namespace

CommandRegistration::CommandRegistration(const Command& command) { registry().push_back(command); }

}  // namespace cli

int main(int argc, char** argv) {
  platform::failWritesPastTheFileSizeLimit();
  return cli::finishStandardOutput(cli::runProgram(argc, argv));
}
