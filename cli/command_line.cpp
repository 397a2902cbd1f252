#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <string>
#include <vector>

namespace cli {
namespace {

// Whether `app` or one of its commands has an option --name that takes a value (not a flag).
bool takesValue(const CLI::App& app, const std::string& name) {
  for (const CLI::Option* option : app.get_options())
    if (option->get_items_expected_max() > 0 && option->check_lname(name)) return true;
  for (const CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; }))
    if (takesValue(*command, name)) return true;
  return false;
}

// The name of "--name=", an option written with "=" and no value; "" for any other argument.
std::string nameWithoutValue(const std::string& argument) {
  const bool form = argument.size() > 3 && argument.compare(0, 2, "--") == 0 &&
                    argument.find('=') == argument.size() - 1;
  return form ? argument.substr(2, argument.size() - 3) : "";
}

}  // namespace

void parseCommandLine(CLI::App& app, int argc, char** argv) {
  std::vector<std::string> arguments;
  bool positionalOnly = false;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    positionalOnly = positionalOnly || argument == "--";
    const std::string name = positionalOnly ? "" : nameWithoutValue(argument);
    if (!name.empty() && takesValue(app, name)) {
      arguments.push_back("--" + name);
      arguments.push_back("");  // the value, given apart so that CLI11 takes it as one
    } else {
      arguments.push_back(argument);
    }
  }
  std::reverse(arguments.begin(), arguments.end());  // CLI11 takes them from the back
  app.parse(std::move(arguments));
}

}  // namespace cli
