// Collections written and read by a component's own defined property, with items whose
// sub-objects define properties of their own (binary data and plain values).
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/base/strings.h"
#include "platform/classes/classes.h"
#include "platform/classes/filer.h"
#include "platform/classes/rtti.h"
#include "platform/classes/streams.h"

namespace qd {
namespace {

// Bytes stored as "Data" and a number stored as "Code", neither published.
class TCollBlob : public TPersistent {
  QD_CLASS_INLINE(TCollBlob, TPersistent)

 public:
  std::string bytes;
  int32_t code = 0;
  void DefineProperties(TFiler* Filer) override {
    Filer->DefineBinaryProperty(
        u"Data",
        [this](TStream* s) {
          bytes.resize(static_cast<size_t>(s->Size() - s->Position()));
          s->ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
        },
        [this](TStream* s) { s->WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size())); },
        !bytes.empty());
    Filer->DefineProperty(
        u"Code", [this](TReader* r) { code = r->ReadInteger(); },
        [this](TWriter* w) { w->WriteInteger(code); }, code != 0);
  }
};

class TCollEntry : public TCollectionItem {
  QD_CLASS_INLINE(TCollEntry, TCollectionItem)
  QD_PUBLISHED(TCollEntry)

 public:
  explicit TCollEntry(TCollection* ACollection) : TCollectionItem(ACollection) {}
  String Name() const { return name_; }
  void SetName(const String& v) { name_ = v; }
  TCollBlob* Blob() const { return blob_.get(); }

 private:
  String name_;
  std::unique_ptr<TCollBlob> blob_ = std::make_unique<TCollBlob>();
};
inline void TCollEntry::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("Name", &TCollEntry::Name, &TCollEntry::SetName);
  r.Prop("Blob", &TCollEntry::Blob);
}

// Keeps its entries in a collection that is no published property: it writes them itself,
// after a version number.
class TCollOwner : public TComponent {
  QD_CLASS_INLINE(TCollOwner, TComponent)

 public:
  explicit TCollOwner(TComponent* AOwner) : TComponent(AOwner) {}
  TCollection entries{TCollEntry::StaticClass()};
  int32_t version = 0;
  void DefineProperties(TFiler* Filer) override {
    TComponent::DefineProperties(Filer);
    Filer->DefineProperty(
        u"Version", [this](TReader* r) { version = r->ReadInteger(); },
        [](TWriter* w) { w->WriteInteger(3); }, true);
    Filer->DefineProperty(
        u"Entries", [this](TReader* r) { r->ReadCollection(&entries); },
        [this](TWriter* w) { w->WriteCollection(&entries); }, entries.Count() > 0);
  }
  TCollEntry* Entry(int i) const { return static_cast<TCollEntry*>(entries.Items(i)); }
};

TEST(FilerCollectionsTest, DefinedCollectionsRoundTripWithNestedDefinedProperties) {
  TCollOwner owner(nullptr);
  owner.SetName(u"Owner");
  auto* first = static_cast<TCollEntry*>(owner.entries.Add());
  first->SetName(u"first");
  first->Blob()->bytes = "AB";
  first->Blob()->code = 7;
  auto* second = static_cast<TCollEntry*>(owner.entries.Add());
  second->SetName(u"second");

  const String text = WriteComponentToText(&owner);
  EXPECT_EQ(StringToUtf8(text),
            "object Owner: TCollOwner\r\n"
            "  Version = 3\r\n"
            "  Entries = <\r\n"
            "    item\r\n"
            "      Name = 'first'\r\n"
            "      Blob.Data = {\r\n"
            "        4142}\r\n"
            "      Blob.Code = 7\r\n"
            "    end\r\n"
            "    item\r\n"
            "      Name = 'second'\r\n"
            "    end>\r\n"
            "end\r\n");

  TCollOwner read(nullptr);
  static_cast<TCollEntry*>(read.entries.Add())->SetName(u"replaced");
  ReadComponentFromText(text, &read);
  EXPECT_EQ(read.version, 3);
  ASSERT_EQ(read.entries.Count(), 2);
  EXPECT_EQ(read.Entry(0)->Name(), u"first");
  EXPECT_EQ(read.Entry(0)->Blob()->bytes, "AB");
  EXPECT_EQ(read.Entry(0)->Blob()->code, 7);
  EXPECT_EQ(read.Entry(1)->Name(), u"second");
  EXPECT_TRUE(read.Entry(1)->Blob()->bytes.empty());
  EXPECT_EQ(WriteComponentToText(&read), text);
}

TEST(FilerCollectionsTest, BadItemsInADefinedCollectionRaiseReadErrorsWithTheirPlace) {
  struct Case {
    const char* entries;
    const char* message;
  };
  const Case cases[] = {
      {"<item Blob.Size = 1 end>", "Entries[0].Blob.Size: Property Size does not exist"},
      {"<item Name = 'a' end item Colour = 1 end>", "Entries[1].Colour: Property Colour does not exist"},
      {"<item Blob.Code = 'x' end>", "Entries[0].Blob.Code"},
      {"(1 2)", "Invalid property value"},
  };
  for (const Case& c : cases) {
    TCollOwner read(nullptr);
    const std::string form = std::string("object Owner: TCollOwner\n  Entries = ") + c.entries + "\nend\n";
    try {
      ReadComponentFromText(Utf8ToString(form), &read);
      ADD_FAILURE() << c.entries;
    } catch (const EReadError& e) {
      EXPECT_NE(StringToUtf8(e.Message()).find(c.message), std::string::npos)
          << c.entries << ": " << StringToUtf8(e.Message());
    }
  }
}

}  // namespace
}  // namespace qd
