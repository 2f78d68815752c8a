#pragma once
// Small hash functions: CRC-32, Bob Jenkins' lookup3 and the .NET-style byte hash.
#include <cstddef>
#include <cstdint>

namespace qd {

// The standard CRC-32 (reflected IEEE 802.3 polynomial), as zlib's crc32.
uint32_t dxCRC32(const void* AData, size_t ACount);
// One update step of a running CRC-32 register (no initial value, no final complement):
// dxCRC32(p, n) == ~dxCRC32(p, n, 0xFFFFFFFF).
uint32_t dxCRC32(const void* AData, size_t ACount, uint32_t ARegister);

// Bob Jenkins' lookup3 hash (hashlittle).
uint32_t dxBobJenkinsHash(const void* AData, size_t ALength, uint32_t AInitialValue);

// h = length; h = (h << 7) xor byte for every byte; then h -= h >> 17, h >> 11, h >> 5.
uint32_t dxDotNetHash(const void* AData, int32_t ALength);

}  // namespace qd
