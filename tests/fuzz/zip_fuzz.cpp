// Arbitrary bytes as an update archive: listing and extraction either succeed or raise
// EZipException, and nothing is ever written outside the target folder.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "platform/archive/zip.h"
#include "platform/base/strings.h"

namespace fs = std::filesystem;

namespace {

const fs::path& Root() {
  static const fs::path root = [] {
    fs::path p = fs::temp_directory_path() / ("qd-zip-fuzz-" + std::to_string(::getpid()));
    fs::create_directories(p);
    return p;
  }();
  return root;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qd;
  const fs::path root = Root();
  const fs::path archive = root / "update.zip";
  const fs::path target = root / "target" / "inside";
  std::error_code ec;
  fs::remove_all(root / "target", ec);
  fs::create_directories(target);
  {
    std::ofstream out(archive, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  const String name = Utf8ToString(archive.string());
  try {
    TZipFile zip;
    zip.Open(name, zmRead);
    if (zip.FileCount() != static_cast<int>(zip.FileNames().size())) std::abort();
    zip.Close();
  } catch (const EZipException&) {
  }
  try {
    TZipFile::ExtractZipFile(name, Utf8ToString(target.string()));
  } catch (const EZipException&) {
  }
  // Only the target folder may have changed.
  for (const auto& entry : fs::directory_iterator(root / "target"))
    if (entry.path().filename() != "inside") std::abort();
  for (const auto& entry : fs::directory_iterator(root))
    if (entry.path().filename() != "target" && entry.path().filename() != "update.zip") std::abort();
  return 0;
}
