#include "platform/classes/streams.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include "platform/base/resources.h"
#include "platform/base/strings.h"
#include "platform/classes/encoding.h"
#include "platform/classes/oserror.h"

namespace qd {

QD_IMPLEMENT_CLASS(EResNotFound)
QD_IMPLEMENT_CLASS(TStream)
QD_IMPLEMENT_CLASS(THandleStream)
QD_IMPLEMENT_CLASS(TFileStream)
QD_IMPLEMENT_CLASS(TCustomMemoryStream)
QD_IMPLEMENT_CLASS(TMemoryStream)
QD_IMPLEMENT_CLASS(TBytesStream)
QD_IMPLEMENT_CLASS(TStringStream)
QD_IMPLEMENT_CLASS(TResourceStream)
QD_IMPLEMENT_CLASS(TWindowStream)

// --- TStream ------------------------------------------------------------------------

int64_t TStream::Size() {
  int64_t pos = Seek(0, soCurrent);
  int64_t result = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return result;
}

void TStream::SetSize(int64_t) {}

void TStream::ReadBuffer(void* Buffer, int64_t Count) {
  if (Count < 0) RaiseReadError();
  auto* p = static_cast<uint8_t*>(Buffer);
  int64_t done = 0;
  while (done < Count) {
    int64_t n = Read(p + done, Count - done);
    if (n <= 0) RaiseReadError();
    done += n;
  }
}

void TStream::WriteBuffer(const void* Buffer, int64_t Count) {
  if (Count < 0) throw EWriteError(u"Stream write error");
  auto* p = static_cast<const uint8_t*>(Buffer);
  int64_t done = 0;
  while (done < Count) {
    int64_t n = Write(p + done, Count - done);
    if (n <= 0) throw EWriteError(u"Stream write error");
    done += n;
  }
}

int64_t TStream::CopyFrom(TStream* Source, int64_t Count) {
  if (Count <= 0) {
    Source->SetPosition(0);
    Count = Source->Size();
  }
  constexpr int64_t kBuf = 64 * 1024;
  TBytes buf(static_cast<size_t>(std::min(Count, kBuf)) + 1);
  int64_t left = Count;
  while (left > 0) {
    int64_t n = std::min(left, kBuf);
    Source->ReadBuffer(buf.data(), n);
    WriteBuffer(buf.data(), n);
    left -= n;
  }
  return Count;
}

TBytes TStream::ReadBytes(int64_t Count) {
  if (Count < 0) RaiseReadError();
  // Never allocate more than the stream can still give.
  int64_t left = Size() - Position();
  if (Count > left) RaiseReadError();
  TBytes b(static_cast<size_t>(Count));
  ReadBuffer(b.data(), Count);
  return b;
}

// --- Handle and file streams ---------------------------------------------------------

int64_t THandleStream::Read(void* Buffer, int64_t Count) {
  if (Count <= 0) return 0;
  auto* p = static_cast<uint8_t*>(Buffer);
  int64_t done = 0;
  while (done < Count) {
    ssize_t n = ::read(handle_, p + done, static_cast<size_t>(Count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

int64_t THandleStream::Write(const void* Buffer, int64_t Count) {
  if (Count <= 0) return 0;
  auto* p = static_cast<const uint8_t*>(Buffer);
  int64_t done = 0;
  while (done < Count) {
    ssize_t n = ::write(handle_, p + done, static_cast<size_t>(Count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

int64_t THandleStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  int whence = Origin == soBeginning ? SEEK_SET : Origin == soCurrent ? SEEK_CUR : SEEK_END;
  off_t r = ::lseek(handle_, static_cast<off_t>(Offset), whence);
  return r < 0 ? -1 : static_cast<int64_t>(r);
}

void THandleStream::SetSize(int64_t NewSize) {
  int64_t pos = Seek(0, soCurrent);
  if (NewSize < 0 || ::ftruncate(handle_, static_cast<off_t>(NewSize)) != 0)
    RaiseLastOSError(Win32ErrorFromErrno(errno));
  if (pos > NewSize) Seek(NewSize, soBeginning);
}

TFileStream::TFileStream(const String& AFileName, uint16_t Mode, uint32_t Rights)
    : THandleStream(-1), fileName_(AFileName) {
  std::string path = StringToUtf8(AFileName);
  bool create = (Mode & fmCreate) == fmCreate;
  int flags = O_CLOEXEC;
  if (create) {
    flags |= O_RDWR | O_CREAT | O_TRUNC;
  } else {
    switch (Mode & 3) {
      case fmOpenWrite:
        flags |= O_WRONLY;
        break;
      case fmOpenReadWrite:
        flags |= O_RDWR;
        break;
      default:
        flags |= O_RDONLY;
        break;
    }
  }
  int err = 0;
  if (path.empty()) {
    err = ENOENT;
  } else {
    do {
      handle_ = ::open(path.c_str(), flags, static_cast<mode_t>(Rights & 07777));
    } while (handle_ < 0 && errno == EINTR);
    if (handle_ < 0) {
      err = errno;
    } else {
      struct stat st {};
      if (::fstat(handle_, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(handle_);
        handle_ = -1;
        err = EISDIR;
      }
    }
  }
  if (handle_ < 0) {
    String reason = SysErrorMessage(Win32ErrorForPath(err, path));
    if (create) throw EFCreateError(u"Cannot create file \"" + AFileName + u"\". " + reason);
    throw EFOpenError(u"Cannot open file \"" + AFileName + u"\". " + reason);
  }
}

TFileStream::~TFileStream() {
  if (handle_ >= 0) ::close(handle_);
}

// --- Memory streams ------------------------------------------------------------------

int64_t TCustomMemoryStream::Read(void* Buffer, int64_t Count) {
  if (Count <= 0 || position_ < 0 || position_ >= size_) return 0;
  int64_t n = std::min(Count, size_ - position_);
  std::memcpy(Buffer, static_cast<const uint8_t*>(memory_) + position_, static_cast<size_t>(n));
  position_ += n;
  return n;
}

int64_t TCustomMemoryStream::Write(const void*, int64_t) {
  return 0;
}

int64_t TCustomMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  switch (Origin) {
    case soBeginning:
      position_ = Offset;
      break;
    case soCurrent:
      position_ += Offset;
      break;
    case soEnd:
      position_ = size_ + Offset;
      break;
  }
  if (position_ < 0) position_ = 0;
  return position_;
}

void TCustomMemoryStream::SaveToStream(TStream* Stream) {
  if (size_ > 0) Stream->WriteBuffer(memory_, size_);
}

void TCustomMemoryStream::SaveToFile(const String& FileName) {
  TFileStream f(FileName, fmCreate);
  SaveToStream(&f);
}

void TMemoryStream::SetCapacity(int64_t NewCapacity) {
  if (NewCapacity < size_) NewCapacity = size_;
  data_.resize(static_cast<size_t>(NewCapacity));
  memory_ = data_.empty() ? nullptr : data_.data();
}

void TMemoryStream::SetSize(int64_t NewSize) {
  if (NewSize < 0) NewSize = 0;
  int64_t old = size_;
  if (NewSize > Capacity()) {
    size_ = old;
    SetCapacity(NewSize);
  }
  if (NewSize > old) std::fill(data_.begin() + old, data_.begin() + NewSize, 0);
  size_ = NewSize;
  if (position_ > NewSize) position_ = NewSize;
}

int64_t TMemoryStream::Write(const void* Buffer, int64_t Count) {
  if (Count <= 0 || position_ < 0) return 0;
  int64_t end = position_ + Count;
  if (end > size_) {
    if (end > Capacity()) {
      // Grow geometrically so that many small writes stay linear.
      int64_t cap = std::max<int64_t>(end, Capacity() + Capacity() / 2);
      SetCapacity((cap + 0xFFF) & ~int64_t{0xFFF});
    }
    if (position_ > size_) std::fill(data_.begin() + size_, data_.begin() + position_, 0);
    size_ = end;
  }
  std::memcpy(data_.data() + position_, Buffer, static_cast<size_t>(Count));
  position_ = end;
  return Count;
}

void TMemoryStream::Clear() {
  data_.clear();
  data_.shrink_to_fit();
  memory_ = nullptr;
  size_ = 0;
  position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream* Stream) {
  Stream->SetPosition(0);
  int64_t count = Stream->Size();
  SetSize(count);
  if (count > 0) Stream->ReadBuffer(data_.data(), count);
  position_ = 0;
}

void TMemoryStream::LoadFromFile(const String& FileName) {
  TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&f);
}

TBytesStream::TBytesStream(TBytes ABytes) {
  data_ = std::move(ABytes);
  memory_ = data_.empty() ? nullptr : data_.data();
  size_ = static_cast<int64_t>(data_.size());
}

TStringStream::TStringStream() : encoding_(TEncoding::UTF8()) {}

TStringStream::TStringStream(const String& AString, TEncoding* AEncoding)
    : TBytesStream(AEncoding ? AEncoding->GetBytes(AString) : TEncoding::UTF8()->GetBytes(AString)),
      encoding_(AEncoding ? AEncoding : TEncoding::UTF8()) {}

TStringStream::TStringStream(const TBytes& ABytes) : TBytesStream(ABytes), encoding_(TEncoding::UTF8()) {}

String TStringStream::DataString() const {
  return encoding_->GetString(std::span<const uint8_t>(data_.data(), static_cast<size_t>(size_)));
}

String TStringStream::ReadString(int64_t Count) {
  if (position_ >= size_ || Count <= 0) return {};
  int64_t n = std::min(Count, size_ - position_);
  String s = encoding_->GetString(std::span<const uint8_t>(data_.data() + position_, static_cast<size_t>(n)));
  position_ += n;
  return s;
}

void TStringStream::WriteString(const String& AString) {
  WriteBytes(encoding_->GetBytes(AString));
}

TResourceStream::TResourceStream(const String& ResName, const Char* ResType) {
  std::string type = StringToUtf8(ResType ? StringView(ResType) : StringView(u"RCDATA"));
  std::string name = StringToUtf8(ResName);
  auto data = FindEmbeddedResource(type, name);
  if (!EmbeddedResourceExists(type, name)) throw EResNotFound(u"Resource " + ResName + u" not found");
  SetPointer(const_cast<uint8_t*>(data.data()), static_cast<int64_t>(data.size()));
}

int64_t TResourceStream::Write(const void*, int64_t) {
  throw EStreamError(u"Can't write to a read-only resource stream");
}

// --- Window stream -------------------------------------------------------------------

TWindowStream::TWindowStream(TStream* Base, int64_t Offset, int64_t Size, bool OwnsStream)
    : base_(Base),
      offset_(std::max<int64_t>(Offset, 0)),
      size_(std::max<int64_t>(Size, 0)),
      owns_(OwnsStream) {}

TWindowStream::~TWindowStream() {
  if (owns_) delete base_;
}

int64_t TWindowStream::Read(void* Buffer, int64_t Count) {
  if (Count <= 0 || position_ >= size_) return 0;
  int64_t n = std::min(Count, size_ - position_);
  base_->Seek(offset_ + position_, soBeginning);
  int64_t r = base_->Read(Buffer, n);
  if (r > 0) position_ += r;
  return std::max<int64_t>(r, 0);
}

int64_t TWindowStream::Write(const void* Buffer, int64_t Count) {
  if (Count <= 0 || position_ >= size_) return 0;
  int64_t n = std::min(Count, size_ - position_);
  base_->Seek(offset_ + position_, soBeginning);
  int64_t r = base_->Write(Buffer, n);
  if (r > 0) position_ += r;
  return std::max<int64_t>(r, 0);
}

int64_t TWindowStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  int64_t p = Origin == soBeginning ? Offset : Origin == soCurrent ? position_ + Offset : size_ + Offset;
  position_ = std::max<int64_t>(p, 0);
  return position_;
}

TBytes ReadFileBytes(const String& FileName) {
  TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
  int64_t size = f.Size();
  TBytes b(static_cast<size_t>(std::max<int64_t>(size, 0)));
  if (size > 0) f.ReadBuffer(b.data(), size);
  return b;
}

}  // namespace qd
