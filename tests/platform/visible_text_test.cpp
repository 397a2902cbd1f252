// What a message shows of the bytes of a name or a text: each byte a terminal could act on, in
// ASCII or in UTF-8, and each byte of no well-formed UTF-8 sequence, escaped; other UTF-8 text
// as it is.
#include "platform/visible_text.h"

#include <gtest/gtest.h>

namespace {

TEST(VisibleText, EscapesControlsAndMalformedUtf8Only) {
  const struct {
    std::string bytes, shown;
  } cases[] = {
      {"plain\ttext ~", "plain\ttext ~"},
      {std::string("\x00\x1B[2J\r\n\x7F", 8), "\\x00\\x1B[2J\\x0D\\x0A\\x7F"},
      {"caf\xC3\xA9 \xC5\x91 \xE2\x82\xAC \xF0\x9F\x98\x80", "caf\xC3\xA9 \xC5\x91 \xE2\x82\xAC \xF0\x9F\x98\x80"},
      {"\xC2\xA0\xDF\xBF\xEF\xBF\xBF\xF4\x8F\xBF\xBF", "\xC2\xA0\xDF\xBF\xEF\xBF\xBF\xF4\x8F\xBF\xBF"},  // edges
      {"a\xC2\x9B" "2J\xC2\x80\xC2\x9F", "a\\xC2\\x9B2J\\xC2\\x80\\xC2\\x9F"},  // C1 controls in UTF-8
      {"\x9B\x80\xBF\xFF", "\\x9B\\x80\\xBF\\xFF"},                           // lone bytes
      {"\xC0\xAF\xC1\xBF\xE0\x9F\xBF\xF0\x8F\xBF\xBF", "\\xC0\\xAF\\xC1\\xBF\\xE0\\x9F\\xBF\\xF0\\x8F\\xBF\\xBF"},  // overlong
      {"\xED\xA0\x80\xED\x9F\xBF", "\\xED\\xA0\\x80\xED\x9F\xBF"},  // a surrogate, then U+D7FF
      {"\xF4\x90\x80\x80\xF5\x80\x80\x80", "\\xF4\\x90\\x80\\x80\\xF5\\x80\\x80\\x80"},  // past U+10FFFF
      {"\xE2\x82" "A\xF0\x9F\x98", "\\xE2\\x82A\\xF0\\x9F\\x98"},  // cut short, before text and at the end
      {"\xC3\xC3\xA9", "\\xC3\xC3\xA9"},                           // a lead byte before a whole sequence
  };
  for (const auto& c : cases) EXPECT_EQ(platform::visibleText(c.bytes), c.shown) << c.shown;
}

}  // namespace
