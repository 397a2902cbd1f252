#include "common/base64.h"

#include <gtest/gtest.h>

namespace {

using base64::decodeBase64;
using base64::encodeBase64;

std::string allBytes() {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
  return bytes;
}

TEST(Base64, StandardVectorsRoundTrip) {
  struct Case {
    std::string text;
    std::string encoded;
  } cases[] = {
      {"", ""},
      {"f", "Zg=="},
      {"fo", "Zm8="},
      {"foo", "Zm9v"},
      {"foob", "Zm9vYg=="},
      {"fooba", "Zm9vYmE="},
      {"foobar", "Zm9vYmFy"},
      {"admin:secret", "YWRtaW46c2VjcmV0"},
      {std::string("\0\xff\x80", 3), "AP+A"},
      {std::string("\xfb\xff", 2), "+/8="},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.encoded, encodeBase64(c.text)) << c.text;
    EXPECT_EQ(c.text, decodeBase64(c.encoded)) << c.encoded;
  }
  EXPECT_EQ(allBytes(), decodeBase64(encodeBase64(allBytes())));
}

TEST(Base64, LinesOf76WithoutTrailingLineEnd) {
  struct Case {
    size_t bytes;
    size_t length;
    std::vector<size_t> lineEnds;  // positions of the CR LF pairs
  } cases[] = {
      {57, 76, {}},           {58, 82, {76}},          {114, 154, {76}},
      {115, 160, {76, 154}},  {171, 232, {76, 154}},   {56, 76, {}},
  };
  for (const Case& c : cases) {
    std::string encoded = encodeBase64(std::string(c.bytes, 'x'));
    EXPECT_EQ(c.length, encoded.size()) << c.bytes;
    std::vector<size_t> lineEnds;
    for (size_t at = encoded.find("\r\n"); at != std::string::npos;
         at = encoded.find("\r\n", at + 2)) {
      lineEnds.push_back(at);
    }
    EXPECT_EQ(c.lineEnds, lineEnds) << c.bytes;
    EXPECT_EQ(std::string(c.bytes, 'x'), decodeBase64(encoded)) << c.bytes;
  }
  EXPECT_EQ("\r\neA==", encodeBase64(std::string(58, 'x')).substr(76));
}

TEST(Base64, DecoderForgivesWhatTheEncoderNeverWrites) {
  struct Case {
    std::string encoded;
    std::string text;
  } cases[] = {
      {"Zm9v\r\nYmFy", "foobar"},
      {"Zm\r\n9vYmFy", "foobar"},
      {"Z=m9=v", "foo"},
      {"====", ""},
      {"=", ""},
      {"\r\n", ""},
      {"Zm9vY", "foo"},        // a lone value left over gives nothing
      {"Zm9vYg", "foob"},      // two values give one byte
      {"Zm9vYmE", "fooba"},    // three values give two
      {" m9v", std::string("\x02\x6f\x6f", 3)},  // a blank reads as 0 and keeps its place
      {"Zm9v\nYmFy", std::string("foo\x01\x89\x85", 6)},  // a lone LF is not a line end
  };
  for (const Case& c : cases) EXPECT_EQ(c.text, decodeBase64(c.encoded)) << c.encoded;
}

}  // namespace
