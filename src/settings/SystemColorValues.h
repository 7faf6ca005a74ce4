#pragma once

#include <cstdint>

// Stored colour values that name a system colour (0x800000nn) rather than a fixed one.
namespace SystemColor {
inline constexpr std::int32_t WindowBackground = static_cast<std::int32_t>(0x80000005u);
inline constexpr std::int32_t WindowText = static_cast<std::int32_t>(0x80000008u);
inline constexpr std::int32_t ButtonFace = static_cast<std::int32_t>(0x8000000Fu);
inline constexpr std::int32_t GrayText = static_cast<std::int32_t>(0x80000010u);
}  // namespace SystemColor
