#pragma once
// The class library's IStream over a TStream, for handing streams to GDI+.
#include <cstdint>

#include "platform/classes/streams.h"
#include "platform/os/objidl.h"

namespace qd {

enum TStreamOwnership : uint8_t { soReference, soOwned };

// The class library's IStream over a TStream. Descendants may override Stat.
class TStreamAdapter : public IStream {
 public:
  explicit TStreamAdapter(TStream* stream, TStreamOwnership ownership = soReference)
      : stream_(stream), ownership_(ownership) {}
  ~TStreamAdapter() override {
    if (ownership_ == soOwned) delete stream_;
  }
  TStreamAdapter(const TStreamAdapter&) = delete;
  TStreamAdapter& operator=(const TStreamAdapter&) = delete;
  TStream* Stream() const { return stream_; }

  HRESULT Read(void* buffer, ULONG count, ULONG* read) override {
    if (read) *read = 0;
    if (!buffer && count) return STG_E_INVALIDPOINTER;
    try {
      int64_t n = stream_->Read(buffer, count);
      if (read) *read = static_cast<ULONG>(n > 0 ? n : 0);
      return S_OK;
    } catch (...) {
      return E_FAIL;
    }
  }
  HRESULT Write(const void* buffer, ULONG count, ULONG* written) override {
    if (written) *written = 0;
    if (!buffer && count) return STG_E_INVALIDPOINTER;
    try {
      int64_t n = stream_->Write(buffer, count);
      if (written) *written = static_cast<ULONG>(n > 0 ? n : 0);
      return n == static_cast<int64_t>(count) ? S_OK : STG_E_MEDIUMFULL;
    } catch (...) {
      return E_FAIL;
    }
  }
  HRESULT Seek(int64_t move, DWORD origin, uint64_t* newPosition) override {
    if (origin > STREAM_SEEK_END) return STG_E_INVALIDFUNCTION;
    try {
      int64_t base = origin == STREAM_SEEK_SET   ? 0
                     : origin == STREAM_SEEK_CUR ? stream_->Position()
                                                 : stream_->Size();
      if (move < 0 && base + move < 0) return STG_E_INVALIDFUNCTION;
      int64_t pos = stream_->Seek(base + move, soBeginning);
      if (newPosition) *newPosition = static_cast<uint64_t>(pos);
      return S_OK;
    } catch (...) {
      return E_FAIL;
    }
  }
  HRESULT Stat(STATSTG* stat, DWORD) override {
    if (!stat) return STG_E_INVALIDPOINTER;
    try {
      *stat = STATSTG{};
      stat->type = STGTY_STREAM;
      stat->cbSize = static_cast<uint64_t>(stream_->Size());
      return S_OK;
    } catch (...) {
      return E_FAIL;
    }
  }

 private:
  TStream* stream_;
  TStreamOwnership ownership_;
};

}  // namespace qd
