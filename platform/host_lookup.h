// HostLookup: the machine's own host name and IPv4 name resolution.
//
// Failures are reported as a non-zero number: the resolver's error code (getaddrinfo's EAI_*
// values, negative here), or errno when the system call itself failed. Tests install a
// double to script answers and failures.
#pragma once

#include <string>

namespace platform {

class HostLookup {
 public:
  virtual ~HostLookup() = default;
  // This machine's host name; 0 on success, otherwise the error number.
  virtual int localHostName(std::string& name) = 0;
  // The bytes (network order) of the first IPv4 address of name; 0 on success, otherwise the
  // error number. A name with a NUL inside resolves nothing.
  virtual int resolveIPv4(const std::string& name, std::string& address) = 0;
};

// The lookup in use: the system's unless a test installed another.
HostLookup& hostLookup();
// Installs a lookup for the whole program (tests); nullptr restores the system's.
void installHostLookup(HostLookup* lookup);

}  // namespace platform
