#pragma once

#include <bit>
#include <cstdint>

namespace fuzz {

// A broken promise stops the fuzzer where it stands, with the input that broke it.
inline void Require(bool condition) {
    if (!condition)
        __builtin_trap();
}

// Bit for bit, and any NaN matching any NaN.
inline bool SameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b) || (a != a && b != b);
}

} // namespace fuzz
