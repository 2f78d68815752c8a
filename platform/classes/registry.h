#pragma once
// A read-only stand-in for the system registry. Programs read it through the Reg* functions
// or TRegistry; nothing is there unless a test puts it there (RegistrySet*), so every look-up
// answers "not found" by default. Key paths use '\' and compare without regard to case.
#include <cstdint>
#include <vector>

#include "platform/base/exceptions.h"
#include "platform/base/object.h"
#include "platform/base/types.h"
#include "platform/os/wintypes.h"

namespace qd {

class TStrings;

struct HKEY__;
using HKEY = HKEY__*;
using REGSAM = DWORD;

inline HKEY const HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000000u));
inline HKEY const HKEY_CURRENT_USER = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000001u));
inline HKEY const HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000002u));
inline HKEY const HKEY_USERS = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000003u));
inline HKEY const HKEY_CURRENT_CONFIG = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000005u));

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;
constexpr DWORD REG_MULTI_SZ = 7;
constexpr DWORD REG_QWORD = 11;

constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_NOTIFY = 0x0010;
constexpr REGSAM KEY_WOW64_64KEY = 0x0100;
constexpr REGSAM KEY_WOW64_32KEY = 0x0200;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

// Results: ERROR_SUCCESS 0, ERROR_FILE_NOT_FOUND 2, ERROR_ACCESS_DENIED 5 (writes),
// ERROR_INVALID_HANDLE 6, ERROR_MORE_DATA 234, ERROR_NO_MORE_ITEMS 259.
LONG RegOpenKeyExW(HKEY hKey, const WCHAR* lpSubKey, DWORD ulOptions, REGSAM samDesired, HKEY* phkResult);
LONG RegCloseKey(HKEY hKey);
// lpValueName nullptr or "" is the key's default value. With lpData nullptr only the size
// is given; a buffer that is too small gives ERROR_MORE_DATA and the size needed. Strings
// are UTF-16 with their terminating zero.
LONG RegQueryValueExW(HKEY hKey, const WCHAR* lpValueName, DWORD* lpReserved, DWORD* lpType, BYTE* lpData,
                      DWORD* lpcbData);
// Enumerates sub-keys and values by index (in the order they were added); lpcchName is the
// buffer size in characters on entry and the name length without its zero on return.
LONG RegEnumKeyExW(HKEY hKey, DWORD dwIndex, WCHAR* lpName, DWORD* lpcchName, DWORD* lpReserved,
                   WCHAR* lpClass, DWORD* lpcchClass, void* lpftLastWriteTime);
LONG RegEnumValueW(HKEY hKey, DWORD dwIndex, WCHAR* lpValueName, DWORD* lpcchValueName, DWORD* lpReserved,
                   DWORD* lpType, BYTE* lpData, DWORD* lpcbData);
LONG RegQueryInfoKeyW(HKEY hKey, DWORD* lpcSubKeys, DWORD* lpcValues);
// The registry is read-only: these answer ERROR_ACCESS_DENIED.
LONG RegCreateKeyExW(HKEY hKey, const WCHAR* lpSubKey, DWORD Reserved, WCHAR* lpClass, DWORD dwOptions,
                     REGSAM samDesired, void* lpSecurityAttributes, HKEY* phkResult, DWORD* lpdwDisposition);
LONG RegSetValueExW(HKEY hKey, const WCHAR* lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData,
                    DWORD cbData);

// --- the content, for tests ----------------------------------------------------------------
// Creates the key (and its parents) when needed and sets a value ("" = default value).
void RegistrySetValue(HKEY Root, const String& KeyPath, const String& Name, DWORD Type, const TBytes& Data);
void RegistrySetString(HKEY Root, const String& KeyPath, const String& Name, const String& Value);
void RegistrySetDWORD(HKEY Root, const String& KeyPath, const String& Name, uint32_t Value);
void RegistryCreateKey(HKEY Root, const String& KeyPath);
void RegistryDeleteKey(HKEY Root, const String& KeyPath);
// Empties the whole registry.
void RegistryClear();

// --- TRegistry --------------------------------------------------------------------------------

QD_DECLARE_EXCEPTION(ERegistryException, Exception)

enum TRegDataType : uint8_t { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

struct TRegKeyInfo {
  int NumSubKeys = 0;
  int MaxSubKeyLen = 0;
  int NumValues = 0;
  int MaxValueLen = 0;
  int MaxDataLen = 0;
};

class TRegistry : public TObject {
  QD_CLASS(TRegistry, TObject)

 public:
  explicit TRegistry(REGSAM AAccess = KEY_ALL_ACCESS) : access_(AAccess) {}
  ~TRegistry() override { CloseKey(); }

  HKEY RootKey() const { return rootKey_; }
  void SetRootKey(HKEY Value);
  REGSAM Access() const { return access_; }
  void SetAccess(REGSAM Value) { access_ = Value; }
  HKEY CurrentKey() const { return currentKey_; }
  const String& CurrentPath() const { return currentPath_; }

  // A key starting with '\' is taken from the root, otherwise from the current key.
  // The registry cannot be written, so a key that does not exist is never created.
  bool OpenKey(const String& Key, bool CanCreate);
  bool OpenKeyReadOnly(const String& Key);
  void CloseKey();
  bool KeyExists(const String& Key);
  bool HasSubKeys();
  bool GetKeyInfo(TRegKeyInfo& Value);

  bool ValueExists(const String& Name);
  // -1 when the value does not exist.
  int GetDataSize(const String& ValueName);
  TRegDataType GetDataType(const String& ValueName);
  // "" when the value does not exist; ERegistryException "Invalid data type for '<name>'"
  // for a value that is not a string.
  String ReadString(const String& Name);
  // ERegistryException "Failed to get data for '<name>'" when missing, "Invalid data type
  // for '<name>'" when not a 32-bit integer.
  int32_t ReadInteger(const String& Name);
  bool ReadBool(const String& Name) { return ReadInteger(Name) != 0; }
  int ReadBinaryData(const String& Name, void* Buffer, int BufSize);
  void GetValueNames(TStrings* Strings);
  void GetKeyNames(TStrings* Strings);

 private:
  bool GetData(const String& Name, TBytes& data, DWORD& type);
  HKEY rootKey_ = HKEY_CURRENT_USER;
  HKEY currentKey_ = nullptr;
  String currentPath_;
  REGSAM access_;
};

}  // namespace qd
