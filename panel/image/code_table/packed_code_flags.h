// PackedCodeFlags: the codes a panel's packed code table names and the flags byte it holds for
// each (bit 0 hidden, bit 1 selection), read back through the panel's image.
//
// The packer (code_table_v789.h) writes the names and the codes in definition order and gives
// every code at least one index position, so the codes' addresses are the distinct non-zero
// index words, ascending, one per name; a code's flags byte is its entry's third byte. The
// reader peeks at the delay-table address, the index words, the name count, the name-address
// words, the names and the flags bytes, in that order, so that their blocks are fetched and
// listed. It follows an address only when what it reads there lies inside the image, and it
// stops at the first place where the region is not laid out as the packer lays it out: a
// damaged region gives its fault, never a peek outside the image.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class memBlockCls;

class PackedCodeFlags {
 public:
  struct Code {
    std::string name;
    int16_t flags = 0;
  };

  // Reads the region that starts at `start`.
  static PackedCodeFlags read(memBlockCls& image, int32_t start);
  // A region for a rule set that places no code table.
  static PackedCodeFlags missing(const std::string& fault) { return PackedCodeFlags(fault); }

  // Why the region could not be read ("its name count $05 ..."); empty when it was.
  const std::string& fault() const { return fault_; }
  // The codes in definition order; empty when the region could not be read.
  const std::vector<Code>& codes() const { return codes_; }
  // The names of the codes whose flags byte has the bit, in definition order.
  std::vector<std::string> namesFlagged(int16_t bit) const;

 private:
  explicit PackedCodeFlags(std::string fault = std::string()) : fault_(std::move(fault)) {}

  std::string fault_;
  std::vector<Code> codes_;
};
