#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/memory_image.h"
#include "common/time_codes.h"

namespace {

using testing::EndsWith;
using VXCommon::kMaxDelayCodeLength;

Decimal D(const char* text) { return *Decimal::parse(text); }

struct EncodedDelay {
  std::string code, listing;
  int16_t errors;
};

EncodedDelay encode(const Decimal& requested) {
  memBlockCls mem;
  mem.Clear(8192, 1);
  std::string code = VXCommon::encodeDelay(mem, requested);
  return {code, mem.memDebugListing(true), mem.memDebugErrors()};
}

TEST(EncodeDelay, BytesForRequestedTimes) {
  std::pair<const char*, std::string> cases[] = {
      {"128", "\x02"}, {"179.2", "\x04"},  // 2.5 and 3.5 steps go to even
      {"3225.6", "\x3F"}, {"3251.2", "\x60"}, {"6502.3", "\x7F"}, {"6502.4", "\xA0"}, {"13004.8", "\xC8"},
      {"103219.2", "\xFF"}, {"103500", "\xFF\x05"}, {"150000", "\xFF\xDD"}, {"500000", "\xFF\xFF\xFF\xFF\xF5"},
      {"-100", "\x02"}, {"0", std::string(1, '\0')}, {"25.6", std::string(1, '\0')}, {"25.7", "\x01"},
      // A chained remainder of half a step or less appends nothing.
      {"103244.8", "\xFF"}, {"103244.9", "\xFF\x01"}, {"206438.4", "\xFF\xFF"},
  };
  for (const auto& [microseconds, code] : cases) {
    EncodedDelay got = encode(D(microseconds));
    EXPECT_EQ(code, got.code) << microseconds;
    size_t entries = 0;
    for (size_t at = 0; (at = got.listing.find("[I]          delay", at)) != std::string::npos; ++at) ++entries;
    EXPECT_EQ(code.size(), entries) << microseconds;
    EXPECT_EQ(0, got.errors) << microseconds;
  }
}

TEST(EncodeDelay, LogsEachByteWithItsError) {
  const std::string head = "[I]          delay requested=";
  std::pair<const char*, std::string> cases[] = {
      {"100", head + "100u coerced=102.4u err=-2.3%\r\n"},
      {"150000", head + "150m coerced=103.2192m err=45.3%\r\n" + head + "46.7808m coerced=47.5136m err=-1.5%\r\n"},
      {"20", head + "20u coerced=0u err=0.0%\r\n"},
      // Errors of exactly 0.05 %, 0.15 % and -0.05 %: halves go to even, no "-0.0".
      {"102.4512", head + "102.4512u coerced=102.4u err=0.0%\r\n"},
      {"102.5536", head + "102.5536u coerced=102.4u err=0.2%\r\n"},
      {"102.3488", head + "102.3488u coerced=102.4u err=0.0%\r\n"},
  };
  for (const auto& [microseconds, log] : cases) EXPECT_THAT(encode(D(microseconds)).listing, EndsWith(log));
}

TEST(EncodeDelay, StopsWithAnErrorBeyondTheCodeTable) {
  const Decimal longest = D("103219.2") * Decimal(int64_t(kMaxDelayCodeLength));
  EncodedDelay fits = encode(longest);
  EXPECT_EQ(std::string(kMaxDelayCodeLength, '\xFF'), fits.code);
  EXPECT_EQ(0, fits.errors);
  for (const Decimal& tooLong : {longest + Decimal(100), D("1000000000000000000000000000")}) {
    EncodedDelay got = encode(tooLong);
    EXPECT_EQ(kMaxDelayCodeLength + 1, got.code.size());
    EXPECT_EQ(1, got.errors);
    EXPECT_THAT(got.listing, EndsWith("[E]Delay too long to encode\r\n"));
  }
}

}  // namespace
