#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/base/strings.h"
#include "platform/classes/encoding.h"
#include "platform/classes/streams.h"
#include "tests/servers/test_files.h"

namespace qd {
namespace {

using qd::testing::TTempDir;

TEST(Stream, ShortReadsRaiseReadError) {
  TMemoryStream m;
  uint8_t bytes[5] = {1, 2, 3, 4, 5};
  m.WriteBuffer(bytes, 5);
  struct Case {
    int64_t pos, count;
    bool ok;
  } cases[] = {{0, 5, true}, {0, 6, false}, {4, 1, true}, {4, 2, false}, {5, 0, true}, {9, 1, false}};
  for (const auto& c : cases) {
    m.SetPosition(c.pos);
    uint8_t buf[8];
    if (c.ok) {
      EXPECT_NO_THROW(m.ReadBuffer(buf, c.count)) << c.pos << "+" << c.count;
    } else {
      try {
        m.ReadBuffer(buf, c.count);
        ADD_FAILURE() << c.pos << "+" << c.count;
      } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), u"Stream read error");
      }
    }
  }
  // ReadBytes checks what is left before allocating.
  m.SetPosition(0);
  EXPECT_THROW(m.ReadBytes(int64_t{1} << 40), EReadError);
  EXPECT_EQ(m.ReadBytes(3), (TBytes{1, 2, 3}));
  EXPECT_EQ(m.ReadValue<uint16_t>(), 0x0504);
  EXPECT_THROW(m.ReadValue<uint8_t>(), EReadError);
}

TEST(Stream, MemoryStreamSeekWriteAndGrow) {
  TMemoryStream m;
  EXPECT_EQ(m.Seek(10, soBeginning), 10);
  m.WriteBufferData<uint8_t>(7);  // a write past the end fills the gap with zeros
  EXPECT_EQ(m.Size(), 11);
  EXPECT_EQ(static_cast<uint8_t*>(m.Memory())[0], 0);
  EXPECT_EQ(m.Seek(-1, soEnd), 10);
  EXPECT_EQ(m.ReadValue<uint8_t>(), 7);
  EXPECT_EQ(m.Seek(-100, soCurrent), 0);
  m.SetSize(3);
  EXPECT_EQ(m.Position(), 0);
  EXPECT_EQ(m.Size(), 3);
  m.SetPosition(3);
  m.SetSize(1);
  EXPECT_EQ(m.Position(), 1);

  TMemoryStream dst;
  dst.WriteBufferData<uint32_t>(0xAABBCCDD);
  m.SetPosition(1);
  EXPECT_EQ(dst.CopyFrom(&m, 0), 1);  // count 0: all of the source from its start
  EXPECT_EQ(dst.Size(), 5);
  m.SetPosition(0);
  EXPECT_THROW(dst.CopyFrom(&m, 2), EReadError);
}

TEST(Stream, FileStreamModesAndErrors) {
  TTempDir d;
  String f = Utf8ToString(d / "a.bin");
  {
    TFileStream s(f, fmCreate);
    s.WriteBufferData<uint32_t>(0x01020304);
  }
  {
    TFileStream s(f, fmOpenRead | fmShareDenyWrite);
    EXPECT_EQ(s.Size(), 4);
    EXPECT_EQ(s.ReadValue<uint32_t>(), 0x01020304u);
    EXPECT_THROW(s.ReadValue<uint8_t>(), EReadError);
    EXPECT_THROW(s.WriteBufferData<uint8_t>(1), EWriteError);
  }
  {
    TFileStream s(f, fmOpenReadWrite);
    s.Seek(0, soEnd);
    s.WriteBufferData<uint8_t>(9);
    s.SetSize(2);
    EXPECT_EQ(s.Size(), 2);
  }
  struct Case {
    std::string name;
    uint16_t mode;
    std::u16string want;
  } cases[] = {
      {"missing.bin", fmOpenRead, u"Cannot open file \"$\". The system cannot find the file specified"},
      {"no/such/dir.bin", fmCreate, u"Cannot create file \"$\". The system cannot find the path specified"},
      {"", fmOpenRead, u"Cannot open file \"$\". Access is denied"},  // the folder itself
  };
  for (const auto& c : cases) {
    String name = c.name.empty() ? Utf8ToString(d.Path()) : Utf8ToString(d / c.name);
    String want = StringReplaceAll(c.want, u"$", name);
    try {
      TFileStream s(name, c.mode);
      ADD_FAILURE() << c.name;
    } catch (const EStreamError& e) {
      EXPECT_EQ(e.Message(), want);
      EXPECT_EQ(c.mode == fmCreate, dynamic_cast<const EFCreateError*>(&e) != nullptr);
    }
  }
}

TEST(Stream, BytesStringResourceAndWindowStreams) {
  TBytesStream b(TBytes{1, 2, 3});
  b.Seek(0, soEnd);
  b.WriteBufferData<uint8_t>(4);
  EXPECT_EQ(b.Size(), 4);
  EXPECT_GE(b.Bytes().size(), 4u);
  EXPECT_EQ(b.Bytes()[3], 4);

  TStringStream s(u"Olá");
  EXPECT_EQ(s.Size(), 4);  // UTF-8
  EXPECT_EQ(s.DataString(), u"Olá");
  TStringStream w(u"", TEncoding::Unicode());
  w.WriteString(u"ab");
  EXPECT_EQ(w.Size(), 4);
  w.SetPosition(2);
  EXPECT_EQ(w.ReadString(10), u"b");

  try {
    TResourceStream r(u"NO_SUCH_RESOURCE", RT_RCDATA);
    FAIL();
  } catch (const EResNotFound& e) {
    EXPECT_EQ(e.Message(), u"Resource NO_SUCH_RESOURCE not found");
  }

  TMemoryStream base;
  for (uint8_t i = 0; i < 10; ++i) base.WriteBufferData(i);
  TWindowStream win(&base, 3, 4);
  EXPECT_EQ(win.Size(), 4);
  uint8_t buf[8] = {};
  EXPECT_EQ(win.Read(buf, 8), 4);
  EXPECT_EQ(buf[0], 3);
  EXPECT_EQ(buf[3], 6);
  EXPECT_EQ(win.Read(buf, 1), 0);
  win.SetPosition(3);
  EXPECT_EQ(win.Write(buf, 5), 1);  // writes stay inside the window
  EXPECT_EQ(base.Size(), 10);
}

TEST(Encoding, ByteOrderMarksAndFallback) {
  struct Case {
    TBytes bytes;
    std::u16string want;
    uint32_t cp;  // 0: no mark
  } cases[] = {
      {{0xEF, 0xBB, 0xBF, 'a', 0xC3, 0xA9}, u"aé", 65001},
      {{0xFF, 0xFE, 'a', 0, 0xE9, 0}, u"aé", 1200},
      {{0xFE, 0xFF, 0, 'a', 0, 0xE9}, u"aé", 1201},
      {{'a', 0xC3, 0xA9}, u"aé", 0},
      {{'a', 0xE9, 0x80}, u"aé€", 0},  // not UTF-8: Windows-1252
  };
  for (const auto& c : cases) {
    TEncoding* e = nullptr;
    EXPECT_EQ(DecodeTextBytes(c.bytes, &e), c.want);
    EXPECT_EQ(e ? e->CodePage() : 0u, c.cp);
  }
}

}  // namespace
}  // namespace qd
