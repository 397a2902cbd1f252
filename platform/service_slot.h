// ServiceSlot: how the program reaches one platform service and how tests replace it.
//
// Each service has one slot holding a provider function; without a provider the slot hands
// out the real POSIX implementation. Tests install a provider that returns their double and
// install an empty one to go back to the real service.
#pragma once

#include <functional>

namespace platform {

template <class Service, class Real>
class ServiceSlot {
 public:
  // Returns the provider installed before, so a caller can put it back.
  std::function<Service&()> install(std::function<Service&()> provider) {
    std::swap(provider_, provider);
    return provider;
  }
  Service& current() {
    if (provider_) return provider_();
    static Real real;
    return real;
  }

 private:
  std::function<Service&()> provider_;
};

}  // namespace platform
