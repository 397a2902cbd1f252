// How orvella-config reads its command line: it is read here, word by word, against the options
// that the program and its commands define (CLI11), and every fault of its form is a usage
// error in the program's own words; CLI11 then gets the arguments in one plain form that it
// cannot read any other way, and sets the values, runs their checks and asks for the required
// options.
//
// The form, as Unix tools have it:
// - "--name=value" and "--name value" give an option its value, "--name=" the empty value (never
//   the next argument); "-o value" and "-ovalue" the short option's. A separate word that is one
//   of the program's own options ("--defaults", "-o", "--listing=x") is no value: the option
//   before it needs one ("-o needs a value (IMAGE), not the option '--defaults'"); "./--defaults"
//   or "--listing=--defaults" give such a text as a value.
// - A flag takes no value ("--trace takes no value, got '--trace='"); an option that takes one is
//   given once ("--fw is given twice"), with its value ("--fw needs a value (MAJ.MIN)").
// - "--" ends the options: every argument after it is a positional argument, as written.
// - The first positional argument is the command; global options go before or after it. An
//   argument that starts with "-" and that no command takes is an unknown option, one that
//   another command takes is named as an option this command does not take, each as written;
//   a positional argument the command has no place for is named as written.
// - Of these faults the first in the order of the arguments is said, before any value is
//   checked or a required option asked for; a --help or --version met before any fault is
//   answered: --help shows the command's help ("help", "help --help" and "help help" the
//   program's, "help COMMAND" the command's).
#pragma once

#include <string>

namespace CLI {
class App;
}

namespace cli {

// Parses argv (argv[0] being the program) with `app`, whose commands are its subcommands.
// Throws UsageError (naming the command when one was read) for a fault of the form, and
// otherwise what CLI::App::parse throws (CLI::CallForHelp, CLI::CallForVersion, a required
// option missing, a value its check refuses). `commandName` is the command's name once the
// line's form is read, before CLI11 parses it ("" for a request of help or of the version).
void parseCommandLine(CLI::App& app, int argc, char** argv, std::string& commandName);

}  // namespace cli
