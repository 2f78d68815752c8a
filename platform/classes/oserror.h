#pragma once
// Operating-system error numbers as the original platform reports them.
#include <cstdint>
#include <string>

#include "platform/base/types.h"

namespace qd {

constexpr uint32_t ERROR_SUCCESS = 0;
constexpr uint32_t ERROR_FILE_NOT_FOUND = 2;
constexpr uint32_t ERROR_PATH_NOT_FOUND = 3;
constexpr uint32_t ERROR_TOO_MANY_OPEN_FILES = 4;
constexpr uint32_t ERROR_ACCESS_DENIED = 5;
constexpr uint32_t ERROR_INVALID_HANDLE = 6;
constexpr uint32_t ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr uint32_t ERROR_WRITE_PROTECT = 19;
constexpr uint32_t ERROR_SHARING_VIOLATION = 32;
constexpr uint32_t ERROR_HANDLE_EOF = 38;
constexpr uint32_t ERROR_NOT_SUPPORTED = 50;
constexpr uint32_t ERROR_FILE_EXISTS = 80;
constexpr uint32_t ERROR_INVALID_PARAMETER = 87;
constexpr uint32_t ERROR_DISK_FULL = 112;
constexpr uint32_t ERROR_INVALID_NAME = 123;
constexpr uint32_t ERROR_DIR_NOT_EMPTY = 145;
constexpr uint32_t ERROR_BUSY = 170;
constexpr uint32_t ERROR_ALREADY_EXISTS = 183;
constexpr uint32_t ERROR_FILENAME_EXCED_RANGE = 206;
constexpr uint32_t ERROR_NO_MORE_FILES = 18;
constexpr uint32_t ERROR_DIRECTORY = 267;
constexpr uint32_t ERROR_CANT_RESOLVE_FILENAME = 1921;

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
