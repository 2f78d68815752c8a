// Global memory handles and the process-wide clipboard.
#include "platform/os/user_clipboard.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace qd {

namespace {

// ---- Global memory ------------------------------------------------------------------------------
struct Block {
  std::vector<uint8_t> bytes;
  int locks = 0;
};

struct Memory {
  std::mutex mutex;
  std::unordered_map<HGLOBAL, std::unique_ptr<Block>> blocks;
};

Memory& Mem() {
  static Memory* m = new Memory;  // lives to the end of the process
  return *m;
}

Block* FindBlock(HGLOBAL h) {
  auto& m = Mem();
  auto it = m.blocks.find(h);
  return it == m.blocks.end() ? nullptr : it->second.get();
}

// ---- Clipboard ------------------------------------------------------------------------------------
struct Entry {
  UINT format = 0;
  HANDLE data = nullptr;
  bool synthesized = false;
};

struct Board {
  std::recursive_mutex mutex;
  bool open = false;
  HWND openWindow = nullptr;
  DWORD openThread = 0;
  HWND owner = nullptr;
  DWORD sequence = 1;
  DWORD openedAt = 0;          // the sequence number when it was opened
  std::vector<Entry> entries;  // in the order of SetClipboardData; synthesised ones appended
  std::vector<HWND> listeners;
  os::ClipboardBridge* bridge = nullptr;
  // Another program of the desktop owns the clipboard; `listed` once its formats are entries.
  bool foreign = false;
  bool listed = false;
};

Board& B() {
  static Board* b = new Board;
  return *b;
}

void FreeData(UINT format, HANDLE data) {
  if (!data) return;
  if (format == CF_BITMAP || format == CF_PALETTE || (format >= CF_GDIOBJFIRST && format <= CF_GDIOBJLAST))
    DeleteObject(static_cast<HGDIOBJ>(data));
  else if (format != CF_ENHMETAFILE && format != CF_METAFILEPICT)
    GlobalFree(data);
}

Entry* FindEntry(Board& b, UINT format) {
  for (Entry& e : b.entries)
    if (e.format == format) return &e;
  return nullptr;
}

// Code page 1252 for 0x80..0x9F; elsewhere bytes below 0x100 are the same as the character.
const char16_t kCp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                  0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char ToAnsi(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c < 0x100)) return static_cast<char>(c);
  for (int i = 0; i < 32; ++i)
    if (kCp1252High[i] && kCp1252High[i] == c) return static_cast<char>(0x80 + i);
  return '?';
}

char16_t FromAnsi(unsigned char c) {
  if (c >= 0x80 && c < 0xA0) return kCp1252High[c - 0x80] ? kCp1252High[c - 0x80] : c;
  return c;
}

HGLOBAL MakeGlobal(const void* data, size_t bytes) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!h) return nullptr;
  std::memcpy(GlobalLock(h), data, bytes);
  GlobalUnlock(h);
  return h;
}

// The text of a memory handle up to its first NUL (or its end).
String UnicodeOf(HGLOBAL h) {
  const size_t size = GlobalSize(h) / sizeof(Char);
  auto* p = static_cast<const Char*>(GlobalLock(h));
  String s;
  if (p) {
    size_t n = 0;
    while (n < size && p[n]) ++n;
    s.assign(p, n);
  }
  GlobalUnlock(h);
  return s;
}

std::string AnsiOf(HGLOBAL h) {
  const size_t size = GlobalSize(h);
  auto* p = static_cast<const char*>(GlobalLock(h));
  std::string s;
  if (p) s.assign(p, strnlen(p, size));
  GlobalUnlock(h);
  return s;
}

HANDLE Render(Board& b, UINT format);

// The source a format can be made from, when it is missing.
UINT SynthesisSource(Board& b, UINT format) {
  auto has = [&](UINT f) {
    const Entry* e = FindEntry(b, f);
    return e && !e->synthesized;
  };
  switch (format) {
    case CF_TEXT:
    case CF_OEMTEXT:
      if (has(CF_UNICODETEXT)) return CF_UNICODETEXT;
      if (has(format == CF_TEXT ? CF_OEMTEXT : CF_TEXT)) return format == CF_TEXT ? CF_OEMTEXT : CF_TEXT;
      return 0;
    case CF_UNICODETEXT:
      if (has(CF_TEXT)) return CF_TEXT;
      if (has(CF_OEMTEXT)) return CF_OEMTEXT;
      return 0;
    case CF_LOCALE:
      for (UINT f : {CF_UNICODETEXT, CF_TEXT, CF_OEMTEXT})
        if (has(f)) return f;
      return 0;
    case CF_DIB:
      return has(CF_BITMAP) ? CF_BITMAP : 0;
    case CF_BITMAP:
      return has(CF_DIB) ? CF_DIB : 0;
    default:
      return 0;
  }
}

HANDLE BitmapToDib(HBITMAP bmp) {
  BITMAP bm;
  if (!GetObjectW(bmp, sizeof(bm), &bm)) return nullptr;
  BITMAPINFOHEADER h;
  h.biWidth = bm.bmWidth;
  h.biHeight = bm.bmHeight;
  h.biBitCount = 32;
  h.biCompression = BI_RGB;
  const size_t stride = static_cast<size_t>(bm.bmWidth) * 4;
  h.biSizeImage = static_cast<DWORD>(stride * bm.bmHeight);
  std::vector<uint8_t> buf(sizeof(h) + h.biSizeImage);
  std::memcpy(buf.data(), &h, sizeof(h));
  HDC dc = CreateCompatibleDC(nullptr);
  const int lines = GetDIBits(dc, bmp, 0, static_cast<UINT>(bm.bmHeight), buf.data() + sizeof(h),
                              reinterpret_cast<BITMAPINFO*>(buf.data()), DIB_RGB_COLORS);
  DeleteDC(dc);
  if (lines <= 0) return nullptr;
  return MakeGlobal(buf.data(), buf.size());
}

HANDLE DibToBitmap(HGLOBAL dib) {
  const size_t size = GlobalSize(dib);
  auto* p = static_cast<const uint8_t*>(GlobalLock(dib));
  HBITMAP bmp = nullptr;
  if (p && size >= sizeof(BITMAPINFOHEADER)) {
    BITMAPINFOHEADER h;
    std::memcpy(&h, p, sizeof(h));
    size_t colours = h.biClrUsed ? h.biClrUsed : (h.biBitCount <= 8 ? (size_t{1} << h.biBitCount) : 0);
    if (h.biCompression == 3 /* BI_BITFIELDS */) colours = 3;
    const size_t header = h.biSize + colours * 4;
    const int64_t stride = ((int64_t{h.biWidth} * h.biBitCount + 31) / 32) * 4;
    const int64_t need = stride * std::abs(int64_t{h.biHeight});
    if (h.biSize >= sizeof(BITMAPINFOHEADER) && h.biWidth > 0 && h.biHeight != 0 && h.biBitCount &&
        header <= size && need <= static_cast<int64_t>(size - header)) {
      HDC screen = GetDC(nullptr);
      bmp = CreateDIBitmap(screen, &h, CBM_INIT, p + header, reinterpret_cast<const BITMAPINFO*>(p),
                           DIB_RGB_COLORS);
      ReleaseDC(nullptr, screen);
    }
  }
  GlobalUnlock(dib);
  return bmp;
}

HANDLE Synthesize(Board& b, UINT format, UINT source) {
  HANDLE src = Render(b, source);
  if (!src) return nullptr;
  switch (format) {
    case CF_TEXT:
    case CF_OEMTEXT: {
      std::string a;
      if (source == CF_UNICODETEXT) {
        for (Char c : UnicodeOf(src)) a.push_back(ToAnsi(c));
      } else {
        a = AnsiOf(src);
      }
      return MakeGlobal(a.c_str(), a.size() + 1);
    }
    case CF_UNICODETEXT: {
      String s;
      for (char c : AnsiOf(src)) s.push_back(FromAnsi(static_cast<unsigned char>(c)));
      return MakeGlobal(s.c_str(), (s.size() + 1) * sizeof(Char));
    }
    case CF_LOCALE: {
      const DWORD lcid = 0x0409;
      return MakeGlobal(&lcid, sizeof(lcid));
    }
    case CF_DIB:
      return BitmapToDib(static_cast<HBITMAP>(src));
    case CF_BITMAP:
      return DibToBitmap(src);
    default:
      return nullptr;
  }
}

// The data of a format: set, promised (asked from the owner) or synthesised.
HANDLE Render(Board& b, UINT format) {
  Entry* e = FindEntry(b, format);
  if (e && e->data) return e->data;
  if (e && !e->synthesized) {
    if (b.foreign) {
      std::vector<uint8_t> bytes;
      if (!b.bridge || !b.bridge->ForeignData(format, bytes)) return nullptr;
      if (format == CF_UNICODETEXT) bytes.insert(bytes.end(), sizeof(Char), 0);
      e = FindEntry(b, format);
      if (!e || !b.foreign) return nullptr;
      e->data = MakeGlobal(bytes.data(), bytes.size());
      return e->data;
    }
    if (b.owner && IsWindow(b.owner)) SendMessageW(b.owner, WM_RENDERFORMAT, format, 0);
    e = FindEntry(b, format);
    return e ? e->data : nullptr;
  }
  const UINT source = SynthesisSource(b, format);
  if (!source) return nullptr;
  HANDLE h = Synthesize(b, format, source);
  if (!h) return nullptr;
  if ((e = FindEntry(b, format)))
    e->data = h;
  else
    b.entries.push_back({format, h, true});
  return h;
}

// Another program's formats become promised entries, fetched when asked for.
void ListForeign(Board& b) {
  if (!b.foreign || b.listed || !b.bridge) return;
  b.listed = true;
  for (UINT f : b.bridge->ForeignFormats())
    if (!FindEntry(b, f)) b.entries.push_back({f, nullptr, false});
}

void NotifyListeners(Board& b) {
  std::erase_if(b.listeners, [](HWND h) { return !IsWindow(h); });
  for (HWND h : b.listeners) PostMessageW(h, WM_CLIPBOARDUPDATE, 0, 0);
}

// Every format the clipboard can give: the set ones, then the synthesised ones.
std::vector<UINT> AllFormats(Board& b) {
  ListForeign(b);
  std::vector<UINT> out;
  for (const Entry& e : b.entries)
    if (!e.synthesized) out.push_back(e.format);
  for (UINT f : {CF_UNICODETEXT, CF_LOCALE, CF_TEXT, CF_OEMTEXT, CF_DIB, CF_BITMAP})
    if (std::find(out.begin(), out.end(), f) == out.end() && SynthesisSource(b, f)) out.push_back(f);
  return out;
}

void ClearEntries(Board& b) {
  for (const Entry& e : b.entries) FreeData(e.format, e.data);
  b.entries.clear();
}

bool OpenedByCaller(Board& b) {
  return b.open && b.openThread == GetCurrentThreadId();
}

}  // namespace

// ---- Global memory ------------------------------------------------------------------------------
HGLOBAL GlobalAlloc(UINT flags, size_t bytes) {
  auto block = std::make_unique<Block>();
  try {
    block->bytes.assign(std::max<size_t>(bytes, 1), 0);
  } catch (const std::bad_alloc&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  block->bytes.resize(bytes);
  (void)flags;  // memory always starts zeroed
  auto h = static_cast<HGLOBAL>(block.get());
  auto& m = Mem();
  std::lock_guard lock(m.mutex);
  m.blocks.emplace(h, std::move(block));
  return h;
}

HGLOBAL GlobalReAlloc(HGLOBAL mem, size_t bytes, UINT) {
  auto& m = Mem();
  std::lock_guard lock(m.mutex);
  Block* b = FindBlock(mem);
  if (!b) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  b->bytes.resize(bytes, 0);
  return mem;
}

HGLOBAL GlobalFree(HGLOBAL mem) {
  if (!mem) return nullptr;
  auto& m = Mem();
  std::lock_guard lock(m.mutex);
  if (!m.blocks.erase(mem)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return mem;
  }
  return nullptr;
}

LPVOID GlobalLock(HGLOBAL mem) {
  auto& m = Mem();
  std::lock_guard lock(m.mutex);
  Block* b = FindBlock(mem);
  if (!b) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  ++b->locks;
  if (b->bytes.capacity() == 0) b->bytes.reserve(1);
  return b->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL mem) {
  auto& m = Mem();
  std::lock_guard lock(m.mutex);
  Block* b = FindBlock(mem);
  if (!b) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (b->locks > 0) --b->locks;
  if (b->locks == 0) {
    SetLastError(NO_ERROR);
    return FALSE;
  }
  return TRUE;
}

size_t GlobalSize(HGLOBAL mem) {
  auto& m = Mem();
  std::lock_guard lock(m.mutex);
  Block* b = FindBlock(mem);
  return b ? b->bytes.size() : 0;
}

HGLOBAL GlobalHandle(const void* address) {
  auto& m = Mem();
  std::lock_guard lock(m.mutex);
  for (auto& [h, b] : m.blocks)
    if (b->bytes.data() == address) return h;
  return nullptr;
}

// ---- Clipboard ------------------------------------------------------------------------------------
BOOL OpenClipboard(HWND hwnd) {
  Board& b = B();
  std::lock_guard lock(b.mutex);
  if (b.open) {
    if (b.openThread == GetCurrentThreadId() && b.openWindow == hwnd) return TRUE;
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  b.open = true;
  b.openWindow = hwnd;
  b.openThread = GetCurrentThreadId();
  b.openedAt = b.sequence;
  return TRUE;
}

BOOL CloseClipboard() {
  Board& b = B();
  std::lock_guard lock(b.mutex);
  if (!OpenedByCaller(b)) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return FALSE;
  }
  b.open = false;
  b.openWindow = nullptr;
  b.openThread = 0;
  if (b.sequence != b.openedAt && !b.foreign) {
    if (b.bridge) b.bridge->ProgramOwnsClipboard();
    NotifyListeners(b);
  }
  return TRUE;
}

BOOL EmptyClipboard() {
  Board& b = B();
  std::lock_guard lock(b.mutex);
  if (!OpenedByCaller(b)) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return FALSE;
  }
  if (b.owner && b.owner != b.openWindow && IsWindow(b.owner))
    SendMessageW(b.owner, WM_DESTROYCLIPBOARD, 0, 0);
  ClearEntries(b);
  b.owner = b.openWindow;
  b.foreign = false;
  b.listed = false;
  ++b.sequence;
  return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
  Board& b = B();
  std::lock_guard lock(b.mutex);
  if (!OpenedByCaller(b) || format == 0) {
    SetLastError(b.open ? ERROR_INVALID_PARAMETER : ERROR_CLIPBOARD_NOT_OPEN);
    return nullptr;
  }
  // Formats synthesised from the old data are stale now.
  std::erase_if(b.entries, [](const Entry& e) {
    if (e.synthesized) FreeData(e.format, e.data);
    return e.synthesized;
  });
  if (Entry* e = FindEntry(b, format)) {
    if (e->data != data) FreeData(format, e->data);
    e->data = data;
  } else {
    b.entries.push_back({format, data, false});
  }
  ++b.sequence;
  return data;
}

HANDLE GetClipboardData(UINT format) {
  Board& b = B();
  std::lock_guard lock(b.mutex);
  if (!OpenedByCaller(b)) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return nullptr;
  }
  ListForeign(b);
  return Render(b, format);
}

BOOL IsClipboardFormatAvailable(UINT format) {
  Board& b = B();
  std::lock_guard lock(b.mutex);
  const std::vector<UINT> all = AllFormats(b);
  return std::find(all.begin(), all.end(), format) != all.end();
}

UINT EnumClipboardFormats(UINT format) {
  Board& b = B();
  std::lock_guard lock(b.mutex);
  if (!OpenedByCaller(b)) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return 0;
  }
  SetLastError(NO_ERROR);
  const std::vector<UINT> all = AllFormats(b);
  if (format == 0) return all.empty() ? 0 : all.front();
  auto it = std::find(all.begin(), all.end(), format);
  if (it == all.end() || ++it == all.end()) return 0;
  return *it;
}

int CountClipboardFormats() {
  Board& b = B();
  std::lock_guard lock(b.mutex);
  return static_cast<int>(AllFormats(b).size());
}

UINT RegisterClipboardFormatW(LPCWSTR name) {
  if (!name || !*name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return GlobalAddAtomW(name);
}

int GetClipboardFormatNameW(UINT format, LPWSTR buffer, int size) {
  if (format < 0xC000) return 0;
  return static_cast<int>(GlobalGetAtomNameW(static_cast<ATOM>(format), buffer, size));
}

HWND GetClipboardOwner() {
  Board& b = B();
  std::lock_guard lock(b.mutex);
  return b.owner && IsWindow(b.owner) ? b.owner : nullptr;
}

HWND GetOpenClipboardWindow() {
  Board& b = B();
  std::lock_guard lock(b.mutex);
  return b.open ? b.openWindow : nullptr;
}

DWORD GetClipboardSequenceNumber() {
  Board& b = B();
  std::lock_guard lock(b.mutex);
  return b.sequence;
}

int GetPriorityClipboardFormat(const UINT* formats, int count) {
  Board& b = B();
  std::lock_guard lock(b.mutex);
  const std::vector<UINT> all = AllFormats(b);
  if (all.empty()) return 0;
  for (int i = 0; i < count; ++i)
    if (std::find(all.begin(), all.end(), formats[i]) != all.end()) return static_cast<int>(formats[i]);
  return -1;
}

BOOL AddClipboardFormatListener(HWND hwnd) {
  if (!IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  Board& b = B();
  std::lock_guard lock(b.mutex);
  if (std::find(b.listeners.begin(), b.listeners.end(), hwnd) == b.listeners.end())
    b.listeners.push_back(hwnd);
  return TRUE;
}

BOOL RemoveClipboardFormatListener(HWND hwnd) {
  Board& b = B();
  std::lock_guard lock(b.mutex);
  return std::erase(b.listeners, hwnd) ? TRUE : FALSE;
}

namespace os {
void SetClipboardBridge(ClipboardBridge* bridge) {
  Board& b = B();
  std::lock_guard lock(b.mutex);
  b.bridge = bridge;
  if (!bridge && b.foreign) {
    ClearEntries(b);
    b.foreign = b.listed = false;
    ++b.sequence;
  }
}

void ClipboardTakenByOtherProgram() {
  Board& b = B();
  std::lock_guard lock(b.mutex);
  if (b.owner && IsWindow(b.owner)) SendMessageW(b.owner, WM_DESTROYCLIPBOARD, 0, 0);
  ClearEntries(b);
  b.owner = nullptr;
  b.foreign = true;
  b.listed = false;
  ++b.sequence;
  NotifyListeners(b);
}

bool ClipboardDataForDesktop(UINT format, std::vector<uint8_t>& bytes) {
  Board& b = B();
  std::lock_guard lock(b.mutex);
  bytes.clear();
  if (b.foreign) return false;
  if (format == CF_UNICODETEXT) {
    const std::vector<UINT> all = AllFormats(b);
    if (std::find(all.begin(), all.end(), CF_UNICODETEXT) == all.end()) return false;
    HANDLE h = Render(b, CF_UNICODETEXT);
    if (!h) return false;
    const String text = UnicodeOf(h);
    bytes.resize(text.size() * sizeof(Char));
    if (!text.empty()) std::memcpy(bytes.data(), text.data(), bytes.size());
    return true;
  }
  if (format != CF_DIB) return false;
  const std::vector<UINT> all = AllFormats(b);
  if (std::find(all.begin(), all.end(), CF_DIB) == all.end()) return false;
  // Any DIB the program set goes out as 32 bits a pixel, through a bitmap.
  HANDLE bmp = Render(b, CF_BITMAP);
  HANDLE dib = bmp ? BitmapToDib(static_cast<HBITMAP>(bmp)) : nullptr;
  if (!dib) return false;
  auto* p = static_cast<const uint8_t*>(GlobalLock(dib));
  bytes.assign(p, p + GlobalSize(dib));
  GlobalUnlock(dib);
  GlobalFree(dib);
  return true;
}

void SetPrimarySelectionText(const String& text) {
  Board& b = B();
  std::lock_guard lock(b.mutex);
  if (b.bridge) b.bridge->PrimarySelectionChanged(text);
}

void ResetClipboardForTesting() {
  Board& b = B();
  std::lock_guard lock(b.mutex);
  ClearEntries(b);
  b.open = false;
  b.openWindow = nullptr;
  b.openThread = 0;
  b.owner = nullptr;
  b.foreign = b.listed = false;
  b.listeners.clear();
  ++b.sequence;
}
}  // namespace os

}  // namespace qd
