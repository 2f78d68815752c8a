#pragma once
// Global memory handles and the clipboard: one store for the whole process.
//
// Memory handles hold their bytes until GlobalFree; GlobalLock gives their address (the
// bytes do not move while the handle lives). Data given to SetClipboardData belongs to the
// clipboard from then on and is freed when the clipboard is emptied: memory handles with
// GlobalFree, CF_BITMAP with DeleteObject.
//
// Synthesised formats: CF_TEXT and CF_OEMTEXT from CF_UNICODETEXT and back (code page 1252,
// characters it lacks become '?'), CF_LOCALE with any text, CF_DIB from CF_BITMAP and
// CF_BITMAP from CF_DIB. They are made on first request and kept with the clipboard.
#include "platform/os/user.h"

#include <cstdint>
#include <vector>

namespace qd {

// ---- Global memory -------------------------------------------------------------------------
constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GMEM_DDESHARE = 0x2000;
constexpr UINT GMEM_SHARE = GMEM_DDESHARE;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
constexpr UINT GPTR = GMEM_FIXED | GMEM_ZEROINIT;

HGLOBAL GlobalAlloc(UINT flags, size_t bytes);
HGLOBAL GlobalReAlloc(HGLOBAL mem, size_t bytes, UINT flags);
// nullptr when it was freed; the handle stays valid otherwise.
HGLOBAL GlobalFree(HGLOBAL mem);
LPVOID GlobalLock(HGLOBAL mem);
// FALSE once the lock count is back at 0 (GetLastError is NO_ERROR then).
BOOL GlobalUnlock(HGLOBAL mem);
size_t GlobalSize(HGLOBAL mem);
// The handle of a GlobalLock address.
HGLOBAL GlobalHandle(const void* address);

// ---- Clipboard -------------------------------------------------------------------------------
constexpr UINT CF_TEXT = 1;
constexpr UINT CF_BITMAP = 2;
constexpr UINT CF_METAFILEPICT = 3;
constexpr UINT CF_SYLK = 4;
constexpr UINT CF_DIF = 5;
constexpr UINT CF_TIFF = 6;
constexpr UINT CF_OEMTEXT = 7;
constexpr UINT CF_DIB = 8;
constexpr UINT CF_PALETTE = 9;
constexpr UINT CF_PENDATA = 10;
constexpr UINT CF_RIFF = 11;
constexpr UINT CF_WAVE = 12;
constexpr UINT CF_UNICODETEXT = 13;
constexpr UINT CF_ENHMETAFILE = 14;
constexpr UINT CF_HDROP = 15;
constexpr UINT CF_LOCALE = 16;
constexpr UINT CF_DIBV5 = 17;
constexpr UINT CF_OWNERDISPLAY = 0x0080;
constexpr UINT CF_DSPTEXT = 0x0081;
constexpr UINT CF_DSPBITMAP = 0x0082;
constexpr UINT CF_PRIVATEFIRST = 0x0200;
constexpr UINT CF_PRIVATELAST = 0x02FF;
constexpr UINT CF_GDIOBJFIRST = 0x0300;
constexpr UINT CF_GDIOBJLAST = 0x03FF;
constexpr DWORD ERROR_CLIPBOARD_NOT_OPEN = 1418;

// Fails while another window (or, with hwnd nullptr, another thread) has it open.
BOOL OpenClipboard(HWND hwnd);
BOOL CloseClipboard();
// Frees the data, makes the opener the owner (the previous owner gets WM_DESTROYCLIPBOARD).
BOOL EmptyClipboard();
// The clipboard must be open. A null handle promises the data: the owner gets
// WM_RENDERFORMAT when someone asks for it.
HANDLE SetClipboardData(UINT format, HANDLE data);
// The clipboard must be open. The handle stays the clipboard's.
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);
// The formats in the order they were set, then the synthesised ones; 0 after the last.
UINT EnumClipboardFormats(UINT format);
int CountClipboardFormats();
// Registered formats are in 0xC000..0xFFFF; the same name (any case) gives the same number.
UINT RegisterClipboardFormatW(LPCWSTR name);
int GetClipboardFormatNameW(UINT format, LPWSTR buffer, int size);
HWND GetClipboardOwner();
HWND GetOpenClipboardWindow();
DWORD GetClipboardSequenceNumber();
int GetPriorityClipboardFormat(const UINT* formats, int count);
// The window gets WM_CLIPBOARDUPDATE (posted) whenever the clipboard's contents change, here or
// in another program of the desktop.
BOOL AddClipboardFormatListener(HWND hwnd);
BOOL RemoveClipboardFormatListener(HWND hwnd);

namespace os {
// Tests: empties the clipboard (without messages) and closes it.
void ResetClipboardForTesting();

// The desktop's clipboard (X11 CLIPBOARD and PRIMARY) as seen from this process. The display
// backend installs one; without it the clipboard is the process's own.
//
// Calls come with the clipboard's lock held; an implementation never calls back into the
// clipboard from another thread while it holds a lock of its own.
class ClipboardBridge {
 public:
  virtual ~ClipboardBridge() = default;
  // The program has put new contents on the clipboard, maybe none (at CloseClipboard): it owns
  // the desktop's clipboard now.
  virtual void ProgramOwnsClipboard() = 0;
  // What another program offers: CF_UNICODETEXT and/or CF_DIB.
  virtual std::vector<UINT> ForeignFormats() = 0;
  // Another program's data in one of those formats: CF_UNICODETEXT as UTF-16 without a NUL,
  // CF_DIB as a packed DIB. False when it could not be had.
  virtual bool ForeignData(UINT format, std::vector<uint8_t>& bytes) = 0;
  // Text the user selected (PRIMARY); empty: nothing selected any more by this program.
  virtual void PrimarySelectionChanged(const String& text) = 0;
};
void SetClipboardBridge(ClipboardBridge* bridge);
// Another program of the desktop took the clipboard: the program's data is dropped (its owner
// gets WM_DESTROYCLIPBOARD), listeners get WM_CLIPBOARDUPDATE, and from now on the clipboard
// offers what the bridge fetches.
void ClipboardTakenByOtherProgram();
// The data the desktop asks for while the program owns the clipboard, rendered without opening
// it: CF_UNICODETEXT as UTF-16 (no NUL), CF_DIB as a packed 32-bit DIB. False when the
// clipboard has no such data (or another program owns it).
bool ClipboardDataForDesktop(UINT format, std::vector<uint8_t>& bytes);
// Text the user selected in a window, offered as the desktop's PRIMARY selection.
void SetPrimarySelectionText(const String& text);
}  // namespace os

}  // namespace qd
