#pragma once
// TZipFile: reads ZIP archives (stored and deflated entries) and extracts them safely.
//
// Entry names are UTF-8 when the archive marks them so (flag bit 11), code page 437
// otherwise; '\' counts as a folder separator. Before anything is written, every entry is
// checked: one that would land outside the target folder (absolute path, drive letter,
// "..", or a path through an existing symbolic link) or that is itself a symbolic link makes
// the extraction fail like a damaged archive, with the target folder untouched. Each file
// is written to a temporary file beside it and renamed into place; an overwritten file
// keeps its mode, a new one gets the archive's rwx bits when the archive was made on Unix,
// else 0644 (folders 0755).
#include <memory>
#include <vector>

#include "platform/base/exceptions.h"
#include "platform/base/object.h"
#include "platform/base/types.h"

namespace qd {

// A damaged or unsupported archive, or a failed extraction.
QD_DECLARE_EXCEPTION(EZipException, Exception)

enum TZipMode { zmClosed, zmRead, zmReadWrite, zmWrite };

class TZipFile : public TObject {
  QD_CLASS(TZipFile, TObject)

 public:
  TZipFile();
  ~TZipFile() override;

  // Only zmRead is supported; other modes raise EZipException.
  void Open(const String& ZipFileName, TZipMode OpenMode);
  void Close();
  TZipMode Mode() const { return mode_; }

  // Extracts every entry below Path (the current folder when empty), creating folders.
  void ExtractAll(const String& Path = {});

  // The entry names as stored (decoded).
  std::vector<String> FileNames() const;
  int FileCount() const;

  // True when the file opens as a consistent ZIP archive.
  static bool IsValid(const String& ZipFileName);
  static void ExtractZipFile(const String& ZipFileName, const String& Path);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  TZipMode mode_ = zmClosed;
};

}  // namespace qd
