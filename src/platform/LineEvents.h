#pragma once

// The codes a serial line's notification carries.
namespace line {

// Characters have been received.
inline constexpr int kEventReceive = 2;

} // namespace line
