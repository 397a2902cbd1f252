// BlockFetchFailure: why the serial line could not read a block, kept by frmCommAccess for the
// program to tell the installer at the panel: what each of the requests got (no answer, the
// device's refusal "!?", a reply shorter than expected, a wrong checksum), or that no request
// could be made at all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct BlockFetchFailure {
  enum class Outcome { notSent, noAnswer, refused, shortReply, badChecksum };
  struct Attempt {
    Outcome outcome = Outcome::noAnswer;
    size_t received = 0, expected = 0;  // bytes of a short reply, and of a whole one
    bool operator==(const Attempt&) const = default;
  };

  int32_t blocknum = -1;          // -1: no fetch has failed
  int16_t deviceID = 0;
  bool portOpen = true;           // false: no serial port was open
  std::vector<Attempt> attempts;  // in order; none with a port open: the device has no such block

  bool failed() const { return blocknum >= 0; }
  // Why, in words: "no answer at each of 4 attempts"; when the attempts got different things,
  // "at 4 attempts: no answer, a short reply (32 of 65 bytes), ...".
  std::string text() const;
};
