// Base64 both ways on arbitrary bytes: the encoding of any bytes is lines of at most 76
// characters of the alphabet and "=", joined by CR LF, and decodes to the same bytes; the
// decoding of any text returns, giving at most three bytes for every four characters.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/base64.h"

namespace {

bool isEncodingCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' ||
         c == '/' || c == '=';
}

// Lines of the alphabet, each full but the last, with CR LF between them and none at the end.
bool wellFormed(const std::string& encoded) {
  size_t lineStart = 0;
  for (size_t at = 0; at < encoded.size(); ++at) {
    if (encoded[at] == '\r') {
      if (at - lineStart != 76 || at + 2 >= encoded.size() || encoded[at + 1] != '\n') return false;
      lineStart = at + 2;
      ++at;
    } else if (!isEncodingCharacter(encoded[at])) {
      return false;
    }
  }
  return encoded.size() - lineStart <= 76;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  const std::string encoded = base64::encodeBase64(bytes);
  if (!wellFormed(encoded)) std::abort();
  if ((encoded.size() - 2 * (encoded.size() / 78)) != 4 * ((size + 2) / 3)) std::abort();
  if (base64::decodeBase64(encoded) != bytes) std::abort();

  const std::string decoded = base64::decodeBase64(bytes);
  if (decoded.size() > 3 * (size / 4) + 2) std::abort();
  return 0;
}
