// The GDI handle table and pixel format helpers.
#include <algorithm>
#include <cstring>
#include <deque>
#include <mutex>

#include "platform/os/gdi_internal.h"

namespace qd::gdi {

int32_t ClampCoord(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, -kCoordLimit, kCoordLimit));
}

// ---- Handle table ----------------------------------------------------------------------------
// A handle is (generation << 32) | (slot + 1): a deleted object's handle never matches the
// slot's next object, so stale handles fail instead of reaching another object.

namespace {

struct HandleSlot {
  std::unique_ptr<Object> object;
  uint32_t generation = 1;
};

struct HandleTable {
  std::mutex mutex;
  std::vector<HandleSlot> slots;
  std::deque<uint32_t> free;  // reused oldest first
};

HandleTable& TheHandleTable() {
  static HandleTable* table = new HandleTable;  // lives to the end of the process
  return *table;
}

bool DecodeHandle(HGDIOBJ h, uint32_t& index, uint32_t& gen) {
  auto v = reinterpret_cast<uintptr_t>(h);
  if (v == 0) return false;
  uint64_t low = v & 0xFFFFFFFFu;
  if (low == 0) return false;
  index = static_cast<uint32_t>(low - 1);
  gen = static_cast<uint32_t>(static_cast<uint64_t>(v) >> 32);
  return true;
}

}  // namespace

HGDIOBJ AddObject(std::unique_ptr<Object> object) {
  HandleTable& t = TheHandleTable();
  std::lock_guard lock(t.mutex);
  uint32_t index;
  if (t.free.size() > 64) {
    index = t.free.front();
    t.free.pop_front();
  } else {
    index = static_cast<uint32_t>(t.slots.size());
    if (index >= 0x7FFFFFFF) return nullptr;
    t.slots.emplace_back();
  }
  HandleSlot& s = t.slots[index];
  auto value = (static_cast<uint64_t>(s.generation) << 32) | (static_cast<uint64_t>(index) + 1);
  HGDIOBJ h = reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(value));
  object->handle = h;
  s.object = std::move(object);
  return h;
}

Object* FindObject(HGDIOBJ handle) {
  uint32_t index, gen;
  if (!DecodeHandle(handle, index, gen)) return nullptr;
  HandleTable& t = TheHandleTable();
  std::lock_guard lock(t.mutex);
  if (index >= t.slots.size()) return nullptr;
  HandleSlot& s = t.slots[index];
  if (s.generation != gen || !s.object) return nullptr;
  return s.object.get();
}

void RemoveObject(HGDIOBJ handle) {
  uint32_t index, gen;
  if (!DecodeHandle(handle, index, gen)) return;
  std::unique_ptr<Object> dead;
  {
    HandleTable& t = TheHandleTable();
    std::lock_guard lock(t.mutex);
    if (index >= t.slots.size()) return;
    HandleSlot& s = t.slots[index];
    if (s.generation != gen || !s.object) return;
    dead = std::move(s.object);
    if (++s.generation == 0) s.generation = 1;
    t.free.push_back(index);
  }
  // Destroyed outside the lock: a DC's destructor releases the objects it holds.
}

void Retain(HGDIOBJ handle) {
  if (Object* o = FindObject(handle)) ++o->selections;
}

void Release(HGDIOBJ handle) {
  Object* o = FindObject(handle);
  if (!o) return;
  int n = o->selections.load();
  while (n > 0 && !o->selections.compare_exchange_weak(n, n - 1)) {
  }
}

// ---- Pixels ----------------------------------------------------------------------------------

int BitsOf(Format f) {
  switch (f) {
    case Format::Mono:
      return 1;
    case Format::Pal4:
      return 4;
    case Format::Pal8:
      return 8;
    case Format::Rgb24:
      return 24;
    case Format::Bgra32:
      return 32;
  }
  return 32;
}

uint32_t NativeMask(Format f) {
  switch (f) {
    case Format::Mono:
      return 1;
    case Format::Pal4:
      return 0xF;
    case Format::Pal8:
      return 0xFF;
    case Format::Rgb24:
      return 0xFFFFFF;
    case Format::Bgra32:
      return 0xFFFFFFFF;
  }
  return 0xFFFFFFFF;
}

uint32_t Pixmap::Get(int32_t x, int32_t y) const {
  const uint8_t* row = Row(y);
  switch (format) {
    case Format::Bgra32: {
      uint32_t v;
      std::memcpy(&v, row + static_cast<size_t>(x) * 4, 4);
      return alphaIsData ? v : (v & 0xFFFFFF);
    }
    case Format::Rgb24: {
      const uint8_t* p = row + static_cast<size_t>(x) * 3;
      return p[0] | (p[1] << 8) | (p[2] << 16);
    }
    case Format::Pal8:
      return row[x];
    case Format::Pal4:
      return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF;
    case Format::Mono:
      return (row[x >> 3] >> (7 - (x & 7))) & 1;
  }
  return 0;
}

void Pixmap::Put(int32_t x, int32_t y, uint32_t v) const {
  uint8_t* row = Row(y);
  switch (format) {
    case Format::Bgra32:
      std::memcpy(row + static_cast<size_t>(x) * 4, &v, 4);
      return;
    case Format::Rgb24: {
      uint8_t* p = row + static_cast<size_t>(x) * 3;
      p[0] = static_cast<uint8_t>(v);
      p[1] = static_cast<uint8_t>(v >> 8);
      p[2] = static_cast<uint8_t>(v >> 16);
      return;
    }
    case Format::Pal8:
      row[x] = static_cast<uint8_t>(v);
      return;
    case Format::Pal4: {
      uint8_t& b = row[x >> 1];
      if (x & 1)
        b = static_cast<uint8_t>((b & 0xF0) | (v & 0xF));
      else
        b = static_cast<uint8_t>((b & 0x0F) | ((v & 0xF) << 4));
      return;
    }
    case Format::Mono: {
      uint8_t& b = row[x >> 3];
      uint8_t bit = static_cast<uint8_t>(0x80 >> (x & 7));
      b = (v & 1) ? (b | bit) : (b & ~bit);
      return;
    }
  }
}

namespace {
const RGBQUAD kMonoColors[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
}

uint32_t NativeFromColor(const Pixmap& pm, COLORREF color) {
  switch (pm.format) {
    case Format::Bgra32:
    case Format::Rgb24:
      return ColorToArgb(color);
    default:
      break;
  }
  const RGBQUAD* colors = pm.colors;
  int n = pm.numColors;
  if (pm.format == Format::Mono && (!colors || n < 2)) {
    colors = kMonoColors;
    n = 2;
  }
  if (!colors || n == 0) return 0;
  int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
  int best = 0;
  int bestDist = 1 << 30;
  for (int i = 0; i < n; ++i) {
    int dr = colors[i].rgbRed - r, dg = colors[i].rgbGreen - g, db = colors[i].rgbBlue - b;
    int dist = dr * dr + dg * dg + db * db;
    if (dist < bestDist || (dist == bestDist && pm.format == Format::Mono)) {
      bestDist = dist;
      best = i;
    }
  }
  return static_cast<uint32_t>(best) & NativeMask(pm.format);
}

COLORREF ColorFromNative(const Pixmap& pm, uint32_t v) {
  switch (pm.format) {
    case Format::Bgra32:
    case Format::Rgb24:
      return ArgbToColor(v);
    default:
      break;
  }
  const RGBQUAD* colors = pm.colors;
  int n = pm.numColors;
  if (pm.format == Format::Mono && (!colors || n < 2)) {
    colors = kMonoColors;
    n = 2;
  }
  if (!colors || static_cast<int>(v) >= n) return 0;
  return RGB(colors[v].rgbRed, colors[v].rgbGreen, colors[v].rgbBlue);
}

Pixmap Bitmap::View() const {
  Pixmap pm;
  pm.width = width;
  pm.height = height;
  pm.format = format;
  pm.alphaIsData = dib;
  if (!dib || topDown) {
    pm.top = storage.get();
    pm.stride = stride;
  } else {
    pm.top = storage.get() + stride * (height - 1);
    pm.stride = -stride;
  }
  pm.colors = colors.empty() ? nullptr : colors.data();
  pm.numColors = static_cast<int>(colors.size());
  return pm;
}

}  // namespace qd::gdi
