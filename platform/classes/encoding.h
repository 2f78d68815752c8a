#pragma once
// Text encodings for streams and string lists: bytes <-> UTF-16 String, byte-order marks.
#include <cstdint>
#include <span>

#include "platform/base/types.h"

namespace qd {

class TEncoding {
 public:
  virtual ~TEncoding() = default;
  virtual String GetString(std::span<const uint8_t> Bytes) const = 0;
  virtual TBytes GetBytes(StringView S) const = 0;
  // The byte-order mark written before text in this encoding (empty when none).
  virtual TBytes GetPreamble() const = 0;
  virtual uint32_t CodePage() const = 0;
  virtual bool IsSingleByte() const { return false; }

  // Shared instances; never freed by callers.
  static TEncoding* UTF8();              // 65001, preamble EF BB BF
  static TEncoding* Unicode();           // UTF-16 little endian, preamble FF FE
  static TEncoding* BigEndianUnicode();  // UTF-16 big endian, preamble FE FF
  static TEncoding* ANSI();              // Windows-1252
  static TEncoding* ASCII();
  // The platform's default for text files: UTF-8.
  static TEncoding* Default() { return UTF8(); }
  // UTF-8 without preamble, as used for writing text that must not start with a BOM.
  static TEncoding* UTF8NoBOM();
  // A shared instance for a code page (65001, 1200, 1201, 1252, 28591, 437, 20127 and
  // others the converter knows).
  static TEncoding* GetEncoding(uint32_t CodePage);

  // When AEncoding is nullptr, detects the encoding from a byte-order mark at the start
  // of Buffer (else ADefaultEncoding) and stores it in AEncoding. Returns the length of
  // the byte-order mark found for AEncoding (0 when none).
  static int GetBufferEncoding(std::span<const uint8_t> Buffer, TEncoding*& AEncoding,
                               TEncoding* ADefaultEncoding);
};

// Decodes text bytes the way text files are read here: a byte-order mark selects its
// encoding; without one, valid UTF-8 is read as UTF-8 and anything else as Windows-1252.
// Encoding, when given, is set to the encoding that was used (nullptr when guessed
// without a mark, so that writing back uses the default).
String DecodeTextBytes(std::span<const uint8_t> Bytes, TEncoding** Encoding = nullptr);

}  // namespace qd
