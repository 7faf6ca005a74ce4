#pragma once

// Index of one of the three configurable bells: 0 rings at every interval and rest end,
// 2 at the automatic stop, 1 is stored but never rung.
using BellSlot = int;

inline constexpr int BellSlotCount = 3;
