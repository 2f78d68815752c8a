#include "platform/forms/clipbrd.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/forms/controls.h"
#include "platform/forms/graphics.h"

namespace qd {

QD_IMPLEMENT_CLASS(TClipboard)
QD_IMPLEMENT_CLASS(EClipboardException)

namespace {

// Kept for the life of the process (freed only through SetClipboard).
TClipboard*& Instance() {
  static TClipboard* c = nullptr;
  return c;
}

// A 32-bit DIB section copy of a bitmap object (alpha kept).
HBITMAP CopyBitmap32(HBITMAP Source, int Width, int Height) {
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = Width;
  bi.bmiHeader.biHeight = Height;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP copy = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!copy) return nullptr;
  HDC src = CreateCompatibleDC(nullptr);
  HDC dst = CreateCompatibleDC(nullptr);
  HGDIOBJ oldSrc = SelectObject(src, Source);
  HGDIOBJ oldDst = SelectObject(dst, copy);
  BitBlt(dst, 0, 0, Width, Height, src, 0, 0, SRCCOPY);
  SelectObject(src, oldSrc);
  SelectObject(dst, oldDst);
  DeleteDC(src);
  DeleteDC(dst);
  return copy;
}

}  // namespace

UINT CF_PICTURE() {
  static const UINT f = RegisterClipboardFormatW(u"Picture");
  return f;
}

TClipboard* Clipboard() {
  if (!Instance()) Instance() = new TClipboard;
  return Instance();
}

TClipboard* SetClipboard(TClipboard* NewClipboard) {
  TClipboard* old = Instance();
  Instance() = NewClipboard;
  return old;
}

TClipboard::~TClipboard() {
  if (window_ && IsWindow(window_)) DeallocateHWnd(window_);
}

HWND TClipboard::Window() {
  if (!window_ || !IsWindow(window_)) window_ = AllocateHWnd(TWndMethod());
  return window_;
}

void TClipboard::Open() {
  if (openRefCount_ == 0) {
    if (!OpenClipboard(Window())) throw EClipboardException(u"Cannot open clipboard");
    emptied_ = false;
  }
  ++openRefCount_;
}

void TClipboard::Close() {
  if (openRefCount_ == 0) return;
  if (--openRefCount_ == 0) CloseClipboard();
}

void TClipboard::Clear() {
  Open();
  EmptyClipboard();
  emptied_ = true;
  Close();
}

void TClipboard::Adding() {
  if (openRefCount_ > 0 && !emptied_) {
    EmptyClipboard();
    emptied_ = true;
  }
}

bool TClipboard::HasFormat(UINT Format) const {
  if (IsClipboardFormatAvailable(Format)) return true;
  // A picture of any kind.
  return Format == CF_PICTURE() && IsClipboardFormatAvailable(CF_BITMAP);
}

int TClipboard::FormatCount() const {
  return CountClipboardFormats();
}

UINT TClipboard::Formats(int Index) const {
  auto* self = const_cast<TClipboard*>(this);
  self->Open();
  UINT f = 0;
  for (int i = 0; i <= Index; ++i) {
    f = EnumClipboardFormats(f);
    if (!f) break;
  }
  self->Close();
  return f;
}

String TClipboard::AsText() {
  String s;
  Open();
  try {
    if (HGLOBAL h = GetClipboardData(CF_UNICODETEXT)) {
      const size_t n = GlobalSize(h) / sizeof(Char);
      if (auto* p = static_cast<const Char*>(GlobalLock(h))) s.assign(p, std::find(p, p + n, Char(0)));
      GlobalUnlock(h);
    }
  } catch (...) {
    Close();
    throw;
  }
  Close();
  return s;
}

void TClipboard::SetAsText(const String& Value) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, (Value.size() + 1) * sizeof(Char));
  auto* p = static_cast<Char*>(GlobalLock(h));
  std::copy(Value.begin(), Value.end(), p);
  p[Value.size()] = 0;
  GlobalUnlock(h);
  SetAsHandle(CF_UNICODETEXT, h);
}

HANDLE TClipboard::GetAsHandle(UINT Format) {
  Open();
  HANDLE result = nullptr;
  if (HANDLE h = GetClipboardData(Format)) {
    if (Format == CF_BITMAP) {
      BITMAP bm;
      if (GetObjectW(h, sizeof(bm), &bm))
        result = CopyBitmap32(static_cast<HBITMAP>(h), bm.bmWidth, bm.bmHeight);
    } else if (const size_t n = GlobalSize(h); n || GlobalLock(h)) {
      HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, n);
      std::memcpy(GlobalLock(copy), GlobalLock(h), n);
      GlobalUnlock(copy);
      GlobalUnlock(h);
      GlobalUnlock(h);
      result = copy;
    }
  }
  Close();
  return result;
}

void TClipboard::SetAsHandle(UINT Format, HANDLE Value) {
  Open();
  Adding();
  SetClipboardData(Format, Value);
  Close();
}

void TClipboard::AssignGraphic(TGraphic* Graphic) {
  TBitmap bmp;
  if (auto* b = dynamic_cast<TBitmap*>(Graphic)) {
    bmp.Assign(b);
  } else {
    bmp.SetPixelFormat(pf32bit);
    bmp.SetSize(Graphic->Width(), Graphic->Height());
    Graphic->Draw(bmp.Canvas(), TRect{0, 0, Graphic->Width(), Graphic->Height()});
  }
  HBITMAP copy = CopyBitmap32(bmp.Handle(), bmp.Width(), bmp.Height());
  if (!copy) throw EClipboardException(u"Cannot copy the picture to the clipboard");
  Open();
  Adding();
  SetClipboardData(CF_BITMAP, copy);
  Close();
}

void TClipboard::Assign(TPersistent* Source) {
  if (auto* p = dynamic_cast<TPicture*>(Source)) {
    if (p->Graphic()) AssignGraphic(p->Graphic());
    return;
  }
  if (auto* g = dynamic_cast<TGraphic*>(Source)) {
    AssignGraphic(g);
    return;
  }
  inherited::Assign(Source);
}

void TClipboard::AssignTo(TPersistent* Dest) {
  auto* picture = dynamic_cast<TPicture*>(Dest);
  auto* bitmap = dynamic_cast<TBitmap*>(Dest);
  if (!picture && !bitmap) {
    inherited::AssignTo(Dest);
    return;
  }
  Open();
  HBITMAP copy = nullptr;
  if (HANDLE h = GetClipboardData(CF_BITMAP)) {
    BITMAP bm;
    if (GetObjectW(h, sizeof(bm), &bm)) copy = CopyBitmap32(static_cast<HBITMAP>(h), bm.bmWidth, bm.bmHeight);
  }
  Close();
  if (!copy) throw EInvalidGraphic(u"Unsupported clipboard format");
  TBitmap b;
  b.SetHandle(copy);
  if (picture)
    picture->SetGraphic(&b);
  else
    bitmap->Assign(&b);
}

}  // namespace qd
