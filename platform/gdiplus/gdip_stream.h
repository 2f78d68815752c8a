#pragma once
// A byte stream over memory for the GDI+ calls that take an IStream (the class library's
// adapter over a TStream is in platform/classes/stream_adapter.h).
#include <cstdint>
#include <span>
#include <vector>

#include "platform/gdiplus/gdiplus.h"

namespace qd::gdiplus {

// A growable stream over its own bytes (optionally filled at creation).
class MemoryStream : public IStream {
 public:
  MemoryStream() = default;
  explicit MemoryStream(std::span<const uint8_t> bytes) : data_(bytes.begin(), bytes.end()) {}
  HRESULT Read(void* buffer, ULONG count, ULONG* read) override;
  HRESULT Write(const void* buffer, ULONG count, ULONG* written) override;
  HRESULT Seek(int64_t move, DWORD origin, uint64_t* newPosition) override;
  HRESULT Stat(STATSTG* stat, DWORD flags) override;
  const std::vector<uint8_t>& Bytes() const { return data_; }
  uint64_t Position() const { return pos_; }

 private:
  std::vector<uint8_t> data_;
  uint64_t pos_ = 0;
};

}  // namespace qd::gdiplus
