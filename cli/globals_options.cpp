#include "cli/globals_options.h"

#include <sys/stat.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>

#include "common/device_globals.h"
#include "cli/command.h"
#include "cli/failure_report.h"
#include "cli/file_args.h"
#include "wizard/comm_mode_demo.h"
#include "wizard/program_startup.h"

namespace cli {
namespace {

// "MAJ.MIN" with each part 0..255.
std::optional<std::pair<int16_t, int16_t>> parseVersion(const std::string& text) {
  size_t dot = text.find('.');
  if (dot == std::string::npos || dot == 0 || dot + 1 >= text.size()) return std::nullopt;
  auto part = [](const std::string& s) -> std::optional<int16_t> {
    if (s.empty() || s.size() > 3) return std::nullopt;
    int v = 0;
    for (char c : s) {
      if (c < '0' || c > '9') return std::nullopt;
      v = v * 10 + (c - '0');
    }
    if (v > 255) return std::nullopt;
    return int16_t(v);
  };
  auto major = part(text.substr(0, dot));
  auto minor = part(text.substr(dot + 1));
  if (!major || !minor) return std::nullopt;
  return std::make_pair(*major, *minor);
}

std::pair<int16_t, int16_t> versionOption(const char* option, const std::string& text) {
  auto version = parseVersion(text);
  if (!version) throw UsageError{std::string(option) + " expects MAJ.MIN, got '" + text + "'"};
  return *version;
}

}  // namespace

void defineGlobalOptions(CLI::App& app, GlobalOptions& options) {
  app.add_option("--library", options.library,
                 "the local library for this run, a folder that must exist\n(default: the "
                 "stored one, else $XDG_DATA_HOME/VXC, laid out at start-up)")
      ->type_name("DIR")
      ->check(nonEmptyName("a folder"));
  // The versions are checked once the command line is read, an empty one as any other.
  const auto keep = [](std::optional<std::string>& kept) {
    return [&kept](const std::string& version) { kept = version; };
  };
  app.add_option_function<std::string>("--fw", keep(options.fw),
                                       "the panel's firmware version (default 1.2, the wizard's demo port),\nas "
                                       "identification would report it; the checker refuses drivers that\nneed a "
                                       "newer one, and build chooses the baud clock by it")
      ->type_name("MAJ.MIN");
  app.add_option_function<std::string>("--mem", keep(options.mem),
                                       "the panel's memory format (default 0.0: no checksums expected);\nminor 7, "
                                       "8 or 9; a panel of format 3.x sends a checksum with each\nblock, so reading "
                                       "one needs --mem 3.9")
      ->type_name("MAJ.MIN");
}

std::string globalOptionsSummary(const CLI::App& app) {
  std::string summary = "Global options (also after the command):\n";
  const auto* formatter = dynamic_cast<const CLI::Formatter*>(app.get_formatter().get());
  if (!formatter) return "";
  for (const char* name : {"--library", "--fw", "--mem"}) {
    const std::string usage = formatter->make_option(app.get_option(name), false);
    std::string line = usage.substr(0, usage.find('\n'));
    if (!line.empty() && (line.back() == ',' || line.back() == ';')) line.pop_back();  // the rest is cut
    summary += line + "\n";
  }
  return summary;
}

int applyGlobalOptions(const GlobalOptions& options) {
  if (!options.fw) {
    commModeDemo();
  } else {
    auto [major, minor] = versionOption("--fw", *options.fw);
    VXCommon::gPanelFwMajor = major;
    VXCommon::gPanelFwMinor = minor;
  }
  if (options.mem) {
    auto [major, minor] = versionOption("--mem", *options.mem);
    VXCommon::gPanelFmtMajor = major;
    VXCommon::gPanelFmtMinor = minor;
  }
  if (!options.library.empty()) {
    struct stat info {};
    std::string problem;
    if (::stat(options.library.c_str(), &info) != 0)
      problem = errno == ENOENT ? "does not exist" : std::string("cannot be reached: ") + std::strerror(errno);
    else if (!S_ISDIR(info.st_mode))
      problem = "is not a folder";
    if (!problem.empty()) return fail(kExitNoInput, "the library folder '" + options.library + "' " + problem);
  }
  programStartup(options.library);
  return kExitOk;
}

}  // namespace cli
