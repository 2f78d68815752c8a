#include "platform/classes/sysutils_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <mutex>
#include <string>
#include <vector>

#include "platform/base/strings.h"
#include "platform/classes/oserror.h"
#include "platform/os/kernel.h"

namespace qd {

QD_IMPLEMENT_CLASS(EInOutError)

namespace {

std::string U8(const String& s) {
  return StringToUtf8(s);
}
std::string U8(const Char* s) {
  return s ? StringToUtf8(StringView(s)) : std::string();
}

void SetErrno(int err, const std::string& path = {}) {
  SetLastError(Win32ErrorForPath(err, path));
}

int AttrFromStat(const struct stat& st, std::string_view name) {
  int a = 0;
  if (S_ISLNK(st.st_mode)) {
    a = faSymLink;
  } else if (S_ISDIR(st.st_mode)) {
    a = faDirectory;
  } else if (S_ISREG(st.st_mode)) {
    a = faArchive;
    if (!(st.st_mode & S_IWUSR)) a |= faReadOnly;
  } else {
    a = faSysFile;
  }
  if (!name.empty() && name[0] == '.' && name != "." && name != "..") a |= faHidden;
  return a;
}

std::string_view BaseName(std::string_view path) {
  while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  auto p = path.find_last_of('/');
  return p == std::string_view::npos ? path : path.substr(p + 1);
}

TDateTime ToDateTime(time_t t, int32_t& dos) {
  struct tm lt {};
  localtime_r(&t, &lt);
  int year = lt.tm_year + 1900;
  dos = year < 1980
            ? 0
            : static_cast<int32_t>(
                  (static_cast<uint32_t>(year - 1980) << 25) | (static_cast<uint32_t>(lt.tm_mon + 1) << 21) |
                  (static_cast<uint32_t>(lt.tm_mday) << 16) | (static_cast<uint32_t>(lt.tm_hour) << 11) |
                  (static_cast<uint32_t>(lt.tm_min) << 5) | static_cast<uint32_t>(lt.tm_sec / 2));
  return (static_cast<double>(t) + static_cast<double>(lt.tm_gmtoff)) / 86400.0 + 25569.0;
}

struct FoundEntry {
  String name;
  int attr = 0;
  int64_t size = 0;
  time_t mtime = 0;
};

struct SearchState {
  std::vector<FoundEntry> entries;
  size_t next = 0;
};

// Gives F the next entry that passes the exclusion mask; false at the end.
bool TakeNext(TSearchRec& F) {
  auto* st = static_cast<SearchState*>(F.FindHandle);
  while (st->next < st->entries.size()) {
    const FoundEntry& e = st->entries[st->next++];
    if (e.attr & F.ExcludeAttr) continue;
    F.Name = e.name;
    F.Attr = e.attr;
    F.Size = e.size;
    F.TimeStamp = ToDateTime(e.mtime, F.Time);
    return true;
  }
  return false;
}

bool MatchFrom(StringView name, size_t ni, StringView mask, size_t mi) {
  while (mi < mask.size()) {
    Char m = mask[mi];
    if (m == u'*') {
      while (mi < mask.size() && mask[mi] == u'*') ++mi;
      if (mi == mask.size()) return true;
      for (size_t k = ni; k <= name.size(); ++k)
        if (MatchFrom(name, k, mask, mi)) return true;
      return false;
    }
    if (ni == name.size()) {
      // ".*" or "." at the end also match a name that has no extension.
      StringView rest = mask.substr(mi);
      return rest == u".*" || rest == u"." || rest == u".*.*";
    }
    if (m != u'?' && UpCase(m) != UpCase(name[ni])) return false;
    ++mi;
    ++ni;
  }
  return ni == name.size();
}

}  // namespace

bool MatchesMask(StringView Name, StringView Mask) {
  if (Mask == u"*" || Mask == u"*.*") return true;
  if (Mask == u"*.") return Name.find(u'.') == StringView::npos;
  return MatchFrom(Name, 0, Mask, 0);
}

int FindFirst(const String& Path, int Attr, TSearchRec& F) {
  F.FindHandle = nullptr;
  F.ExcludeAttr = ~Attr & (faHidden | faSysFile | faVolumeID | faDirectory);
  String dir = ExtractFilePath(Path);
  String mask = ExtractFileName(Path);
  std::string d8 = dir.empty() ? std::string(".") : U8(dir);
  while (d8.size() > 1 && d8.back() == '/') d8.pop_back();  // "link/" would follow the link
  // O_NOFOLLOW: a folder given as a link is not searched.
  int fd = ::open(d8.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) {
    int err = errno;
    return static_cast<int>(err == ENOENT || err == ENOTDIR || err == ELOOP ? 3u : Win32ErrorFromErrno(err));
  }
  DIR* dp = ::fdopendir(fd);
  if (!dp) {
    ::close(fd);
    return static_cast<int>(Win32ErrorFromErrno(errno));
  }
  auto* state = new SearchState;
  std::vector<FoundEntry> others;
  struct stat st {};
  for (const char* dot : {".", ".."}) {
    if (!MatchesMask(Utf8ToString(dot), mask)) continue;
    if (::fstatat(fd, dot, &st, AT_SYMLINK_NOFOLLOW) == 0)
      state->entries.push_back({Utf8ToString(dot), faDirectory, 0, st.st_mtime});
  }
  while (struct dirent* de = ::readdir(dp)) {
    std::string n = de->d_name;
    if (n == "." || n == "..") continue;
    String name = Utf8ToString(n);
    if (!MatchesMask(name, mask)) continue;
    if (::fstatat(fd, de->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;  // vanished meanwhile
    others.push_back(
        {name, AttrFromStat(st, n), S_ISREG(st.st_mode) ? static_cast<int64_t>(st.st_size) : 0, st.st_mtime});
  }
  ::closedir(dp);
  std::sort(others.begin(), others.end(), [](const FoundEntry& a, const FoundEntry& b) {
    int c = CompareText(a.name, b.name);
    return c != 0 ? c < 0 : a.name < b.name;
  });
  for (auto& e : others) state->entries.push_back(std::move(e));
  F.FindHandle = state;
  if (!TakeNext(F)) {
    FindClose(F);
    return 2;  // ERROR_FILE_NOT_FOUND
  }
  return 0;
}

int FindNext(TSearchRec& F) {
  if (!F.FindHandle) return 6;  // ERROR_INVALID_HANDLE
  return TakeNext(F) ? 0 : 18;  // ERROR_NO_MORE_FILES
}

void FindClose(TSearchRec& F) {
  delete static_cast<SearchState*>(F.FindHandle);
  F.FindHandle = nullptr;
}

// --- attributes ----------------------------------------------------------------------

DWORD GetFileAttributesW(const Char* lpFileName) {
  std::string p = U8(lpFileName);
  struct stat st {};
  if (p.empty() || ::lstat(p.c_str(), &st) != 0) {
    SetErrno(p.empty() ? ENOENT : errno, p);
    return INVALID_FILE_ATTRIBUTES;
  }
  return static_cast<DWORD>(AttrFromStat(st, BaseName(p)));
}

BOOL SetFileAttributesW(const Char* lpFileName, DWORD dwFileAttributes) {
  std::string p = U8(lpFileName);
  struct stat st {};
  if (p.empty() || ::lstat(p.c_str(), &st) != 0) {
    SetErrno(p.empty() ? ENOENT : errno, p);
    return FALSE;
  }
  if (S_ISLNK(st.st_mode)) return TRUE;  // links have no permissions of their own
  mode_t mode = st.st_mode & 07777;
  if (dwFileAttributes & FILE_ATTRIBUTE_READONLY)
    mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
  else
    mode |= S_IWUSR;
  if (mode != (st.st_mode & 07777) && ::chmod(p.c_str(), mode) != 0) {
    SetErrno(errno, p);
    return FALSE;
  }
  return TRUE;
}

int FileGetAttr(const String& FileName) {
  DWORD a = GetFileAttributesW(FileName.c_str());
  return a == INVALID_FILE_ATTRIBUTES ? -1 : static_cast<int>(a);
}

int FileSetAttr(const String& FileName, int Attr) {
  return SetFileAttributesW(FileName.c_str(), static_cast<DWORD>(Attr)) ? 0
                                                                        : static_cast<int>(GetLastError());
}

// --- files and folders -------------------------------------------------------------------

BOOL DeleteFileW(const Char* lpFileName) {
  std::string p = U8(lpFileName);
  struct stat st {};
  if (p.empty() || ::lstat(p.c_str(), &st) != 0) {
    SetErrno(p.empty() ? ENOENT : errno, p);
    return FALSE;
  }
  if (S_ISDIR(st.st_mode) || (S_ISREG(st.st_mode) && !(st.st_mode & S_IWUSR))) {
    SetLastError(5);  // ERROR_ACCESS_DENIED
    return FALSE;
  }
  if (::unlink(p.c_str()) != 0) {
    SetErrno(errno, p);
    return FALSE;
  }
  return TRUE;
}

bool DeleteFile(const String& FileName) {
  return DeleteFileW(FileName.c_str()) != FALSE;
}

BOOL RemoveDirectoryW(const Char* lpPathName) {
  std::string p = U8(lpPathName);
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  struct stat st {};
  if (p.empty() || ::lstat(p.c_str(), &st) != 0) {
    SetErrno(p.empty() ? ENOENT : errno, p);
    return FALSE;
  }
  if (!S_ISDIR(st.st_mode)) {
    SetLastError(267);  // ERROR_DIRECTORY
    return FALSE;
  }
  if (::rmdir(p.c_str()) != 0) {
    SetErrno(errno, p);
    return FALSE;
  }
  return TRUE;
}

bool RemoveDir(const String& Dir) {
  return RemoveDirectoryW(Dir.c_str()) != FALSE;
}

BOOL CreateDirectoryW(const Char* lpPathName, void*) {
  std::string p = U8(lpPathName);
  if (p.empty() || ::mkdir(p.c_str(), 0777) != 0) {
    SetErrno(p.empty() ? ENOENT : errno, p);
    return FALSE;
  }
  return TRUE;
}

bool CreateDir(const String& Dir) {
  return CreateDirectoryW(Dir.c_str()) != FALSE;
}

bool ForceDirectories(const String& Dir) {
  if (Dir.empty()) throw EInOutError(u"Unable to create directory");
  String d = ExcludeTrailingPathDelimiter(Dir);
  if (d.empty() || DirectoryExists(d, true)) return true;
  String parent = ExtractFileDir(d);
  if (!parent.empty() && parent != d && !ForceDirectories(parent)) return false;
  return CreateDir(d) || DirectoryExists(d, true);
}

bool DirectoryExists(const String& Directory, bool FollowLink) {
  std::string p = U8(Directory);
  // "dir/" would make lstat follow a link named dir.
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  if (p.empty()) return false;
  struct stat st {};
  if ((FollowLink ? ::stat(p.c_str(), &st) : ::lstat(p.c_str(), &st)) != 0) return false;
  return S_ISDIR(st.st_mode);
}

bool FileExists(const String& FileName, bool FollowLink) {
  std::string p = U8(FileName);
  if (p.empty()) return false;
  struct stat st {};
  if (::lstat(p.c_str(), &st) != 0) return false;
  if (S_ISLNK(st.st_mode)) {
    if (!FollowLink) return true;
    if (::stat(p.c_str(), &st) != 0) return false;
  }
  return !S_ISDIR(st.st_mode);
}

BOOL CopyFileW(const Char* lpExistingFileName, const Char* lpNewFileName, BOOL bFailIfExists) {
  std::string src = U8(lpExistingFileName), dst = U8(lpNewFileName);
  if (src.empty() || dst.empty()) {
    SetLastError(3);  // ERROR_PATH_NOT_FOUND
    return FALSE;
  }
  int in = ::open(src.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (in < 0) {
    SetErrno(errno, src);
    return FALSE;
  }
  struct stat sst {};
  if (::fstat(in, &sst) != 0 || !S_ISREG(sst.st_mode)) {
    ::close(in);
    SetLastError(5);  // ERROR_ACCESS_DENIED
    return FALSE;
  }
  mode_t mode = sst.st_mode & 0777;
  struct stat dst_st {};
  if (::lstat(dst.c_str(), &dst_st) == 0) {
    if (bFailIfExists) {
      ::close(in);
      SetLastError(80);  // ERROR_FILE_EXISTS
      return FALSE;
    }
    if (S_ISDIR(dst_st.st_mode) || (S_ISREG(dst_st.st_mode) && !(dst_st.st_mode & S_IWUSR))) {
      ::close(in);
      SetLastError(5);  // ERROR_ACCESS_DENIED
      return FALSE;
    }
    if (S_ISREG(dst_st.st_mode)) mode = dst_st.st_mode & 07777;
  }
  std::string dir = dst.substr(0, dst.find_last_of('/') + 1);
  std::string tmpl = dir + "." + std::string(BaseName(dst)) + ".qdcopy-XXXXXX";
  std::vector<char> tmp(tmpl.begin(), tmpl.end());
  tmp.push_back(0);
  int out = ::mkostemp(tmp.data(), O_CLOEXEC);
  if (out < 0) {
    int err = errno;
    ::close(in);
    SetErrno(err, dst);
    return FALSE;
  }
  auto fail = [&](int err) {
    ::close(in);
    ::close(out);
    ::unlink(tmp.data());
    SetErrno(err, dst);
    return FALSE;
  };
  std::vector<char> buf(1 << 16);
  for (;;) {
    ssize_t n = ::read(in, buf.data(), buf.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return fail(errno);
    if (n == 0) break;
    for (ssize_t off = 0; off < n;) {
      ssize_t w = ::write(out, buf.data() + off, static_cast<size_t>(n - off));
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) return fail(w < 0 ? errno : ENOSPC);
      off += w;
    }
  }
  if (::fchmod(out, mode) != 0) return fail(errno);
  struct timespec times[2] = {sst.st_atim, sst.st_mtim};
  ::futimens(out, times);
  ::close(in);
  if (::close(out) != 0) {
    int err = errno;
    ::unlink(tmp.data());
    SetErrno(err, dst);
    return FALSE;
  }
  if (::rename(tmp.data(), dst.c_str()) != 0) {
    int err = errno;
    ::unlink(tmp.data());
    SetErrno(err, dst);
    return FALSE;
  }
  return TRUE;
}

bool RenameFile(const String& OldName, const String& NewName) {
  std::string a = U8(OldName), b = U8(NewName);
  if (a.empty() || b.empty()) return false;
  if (::renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) {
    SetErrno(errno, b);
    return false;
  }
  // File systems without the flag: check, then rename.
  struct stat st {};
  if (::lstat(b.c_str(), &st) == 0) {
    SetLastError(183);  // ERROR_ALREADY_EXISTS
    return false;
  }
  if (::rename(a.c_str(), b.c_str()) != 0) {
    SetErrno(errno, b);
    return false;
  }
  return true;
}

String GetCurrentDir() {
  std::vector<char> buf(4096);
  while (!::getcwd(buf.data(), buf.size())) {
    if (errno != ERANGE) return {};
    buf.resize(buf.size() * 2);
  }
  return Utf8ToString(buf.data());
}

bool SetCurrentDir(const String& Dir) {
  std::string p = U8(Dir);
  return !p.empty() && ::chdir(p.c_str()) == 0;
}

// --- path names ----------------------------------------------------------------------------

String ExtractFilePath(const String& FileName) {
  size_t p = FileName.find_last_of(PathDelim);
  return p == String::npos ? String() : FileName.substr(0, p + 1);
}

String ExtractFileDir(const String& FileName) {
  size_t p = FileName.find_last_of(PathDelim);
  if (p == String::npos) return {};
  // Keeps the root ("/x" gives "/"); "a//b" gives "a/".
  if (p > 0 && FileName[p - 1] != PathDelim) return FileName.substr(0, p);
  return FileName.substr(0, p + 1);
}

String ExtractFileName(const String& FileName) {
  size_t p = FileName.find_last_of(PathDelim);
  return p == String::npos ? FileName : FileName.substr(p + 1);
}

String ExtractFileExt(const String& FileName) {
  size_t p = FileName.find_last_of(u"./");
  if (p == String::npos || FileName[p] != u'.') return {};
  return FileName.substr(p);
}

String ChangeFileExt(const String& FileName, const String& Extension) {
  size_t p = FileName.find_last_of(u"./");
  if (p == String::npos || FileName[p] != u'.') p = FileName.size();
  return FileName.substr(0, p) + Extension;
}

String IncludeTrailingPathDelimiter(const String& S) {
  if (!S.empty() && S.back() == PathDelim) return S;
  return S + PathDelim;
}

String ExcludeTrailingPathDelimiter(const String& S) {
  if (!S.empty() && S.back() == PathDelim) return S.substr(0, S.size() - 1);
  return S;
}

String ExpandFileName(const String& FileName) {
  if (FileName.empty()) return {};
  String full =
      FileName[0] == PathDelim ? FileName : IncludeTrailingPathDelimiter(GetCurrentDir()) + FileName;
  std::vector<String> parts;
  size_t i = 0;
  while (i <= full.size()) {
    size_t j = full.find(PathDelim, i);
    if (j == String::npos) j = full.size();
    String part = full.substr(i, j - i);
    if (part == u"..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != u".") {
      parts.push_back(part);
    }
    i = j + 1;
  }
  String r;
  for (const String& p : parts) r += PathDelim + p;
  if (r.empty()) r = String(1, PathDelim);
  if (full.back() == PathDelim && r.back() != PathDelim) r += PathDelim;
  return r;
}

// --- parameters ------------------------------------------------------------------------------

namespace {
std::mutex gParamsLock;
std::vector<String> gParams;
}  // namespace

void InitParams(int argc, char** argv) {
  std::lock_guard g(gParamsLock);
  gParams.clear();
  for (int i = 0; i < argc; ++i) gParams.push_back(Utf8ToString(argv[i] ? argv[i] : ""));
}

int ParamCount() {
  std::lock_guard g(gParamsLock);
  return gParams.empty() ? 0 : static_cast<int>(gParams.size()) - 1;
}

String ParamStr(int Index) {
  if (Index == 0) return GetExecutablePath();
  std::lock_guard g(gParamsLock);
  if (Index < 0 || Index >= static_cast<int>(gParams.size())) return {};
  return gParams[static_cast<size_t>(Index)];
}

String GetExecutablePath() {
  std::vector<char> buf(4096);
  ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size() - 1);
  if (n <= 0) return {};
  return Utf8ToString(std::string_view(buf.data(), static_cast<size_t>(n)));
}

}  // namespace qd
