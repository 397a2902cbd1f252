// HostLookup: the machine's own host name and IPv4 name resolution.
//
// Failures are reported as a non-zero number: the resolver's error code (getaddrinfo's EAI_*
// values, negative here), or errno when the system call itself failed. Tests install a
// double to script answers and failures.
#pragma once

#include <functional>
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

// gethostname and getaddrinfo.
class SystemHostLookup : public HostLookup {
 public:
  int localHostName(std::string& name) override;
  int resolveIPv4(const std::string& name, std::string& address) override;
};

// An empty provider restores the system's lookup.
void installHostLookup(std::function<HostLookup&()> provider);
HostLookup& currentHostLookup();

}  // namespace platform
