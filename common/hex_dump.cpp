#include "common/hex_dump.h"

#include <vector>

#include "common/hex_text.h"

namespace VXCommon {

namespace {

constexpr int32_t kBytesPerLine = 16;
constexpr int32_t kBytesPerBlock = 64;

bool isShownAsItself(int32_t code) { return code >= 32 && code <= 128; }

const char* markerFor(int16_t direction) {
  switch (direction) {
    case 1: return "<-";
    case 2: return "->";
    default: return "";
  }
}

// byteAt(i) gives byte i (0-based) of `count` bytes.
template <class ByteAt>
std::string dumpBytes(int32_t count, int16_t direction, const FlagList* blockFlags,
                      ByteAt byteAt) {
  const std::string marker = markerFor(direction);
  std::string out;
  out.reserve(size_t(count / kBytesPerLine + 1) * (marker.size() + 80));
  std::string hexColumn;
  std::string charColumn;
  auto emitLine = [&](int32_t offset, int32_t missing) {
    out += marker;
    out += hex4Str(offset);
    out += "   ";
    out += hexColumn;
    out += "  ";
    out.append(size_t(missing) * 3, ' ');
    out += charColumn;
    out += "\r\n";
    hexColumn.clear();
    charColumn.clear();
  };
  for (int32_t i = 1; i <= count; ++i) {
    if (blockFlags) {
      int32_t block = (i - 1) / kBytesPerBlock + 1;
      if (!blockFlags->contains(block) || !blockFlags->at(block)) continue;
    }
    int32_t b = byteAt(i - 1);
    hexColumn += hex2Str(int16_t(b));
    hexColumn += ' ';
    charColumn += isShownAsItself(b) ? char(b) : '.';
    if (i % kBytesPerLine == 0) emitLine(i - kBytesPerLine, 0);
  }
  if (!hexColumn.empty()) {
    int32_t shown = count % kBytesPerLine;
    emitLine(kBytesPerLine * (count / kBytesPerLine), kBytesPerLine - shown);
  }
  return out;
}

}  // namespace

std::string hexDump(std::string_view data, int16_t direction, const FlagList* blockFlags) {
  return dumpBytes(int32_t(data.size()), direction, blockFlags,
                   [&](int32_t i) { return int32_t(static_cast<unsigned char>(data[size_t(i)])); });
}

std::string hexDump(const Variant& data, int16_t direction, const FlagList* blockFlags) {
  if (data.isString()) return hexDump(std::string_view(data.toText()), direction, blockFlags);
  if (!data.isArray()) return "";
  const int32_t count = data.ubound() < 1 ? 0 : data.ubound();
  std::vector<int16_t> values;
  values.reserve(size_t(count));
  for (int32_t i = 1; i <= count; ++i) values.push_back(data.at(i).toInt16());
  return dumpBytes(count, direction, blockFlags, [&](int32_t i) { return int32_t(values[size_t(i)]); });
}

std::string quoteCodeString(std::string_view bytes) {
  std::string out = "\"";
  bool inRun = false;
  bool anyWritten = false;
  for (unsigned char c : bytes) {
    anyWritten = true;
    if (isShownAsItself(c)) {
      if (!inRun) out += '\'';
      inRun = true;
      out += char(c);
    } else {
      if (inRun) out += "',";
      inRun = false;
      out += '$';
      out += hex2Str(int16_t(c));
      out += ',';
    }
  }
  if (inRun) out += '\'';
  else if (anyWritten) out.pop_back();  // the comma after the last "$HH"
  out += '"';
  return out;
}

}  // namespace VXCommon

