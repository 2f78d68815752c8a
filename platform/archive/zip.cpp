#include "platform/archive/zip.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/base/strings.h"

namespace qd {

QD_IMPLEMENT_CLASS(EZipException)
QD_IMPLEMENT_CLASS(TZipFile)

namespace {

constexpr size_t kCopyBuffer = 1 << 20;

struct Entry {
  zip_uint64_t index = 0;
  String name;                          // decoded, as stored
  std::vector<std::string> components;  // the path below the target, UTF-8
  bool isDir = false;
  bool isSymlink = false;
  std::optional<mode_t> unixMode;  // rwx bits from an archive made on Unix
  uint16_t method = 0;
  bool encrypted = false;
  zip_uint64_t size = 0;
  std::optional<time_t> mtime;
  bool escapes = false;
};

String LibzipError(int code) {
  zip_error_t e;
  zip_error_init_with_code(&e, code);
  String text = Utf8ToString(zip_error_strerror(&e));
  zip_error_fini(&e);
  return text;
}

String Quoted(const String& s) {
  return u"\"" + s + u"\"";
}

String ErrnoText(int err) {
  return Utf8ToString(std::strerror(err));
}

// Splits an entry name into path components; false when it would leave the target.
bool SplitEntryPath(const String& name, std::vector<std::string>& out) {
  String n = name;
  for (Char& c : n)
    if (c == u'\\') c = u'/';
  if (!n.empty() && n[0] == u'/') return false;
  if (n.size() >= 2 && n[1] == u':' && ((n[0] >= u'A' && n[0] <= u'Z') || (n[0] >= u'a' && n[0] <= u'z')))
    return false;
  size_t start = 0;
  while (start <= n.size()) {
    size_t slash = n.find(u'/', start);
    if (slash == String::npos) slash = n.size();
    String part = n.substr(start, slash - start);
    start = slash + 1;
    if (part.empty() || part == u".") continue;
    if (part == u"..") return false;
    if (part.find(u'\0') != String::npos) return false;
    out.push_back(StringToUtf8(part));
  }
  return true;
}

// 0, or the errno value of the failed write.
int WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return 0;
}

}  // namespace

struct TZipFile::Impl {
  String fileName;
  zip_t* archive = nullptr;
  std::vector<Entry> entries;

  ~Impl() {
    if (archive) zip_discard(archive);
  }

  [[noreturn]] void Damaged(const String& why) const {
    throw EZipException(u"Damaged archive " + Quoted(fileName) + u": " + why);
  }

  void ReadDirectory() {
    zip_int64_t count = zip_get_num_entries(archive, 0);
    if (count < 0) Damaged(u"cannot read the entry list");
    for (zip_uint64_t i = 0; i < static_cast<zip_uint64_t>(count); ++i) {
      Entry e;
      e.index = i;
      const char* raw = zip_get_name(archive, i, ZIP_FL_ENC_RAW);
      const char* strict = zip_get_name(archive, i, ZIP_FL_ENC_STRICT);
      if (!raw || !strict) Damaged(u"entry " + IntToStr(static_cast<int64_t>(i)) + u" has no name");
      // libzip converts only names that are not marked UTF-8; an unchanged name is UTF-8
      // (or plain ASCII), a changed one was stored in code page 437.
      e.name = std::strcmp(raw, strict) == 0 ? Utf8ToString(raw) : DecodeCodePage(raw, CP_OEM437);
      zip_stat_t st;
      zip_stat_init(&st);
      if (zip_stat_index(archive, i, ZIP_FL_UNCHANGED, &st) != 0)
        Damaged(u"cannot read entry " + Quoted(e.name));
      e.method = (st.valid & ZIP_STAT_COMP_METHOD) ? static_cast<uint16_t>(st.comp_method) : 0;
      e.encrypted = (st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE;
      e.size = (st.valid & ZIP_STAT_SIZE) ? st.size : 0;
      if (st.valid & ZIP_STAT_MTIME) e.mtime = st.mtime;
      zip_uint8_t opsys = 0;
      zip_uint32_t attributes = 0;
      if (zip_file_get_external_attributes(archive, i, 0, &opsys, &attributes) != 0) {
        opsys = ZIP_OPSYS_DOS;
        attributes = 0;
      }
      bool nameIsDir = !e.name.empty() && (e.name.back() == u'/' || e.name.back() == u'\\');
      if (opsys == ZIP_OPSYS_UNIX) {
        mode_t mode = static_cast<mode_t>(attributes >> 16);
        e.isSymlink = S_ISLNK(mode);
        e.isDir = nameIsDir || S_ISDIR(mode);
        if (mode & 0777) e.unixMode = mode & 0777;
      } else {
        e.isDir = nameIsDir || (attributes & 0x10) != 0;
      }
      e.escapes = !SplitEntryPath(e.name, e.components);
      entries.push_back(std::move(e));
    }
  }
};

TZipFile::TZipFile() = default;

TZipFile::~TZipFile() = default;

void TZipFile::Open(const String& ZipFileName, TZipMode OpenMode) {
  if (OpenMode != zmRead) throw EZipException(u"Only reading ZIP archives is supported");
  Close();
  auto impl = std::make_unique<Impl>();
  impl->fileName = ZipFileName;
  int err = 0;
  impl->archive = zip_open(StringToUtf8(ZipFileName).c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &err);
  if (!impl->archive) {
    if (err == ZIP_ER_NOENT || err == ZIP_ER_OPEN || err == ZIP_ER_READ)
      throw EZipException(u"Cannot open archive " + Quoted(ZipFileName) + u": " + LibzipError(err));
    impl->Damaged(LibzipError(err));
  }
  impl->ReadDirectory();
  impl_ = std::move(impl);
  mode_ = zmRead;
}

void TZipFile::Close() {
  impl_.reset();
  mode_ = zmClosed;
}

std::vector<String> TZipFile::FileNames() const {
  std::vector<String> out;
  if (impl_)
    for (const auto& e : impl_->entries) out.push_back(e.name);
  return out;
}

int TZipFile::FileCount() const {
  return impl_ ? static_cast<int>(impl_->entries.size()) : -1;
}

bool TZipFile::IsValid(const String& ZipFileName) {
  int err = 0;
  zip_t* z = zip_open(StringToUtf8(ZipFileName).c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &err);
  if (!z) return false;
  zip_discard(z);
  return true;
}

void TZipFile::ExtractZipFile(const String& ZipFileName, const String& Path) {
  TZipFile z;
  z.Open(ZipFileName, zmRead);
  z.ExtractAll(Path);
}

void TZipFile::ExtractAll(const String& Path) {
  if (!impl_) throw EZipException(u"The ZIP archive is not open");
  Impl& z = *impl_;
  std::string root = Path.empty() ? std::string(".") : StringToUtf8(Path);
  while (root.size() > 1 && root.back() == '/') root.pop_back();

  // Check every entry before the first byte is written.
  for (const Entry& e : z.entries) {
    if (e.escapes) z.Damaged(u"the entry " + Quoted(e.name) + u" points outside the target folder");
    if (e.isSymlink) z.Damaged(u"the entry " + Quoted(e.name) + u" is a symbolic link");
    if (e.encrypted) z.Damaged(u"the entry " + Quoted(e.name) + u" is encrypted");
    if (!e.isDir && e.method != ZIP_CM_STORE && e.method != ZIP_CM_DEFLATE)
      z.Damaged(u"the entry " + Quoted(e.name) + u" uses an unsupported compression method (" +
                IntToStr(e.method) + u")");
    // Never write through a symbolic link that already lies inside the target folder.
    std::string path = root;
    size_t folders = e.isDir ? e.components.size() : (e.components.empty() ? 0 : e.components.size() - 1);
    for (size_t i = 0; i < folders; ++i) {
      path += "/" + e.components[i];
      struct stat st;
      if (::lstat(path.c_str(), &st) != 0) break;
      if (S_ISLNK(st.st_mode))
        z.Damaged(u"the entry " + Quoted(e.name) + u" passes through the symbolic link " +
                  Quoted(Utf8ToString(path)));
    }
  }

  auto fail = [&](const Entry& e, const std::string& where, int err) {
    throw EZipException(u"Cannot extract " + Quoted(e.name) + u" to " + Quoted(Utf8ToString(where)) + u": " +
                        ErrnoText(err));
  };
  auto makeFolder = [&](const Entry& e, const std::string& path, mode_t mode) {
    if (::mkdir(path.c_str(), 0700) == 0) {
      ::chmod(path.c_str(), mode);
      return;
    }
    int err = errno;
    struct stat st;
    if (err == EEXIST && ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return;
    fail(e, path, err == EEXIST ? ENOTDIR : err);
  };

  std::error_code ec;
  std::filesystem::create_directories(root, ec);
  if (ec || !std::filesystem::is_directory(root, ec))
    throw EZipException(u"Cannot create the folder " + Quoted(Utf8ToString(root)) + u": " +
                        Utf8ToString(ec ? ec.message() : std::strerror(ENOTDIR)));

  std::vector<char> buffer(kCopyBuffer);
  for (const Entry& e : z.entries) {
    if (e.components.empty()) continue;
    std::string path = root;
    size_t folders = e.isDir ? e.components.size() : e.components.size() - 1;
    for (size_t i = 0; i < folders; ++i) {
      path += "/" + e.components[i];
      bool own = e.isDir && i + 1 == folders;
      makeFolder(e, path, own && e.unixMode ? (*e.unixMode | 0700) : 0755);
    }
    if (e.isDir) continue;

    std::string target = path + "/" + e.components.back();
    mode_t mode = e.unixMode ? *e.unixMode : 0644;
    struct stat existing;
    if (::lstat(target.c_str(), &existing) == 0) {
      if (S_ISDIR(existing.st_mode)) fail(e, target, EISDIR);
      if (S_ISREG(existing.st_mode)) mode = existing.st_mode & 07777;
    }

    std::string temp = path + "/." + e.components.back() + ".XXXXXX";
    if (temp.size() - path.size() > 255) temp = path + "/.qdzip.XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) fail(e, target, errno);
    zip_file_t* zf = nullptr;
    try {
      zf = zip_fopen_index(z.archive, e.index, 0);
      if (!zf)
        z.Damaged(u"the entry " + Quoted(e.name) + u" cannot be read: " +
                  Utf8ToString(zip_strerror(z.archive)));
      zip_uint64_t total = 0;
      while (true) {
        zip_int64_t n = zip_fread(zf, buffer.data(), buffer.size());
        if (n < 0)
          z.Damaged(u"the entry " + Quoted(e.name) + u" cannot be read: " +
                    Utf8ToString(zip_file_strerror(zf)));
        if (n == 0) break;
        if (int err = WriteAll(fd, buffer.data(), static_cast<size_t>(n))) fail(e, target, err);
        total += static_cast<zip_uint64_t>(n);
      }
      zip_fclose(zf);
      zf = nullptr;
      if (total != e.size) z.Damaged(u"the entry " + Quoted(e.name) + u" is shorter than recorded");
      ::fchmod(fd, mode);
      if (e.mtime) {
        timespec times[2] = {{0, UTIME_OMIT}, {*e.mtime, 0}};
        ::futimens(fd, times);
      }
      if (::close(fd) != 0) {
        fd = -1;
        fail(e, target, errno);
      }
      fd = -1;
      if (::rename(temp.c_str(), target.c_str()) != 0) fail(e, target, errno);
    } catch (...) {
      if (zf) zip_fclose(zf);
      if (fd >= 0) ::close(fd);
      ::unlink(temp.c_str());
      throw;
    }
  }
}

}  // namespace qd
