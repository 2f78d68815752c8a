#pragma once
// Streams: the abstract TStream, files, memory, bytes, strings, embedded resources and a
// window onto part of another stream.
#include <cstdint>
#include <span>
#include <type_traits>

#include "platform/base/exceptions.h"
#include "platform/base/object.h"
#include "platform/base/types.h"

namespace qd {

class TEncoding;

QD_DECLARE_EXCEPTION(EResNotFound, Exception)

enum TSeekOrigin : uint8_t { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
  QD_CLASS(TStream, TObject)

 public:
  // Read and Write transfer at most Count bytes and return how many they did (0 at the
  // end of the stream or on failure).
  virtual int64_t Read(void* Buffer, int64_t Count) = 0;
  virtual int64_t Write(const void* Buffer, int64_t Count) = 0;
  // Returns the new position.
  virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;

  int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(int64_t Pos) { Seek(Pos, soBeginning); }
  virtual int64_t Size();
  virtual void SetSize(int64_t NewSize);

  // Raise EReadError "Stream read error" / EWriteError "Stream write error" when fewer
  // than Count bytes could be transferred.
  void ReadBuffer(void* Buffer, int64_t Count);
  void WriteBuffer(const void* Buffer, int64_t Count);
  // Copies Count bytes from Source's position; Count <= 0 copies all of Source from its
  // start. Returns the number of bytes copied.
  int64_t CopyFrom(TStream* Source, int64_t Count = 0);

  // Typed helpers for plain values (little-endian, as in memory). ReadData/WriteData
  // return the bytes transferred; the Buffer forms raise like ReadBuffer/WriteBuffer.
  template <class T>
  int64_t ReadData(T& Value) {
    static_assert(std::is_trivially_copyable_v<T>);
    return Read(&Value, sizeof(T));
  }
  template <class T>
  int64_t WriteData(const T& Value) {
    static_assert(std::is_trivially_copyable_v<T>);
    return Write(&Value, sizeof(T));
  }
  template <class T>
  void ReadBufferData(T& Value) {
    static_assert(std::is_trivially_copyable_v<T>);
    ReadBuffer(&Value, sizeof(T));
  }
  template <class T>
  void WriteBufferData(const T& Value) {
    static_assert(std::is_trivially_copyable_v<T>);
    WriteBuffer(&Value, sizeof(T));
  }
  template <class T>
  T ReadValue() {
    T v{};
    ReadBufferData(v);
    return v;
  }

  // Reads Count bytes (raising on a short read).
  TBytes ReadBytes(int64_t Count);
  void WriteBytes(std::span<const uint8_t> Bytes) {
    WriteBuffer(Bytes.data(), static_cast<int64_t>(Bytes.size()));
  }
};

// File open modes (low byte: access and sharing; fmCreate creates or truncates).
constexpr uint16_t fmOpenRead = 0x0000;
constexpr uint16_t fmOpenWrite = 0x0001;
constexpr uint16_t fmOpenReadWrite = 0x0002;
constexpr uint16_t fmShareCompat = 0x0000;
constexpr uint16_t fmShareExclusive = 0x0010;
constexpr uint16_t fmShareDenyWrite = 0x0020;
constexpr uint16_t fmShareDenyRead = 0x0030;
constexpr uint16_t fmShareDenyNone = 0x0040;
constexpr uint16_t fmCreate = 0xFF00;

// A stream over an open file descriptor; the descriptor is not closed by this class.
class THandleStream : public TStream {
  QD_CLASS(THandleStream, TStream)

 public:
  explicit THandleStream(int AHandle) : handle_(AHandle) {}
  int Handle() const { return handle_; }
  int64_t Read(void* Buffer, int64_t Count) override;
  int64_t Write(const void* Buffer, int64_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  void SetSize(int64_t NewSize) override;

 protected:
  int handle_;
};

// Raises EFCreateError "Cannot create file "<name>". <reason>" or EFOpenError
// "Cannot open file "<name>". <reason>". Share modes are accepted and not enforced.
class TFileStream : public THandleStream {
  QD_CLASS(TFileStream, THandleStream)

 public:
  TFileStream(const String& AFileName, uint16_t Mode, uint32_t Rights = 0666);
  ~TFileStream() override;
  const String& FileName() const { return fileName_; }

 private:
  String fileName_;
};

// A stream over memory owned elsewhere (or by a descendant).
class TCustomMemoryStream : public TStream {
  QD_CLASS(TCustomMemoryStream, TStream)

 public:
  int64_t Read(void* Buffer, int64_t Count) override;
  int64_t Write(const void* Buffer, int64_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  int64_t Size() override { return size_; }
  void* Memory() const { return memory_; }
  void SaveToStream(TStream* Stream);
  void SaveToFile(const String& FileName);

 protected:
  void SetPointer(void* Ptr, int64_t Size) {
    memory_ = Ptr;
    size_ = Size;
  }

  void* memory_ = nullptr;
  int64_t size_ = 0;
  int64_t position_ = 0;
};

class TMemoryStream : public TCustomMemoryStream {
  QD_CLASS(TMemoryStream, TCustomMemoryStream)

 public:
  TMemoryStream() = default;
  int64_t Write(const void* Buffer, int64_t Count) override;
  void SetSize(int64_t NewSize) override;
  void Clear();
  void LoadFromStream(TStream* Stream);
  void LoadFromFile(const String& FileName);
  int64_t Capacity() const { return static_cast<int64_t>(data_.size()); }
  void SetCapacity(int64_t NewCapacity);

 protected:
  TBytes data_;  // the buffer; its length is the capacity
};

// A memory stream whose buffer is a byte array (which may be longer than Size).
class TBytesStream : public TMemoryStream {
  QD_CLASS(TBytesStream, TMemoryStream)

 public:
  TBytesStream() = default;
  explicit TBytesStream(TBytes ABytes);
  const TBytes& Bytes() const { return data_; }
};

// A bytes stream holding text in an encoding (UTF-8 unless told otherwise).
class TStringStream : public TBytesStream {
  QD_CLASS(TStringStream, TBytesStream)

 public:
  TStringStream();
  explicit TStringStream(const String& AString, TEncoding* AEncoding = nullptr);
  explicit TStringStream(const TBytes& ABytes);
  TEncoding* Encoding() const { return encoding_; }
  // The whole content decoded with the stream's encoding.
  String DataString() const;
  // Reads Count bytes from the position and decodes them.
  String ReadString(int64_t Count);
  void WriteString(const String& AString);

 private:
  TEncoding* encoding_;
};

// Resource types as folder names of the embedded resources.
inline constexpr const Char* RT_RCDATA = u"RCDATA";
inline constexpr const Char* RT_BITMAP = u"BITMAP";

// A read-only stream over an embedded resource (resources/<Type>/<Name>.*). Raises
// EResNotFound "Resource <name> not found".
class TResourceStream : public TCustomMemoryStream {
  QD_CLASS(TResourceStream, TCustomMemoryStream)

 public:
  TResourceStream(const String& ResName, const Char* ResType);
  TResourceStream(void* Instance, const String& ResName, const Char* ResType)
      : TResourceStream(ResName, ResType) {}
  // Raises EStreamError "Can't write to a read-only resource stream".
  int64_t Write(const void* Buffer, int64_t Count) override;
};

// A view of Size bytes of another stream starting at Offset. Reads and writes stay
// inside the window; the base stream is shared (and freed only when OwnsStream).
class TWindowStream : public TStream {
  QD_CLASS(TWindowStream, TStream)

 public:
  TWindowStream(TStream* Base, int64_t Offset, int64_t Size, bool OwnsStream = false);
  ~TWindowStream() override;
  int64_t Read(void* Buffer, int64_t Count) override;
  int64_t Write(const void* Buffer, int64_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  int64_t Size() override { return size_; }

 private:
  TStream* base_;
  int64_t offset_;
  int64_t size_;
  int64_t position_ = 0;
  bool owns_;
};

// Reads a whole file into memory (raises EFOpenError).
TBytes ReadFileBytes(const String& FileName);

}  // namespace qd
