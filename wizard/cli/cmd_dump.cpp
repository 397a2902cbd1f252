// orvella-config dump: the memory listing of a panel, read block by block through a fresh
// panel image from an image file (--image) or from a panel on a serial line (--port), over an
// inclusive address range (--from, --to; decimal or 0x hex; default the whole image). Every
// byte of the range is peeked, so every block it touches is fetched; the touched-only listing
// goes to stdout. --trace adds the protocol trace on stderr.
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "comm/rs232_lab.h"
#include "common/memory_image.h"
#include "wizard/cli/command.h"
#include "wizard/cli/panel_source.h"

namespace cli {
namespace {

constexpr int32_t kPanelImageSize = 8192;

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

int32_t addressOption(ArgReader& reader, const std::string& option) {
  std::string text = reader.value(option);
  auto address = parseAddress(text);
  if (!address)
    throw UsageError{option + " expects an address from 0 to 8191 (decimal or 0x hex), got '" +
                     text + "'"};
  return *address;
}

int runDump(const GlobalOptions&, const std::vector<std::string>& args) {
  std::optional<std::string> imagePath, portPath;
  int32_t from = 0, to = kPanelImageSize - 1;
  bool trace = false;
  ArgReader reader(args);
  while (!reader.done()) {
    std::string option = reader.next();
    if (option == "--image") imagePath = reader.value(option);
    else if (option == "--port") portPath = reader.value(option);
    else if (option == "--from") from = addressOption(reader, option);
    else if (option == "--to") to = addressOption(reader, option);
    else if (option == "--trace") trace = true;
    else throw UsageError{"dump: unknown argument '" + option + "'"};
  }
  if (imagePath.has_value() == portPath.has_value())
    throw UsageError{"dump reads either --image FILE or --port DEVICE"};
  if (from > to) throw UsageError{"dump: --from lies after --to"};

  int status = kExitOk;
  std::string error;
  std::unique_ptr<PanelSource> panel = PanelSource::open(imagePath, portPath, status, error);
  if (!panel) return fail(status, error);


  memBlockCls image;
  image.Clear(kPanelImageSize, devicePanel);
  for (int32_t address = from; address <= to; ++address) image.peekByte(address);
  panel.reset();

  std::string listing = image.memDebugListing(true);
  std::fwrite(listing.data(), 1, listing.size(), stdout);
  std::fflush(stdout);
  if (trace) {
    const std::string& text = Rs232Lab::instance().text();
    std::fwrite(text.data(), 1, text.size(), stderr);
  }
  if (image.memCommError())
    return fail(kExitDevice, "could not read every block from " + (portPath ? *portPath : *imagePath));
  return kExitOk;
}

CommandRegistration registration(
    "dump", "dump   (--image FILE | --port DEVICE) [--from ADDR --to ADDR] [--trace]   memory listing of a panel",
    runDump);

}  // namespace
}  // namespace cli
