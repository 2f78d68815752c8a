#pragma once
// The clipboard object of the class library over the platform's clipboard: text, handles
// and pictures (bitmaps go as CF_BITMAP, other graphics are drawn into a bitmap first).
#include "platform/classes/classes.h"
#include "platform/os/user_clipboard.h"

namespace qd {

class TPicture;
class TGraphic;
class TBitmap;

// The registered format that stands for "a picture of some graphic class".
UINT CF_PICTURE();

class TClipboard : public TPersistent {
  QD_CLASS(TClipboard, TPersistent)

 public:
  TClipboard() = default;
  ~TClipboard() override;

  // Nested Open/Close pairs keep the clipboard open until the outer Close. Open raises
  // EClipboardException "Cannot open clipboard" when another window holds it.
  void Open();
  void Close();
  // Empties the clipboard (opening it for the call when needed).
  void Clear();
  bool HasFormat(UINT Format) const;
  int FormatCount() const;
  UINT Formats(int Index) const;

  String AsText();
  void SetAsText(const String& Value);
  // A copy of the data of a format; the clipboard keeps its own.
  HANDLE GetAsHandle(UINT Format);
  // The clipboard takes the handle.
  void SetAsHandle(UINT Format, HANDLE Value);

  // From a TPicture or a TGraphic: the clipboard gets a bitmap of it.
  void Assign(TPersistent* Source) override;

 protected:
  // To a TPicture or a TBitmap: the clipboard's bitmap.
  void AssignTo(TPersistent* Dest) override;

 private:
  void Adding();
  void AssignGraphic(TGraphic* Graphic);
  HWND Window();

  int openRefCount_ = 0;
  bool emptied_ = false;
  HWND window_ = nullptr;
};

class EClipboardException : public Exception {
  QD_CLASS(EClipboardException, Exception)

 public:
  using Exception::Exception;
};

// The application's clipboard object, created on first use.
TClipboard* Clipboard();
// Replaces it (the old one is returned to the caller, who frees it).
TClipboard* SetClipboard(TClipboard* NewClipboard);

}  // namespace qd
