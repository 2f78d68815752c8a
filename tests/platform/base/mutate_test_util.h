#pragma once
// Deterministic random mutations of valid files, for fixed-seed robustness tests of readers:
// bit flips, interesting and random bytes, truncation, inserted and removed bytes, and large
// numbers written over 16- or 32-bit fields.
#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

namespace qd::testing {

inline void Mutate(std::vector<uint8_t>& data, std::mt19937& rng) {
  auto pick = [&](size_t n) { return size_t(std::uniform_int_distribution<size_t>(0, n - 1)(rng)); };
  static const uint8_t kInteresting[] = {0, 1, 0x7F, 0x80, 0xFF, 0xFE, 0x10, 0x40};
  const int edits = 1 + int(pick(4));
  for (int e = 0; e < edits && !data.empty(); ++e) {
    switch (pick(7)) {
      case 0:
        data[pick(data.size())] ^= uint8_t(1u << pick(8));
        break;
      case 1:
        data[pick(data.size())] = kInteresting[pick(sizeof kInteresting)];
        break;
      case 2:
        data[pick(data.size())] = uint8_t(rng());
        break;
      case 3:
        data.resize(pick(data.size()) + 1);
        break;
      case 4:
        data.insert(data.begin() + std::ptrdiff_t(pick(data.size())), uint8_t(rng()));
        break;
      case 5:
        data.erase(data.begin() + std::ptrdiff_t(pick(data.size())));
        break;
      case 6: {  // a large number over a 16- or 32-bit field
        const size_t at = pick(data.size());
        const int width = pick(2) ? 2 : 4;
        for (int k = 0; k < width && at + size_t(k) < data.size(); ++k)
          data[at + size_t(k)] = uint8_t(rng() | 0x80);
        break;
      }
    }
  }
}

}  // namespace qd::testing
