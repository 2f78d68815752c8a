#include "ui/core/dxHash.h"

#include <array>

namespace qd {

namespace {

constexpr std::array<uint32_t, 256> MakeCRC32Table() {
  std::array<uint32_t, 256> t{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    t[i] = c;
  }
  return t;
}

constexpr std::array<uint32_t, 256> CRC32Table = MakeCRC32Table();

constexpr uint32_t Rot(uint32_t x, int k) {
  return (x << k) | (x >> (32 - k));
}

inline void Mix(uint32_t& a, uint32_t& b, uint32_t& c) {
  a -= c;
  a ^= Rot(c, 4);
  c += b;
  b -= a;
  b ^= Rot(a, 6);
  a += c;
  c -= b;
  c ^= Rot(b, 8);
  b += a;
  a -= c;
  a ^= Rot(c, 16);
  c += b;
  b -= a;
  b ^= Rot(a, 19);
  a += c;
  c -= b;
  c ^= Rot(b, 4);
  b += a;
}

inline void Final(uint32_t& a, uint32_t& b, uint32_t& c) {
  c ^= b;
  c -= Rot(b, 14);
  a ^= c;
  a -= Rot(c, 11);
  b ^= a;
  b -= Rot(a, 25);
  c ^= b;
  c -= Rot(b, 16);
  a ^= c;
  a -= Rot(c, 4);
  b ^= a;
  b -= Rot(a, 14);
  c ^= b;
  c -= Rot(b, 24);
}

inline uint32_t Word(const uint8_t* k, size_t n) {
  uint32_t w = 0;
  for (size_t i = 0; i < n; ++i) w |= static_cast<uint32_t>(k[i]) << (8 * i);
  return w;
}

}  // namespace

uint32_t dxCRC32(const void* AData, size_t ACount, uint32_t ARegister) {
  const auto* p = static_cast<const uint8_t*>(AData);
  uint32_t c = ARegister;
  for (size_t i = 0; i < ACount; ++i) c = CRC32Table[(c ^ p[i]) & 0xFF] ^ (c >> 8);
  return c;
}

uint32_t dxCRC32(const void* AData, size_t ACount) {
  return ~dxCRC32(AData, ACount, 0xFFFFFFFFu);
}

uint32_t dxBobJenkinsHash(const void* AData, size_t ALength, uint32_t AInitialValue) {
  const auto* k = static_cast<const uint8_t*>(AData);
  uint32_t a, b, c;
  a = b = c = 0xDEADBEEFu + static_cast<uint32_t>(ALength) + AInitialValue;
  size_t length = ALength;
  while (length > 12) {
    a += Word(k, 4);
    b += Word(k + 4, 4);
    c += Word(k + 8, 4);
    Mix(a, b, c);
    length -= 12;
    k += 12;
  }
  if (length == 0) return c;
  // The last block, zero-padded: bytes 0-3 go to a, 4-7 to b, 8-11 to c.
  a += Word(k, length < 4 ? length : 4);
  if (length > 4) b += Word(k + 4, length < 8 ? length - 4 : 4);
  if (length > 8) c += Word(k + 8, length - 8);
  Final(a, b, c);
  return c;
}

uint32_t dxDotNetHash(const void* AData, int32_t ALength) {
  const auto* p = static_cast<const uint8_t*>(AData);
  uint32_t h = static_cast<uint32_t>(ALength);
  for (int32_t i = 0; i < ALength; ++i) h = (h << 7) ^ p[i];
  h -= h >> 17;
  h -= h >> 11;
  h -= h >> 5;
  return h;
}

}  // namespace qd
