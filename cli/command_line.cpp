#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "cli/command.h"

namespace cli {
namespace {

// An option as written: "--name=value" is {"--name", "value", true}, "-ovalue" {"-o", "value",
// true}, "--name" and "-o" have no value.
struct Written {
  std::string name, value;
  bool hasValue = false;
};

bool looksLikeOption(const std::string& argument) { return argument.size() > 1 && argument[0] == '-'; }

Written splitOption(const std::string& argument) {
  if (argument.compare(0, 2, "--") == 0) {
    const size_t equals = argument.find('=');
    if (equals == std::string::npos) return {argument, "", false};
    return {argument.substr(0, equals), argument.substr(equals + 1), true};
  }
  if (argument.size() > 2) return {argument.substr(0, 2), argument.substr(2), true};
  return {argument, "", false};
}

// The option of `app` itself (not of its commands) that `name` ("--fw", "-o") names.
CLI::Option* optionNamed(CLI::App& app, const std::string& name) {
  for (CLI::Option* option : app.get_options()) {
    if (!option->nonpositional()) continue;  // FILE, COMMAND
    const bool named = name.compare(0, 2, "--") == 0 ? option->check_lname(name.substr(2))
                                                     : option->check_sname(name.substr(1));
    if (named) return option;
  }
  return nullptr;
}

std::vector<CLI::App*> commandsOf(CLI::App& app) {
  return app.get_subcommands([](CLI::App*) { return true; });
}

CLI::App* commandNamed(CLI::App& app, const std::string& name) {
  for (CLI::App* command : commandsOf(app))
    if (command->get_name() == name) return command;
  return nullptr;
}

size_t positionalPlaces(CLI::App& command) {
  return command.get_options([](const CLI::Option* option) { return !option->nonpositional(); }).size();
}

// One reading of the line.
class LineReader {
 public:
  explicit LineReader(CLI::App& app) : app_(app) {}

  // The arguments in the one form given to CLI11, in order.
  std::vector<std::string> read(const std::vector<std::string>& arguments) {
    bool positionalOnly = false;
    for (size_t at = 0; at < arguments.size(); ++at) {
      const std::string& argument = arguments[at];
      if (!positionalOnly && argument == "--") {
        positionalOnly = true;
      } else if (positionalOnly || !looksLikeOption(argument)) {
        takePositional(argument);
      } else if (std::optional<std::vector<std::string>> asked = takeOption(arguments, at)) {
        return request(*asked);
      }
    }
    if (!command_) throw UsageError{"a COMMAND is required"};
    if (isHelpCommand()) return request(helpRequest());
    std::vector<std::string> line = globals_;
    line.push_back(command_->get_name());
    line.insert(line.end(), options_.begin(), options_.end());
    if (!positionals_.empty()) {
      line.push_back("--");  // so that CLI11 takes each as it is
      line.insert(line.end(), positionals_.begin(), positionals_.end());
    }
    return line;
  }

  // The command read; "" when the line asks for help or the version.
  std::string commandName() const { return command_ && !request_ ? command_->get_name() : ""; }

 private:
  std::vector<std::string> request(std::vector<std::string> line) {
    request_ = true;
    return line;
  }

  [[noreturn]] void refuse(const std::string& text) const {
    // help's own faults are the program's: its usage is the program's.
    throw UsageError{text, command_ && command_->get_name() != "help" ? command_->get_name() : ""};
  }

  void takePositional(const std::string& argument) {
    if (!command_) {
      command_ = commandNamed(app_, argument);
      if (!command_) refuse("unknown command '" + argument + "'");
      return;
    }
    if (positionals_.size() >= positionalPlaces(*command_)) refuse("unexpected argument '" + argument + "'");
    positionals_.push_back(argument);
  }

  bool isHelpCommand() const { return command_ && command_->get_name() == "help"; }

  // The arguments that ask CLI11 for the help of `command`, or of the program.
  static std::vector<std::string> helpOf(const CLI::App* command) {
    if (!command) return {"--help"};
    return {command->get_name(), "--help"};
  }

  // help [COMMAND]: COMMAND's help, or the program's ("help help" and "help --help" too).
  std::vector<std::string> helpRequest() const {
    if (positionals_.empty()) return helpOf(nullptr);
    const CLI::App* topic = commandNamed(app_, positionals_.front());
    if (!topic) refuse("unknown command '" + positionals_.front() + "'");
    return helpOf(topic == command_ ? nullptr : topic);
  }

  // Takes the option at arguments[at] (and its value, the next argument, when it has none
  // written with it). Gives the arguments for CLI11 when it asks for help or the version.
  std::optional<std::vector<std::string>> takeOption(const std::vector<std::string>& arguments, size_t& at) {
    const std::string& argument = arguments[at];
    const Written written = splitOption(argument);
    CLI::Option* option = command_ ? optionNamed(*command_, written.name) : nullptr;
    const bool global = option == nullptr;
    if (global) option = optionNamed(app_, written.name);
    if (!option) refuse(notTaken(argument, written.name));

    if (option->get_items_expected_max() == 0) {  // a flag
      if (written.hasValue) refuse(written.name + " takes no value, got '" + argument + "'");
      if (option == app_.get_version_ptr()) return std::vector<std::string>{"--version"};
      if (option == app_.get_help_ptr() || (command_ && option == command_->get_help_ptr()))
        return isHelpCommand() ? helpRequest() : helpOf(command_);
      (global ? globals_ : options_).push_back(written.name);
      return std::nullopt;
    }
    if (!given_.insert(option).second) refuse(written.name + " is given twice");
    std::string value = written.value;
    if (!written.hasValue) {
      const std::string needs = written.name + " needs a value (" + option->get_type_name() + ")";
      if (at + 1 >= arguments.size()) refuse(needs);
      value = arguments[++at];
      if (isProgramOption(value))
        refuse(needs + ", not the option '" + value + "' (" + explicitForm(written.name, value) + ")");
    }
    std::vector<std::string>& into = global ? globals_ : options_;
    into.push_back(written.name);
    into.push_back(value);  // a word apart: CLI11 takes it as it is, an empty one included
    return std::nullopt;
  }

  // Whether a word is one of the program's own options as they are written: "--name",
  // "--name=value" or "-o".
  bool isProgramOption(const std::string& word) {
    if (!looksLikeOption(word)) return false;
    const Written written = splitOption(word);
    if (written.name.compare(0, 2, "--") != 0 && written.hasValue) return false;  // "-out.txt"
    if (optionNamed(app_, written.name)) return true;
    for (CLI::App* command : commandsOf(app_))
      if (optionNamed(*command, written.name)) return true;
    return false;
  }

  // How to give such a word as the value: written with a long option, or as a path.
  static std::string explicitForm(const std::string& name, const std::string& value) {
    if (name.compare(0, 2, "--") == 0) return "give it as " + name + "=" + value;
    return "a file of that name is ./" + value;
  }

  // An option that this command (or, before the command, the program) does not take: one
  // that another command takes is named with the commands that take it.
  std::string notTaken(const std::string& argument, const std::string& name) {
    std::vector<std::string> takers;
    for (CLI::App* command : commandsOf(app_))
      if (optionNamed(*command, name)) takers.push_back(command->get_name());
    if (takers.empty()) return "unknown option '" + argument + "'";
    std::string of;
    for (size_t i = 0; i < takers.size(); ++i)
      of += (i == 0 ? "" : i + 1 == takers.size() ? " and " : ", ") + takers[i];
    if (command_)
      return command_->get_name() + " does not take the option '" + argument + "' (" + of +
             (takers.size() == 1 ? " does)" : " do)");
    return "'" + argument + "' is an option of " + of + ", not of the program: give it after the command";
  }

  CLI::App& app_;
  CLI::App* command_ = nullptr;
  bool request_ = false;  // of help or of the version
  std::vector<std::string> globals_, options_, positionals_;
  std::set<const CLI::Option*> given_;
};

}  // namespace

void parseCommandLine(CLI::App& app, int argc, char** argv, std::string& commandName) {
  LineReader reader(app);
  std::vector<std::string> line = reader.read(std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
  commandName = reader.commandName();
  std::reverse(line.begin(), line.end());  // CLI11 takes them from the back
  app.parse(std::move(line));
}

}  // namespace cli
