// orvella-config dump: the memory listing of a panel, read through a fresh panel image from an
// image file (--image) or from a panel on a serial line (--port), over an inclusive address
// range (--from, --to; decimal or 0x hex; default the whole image). Each block the range
// touches is read as one operation, so it is asked for once (with the line's own attempts);
// the dump stops at the first block that cannot be read (exit 74, naming the block, its
// addresses, the port and what the attempts at it got). The touched-only listing goes to
// stdout: banner, hex dump and the log, which holds the per-byte lines only with --trace;
// --trace also follows the protocol trace on stderr as it happens.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "comm/rs232_lab.h"
#include "common/memory_image.h"
#include "platform/visible_text.h"
#include "cli/command.h"
#include "cli/failure_report.h"
#include "cli/file_args.h"
#include "cli/output_writer.h"
#include "cli/panel_source.h"

namespace cli {
namespace {

constexpr int32_t kBlockSize = memBlockCls::kBlockSize;

struct DumpArgs {
  std::string image, port, from = "0", to = std::to_string(kPanelImageSize - 1);
  bool trace = false;
} args;

// A panel address: decimal digits, or "0x" and hex digits; nothing when malformed or beyond
// the panel image.
std::optional<int32_t> parseAddress(const std::string& text) {
  bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  std::string digits = hex ? text.substr(2) : text;
  if (digits.empty()) return std::nullopt;
  int32_t value = 0;
  for (char c : digits) {
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return std::nullopt;
    value = value * (hex ? 16 : 10) + digit;
    if (value >= kPanelImageSize) return std::nullopt;
  }
  return value;
}

int32_t addressOption(const std::string& option, const std::string& text) {
  auto address = parseAddress(text);
  if (!address)
    throw UsageError{option + " expects an address from 0 to 8191 (decimal or 0x hex), got '" +
                     text + "'"};
  return *address;
}

void define(CLI::App& command) {
  command.add_option("--image", args.image, "an 8192-byte panel image file")->type_name("FILE")->check(nonEmptyName());
  command.add_option("--port", args.port, "the serial device of a panel")->type_name("DEVICE")->check(nonEmptyName("a device"));
  command.add_option("--from", args.from, "the first address (decimal or 0x hex; default 0)")->type_name("ADDR");
  command.add_option("--to", args.to, "the last address (default 8191)")->type_name("ADDR");
  command.add_flag("--trace", args.trace,
                   "the per-byte lines in the listing, and the serial protocol trace on stderr");
}

int run() {
  if (args.image.empty() == args.port.empty())
    throw UsageError{"dump reads either --image FILE or --port DEVICE"};
  const int32_t from = addressOption("--from", args.from), to = addressOption("--to", args.to);
  if (from > to) throw UsageError{"dump: --from lies after --to"};
  const int32_t firstBlock = from / kBlockSize, lastBlock = to / kBlockSize;
  PreparedOutputs outputs({}, {{"", kStandardOutput}});

  auto optional = [](const std::string& s) { return s.empty() ? std::nullopt : std::optional(s); };
  int status = kExitOk;
  std::string error;
  PanelSource::Progress progress{!args.trace, lastBlock - firstBlock + 1};
  std::unique_ptr<PanelSource> panel =
      PanelSource::open(optional(args.image), optional(args.port), progress, status, error);
  if (!panel) return fail(status, error);
  if (args.trace) {
    Rs232Lab::instance().follow([](const std::string& line) {
      // The trace's own CR LF stays; a control byte inside a line is shown escaped.
      const size_t end = line.find_last_not_of("\r\n") + 1;
      const std::string shown = platform::visibleText(line.substr(0, end)) + line.substr(end);
      std::fwrite(shown.data(), 1, shown.size(), stderr);
      std::fflush(stderr);
    });
  }

  memBlockCls image;
  image.Clear(kPanelImageSize, devicePanel);
  int32_t failedBlock = -1;
  for (int32_t block = firstBlock; block <= lastBlock && failedBlock < 0; ++block) {
    const int32_t start = std::max(from, block * kBlockSize), end = std::min(to, block * kBlockSize + kBlockSize - 1);
    image.peekFile(end - start + 1, start);
    if (image.memCommError()) failedBlock = block;
    else if (args.trace)
      for (int32_t address = start; address <= end; ++address) image.peekByte(address);
  }
  panel.reset();
  Rs232Lab::instance().follow(nullptr);

  if (int written = outputs[0].writeText(image.memDebugListing(true)); written != kExitOk)
    return written;
  if (failedBlock >= 0)
    return fail(kExitDevice, unreadBlockMessage(failedBlock, args.port.empty() ? args.image : args.port));
  return kExitOk;
}

CommandRegistration registration({"dump", "hex dump of a panel's memory\n"
                                          "(--image FILE | --port DEVICE) [--from ADDR --to ADDR] [--trace]",
                                  define, run});

}  // namespace
}  // namespace cli
