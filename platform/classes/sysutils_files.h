#pragma once
// Files and folders: search with masks and attributes, attributes, copy, delete, rename,
// folders, path names and the program's parameters. Paths are UTF-16 here and UTF-8 at
// the operating system. Symbolic links are never followed when deleting, searching,
// reading attributes or copying: a link is an entry of its own (faSymLink).
#include <cstdint>

#include "platform/base/exceptions.h"
#include "platform/base/types.h"
#include "platform/os/wintypes.h"

namespace qd {

QD_DECLARE_EXCEPTION(EInOutError, Exception)

constexpr Char PathDelim = u'/';
constexpr Char DriveDelim = u'\0';  // no drives on this platform
constexpr Char PathSep = u':';

// Attribute bits of TSearchRec.Attr and GetFileAttributesW.
constexpr int faReadOnly = 0x00000001;
constexpr int faHidden = 0x00000002;   // the name starts with '.'
constexpr int faSysFile = 0x00000004;  // devices, pipes, sockets
constexpr int faVolumeID = 0x00000008;
constexpr int faDirectory = 0x00000010;
constexpr int faArchive = 0x00000020;  // every regular file
constexpr int faNormal = 0x00000080;
constexpr int faTemporary = 0x00000100;
constexpr int faSymLink = 0x00000400;
constexpr int faAnyFile = 0x000001FF;

constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x00000001;
constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x00000002;
constexpr DWORD FILE_ATTRIBUTE_SYSTEM = 0x00000004;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x00000010;
constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x00000020;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x00000080;
constexpr DWORD FILE_ATTRIBUTE_TEMPORARY = 0x00000100;
constexpr DWORD FILE_ATTRIBUTE_REPARSE_POINT = 0x00000400;
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFFu;

struct TSearchRec {
  int32_t Time = 0;  // DOS date and time (local)
  int64_t Size = 0;
  int32_t Attr = 0;
  String Name;
  int32_t ExcludeAttr = 0;
  void* FindHandle = nullptr;
  TDateTime TimeStamp = 0;  // last write, local time
};

// Starts a search for Path = folder + mask ('*' and '?' wildcards, case-insensitive;
// "*" and "*.*" match every name; "*." names without a dot). Entries whose attributes
// include faHidden, faSysFile, faVolumeID or faDirectory are returned only when Attr
// asks for them. "." and ".." come first when the mask matches them; the other entries
// follow in name order. Returns 0 when an entry was found, else an error number
// (ERROR_FILE_NOT_FOUND 2, ERROR_PATH_NOT_FOUND 3). A folder given as a link is not
// searched. Every successful FindFirst needs a FindClose.
int FindFirst(const String& Path, int Attr, TSearchRec& F);
// 0, or ERROR_NO_MORE_FILES (18) after the last entry.
int FindNext(TSearchRec& F);
void FindClose(TSearchRec& F);
// The mask rule FindFirst uses.
bool MatchesMask(StringView Name, StringView Mask);

// INVALID_FILE_ATTRIBUTES for a missing entry. Read-only = no write bit for the owner.
DWORD GetFileAttributesW(const Char* lpFileName);
// Only the read-only bit has an effect (it clears or sets the write bits); 0 makes a file
// writable for its owner. Links are left alone.
BOOL SetFileAttributesW(const Char* lpFileName, DWORD dwFileAttributes);
int FileGetAttr(const String& FileName);            // -1 when missing
int FileSetAttr(const String& FileName, int Attr);  // 0 or an error number

// Deletes a file or a link (never what the link points to). Fails for folders and, as
// on the original platform, for read-only files.
BOOL DeleteFileW(const Char* lpFileName);
bool DeleteFile(const String& FileName);
// Removes an empty folder (not a link).
BOOL RemoveDirectoryW(const Char* lpPathName);
bool RemoveDir(const String& Dir);
BOOL CreateDirectoryW(const Char* lpPathName, void* lpSecurityAttributes = nullptr);
bool CreateDir(const String& Dir);
// Creates the folder and its missing parents; raises EInOutError "Unable to create directory" for an
// empty name.
bool ForceDirectories(const String& Dir);
// A folder (a link to a folder counts only with FollowLink).
bool DirectoryExists(const String& Directory, bool FollowLink = false);
// A file that is not a folder (a link counts when it points to such a file, or always
// without FollowLink).
bool FileExists(const String& FileName, bool FollowLink = true);

// Copies a regular file. The data goes to a temporary file in the target's folder that
// is then renamed over the target, so a failure leaves the target as it was and no
// partial file behind. Fails when the target exists and bFailIfExists is set, when the
// target is read-only or a folder, or when the source is a link. A new target gets the
// source's permission bits, an existing one keeps its own; the source's modification time
// is kept.
BOOL CopyFileW(const Char* lpExistingFileName, const Char* lpNewFileName, BOOL bFailIfExists);
// Fails when NewName exists.
bool RenameFile(const String& OldName, const String& NewName);

String GetCurrentDir();
bool SetCurrentDir(const String& Dir);

// Path names with PathDelim.
String ExtractFilePath(const String& FileName);  // with the trailing delimiter
String ExtractFileDir(const String& FileName);   // without it
String ExtractFileName(const String& FileName);
String ExtractFileExt(const String& FileName);  // with the dot; "" when none
String ChangeFileExt(const String& FileName, const String& Extension);
String IncludeTrailingPathDelimiter(const String& S);
String ExcludeTrailingPathDelimiter(const String& S);
// An absolute path with "." and ".." resolved by name (links are not resolved).
String ExpandFileName(const String& FileName);

// The program's parameters: main() hands argc/argv over once. ParamStr(0) is the full
// path of the running executable (from /proc/self/exe), "" outside the range.
void InitParams(int argc, char** argv);
int ParamCount();
String ParamStr(int Index);
String GetExecutablePath();

}  // namespace qd
