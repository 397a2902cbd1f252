// The version of this configuration utility (major, minor, revision). The file library looks
// for the help file of this major and minor version and for installers of a newer version.
#pragma once

#include <cstdint>

namespace VXCommon {

inline constexpr int16_t kUtilityMajor = 1;
inline constexpr int16_t kUtilityMinor = 0;
inline constexpr int16_t kUtilityRevision = 0;

}  // namespace VXCommon
