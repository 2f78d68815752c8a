#include "platform/classes/oserror.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "platform/base/strings.h"

namespace qd {
namespace {
// Error numbers (some are also named in platform/os/kernel.h).
constexpr uint32_t kSuccess = 0;
constexpr uint32_t kFileNotFound = 2;
constexpr uint32_t kPathNotFound = 3;
constexpr uint32_t kTooManyOpenFiles = 4;
constexpr uint32_t kAccessDenied = 5;
constexpr uint32_t kInvalidHandle = 6;
constexpr uint32_t kNotEnoughMemory = 8;
constexpr uint32_t kWriteProtect = 19;
constexpr uint32_t kSharingViolation = 32;
constexpr uint32_t kHandleEof = 38;
constexpr uint32_t kNotSupported = 50;
constexpr uint32_t kFileExists = 80;
constexpr uint32_t kInvalidParameter = 87;
constexpr uint32_t kDiskFull = 112;
constexpr uint32_t kInvalidName = 123;
constexpr uint32_t kDirNotEmpty = 145;
constexpr uint32_t kBusy = 170;
constexpr uint32_t kAlreadyExists = 183;
constexpr uint32_t kFilenameExcedRange = 206;
constexpr uint32_t kNoMoreFiles = 18;
constexpr uint32_t kDirectory = 267;
constexpr uint32_t kCantResolveFilename = 1921;
}  // namespace

uint32_t Win32ErrorFromErrno(int err) {
  switch (err) {
    case 0:
      return kSuccess;
    case ENOENT:
      return kFileNotFound;
    case ENOTDIR:
      return kPathNotFound;
    case EMFILE:
    case ENFILE:
      return kTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EISDIR:
      return kAccessDenied;
    case EBADF:
      return kInvalidHandle;
    case ENOMEM:
      return kNotEnoughMemory;
    case EROFS:
      return kWriteProtect;
    case ETXTBSY:
      return kSharingViolation;
    case EEXIST:
      return kAlreadyExists;
    case EINVAL:
      return kInvalidParameter;
    case ENOSPC:
    case EDQUOT:
      return kDiskFull;
    case ENAMETOOLONG:
      return kFilenameExcedRange;
    case ENOTEMPTY:
      return kDirNotEmpty;
    case EBUSY:
      return kBusy;
    case ELOOP:
      return kCantResolveFilename;
    case ENOTSUP:
      return kNotSupported;
    default:
      return 0x20000000u | static_cast<uint32_t>(err);  // customer bit: an unmapped errno
  }
}

uint32_t Win32ErrorForPath(int err, const std::string& path) {
  if (err == ENOENT) {
    auto slash = path.find_last_of('/');
    if (slash != std::string::npos && slash > 0) {
      struct stat st {};
      std::string dir = path.substr(0, slash);
      if (::stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return kPathNotFound;
    }
  }
  return Win32ErrorFromErrno(err);
}

String SysErrorMessage(uint32_t code) {
  switch (code) {
    case kSuccess:
      return u"The operation completed successfully";
    case kFileNotFound:
      return u"The system cannot find the file specified";
    case kPathNotFound:
      return u"The system cannot find the path specified";
    case kTooManyOpenFiles:
      return u"The system cannot open the file";
    case kAccessDenied:
      return u"Access is denied";
    case kInvalidHandle:
      return u"The handle is invalid";
    case kNotEnoughMemory:
      return u"Not enough memory resources are available to process this command";
    case kWriteProtect:
      return u"The media is write protected";
    case kSharingViolation:
      return u"The process cannot access the file because it is being used by another process";
    case kHandleEof:
      return u"Reached the end of the file";
    case kNotSupported:
      return u"The request is not supported";
    case kFileExists:
      return u"The file exists";
    case kInvalidParameter:
      return u"The parameter is incorrect";
    case kDiskFull:
      return u"There is not enough space on the disk";
    case kInvalidName:
      return u"The filename, directory name, or volume label syntax is incorrect";
    case kDirNotEmpty:
      return u"The directory is not empty";
    case kBusy:
      return u"The requested resource is in use";
    case kAlreadyExists:
      return u"Cannot create a file when that file already exists";
    case kFilenameExcedRange:
      return u"The filename or extension is too long";
    case kNoMoreFiles:
      return u"There are no more files";
    case kDirectory:
      return u"The directory name is invalid";
    case kCantResolveFilename:
      return u"The name of the file cannot be resolved by the system";
    default:
      if (code & 0x20000000u) return Utf8ToString(std::strerror(static_cast<int>(code & 0xFFFF)));
      return u"System Error.  Code: " + IntToStr(code);
  }
}

String SysErrorMessageFromErrno(int err) {
  return SysErrorMessage(Win32ErrorFromErrno(err));
}

}  // namespace qd
