#pragma once
// Stored forms in their text form:
//
//   object Form1: TForm1
//     Caption = 'Olá'#13#10'mundo' + 'x'     strings: '...' with '' for a quote, #nnn codes
//     Left = 10                               integers (also $hex) and floats (1.5, 2E10)
//     Align = alClient                        identifiers: enumerations, True/False, nil,
//     PopupMenu = PopupMenu1                    component references (Form.Component) and
//     OnClick = Button1Click                    event handlers (published methods of the root)
//     Font.Style = [fsBold, fsItalic]         sets; nested properties with dots
//     Lines.Strings = ('a' 'b')               lists
//     Columns = <item Width = 10 end>         collections
//     Picture.Data = {0A54504E47...}          binary data (DefineBinaryProperty)
//     object Label1: TLabel ... end           owned components (also `inherited`, `inline`)
//   end
//
// Reading parses the whole text first, so a malformed or truncated form creates nothing;
// errors while applying it free the components created so far. Every error is an
// EReadError (EParserError for the syntax) whose message ends with the line number.
// Components are read with csLoading and csReading set; references by name are fixed up
// after the whole form is read, then Loaded runs for every component in reading order
// (the root first).
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/base/exceptions.h"
#include "platform/classes/classes.h"
#include "platform/classes/rtti.h"

namespace qd {

class TStream;

QD_DECLARE_EXCEPTION(EParserError, EReadError)

// The parsed form.
struct TFormValue;
struct TFormProperty;
struct TFormItem {
  std::vector<TFormProperty> Props;
  int Line = 0;
};
struct TFormValue {
  enum TKind : uint8_t { vkInt, vkFloat, vkString, vkIdent, vkSet, vkList, vkCollection, vkBinary };
  TKind Kind = vkInt;
  int64_t Int = 0;
  double Float = 0;
  String Str;                    // vkString text, vkIdent name
  std::vector<String> Set;       // vkSet
  std::vector<TFormValue> List;  // vkList
  std::vector<TFormItem> Items;  // vkCollection
  TBytes Bytes;                  // vkBinary
  int Line = 0;
};
struct TFormProperty {
  String Name;  // may be dotted ("Font.Name")
  TFormValue Value;
  int Line = 0;
};
struct TFormObject {
  enum TKind : uint8_t { okObject, okInherited, okInline };
  TKind Kind = okObject;
  String Name;
  String ClassName;
  int Index = -1;
  std::vector<TFormProperty> Props;
  std::vector<TFormObject> Children;
  int Line = 0;
};

// Text <-> tree. ParseStoredForm raises EParserError.
TFormObject ParseStoredForm(StringView Text);
String PrintStoredForm(const TFormObject& Object);

using TReaderProc = std::function<void(TReader* Reader)>;
using TWriterProc = std::function<void(TWriter* Writer)>;
using TStreamProc = std::function<void(TStream* Stream)>;

// What DefineProperties talks to.
class TFiler : public TObject {
  QD_CLASS(TFiler, TObject)

 public:
  // A property that is not published: ReadData reads its value through the reader's
  // Read* calls, WriteData writes it through the writer's Write* calls when HasData.
  virtual void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                              bool HasData) = 0;
  // The same for binary data ({ hex } in the text).
  virtual void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData,
                                    const TStreamProc& WriteData, bool HasData) = 0;
  TComponent* Root() const { return root_; }
  TComponent* LookupRoot() const { return root_; }
  TPersistent* Ancestor() const { return nullptr; }

 protected:
  TComponent* root_ = nullptr;
};

namespace filer {
// Clears the collection and reads the items of a collection value into it.
void ReadCollectionItems(TReader* Reader, TCollection* Collection, const TFormValue& Value,
                         const String& Path);
}  // namespace filer

// Finds a class by name for the reader (set Class, or leave it nullptr).
using TFindComponentClassEvent = std::function<void(TReader* Reader, const String& ClassName, TClass& Class)>;
// Decides whether an error about a property may be skipped (return true to skip).
using TReaderErrorEvent = std::function<bool(TReader* Reader, const String& Message)>;

class TReader : public TFiler {
  QD_CLASS(TReader, TFiler)

 public:
  TReader();
  ~TReader() override;

  // Reads a whole form into Root (created from the form's class when Root is nullptr; it
  // is then owned by Owner). Returns the root.
  TComponent* ReadRootComponent(const TFormObject& Form, TComponent* Root, TComponent* Owner = nullptr);
  // Applies the current object's properties and reads its owned components (called by
  // TComponent::ReadState).
  void ReadData(TComponent* Instance);

  TComponent* Owner() const { return owner_; }
  TComponent* Parent() const { return parent_; }
  TFindComponentClassEvent OnFindComponentClass;
  TReaderErrorEvent OnError;

  void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                      bool HasData) override;
  void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                            bool HasData) override;

  // Reading a defined property's value (EReadError "Invalid property value" on a kind
  // that does not fit).
  TFormValue::TKind NextValue() const;
  int32_t ReadInteger();
  int64_t ReadInt64();
  double ReadFloat();
  String ReadString();
  String ReadIdent();
  bool ReadBoolean();
  Char ReadChar();
  Variant ReadVariant();
  void ReadListBegin();
  void ReadListEnd();
  bool EndOfList() const;
  // Clears Collection and reads its items (a collection value: <item ... end>).
  void ReadCollection(TCollection* Collection);

  // Sets one property of Obj from the form (a dotted name walks down object properties; a
  // name that is not published goes to Obj's DefineProperties); exceptions pass out.
  void ApplyProperty(TObject* Obj, const TFormProperty& Prop);

  struct Impl;  // implementation detail

 private:
  friend void filer::ReadCollectionItems(TReader*, TCollection*, const TFormValue&, const String&);
  std::unique_ptr<Impl> impl_;
  TComponent* owner_ = nullptr;
  TComponent* parent_ = nullptr;
};

class TWriter : public TFiler {
  QD_CLASS(TWriter, TFiler)

 public:
  TWriter();
  ~TWriter() override;

  // The form of Root and everything it writes (GetChildren).
  TFormObject WriteRootComponent(TComponent* Root);
  // Writes Instance's properties into the current object (called by
  // TComponent::WriteState).
  void WriteData(TComponent* Instance);

  void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                      bool HasData) override;
  void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                            bool HasData) override;

  // Writing a defined property's value.
  void WriteInteger(int64_t Value);
  void WriteFloat(double Value);
  void WriteString(const String& Value);
  void WriteIdent(const String& Ident);
  void WriteBoolean(bool Value);
  void WriteChar(Char Value);
  void WriteVariant(const Variant& Value);
  void WriteListBegin();
  void WriteListEnd();
  // The items of Collection as a collection value (an empty one for nullptr).
  void WriteCollection(TCollection* Collection);

  struct Impl;  // implementation detail

 private:
  std::unique_ptr<Impl> impl_;
};

// Integer types with names for some values (colours, cursors): the reader accepts the
// names, the writer uses them.
void RegisterIntegerConsts(const TTypeInfo* IntegerType,
                           std::function<bool(const String&, int64_t&)> IdentToInt,
                           std::function<bool(int64_t, String&)> IntToIdent);

// Resolves the first part of a dotted reference that is not the root or one of its
// components (for instance another form by name). Replaces the previous function.
void SetFindGlobalComponent(std::function<TComponent*(const String& Name)> Find);

// Reading and writing whole forms.
TComponent* ReadComponentFromText(StringView Text, TComponent* Instance, TComponent* Owner = nullptr);
String WriteComponentToText(TComponent* Instance);
// The text is read from the stream's position (UTF-8, or a byte-order mark's encoding).
TComponent* ReadComponentFromStream(TStream* Stream, TComponent* Instance, TComponent* Owner = nullptr);
void WriteComponentToStream(TStream* Stream, TComponent* Instance);

// Reads the stored form in the embedded resource RCDATA/<ResourceName> into Instance.
// Raises EResNotFound when there is none.
void ReadComponentResFromResource(TComponent* Instance, const String& ResourceName);
// Reads the stored forms of Instance's classes, from the class below RootAncestor down to
// Instance's own class, each from the resource named like the class (RCDATA/<CLASSNAME>).
// Returns whether any was found. Call it once the instance is fully constructed (from
// AfterConstruction), never from a constructor.
bool InitInheritedComponent(TComponent* Instance, TClass RootAncestor);
// Creates a component of the registered class ClassName with Owner and reads its stored
// forms (InitInheritedComponent up to TComponent).
TComponent* CreateComponentFromResource(const String& ClassName, TComponent* Owner);

}  // namespace qd
