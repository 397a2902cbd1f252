// IPUtils: host-name lookup for the network page.
//
// getIPAddress answers the first IPv4 address of a name as dotted text with three digits per
// byte ("192.168.001.010"), or "" with the reason in errText. The sockets start-up and
// clean-up are kept for the callers' sake; on this platform they always succeed.
#pragma once

#include <cstdint>
#include <string>

namespace IPUtils {

// The name is trimmed of blanks and cut to 256 characters; an empty name asks for the local
// host's own name. Failures end in "" and a reason in errText; nothing is raised.
std::string getIPAddress(const std::string& hostName, std::string& errText);

bool socketsStartup(std::string& errText);
void socketsCleanup();

// The bytes of a version word: the low byte is the major number, the high byte the minor.
uint8_t loByte(uint16_t word);
uint8_t hiByte(uint16_t word);

}  // namespace IPUtils
