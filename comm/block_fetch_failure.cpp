#include "comm/block_fetch_failure.h"

#include <algorithm>

#include "common/device_id.h"

namespace {

std::string outcomeText(const BlockFetchFailure::Attempt& attempt, int16_t deviceID) {
  using Outcome = BlockFetchFailure::Outcome;
  switch (attempt.outcome) {
    case Outcome::notSent: return "the request could not be sent";
    case Outcome::noAnswer: return "no answer";
    case Outcome::refused:
      return std::string(deviceID == devicePanel ? "the panel's" : "the device's") + " refusal \"!?\"";
    case Outcome::shortReply:
      return "a short reply (" + std::to_string(attempt.received) + " of " + std::to_string(attempt.expected) +
             " bytes)";
    case Outcome::badChecksum: return "a wrong checksum";
  }
  return "";
}

}  // namespace

std::string BlockFetchFailure::text() const {
  if (!portOpen) return "no serial port is open";
  if (attempts.empty()) return "the device has no such block";
  const std::string count = std::to_string(attempts.size()) + " attempts";  // always several
  if (std::all_of(attempts.begin(), attempts.end(), [this](const Attempt& a) { return a == attempts.front(); }))
    return outcomeText(attempts.front(), deviceID) + " at each of " + count;
  std::string text = "at " + count + ": ";
  for (size_t i = 0; i < attempts.size(); ++i) text += (i > 0 ? ", " : "") + outcomeText(attempts[i], deviceID);
  return text;
}
