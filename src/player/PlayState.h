// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace zv {

// State of the engine of one opened recording.
enum PlayState : int32_t {
  Running = 0,   // the pipeline plays
  Paused = 1,    // the pipeline is paused
  Stopped = 2,   // the pipeline is built and stopped (also after a teardown)
  NoGraph = 3,   // no pipeline has been built for this engine
};

// Result codes of the engine's operations: 0 is success, negative is failure.
inline constexpr int32_t S_OK = 0;
inline constexpr int32_t E_POINTER = static_cast<int32_t>(0x80004003);
inline constexpr int32_t E_FAIL = static_cast<int32_t>(0x80004005);
inline constexpr int32_t VFW_E_WRONG_STATE = static_cast<int32_t>(0x80040227);
inline constexpr int32_t REGDB_E_CLASSNOTREG = static_cast<int32_t>(0x80040154);
inline constexpr int32_t kNotReady = -1;

// Engine times are counts of 100-nanosecond units.
inline constexpr int64_t kUnitsPerMs = 10000;

}  // namespace zv
