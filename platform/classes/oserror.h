#pragma once
// Operating-system error numbers and texts as the original platform reports them.
#include <cstdint>
#include <string>

#include "platform/base/types.h"
#include "platform/os/kernel.h"

namespace qd {

// The original platform's error number for a C library errno value.
uint32_t Win32ErrorFromErrno(int err);
// As Win32ErrorFromErrno, but a missing file whose folder is missing too reports
// ERROR_PATH_NOT_FOUND, as the original platform does.
uint32_t Win32ErrorForPath(int err, const std::string& utf8Path);
// The system's text for an error number ("The system cannot find the file specified").
String SysErrorMessage(uint32_t ErrorCode);
// The text for a C library errno value, through its error number.
String SysErrorMessageFromErrno(int err);

}  // namespace qd
