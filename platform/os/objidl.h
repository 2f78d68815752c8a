#pragma once
// The COM byte stream, IStream (Read, Write, Seek and Stat), with its statuses and records:
// GDI+ loads and saves images through it, the class library adapts its streams to it. Also
// the GUID record and the making of new GUIDs.
#include <cstdint>

#include "platform/os/kernel.h"
#include "platform/os/wintypes.h"

namespace qd {

constexpr HRESULT STG_E_INVALIDFUNCTION = static_cast<HRESULT>(0x80030001);
constexpr HRESULT STG_E_MEDIUMFULL = static_cast<HRESULT>(0x80030070);
constexpr HRESULT STG_E_INVALIDPOINTER = static_cast<HRESULT>(0x80030009);
constexpr DWORD STREAM_SEEK_SET = 0;
constexpr DWORD STREAM_SEEK_CUR = 1;
constexpr DWORD STREAM_SEEK_END = 2;
constexpr DWORD STATFLAG_DEFAULT = 0;
constexpr DWORD STATFLAG_NONAME = 1;
constexpr DWORD STGTY_STREAM = 2;

struct GUID {
  uint32_t Data1 = 0;
  uint16_t Data2 = 0;
  uint16_t Data3 = 0;
  uint8_t Data4[8] = {};
  friend bool operator==(const GUID&, const GUID&) = default;
};
using TGUID = GUID;

// A new random (version 4) GUID; S_OK, or E_INVALIDARG for a null argument.
HRESULT CoCreateGuid(GUID* guid);
// The run-time library's spelling of the same.
inline HRESULT CreateGUID(TGUID& guid) {
  return CoCreateGuid(&guid);
}

struct STATSTG {
  WCHAR* pwcsName = nullptr;
  DWORD type = 0;
  uint64_t cbSize = 0;
  uint64_t mtime = 0;
  uint64_t ctime = 0;
  uint64_t atime = 0;
  DWORD grfMode = 0;
  DWORD grfLocksSupported = 0;
  GUID clsid;
  DWORD grfStateBits = 0;
  DWORD reserved = 0;
};

class IStream {
 public:
  virtual ~IStream() = default;
  virtual HRESULT Read(void* buffer, ULONG count, ULONG* read) = 0;
  virtual HRESULT Write(const void* buffer, ULONG count, ULONG* written) = 0;
  virtual HRESULT Seek(int64_t move, DWORD origin, uint64_t* newPosition) = 0;
  virtual HRESULT Stat(STATSTG* stat, DWORD flags) = 0;
};

}  // namespace qd
