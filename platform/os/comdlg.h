#pragma once
// The common file dialogs: GetOpenFileNameW and GetSaveFileNameW.
//
// With a display that shows windows, the dialog is a small modal window: the folder's
// sub-folders and the files that match the chosen filter in a list box, a file-name box (an
// "EDIT" window), the filters, and OK / Cancel. The headless display shows nothing: there
// the answer comes from the hook that tests install, and without a hook the dialog is
// cancelled. A hook, when installed, answers on every display.
//
// Whatever gives the answer, the dialog checks it the same way: a relative name is taken
// in the shown folder, a folder is opened instead of chosen, the default extension is
// added to a name without one, OFN_PATHMUSTEXIST / OFN_FILEMUSTEXIST refuse missing paths
// and files with a message, and OFN_OVERWRITEPROMPT asks before an existing file is
// chosen for saving. A refused answer leaves the dialog open (the hook is asked again).
#include <functional>
#include <utility>
#include <vector>

#include "platform/base/types.h"
#include "platform/os/user.h"

namespace qd {

struct OPENFILENAMEW {
  DWORD lStructSize = sizeof(OPENFILENAMEW);
  HWND hwndOwner = nullptr;
  HINSTANCE hInstance = nullptr;
  // Pairs of zero-terminated strings (description, patterns such as "*.txt;*.log"), ended
  // by an empty string.
  LPCWSTR lpstrFilter = nullptr;
  LPWSTR lpstrCustomFilter = nullptr;
  DWORD nMaxCustFilter = 0;
  DWORD nFilterIndex = 0;           // 1-based; 0 is taken as 1
  LPWSTR lpstrFile = nullptr;       // in: the initial name (may be empty); out: the full path
  DWORD nMaxFile = 0;               // characters, with the terminating zero
  LPWSTR lpstrFileTitle = nullptr;  // out: the name without its folder
  DWORD nMaxFileTitle = 0;
  LPCWSTR lpstrInitialDir = nullptr;
  LPCWSTR lpstrTitle = nullptr;  // nullptr: "Open" / "Save As"
  DWORD Flags = 0;
  WORD nFileOffset = 0;           // out: where the name starts in lpstrFile
  WORD nFileExtension = 0;        // out: where the extension starts (the end without one)
  LPCWSTR lpstrDefExt = nullptr;  // without the dot
  LPARAM lCustData = 0;
  void* lpfnHook = nullptr;
  LPCWSTR lpTemplateName = nullptr;
  void* pvReserved = nullptr;
  DWORD dwReserved = 0;
  DWORD FlagsEx = 0;
};

constexpr DWORD OFN_READONLY = 0x00000001;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
constexpr DWORD OFN_SHOWHELP = 0x00000010;
constexpr DWORD OFN_ENABLEHOOK = 0x00000020;
constexpr DWORD OFN_ENABLETEMPLATE = 0x00000040;
constexpr DWORD OFN_ENABLETEMPLATEHANDLE = 0x00000080;
constexpr DWORD OFN_NOVALIDATE = 0x00000100;
constexpr DWORD OFN_ALLOWMULTISELECT = 0x00000200;
constexpr DWORD OFN_EXTENSIONDIFFERENT = 0x00000400;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
constexpr DWORD OFN_CREATEPROMPT = 0x00002000;
constexpr DWORD OFN_SHAREAWARE = 0x00004000;
constexpr DWORD OFN_NOREADONLYRETURN = 0x00008000;
constexpr DWORD OFN_NOTESTFILECREATE = 0x00010000;
constexpr DWORD OFN_NONETWORKBUTTON = 0x00020000;
constexpr DWORD OFN_NOLONGNAMES = 0x00040000;
constexpr DWORD OFN_EXPLORER = 0x00080000;
constexpr DWORD OFN_NODEREFERENCELINKS = 0x00100000;
constexpr DWORD OFN_LONGNAMES = 0x00200000;
constexpr DWORD OFN_ENABLEINCLUDENOTIFY = 0x00400000;
constexpr DWORD OFN_ENABLESIZING = 0x00800000;
constexpr DWORD OFN_DONTADDTORECENT = 0x02000000;
constexpr DWORD OFN_FORCESHOWHIDDEN = 0x10000000;

// CommDlgExtendedError: 0 after a cancel.
constexpr DWORD CDERR_STRUCTSIZE = 0x0001;
constexpr DWORD CDERR_INITIALIZATION = 0x0002;
constexpr DWORD FNERR_SUBCLASSFAILURE = 0x3001;
constexpr DWORD FNERR_INVALIDFILENAME = 0x3002;
constexpr DWORD FNERR_BUFFERTOOSMALL = 0x3003;

// TRUE when the user chose a file; FALSE for a cancel (CommDlgExtendedError 0) or an error.
BOOL GetOpenFileNameW(OPENFILENAMEW* ofn);
BOOL GetSaveFileNameW(OPENFILENAMEW* ofn);
DWORD CommDlgExtendedError();

namespace os {

// What a file dialog shows, as the hook sees it.
struct FileDialogRequest {
  bool Save = false;
  HWND Owner = nullptr;
  String Title;
  String Folder;                                   // the folder shown
  std::vector<std::pair<String, String>> Filters;  // description, patterns
  int FilterIndex = 1;                             // 1-based
  String FileName;                                 // the name in the file-name box
  String DefaultExt;
  DWORD Flags = 0;
  int Round = 0;   // 0 at first; counts the refused answers
  String Refusal;  // the message that refused the previous answer (empty: none was shown)
};

// What the user did: OK with a name (relative to the folder, or a full path), or Cancel.
struct FileDialogAnswer {
  bool Ok = false;
  String FileName;
  int FilterIndex = 0;  // 0 keeps the filter
};

using FileDialogHook = std::function<FileDialogAnswer(const FileDialogRequest& Request)>;
// Installs the hook (an empty one removes it) and returns the previous one.
FileDialogHook SetFileDialogHook(FileDialogHook Hook);

// How the dialog asks and warns (the overwrite question, "file not found"): a message box
// answering IDYES / IDNO / IDOK. The class library installs its message box; without one
// the text goes to standard error and the answer is the box's first button.
using FileDialogPrompt = std::function<int(HWND Owner, const String& Text, const String& Caption, UINT Type)>;
FileDialogPrompt SetFileDialogPrompt(FileDialogPrompt Prompt);

// The (description, patterns) pairs of a zero-separated filter list.
std::vector<std::pair<String, String>> ParseFileDialogFilter(LPCWSTR Filter);
// Whether a file name matches one of the ';'-separated patterns ('*' and '?', letter case
// ignored; "*.*" matches every name).
bool MatchesFilePattern(const String& Name, const String& Patterns);

// Tests: show the dialog window even on the headless display.
void SetFileDialogWindowForTesting(bool Enabled);

}  // namespace os
}  // namespace qd
