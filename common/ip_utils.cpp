// Host-name lookup through the platform's resolver.
#include "common/ip_utils.h"

#include <cstdio>

#include "platform/host_lookup.h"

namespace IPUtils {

namespace {

constexpr size_t kMaxHostNameLength = 256;

std::string trimBlanks(const std::string& text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

// A blank stands before the number's digits, its minus sign in that place when negative.
std::string socketsErrorText(int number) {
  std::string digits = number < 0 ? std::to_string(number) : " " + std::to_string(number);
  return "Windows Sockets error " + digits +
         " has occurred. Unable to successfully get Host Name.\r\n";
}

std::string dottedThreeDigits(const std::string& addressBytes) {
  std::string dotted;
  for (unsigned char byte : addressBytes) {
    char part[4];
    std::snprintf(part, sizeof part, "%03u", static_cast<unsigned>(byte));
    if (!dotted.empty()) dotted += '.';
    dotted += part;
  }
  return dotted;
}

}  // namespace

bool socketsStartup(std::string& errText) { return true; }

void socketsCleanup() {}

std::string getIPAddress(const std::string& hostName, std::string& errText) {
  if (!socketsStartup(errText)) return "";

  platform::HostLookup& lookup = platform::currentHostLookup();
  std::string name = trimBlanks(hostName).substr(0, kMaxHostNameLength);
  std::string result;
  int error = 0;
  if (name.empty()) error = lookup.localHostName(name);
  std::string addressBytes;
  if (error == 0) error = lookup.resolveIPv4(name, addressBytes);
  if (error != 0) {
    errText = socketsErrorText(error);
  } else {
    result = dottedThreeDigits(addressBytes);
  }

  socketsCleanup();
  return result;
}

uint8_t loByte(uint16_t word) { return static_cast<uint8_t>(word & 0xFF); }
uint8_t hiByte(uint16_t word) { return static_cast<uint8_t>(word >> 8); }

}  // namespace IPUtils
