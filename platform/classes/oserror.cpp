#include "platform/classes/oserror.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "platform/base/strings.h"

namespace qd {

uint32_t Win32ErrorFromErrno(int err) {
  switch (err) {
    case 0:
      return ERROR_SUCCESS;
    case ENOENT:
      return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    case EMFILE:
    case ENFILE:
      return ERROR_TOO_MANY_OPEN_FILES;
    case EACCES:
    case EPERM:
    case EISDIR:
      return ERROR_ACCESS_DENIED;
    case EBADF:
      return ERROR_INVALID_HANDLE;
    case ENOMEM:
      return ERROR_NOT_ENOUGH_MEMORY;
    case EROFS:
      return ERROR_WRITE_PROTECT;
    case ETXTBSY:
      return ERROR_SHARING_VIOLATION;
    case EEXIST:
      return ERROR_ALREADY_EXISTS;
    case EINVAL:
      return ERROR_INVALID_PARAMETER;
    case ENOSPC:
    case EDQUOT:
      return ERROR_DISK_FULL;
    case ENAMETOOLONG:
      return ERROR_FILENAME_EXCED_RANGE;
    case ENOTEMPTY:
      return ERROR_DIR_NOT_EMPTY;
    case EBUSY:
      return ERROR_BUSY;
    case ELOOP:
      return ERROR_CANT_RESOLVE_FILENAME;
    case ENOTSUP:
      return ERROR_NOT_SUPPORTED;
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
      if (::stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return ERROR_PATH_NOT_FOUND;
    }
  }
  return Win32ErrorFromErrno(err);
}

String SysErrorMessage(uint32_t code) {
  switch (code) {
    case ERROR_SUCCESS:
      return u"The operation completed successfully";
    case ERROR_FILE_NOT_FOUND:
      return u"The system cannot find the file specified";
    case ERROR_PATH_NOT_FOUND:
      return u"The system cannot find the path specified";
    case ERROR_TOO_MANY_OPEN_FILES:
      return u"The system cannot open the file";
    case ERROR_ACCESS_DENIED:
      return u"Access is denied";
    case ERROR_INVALID_HANDLE:
      return u"The handle is invalid";
    case ERROR_NOT_ENOUGH_MEMORY:
      return u"Not enough memory resources are available to process this command";
    case ERROR_WRITE_PROTECT:
      return u"The media is write protected";
    case ERROR_SHARING_VIOLATION:
      return u"The process cannot access the file because it is being used by another process";
    case ERROR_HANDLE_EOF:
      return u"Reached the end of the file";
    case ERROR_NOT_SUPPORTED:
      return u"The request is not supported";
    case ERROR_FILE_EXISTS:
      return u"The file exists";
    case ERROR_INVALID_PARAMETER:
      return u"The parameter is incorrect";
    case ERROR_DISK_FULL:
      return u"There is not enough space on the disk";
    case ERROR_INVALID_NAME:
      return u"The filename, directory name, or volume label syntax is incorrect";
    case ERROR_DIR_NOT_EMPTY:
      return u"The directory is not empty";
    case ERROR_BUSY:
      return u"The requested resource is in use";
    case ERROR_ALREADY_EXISTS:
      return u"Cannot create a file when that file already exists";
    case ERROR_FILENAME_EXCED_RANGE:
      return u"The filename or extension is too long";
    case ERROR_NO_MORE_FILES:
      return u"There are no more files";
    case ERROR_DIRECTORY:
      return u"The directory name is invalid";
    case ERROR_CANT_RESOLVE_FILENAME:
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
