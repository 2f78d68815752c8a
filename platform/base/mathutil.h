#pragma once
// Integer and rounding helpers with the original platform's rules.
#include <cmath>
#include <cstdint>

namespace qd {

// Multiply then divide with a 64-bit intermediate; halves round away from zero;
// -1 for a zero divisor or a result outside 32 bits.
int32_t MulDiv(int32_t number, int32_t numerator, int32_t denominator);

// Round to nearest, ties to even (the processor's default mode).
int64_t Round(double x);
// Round toward zero.
int64_t Trunc(double x);
// Round to nearest, halves away from zero.
int64_t RoundHalfAway(double x);

// Wraps a 64-bit value to 32 bits the way 32-bit two's complement arithmetic does.
inline int32_t Wrap32(int64_t v) {
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v)));
}

}  // namespace qd
