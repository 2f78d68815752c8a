#pragma once
// The window manager's and GDI's basic types, with the original platform's names.
#include <cstdint>

#include "platform/base/geometry.h"
#include "platform/base/types.h"

namespace qd {

using BOOL = int32_t;
using BYTE = uint8_t;
using WORD = uint16_t;
using DWORD = uint32_t;
using UINT = uint32_t;
using INT = int32_t;
using LONG = int32_t;
using ULONG = uint32_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using ATOM = uint16_t;
using COLORREF = uint32_t;  // 0x00BBGGRR
using HRESULT = int32_t;
using WCHAR = char16_t;
using LPCWSTR = const char16_t*;
using LPWSTR = char16_t*;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

// Handles are opaque pointers of distinct types; every GDI object converts to HGDIOBJ.
#define QD_DECLARE_HANDLE(name) \
  struct name##__;              \
  using name = name##__*;
QD_DECLARE_HANDLE(HWND)
QD_DECLARE_HANDLE(HDC)
QD_DECLARE_HANDLE(HBITMAP)
QD_DECLARE_HANDLE(HBRUSH)
QD_DECLARE_HANDLE(HPEN)
QD_DECLARE_HANDLE(HFONT)
QD_DECLARE_HANDLE(HRGN)
QD_DECLARE_HANDLE(HPALETTE)
QD_DECLARE_HANDLE(HICON)
QD_DECLARE_HANDLE(HMENU)
QD_DECLARE_HANDLE(HINSTANCE)
QD_DECLARE_HANDLE(HMONITOR)
QD_DECLARE_HANDLE(HHOOK)
QD_DECLARE_HANDLE(HTHEME_)
QD_DECLARE_HANDLE(HRSRC)
#undef QD_DECLARE_HANDLE
using HGDIOBJ = void*;
using HANDLE = void*;
using HCURSOR = HICON;
using HMODULE = HINSTANCE;
using HTHEME = intptr_t;  // theme handles are plain integers in the visual-styles API
using FARPROC = void (*)();

using RECT = TRect;
using POINT = TPoint;
using SIZE = TSize;
using LPRECT = RECT*;
using LPPOINT = POINT*;

struct POINTS {
  int16_t x = 0;
  int16_t y = 0;
};

struct MSG {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  DWORD time = 0;
  POINT pt;
};

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = void (*)(HWND, UINT, uintptr_t, DWORD);
using HOOKPROC = LRESULT (*)(int code, WPARAM, LPARAM);

constexpr COLORREF RGB(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}
constexpr uint8_t GetRValue(COLORREF c) {
  return static_cast<uint8_t>(c & 0xFF);
}
constexpr uint8_t GetGValue(COLORREF c) {
  return static_cast<uint8_t>((c >> 8) & 0xFF);
}
constexpr uint8_t GetBValue(COLORREF c) {
  return static_cast<uint8_t>((c >> 16) & 0xFF);
}

constexpr WORD LOWORD(uintptr_t v) {
  return static_cast<WORD>(v & 0xFFFF);
}
constexpr WORD HIWORD(uintptr_t v) {
  return static_cast<WORD>((v >> 16) & 0xFFFF);
}
constexpr int16_t GET_X_LPARAM(LPARAM lp) {
  return static_cast<int16_t>(lp & 0xFFFF);
}
constexpr int16_t GET_Y_LPARAM(LPARAM lp) {
  return static_cast<int16_t>((lp >> 16) & 0xFFFF);
}
constexpr LPARAM MAKELPARAM(int lo, int hi) {
  return static_cast<LPARAM>(
      static_cast<DWORD>((static_cast<WORD>(lo)) | (static_cast<DWORD>(static_cast<WORD>(hi)) << 16)));
}
constexpr WPARAM MAKEWPARAM(int lo, int hi) {
  return static_cast<WPARAM>(static_cast<DWORD>(MAKELPARAM(lo, hi)));
}
constexpr LRESULT MAKELRESULT(int lo, int hi) {
  return MAKELPARAM(lo, hi);
}

}  // namespace qd
