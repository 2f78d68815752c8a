#include "platform/base/mathutil.h"

#include <cfenv>
#include <limits>

namespace qd {

int32_t MulDiv(int32_t number, int32_t numerator, int32_t denominator) {
  if (denominator == 0) return -1;
  int64_t product = static_cast<int64_t>(number) * numerator;
  int64_t d = denominator;
  bool negative = (product < 0) != (d < 0);
  uint64_t ap = product < 0 ? static_cast<uint64_t>(-(product + 1)) + 1 : static_cast<uint64_t>(product);
  uint64_t ad = d < 0 ? static_cast<uint64_t>(-d) : static_cast<uint64_t>(d);
  uint64_t q = ap / ad;
  uint64_t r = ap % ad;
  if (r * 2 >= ad) ++q;
  if (q > static_cast<uint64_t>(std::numeric_limits<int32_t>::max()) + (negative ? 1u : 0u)) return -1;
  int64_t result = negative ? -static_cast<int64_t>(q) : static_cast<int64_t>(q);
  return static_cast<int32_t>(result);
}

int64_t Round(double x) {
  return static_cast<int64_t>(std::nearbyint(x));
}

int64_t Trunc(double x) {
  return static_cast<int64_t>(std::trunc(x));
}

int64_t RoundHalfAway(double x) {
  return static_cast<int64_t>(std::round(x));
}

}  // namespace qd
