#include "common/base64.h"

#include <gtest/gtest.h>

namespace {

using base64::decodeBase64;
using base64::encodeBase64;

TEST(Base64, StandardVectorsRoundTrip) {
  std::string allBytes;
  for (int i = 0; i < 256; ++i) allBytes += static_cast<char>(i);
  EXPECT_EQ(allBytes, decodeBase64(encodeBase64(allBytes)));
  std::pair<std::string, std::string> cases[] = {
      {"", ""},         {"f", "Zg=="},        {"fo", "Zm8="},         {"foo", "Zm9v"},
      {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"}, {"\xfb\xff", "+/8="},
  };
  for (const auto& [text, encoded] : cases) {
    EXPECT_EQ(encoded, encodeBase64(text)) << text;
    EXPECT_EQ(text, decodeBase64(encoded)) << encoded;
  }
}

TEST(Base64, LinesOf76WithoutTrailingLineEnd) {
  struct Case { size_t bytes, length; std::vector<size_t> lineEnds; } cases[] = {
      {57, 76, {}}, {58, 82, {76}}, {114, 154, {76}}, {115, 160, {76, 154}}};
  for (const Case& c : cases) {
    std::string encoded = encodeBase64(std::string(c.bytes, 'x'));
    EXPECT_EQ(c.length, encoded.size()) << c.bytes;
    std::vector<size_t> lineEnds;
    for (size_t at = encoded.find("\r\n"); at != std::string::npos; at = encoded.find("\r\n", at + 2))
      lineEnds.push_back(at);
    EXPECT_EQ(c.lineEnds, lineEnds) << c.bytes;
    EXPECT_EQ(std::string(c.bytes, 'x'), decodeBase64(encoded)) << c.bytes;
  }
  EXPECT_EQ("\r\neA==", encodeBase64(std::string(58, 'x')).substr(76));
}

TEST(Base64, DecoderForgivesWhatTheEncoderNeverWrites) {
  std::pair<std::string, std::string> cases[] = {
      {"Zm\r\n9vYmFy", "foobar"}, {"Z=m9=v", "foo"}, {"Zm9vYg", "foob"}, {"Zm9vYmE", "fooba"},
      {"Zm9vY", "foo"},                   // a lone value left over gives nothing
      {" m9v", "\x02oo"},                 // a blank reads as 0 and keeps its place
      {"Zm9v\nYmFy", "foo\x01\x89\x85"},  // a lone LF is not a line end
  };
  for (const auto& [encoded, text] : cases) EXPECT_EQ(text, decodeBase64(encoded)) << encoded;
}

}  // namespace
