#include <gtest/gtest.h>

#include "common/memory_image.h"
#include "common/time_codes.h"

namespace {

using VXCommon::encodeDelay;
using VXCommon::kMaxDelayCodeLength;

Decimal D(const char* text) { return *Decimal::parse(text); }

std::string bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out += static_cast<char>(v);
  return out;
}

size_t countOf(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

struct EncodedDelay {
  std::string code;
  std::string listing;
  int16_t errors;
};

EncodedDelay encode(const Decimal& requested) {
  memBlockCls mem;
  mem.Clear(8192, 1);
  std::string code = encodeDelay(mem, requested);
  return {code, mem.memDebugListing(true), mem.memDebugErrors()};
}

TEST(EncodeDelay, BytesForRequestedTimes) {
  struct Case {
    const char* microseconds;
    std::string code;
  } cases[] = {
      {"100", bytes({0x02})},
      {"128", bytes({0x02})},    // 2.5 steps: ties go to the even count
      {"179.2", bytes({0x04})},  // 3.5 steps
      {"3225.6", bytes({0x3F})},
      {"3251.2", bytes({0x60})},  // 63.5 steps already take range 1
      {"6502.3", bytes({0x7F})},
      {"6502.4", bytes({0xA0})},
      {"13004.8", bytes({0xC8})},
      {"103219.2", bytes({0xFF})},
      {"103500", bytes({0xFF, 0x05})},
      {"104038.4", bytes({0xFF, 0x10})},
      {"150000", bytes({0xFF, 0xDD})},
      {"500000", bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xF5})},
      {"-100", bytes({0x02})},
      {"0", bytes({0x00})},
      {"25.6", bytes({0x00})},
      {"25.7", bytes({0x01})},
      // A remainder of half a step or less appends nothing.
      {"103244.8", bytes({0xFF})},
      {"103244.9", bytes({0xFF, 0x01})},
      {"206438.4", bytes({0xFF, 0xFF})},
  };
  for (const Case& c : cases) {
    EncodedDelay got = encode(D(c.microseconds));
    EXPECT_EQ(c.code, got.code) << c.microseconds;
    EXPECT_EQ(c.code.size(), countOf(got.listing, "[I]          delay requested=")) << c.microseconds;
    EXPECT_EQ(0, got.errors) << c.microseconds;
  }
}

TEST(EncodeDelay, LogsEachByteWithItsError) {
  struct Case {
    const char* microseconds;
    std::string log;
  } cases[] = {
      {"100", "[I]          delay requested=100u coerced=102.4u err=-2.3%\r\n"},
      {"150000",
       "[I]          delay requested=150m coerced=103.2192m err=45.3%\r\n"
       "[I]          delay requested=46.7808m coerced=47.5136m err=-1.5%\r\n"},
      {"0", "[I]          delay requested=0u coerced=0u err=0.0%\r\n"},
      {"20", "[I]          delay requested=20u coerced=0u err=0.0%\r\n"},
      {"103219.2", "[I]          delay requested=103.2192m coerced=103.2192m err=0.0%\r\n"},
      {"103230", "[I]          delay requested=103.23m coerced=103.2192m err=0.0%\r\n"},
      // Errors of exactly 0.05 %, 0.15 % and -0.05 %: halves go to even, no "-0.0".
      {"102.4512", "[I]          delay requested=102.4512u coerced=102.4u err=0.0%\r\n"},
      {"102.5536", "[I]          delay requested=102.5536u coerced=102.4u err=0.2%\r\n"},
      {"102.3488", "[I]          delay requested=102.3488u coerced=102.4u err=0.0%\r\n"},
  };
  for (const Case& c : cases) {
    std::string listing = encode(D(c.microseconds)).listing;
    ASSERT_GE(listing.size(), c.log.size()) << c.microseconds;
    EXPECT_EQ(c.log, listing.substr(listing.size() - c.log.size())) << c.microseconds;
  }
}

TEST(EncodeDelay, StopsWithAnErrorBeyondTheCodeTable) {
  const Decimal largestByte = D("103219.2");
  const Decimal longest = largestByte * Decimal(int64_t(kMaxDelayCodeLength));

  EncodedDelay fits = encode(longest);
  EXPECT_EQ(std::string(kMaxDelayCodeLength, '\xFF'), fits.code);
  EXPECT_EQ(0, fits.errors);

  for (const Decimal& tooLong : {longest + Decimal(100), D("1000000000000000000000000000")}) {
    EncodedDelay got = encode(tooLong);
    EXPECT_EQ(kMaxDelayCodeLength + 1, got.code.size());
    EXPECT_EQ(1, got.errors);
    const std::string tail = "[E]Delay too long to encode\r\n";
    EXPECT_EQ(tail, got.listing.substr(got.listing.size() - tail.size()));
  }
}

}  // namespace
