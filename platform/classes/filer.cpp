// Stored forms: the registries the reader and writer share, the components' own streaming and
// whole-form reading and writing. The parser and printer are in filer_text.cpp, the reader in
// filer_reader.cpp, the writer in filer_writer.cpp.
#include "platform/classes/filer.h"

#include <map>
#include <mutex>

#include "platform/base/resources.h"
#include "platform/base/strings.h"
#include "platform/classes/encoding.h"
#include "platform/classes/filer_internal.h"
#include "platform/classes/lists.h"
#include "platform/classes/streams.h"

namespace qd {

QD_IMPLEMENT_CLASS(EParserError)
QD_IMPLEMENT_CLASS(TFiler)
QD_IMPLEMENT_CLASS(TReader)
QD_IMPLEMENT_CLASS(TWriter)

// --- shared registries ---------------------------------------------------------------------

namespace {

struct IntConsts {
  std::function<bool(const String&, int64_t&)> toInt;
  std::function<bool(int64_t, String&)> toIdent;
};
struct Globals {
  std::mutex lock;
  std::map<const TTypeInfo*, IntConsts> intConsts;
  std::function<TComponent*(const String&)> findGlobal;
};
Globals& G() {
  static Globals g;
  return g;
}

}  // namespace

namespace filer {

String LineSuffix(int line) {
  return u" on line " + IntToStr(line);
}

void InvalidValue() {
  throw EReadError(u"Invalid property value");
}

bool IdentToIntFor(const TTypeInfo* t, const String& ident, int64_t& v) {
  std::function<bool(const String&, int64_t&)> f;
  {
    std::lock_guard g(G().lock);
    auto it = G().intConsts.find(t);
    if (it == G().intConsts.end()) return false;
    f = it->second.toInt;
  }
  return f && f(ident, v);
}

bool IntToIdentFor(const TTypeInfo* t, int64_t v, String& ident) {
  std::function<bool(int64_t, String&)> f;
  {
    std::lock_guard g(G().lock);
    auto it = G().intConsts.find(t);
    if (it == G().intConsts.end()) return false;
    f = it->second.toIdent;
  }
  return f && f(v, ident);
}

TComponent* FindGlobalComponent(const String& name) {
  std::function<TComponent*(const String&)> find;
  {
    std::lock_guard g(G().lock);
    find = G().findGlobal;
  }
  return find ? find(name) : nullptr;
}

}  // namespace filer

void RegisterIntegerConsts(const TTypeInfo* IntegerType,
                           std::function<bool(const String&, int64_t&)> IdentToInt,
                           std::function<bool(int64_t, String&)> IntToIdent) {
  std::lock_guard g(G().lock);
  G().intConsts[IntegerType] = {std::move(IdentToInt), std::move(IntToIdent)};
}

void SetFindGlobalComponent(std::function<TComponent*(const String& Name)> Find) {
  std::lock_guard g(G().lock);
  G().findGlobal = std::move(Find);
}

// --- TComponent's streaming -------------------------------------------------------------------

void TComponent::ReadState(TReader* Reader) {
  Reader->ReadData(this);
}

void TComponent::WriteState(TWriter* Writer) {
  Writer->WriteData(this);
}

void TComponent::DefineProperties(TFiler* Filer) {
  // The design-time position of components that are not controls.
  Filer->DefineProperty(
      u"Left",
      [this](TReader* r) {
        designInfo_ = (designInfo_ & ~0xFFFFu) | (static_cast<uint32_t>(r->ReadInteger()) & 0xFFFF);
      },
      [this](TWriter* w) { w->WriteInteger(static_cast<int16_t>(designInfo_ & 0xFFFF)); }, designInfo_ != 0);
  Filer->DefineProperty(
      u"Top",
      [this](TReader* r) {
        designInfo_ = (designInfo_ & 0xFFFFu) | (static_cast<uint32_t>(r->ReadInteger()) << 16);
      },
      [this](TWriter* w) { w->WriteInteger(static_cast<int16_t>(designInfo_ >> 16)); }, designInfo_ != 0);
}

void TStrings::DefineProperties(TFiler* Filer) {
  Filer->DefineProperty(
      u"Strings",
      [this](TReader* r) {
        BeginUpdate();
        try {
          Clear();
          r->ReadListBegin();
          while (!r->EndOfList()) Add(r->ReadString());
          r->ReadListEnd();
        } catch (...) {
          EndUpdate();
          throw;
        }
        EndUpdate();
      },
      [this](TWriter* w) {
        w->WriteListBegin();
        for (int i = 0; i < Count(); ++i) w->WriteString(Get(i));
        w->WriteListEnd();
      },
      Count() > 0);
}

// --- whole forms --------------------------------------------------------------------------------

TComponent* ReadComponentFromText(StringView Text, TComponent* Instance, TComponent* Owner) {
  TFormObject form = ParseStoredForm(Text);
  TReader reader;
  return reader.ReadRootComponent(form, Instance, Owner);
}

String WriteComponentToText(TComponent* Instance) {
  TWriter writer;
  return PrintStoredForm(writer.WriteRootComponent(Instance));
}

TComponent* ReadComponentFromStream(TStream* Stream, TComponent* Instance, TComponent* Owner) {
  int64_t left = Stream->Size() - Stream->Position();
  TBytes bytes = left > 0 ? Stream->ReadBytes(left) : TBytes();
  return ReadComponentFromText(DecodeTextBytes(bytes), Instance, Owner);
}

void WriteComponentToStream(TStream* Stream, TComponent* Instance) {
  Stream->WriteBytes(TEncoding::UTF8NoBOM()->GetBytes(WriteComponentToText(Instance)));
}

void ReadComponentResFromResource(TComponent* Instance, const String& ResourceName) {
  TResourceStream s(ResourceName, RT_RCDATA);
  ReadComponentFromStream(&s, Instance);
}

bool InitInheritedComponent(TComponent* Instance, TClass RootAncestor) {
  std::vector<TClass> chain;
  for (TClass c = Instance->ClassType(); c && c != RootAncestor; c = c->parent) chain.push_back(c);
  bool any = false;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    std::string name = (*it)->name;
    if (!EmbeddedResourceExists("RCDATA", name)) continue;
    ReadComponentResFromResource(Instance, Utf8ToString(name));
    any = true;
  }
  return any;
}

TComponent* CreateComponentFromResource(const String& ClassName, TComponent* Owner) {
  TClass cls = FindClass(StringToUtf8(ClassName));
  if (!cls->InheritsFrom(TComponent::StaticClass()))
    throw EReadError(u"Class " + ClassName + u" is not a component");
  TObject* obj = cls->Create(Owner);
  auto* c = dynamic_cast<TComponent*>(obj);
  if (!c) {
    delete obj;
    throw EReadError(u"Cannot create a " + ClassName);
  }
  try {
    InitInheritedComponent(c, TComponent::StaticClass());
  } catch (...) {
    delete c;
    throw;
  }
  return c;
}

}  // namespace qd
