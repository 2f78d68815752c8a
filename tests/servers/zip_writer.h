#pragma once
// A small ZIP writer for tests: full control over names (raw bytes), flags, the "made by"
// system, external attributes and the compression method, so that archives from other
// systems, escaping names and damaged data can be built byte by byte.
#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

namespace qd::testing {

struct ZipEntrySpec {
  std::string name;  // raw bytes as stored
  std::string data;
  bool deflate = false;
  bool utf8Flag = false;
  uint8_t madeBySystem = 0;  // 0 = MS-DOS/FAT, 3 = Unix
  uint32_t externalAttributes = 0;
  uint16_t methodOverride = 0xFFFF;  // store this method number instead of the real one
  uint16_t dosTime = 0x6000;         // 12:00:00
  uint16_t dosDate = 0x5821;         // 2024-01-01
};

inline uint32_t UnixAttributes(uint32_t mode) {
  return mode << 16;
}

inline std::string DeflateRaw(const std::string& in) {
  z_stream s{};
  deflateInit2(&s, 6, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&s, in.size()) + 16, '\0');
  s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
  s.avail_in = static_cast<uInt>(in.size());
  s.next_out = reinterpret_cast<Bytef*>(out.data());
  s.avail_out = static_cast<uInt>(out.size());
  deflate(&s, Z_FINISH);
  out.resize(s.total_out);
  deflateEnd(&s);
  return out;
}

inline std::string MakeZip(const std::vector<ZipEntrySpec>& entries) {
  std::string out, central;
  auto put16 = [](std::string& s, uint16_t v) {
    s.push_back(static_cast<char>(v & 0xFF));
    s.push_back(static_cast<char>(v >> 8));
  };
  auto put32 = [&](std::string& s, uint32_t v) {
    put16(s, static_cast<uint16_t>(v & 0xFFFF));
    put16(s, static_cast<uint16_t>(v >> 16));
  };
  for (const auto& e : entries) {
    uint32_t crc = static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(e.data.data()), static_cast<uInt>(e.data.size())));
    std::string stored = e.deflate ? DeflateRaw(e.data) : e.data;
    uint16_t method = e.methodOverride != 0xFFFF ? e.methodOverride : (e.deflate ? 8 : 0);
    uint16_t flags = e.utf8Flag ? 0x0800 : 0;
    uint32_t offset = static_cast<uint32_t>(out.size());
    put32(out, 0x04034b50);
    put16(out, 20);
    put16(out, flags);
    put16(out, method);
    put16(out, e.dosTime);
    put16(out, e.dosDate);
    put32(out, crc);
    put32(out, static_cast<uint32_t>(stored.size()));
    put32(out, static_cast<uint32_t>(e.data.size()));
    put16(out, static_cast<uint16_t>(e.name.size()));
    put16(out, 0);
    out += e.name;
    out += stored;

    put32(central, 0x02014b50);
    put16(central, static_cast<uint16_t>(e.madeBySystem << 8 | 20));
    put16(central, 20);
    put16(central, flags);
    put16(central, method);
    put16(central, e.dosTime);
    put16(central, e.dosDate);
    put32(central, crc);
    put32(central, static_cast<uint32_t>(stored.size()));
    put32(central, static_cast<uint32_t>(e.data.size()));
    put16(central, static_cast<uint16_t>(e.name.size()));
    put16(central, 0);  // extra
    put16(central, 0);  // comment
    put16(central, 0);  // disk
    put16(central, 0);  // internal attributes
    put32(central, e.externalAttributes);
    put32(central, offset);
    central += e.name;
  }
  uint32_t centralOffset = static_cast<uint32_t>(out.size());
  out += central;
  put32(out, 0x06054b50);
  put16(out, 0);
  put16(out, 0);
  put16(out, static_cast<uint16_t>(entries.size()));
  put16(out, static_cast<uint16_t>(entries.size()));
  put32(out, static_cast<uint32_t>(central.size()));
  put32(out, centralOffset);
  put16(out, 0);
  return out;
}

}  // namespace qd::testing
