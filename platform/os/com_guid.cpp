// New GUIDs: random version-4 identifiers from a generator seeded once per process.
#include <mutex>
#include <random>

#include "platform/os/objidl.h"

namespace qd {

HRESULT CoCreateGuid(GUID* guid) {
  if (!guid) return E_INVALIDARG;
  static std::mutex lock;
  static std::mt19937_64 generator{std::random_device{}()};
  uint64_t hi, lo;
  {
    std::lock_guard<std::mutex> g(lock);
    hi = generator();
    lo = generator();
  }
  guid->Data1 = static_cast<uint32_t>(hi >> 32);
  guid->Data2 = static_cast<uint16_t>(hi >> 16);
  guid->Data3 = static_cast<uint16_t>((hi & 0x0FFF) | 0x4000);  // version 4
  for (int i = 0; i < 8; ++i) guid->Data4[i] = static_cast<uint8_t>(lo >> (56 - 8 * i));
  guid->Data4[0] = static_cast<uint8_t>((guid->Data4[0] & 0x3F) | 0x80);  // variant 1
  return S_OK;
}

}  // namespace qd
