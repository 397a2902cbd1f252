// How orvella-config reads its command line: CLI11 with one change of form. "--option=" with
// nothing after the "=" gives an option that takes a value the empty value, which the option
// then refuses by name with what it expects, as it refuses "--option ''"; CLI11 alone would
// take the argument after it as the value. After "--" every argument is left as it is.
#pragma once

namespace CLI {
class App;
}

namespace cli {

// Parses argv (argv[0] being the program) with `app`; throws what CLI::App::parse throws.
void parseCommandLine(CLI::App& app, int argc, char** argv);

}  // namespace cli
