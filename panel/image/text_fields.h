// Text fields of the panel image: length-prefixed texts, alone (the driver name, the reply
// pattern) or four behind their pointers (the legend tables). The rule sets give such a field
// no width: it runs from its address up to the next address that any rule of its set starts at
// (the image's end after the last), since a text running further would be cut by that rule.
// Every text field that its text does not fit says so in the same words.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "panel/model/mem_rule_set.h"

namespace TextFields {

// The first address past the field at `start`: the lowest address above it that a rule of the
// set starts at; the image's end when none does.
int32_t fieldEnd(const MemRuleSet& rules, int32_t start);

// The bytes a length-prefixed text takes: its length byte and its characters.
int32_t lengthPrefixedBytes(std::string_view text);

// "1 byte", "N bytes".
std::string bytesText(int32_t count);

// The error line of the field from `start` up to `end` (exclusive) whose texts need `needed`
// bytes where it holds `room`: "<remark> - the text of <owner> needs N bytes with its length
// byte, but its field $SSSS-$EEEE holds M", or with `several` "the texts of <owner> need N
// bytes with their length bytes, ...". `owner` is written as given ("'PROJ-DRIVER-NAME'").
std::string tooLongLine(const std::string& remark, const std::string& owner, bool several,
                        int32_t needed, int32_t start, int32_t end, int32_t room);

}  // namespace TextFields
