#include "platform/gdiplus/gdip_stream.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace qd::gdiplus {

HRESULT MemoryStream::Read(void* buffer, ULONG count, ULONG* read) {
  if (read) *read = 0;
  if (!buffer && count) return STG_E_INVALIDPOINTER;
  uint64_t avail = pos_ < data_.size() ? data_.size() - pos_ : 0;
  auto n = static_cast<ULONG>(std::min<uint64_t>(avail, count));
  if (n) std::memcpy(buffer, data_.data() + pos_, n);
  pos_ += n;
  if (read) *read = n;
  return S_OK;
}

HRESULT MemoryStream::Write(const void* buffer, ULONG count, ULONG* written) {
  if (written) *written = 0;
  if (!buffer && count) return STG_E_INVALIDPOINTER;
  if (pos_ > std::numeric_limits<uint32_t>::max()) return STG_E_MEDIUMFULL;
  uint64_t end = pos_ + count;
  if (end > data_.size()) data_.resize(static_cast<size_t>(end));
  if (count) std::memcpy(data_.data() + pos_, buffer, count);
  pos_ = end;
  if (written) *written = count;
  return S_OK;
}

HRESULT MemoryStream::Seek(int64_t move, DWORD origin, uint64_t* newPosition) {
  int64_t base;
  switch (origin) {
    case STREAM_SEEK_SET:
      base = 0;
      break;
    case STREAM_SEEK_CUR:
      base = static_cast<int64_t>(pos_);
      break;
    case STREAM_SEEK_END:
      base = static_cast<int64_t>(data_.size());
      break;
    default:
      return STG_E_INVALIDFUNCTION;
  }
  if ((move < 0 && base + move < 0) || (move > 0 && base > std::numeric_limits<int64_t>::max() - move))
    return STG_E_INVALIDFUNCTION;
  pos_ = static_cast<uint64_t>(base + move);
  if (newPosition) *newPosition = pos_;
  return S_OK;
}

HRESULT MemoryStream::Stat(STATSTG* stat, DWORD) {
  if (!stat) return STG_E_INVALIDPOINTER;
  *stat = STATSTG{};
  stat->type = STGTY_STREAM;
  stat->cbSize = data_.size();
  return S_OK;
}

}  // namespace qd::gdiplus
