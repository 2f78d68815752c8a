#pragma once
// The library's XML document: an in-memory tree whose names, texts and attribute values are
// UTF-8 byte strings, its non-validating byte parser and its writer.
//
// Deep trees are handled without recursion: freeing, assigning and writing a subtree walk it
// iteratively, and the parser keeps only the current node, so nesting depth is bounded by memory,
// not by the stack.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/core/cxClasses.h"
#include "ui/core/dxCore.h"
#include "platform/base/types.h"

namespace qd {

class TStream;
class Variant;

// UTF-8 bytes.
using TdxXMLString = AnsiString;

class EdxXMLUnexpectedToken : public EdxException {
  QD_CLASS(EdxXMLUnexpectedToken, EdxException)

 public:
  using EdxException::EdxException;
};

TdxXMLString dxStringToXMLString(StringView S);
String dxXMLStringToString(std::string_view S);

// ASCII-only case-insensitive comparison of byte strings, as every name lookup of the document.
bool dxXMLSameText(std::string_view A, std::string_view B);

// First occurrence of the ALength-byte pattern in the ASize-byte buffer at or after AStart;
// APosition is the offset of the match from the start of the buffer.
bool FindDataInMemory(const void* APattern, size_t ALength, const void* ABuffer, size_t& APosition,
                      size_t AStart, size_t ASize);
bool FindStringInMemoryA(std::string_view APattern, const void* ABuffer, size_t& APosition, size_t AStart,
                         size_t ASize);

struct TdxXMLDateTime {
  uint16_t Year = 0;
  uint16_t Month = 0;
  uint16_t Day = 0;
  uint16_t Hour = 0;
  uint16_t Minute = 0;
  uint16_t Second = 0;
  uint16_t Millisecond = 0;
  bool IsUTC = false;

  void Clear() { *this = TdxXMLDateTime{}; }
  void Assign(TDateTime AValue, bool AIsUTC);
  // Raises EdxXMLUnexpectedToken for a wrong delimiter.
  void Parse(std::string_view S);
  // Raises EConvertError for invalid fields.
  TDateTime ToDateTime() const;
  TdxXMLString ToString() const;
};

class TdxXMLHelper {
 public:
  static bool DecodeBoolean(std::string_view S);
  static TdxXMLString EncodeBoolean(bool AValue);
  static bool IsBoolean(std::string_view S);
  // Entities, decimal character references below 256 and _xHHHH_ escapes, in one pass.
  static TdxXMLString DecodeString(std::string_view S);
  static TdxXMLString EncodeString(std::string_view S, bool ARemoveBreakLines);
  static TdxXMLString EncodeString(StringView S, bool ARemoveBreakLines);
  static bool IsPreserveSpacesNeeded(std::string_view S);
  static bool IsPreserveSpacesNeeded(StringView S);
  static TdxXMLString ExtractNameScope(std::string_view S);
  static TdxXMLString ExtractNameWithoutNameScope(std::string_view S);
};

// A growable byte buffer.
class TdxXMLStringBuilder {
 public:
  explicit TdxXMLStringBuilder(int32_t ACapacity = 0);
  void Append(uint8_t AByte);
  void Append(std::string_view S);
  TdxXMLString AsString() const { return TdxXMLString(FData.data(), static_cast<size_t>(FLength)); }
  std::string_view View() const { return {FData.data(), static_cast<size_t>(FLength)}; }
  int32_t Capacity() const { return static_cast<int32_t>(FData.size()); }
  // Raises EdxException when the capacity would drop below the length.
  void SetCapacity(int32_t AValue);
  int32_t Length() const { return FLength; }
  void SetLength(int32_t AValue);
  void Clear() { FLength = 0; }

 private:
  std::vector<char> FData;
  int32_t FLength = 0;
};

class TdxXMLNode;
class TdxXMLDocument;
class TdxXMLParser;

class TdxXMLNodeAttribute : public TcxDoublyLinkedObject {
  QD_CLASS(TdxXMLNodeAttribute, TcxDoublyLinkedObject)

 public:
  TdxXMLNodeAttribute() = default;

  const TdxXMLString& Name() const { return FName; }
  void SetName(TdxXMLString AValue) { FName = std::move(AValue); }
  const TdxXMLString& Value() const { return FValue; }
  void SetValue(TdxXMLString AValue) { FValue = std::move(AValue); }
  TdxXMLNodeAttribute* Next() const { return static_cast<TdxXMLNodeAttribute*>(FNext); }

  String ValueAsString() const;
  void SetValueAsString(StringView AValue);
  // Integer text, or "false"/"true" in any case; anything else raises EConvertError.
  int32_t ValueAsInteger() const;
  void SetValueAsInteger(int32_t AValue);
  int64_t ValueAsInt64() const;
  void SetValueAsInt64(int64_t AValue);
  double ValueAsFloat() const;
  void SetValueAsFloat(double AValue);
  bool ValueAsBoolean() const;
  void SetValueAsBoolean(bool AValue);
  TDateTime ValueAsDateTime() const;
  void SetValueAsDateTime(TDateTime AValue);

 private:
  TdxXMLString FName;
  TdxXMLString FValue;
};

class TdxXMLNodeAttributes : public TcxDoublyLinkedObjectList {
  QD_CLASS(TdxXMLNodeAttributes, TcxDoublyLinkedObjectList)

 public:
  explicit TdxXMLNodeAttributes(TdxXMLNode* ANode = nullptr) : FNode(ANode) {}

  TdxXMLNode* Node() const { return FNode; }
  TdxXMLNodeAttribute* First() const { return static_cast<TdxXMLNodeAttribute*>(FFirst); }
  TdxXMLNodeAttribute* Last() const { return static_cast<TdxXMLNodeAttribute*>(FLast); }

  using TcxDoublyLinkedObjectList::Add;
  TdxXMLNodeAttribute* Add(std::string_view AName);
  TdxXMLNodeAttribute* Add(std::string_view AName, bool AValue);
  TdxXMLNodeAttribute* Add(std::string_view AName, int32_t AValue);
  TdxXMLNodeAttribute* Add(std::string_view AName, int64_t AValue);
  TdxXMLNodeAttribute* Add(std::string_view AName, double AValue);
  TdxXMLNodeAttribute* Add(std::string_view AName, const TdxXMLString& AValue);
  TdxXMLNodeAttribute* Add(std::string_view AName, const char* AValue);
  TdxXMLNodeAttribute* Add(std::string_view AName, StringView AValue);
  TdxXMLNodeAttribute* Add(std::string_view AName, const Char* AValue);

  void Assign(const TdxXMLNodeAttributes& ASource);
  void Delete(std::string_view AName);
  using TcxDoublyLinkedObjectList::Delete;
  bool Exists(std::string_view AName) const;
  bool Find(std::string_view AName, TdxXMLNodeAttribute*& AAttr) const;
  TdxXMLNodeAttribute* Find(std::string_view AName) const;

  TdxXMLString GetValue(std::string_view AName, const TdxXMLString& ADefault = {}) const;
  String GetValueAsString(std::string_view AName, StringView ADefault = {}) const;
  bool GetValueAsBoolean(std::string_view AName, bool ADefault = false) const;
  TDateTime GetValueAsDateTime(std::string_view AName, TDateTime ADefault = 0) const;
  bool GetValueAsDateTime(std::string_view AName, TdxXMLDateTime& ADateTime) const;
  TdxDefaultBoolean GetValueAsDefaultBoolean(std::string_view AName) const;
  double GetValueAsFloat(std::string_view AName, double ADefault = 0) const;
  int32_t GetValueAsInteger(std::string_view AName, int32_t ADefault = 0) const;
  int64_t GetValueAsInt64(std::string_view AName, int64_t ADefault = 0) const;

  void SetValue(std::string_view AName, const TdxXMLString& AValue);
  void SetValueAsString(std::string_view AName, StringView AValue);
  void SetValueAsBoolean(std::string_view AName, bool AValue);
  void SetValueAsDateTime(std::string_view AName, TDateTime AValue);
  void SetValueAsDateTime(std::string_view AName, const TdxXMLDateTime& AValue);
  void SetValueAsDefaultBoolean(std::string_view AName, TdxDefaultBoolean AValue);
  void SetValueAsFloat(std::string_view AName, double AValue);
  void SetValueAsInteger(std::string_view AName, int32_t AValue);
  void SetValueAsInt64(std::string_view AName, int64_t AValue);

 protected:
  TcxDoublyLinkedObject* CreateLinkedObject() override;
  TdxXMLNodeAttribute* GetAttr(std::string_view AName);

 private:
  TdxXMLNode* FNode;
};

// The children of a node, in document order; owns them.
class TdxXMLNodes : public TcxDoublyLinkedObjectList {
  QD_CLASS(TdxXMLNodes, TcxDoublyLinkedObjectList)

 public:
  TdxXMLNode* First() const;
  TdxXMLNode* Last() const;

 private:
  friend class TdxXMLNode;
};

using TdxXMLNodeForEachProc = std::function<void(TdxXMLNode* ANode, void* AUserData)>;

class TdxXMLNode : public TcxDoublyLinkedObject {
  QD_CLASS(TdxXMLNode, TcxDoublyLinkedObject)

 public:
  TdxXMLNode();
  ~TdxXMLNode() override;

  TdxXMLNode* AddChild(std::string_view ATagName);
  void Assign(const TdxXMLNode& ASource);
  virtual void Clear();
  virtual bool FindChild(std::string_view AName, TdxXMLNode*& ANode) const;
  TdxXMLNode* FindChild(std::string_view AName) const;
  // Walks the path from this node; missing levels are created when ACanCreate is set.
  bool FindChild(const std::vector<TdxXMLString>& ANames, TdxXMLNode*& ANode, bool ACanCreate = false);
  void ForEach(const TdxXMLNodeForEachProc& AProc, void* AUserData = nullptr);
  String GetChildValue(std::string_view AName) const;
  bool HasAttribute(std::string_view AName) const;
  // Stores the variant's text (dxVariantToString).
  void SetAttribute(std::string_view AName, const Variant& AValue);

  // Made by CreateAttributes on first use.
  TdxXMLNodeAttributes& Attributes() const;
  int32_t Count() const;
  TdxXMLNode* First() const;
  TdxXMLNode* Last() const;
  TdxXMLNode* Next() const { return static_cast<TdxXMLNode*>(FNext); }
  TdxXMLNode* Prev() const { return static_cast<TdxXMLNode*>(FPrev); }
  TdxXMLNode* Parent() const { return FParent; }
  bool HasChildren() const { return First() != nullptr; }
  bool HasData() const { return First() != nullptr || !FText.empty(); }
  int32_t Index() const;
  bool IsEmpty() const { return GetIsEmpty(); }
  // Raises the list error "List index out of bounds (%d)".
  TdxXMLNode* Items(int32_t AIndex) const;
  int32_t Level() const;

  const TdxXMLString& Name() const { return FName; }
  void SetName(TdxXMLString AValue) { FName = std::move(AValue); }
  String NameAsString() const;
  void SetNameAsString(StringView AValue);
  TdxXMLString NameScope() const;
  TdxXMLString NameWithoutNameScope() const;
  const TdxXMLString& Text() const { return FText; }
  void SetText(TdxXMLString AValue) { FText = std::move(AValue); }
  String TextAsString() const;
  void SetTextAsString(StringView AValue);
  bool TextAsBoolean() const;
  void SetTextAsBoolean(bool AValue);
  TDateTime TextAsDateTime() const;
  void SetTextAsDateTime(TDateTime AValue);

  // Writing (used by TdxXMLDocument::SaveToStream). The subtree below the node is written
  // without recursion; CheckTextEncoding and WriteAttributes are called for every node.
  virtual void CheckTextEncoding();
  virtual void WriteAttributes(TStream& AStream);
  virtual void WriteChildren(TStream& AStream, bool AAutoIndent);
  virtual void WriteContent(TStream& AStream, bool AAutoIndent);
  virtual void WriteData(TStream& AStream, bool AAutoIndent);

 protected:
  virtual TdxXMLNodeAttributes* CreateAttributes();
  virtual bool GetIsEmpty() const;
  virtual TClass GetNodeClass() const;

 private:
  friend class TdxXMLParser;
  friend class TdxXMLDocument;
  void ChildrenNeeded();
  void FreeDescendants();

  mutable std::unique_ptr<TdxXMLNodeAttributes> FAttributes;
  TdxXMLNode* FParent = nullptr;
  TdxXMLString FText;
  std::unique_ptr<TdxXMLNodes> FChildren;
  TdxXMLString FName;
};

enum TdxXMLEncoding { dxxeNone, dxxeUTF8, dxxeWindows };
enum TdxXMLTokenID { ttUnknown, ttEqual, ttTagHeaderBegin, ttTagHeaderEnd, ttTagEnd, ttTagFooter, ttComment };

struct TdxXMLToken {
  const char* Buffer = nullptr;
  uint32_t BufferLengthInChars = 0;
  TdxXMLTokenID TokenType = ttUnknown;
  std::string_view View() const { return {Buffer, BufferLengthInChars}; }
};

class TdxXMLParser {
 public:
  explicit TdxXMLParser(TdxXMLDocument* ADocument);
  virtual ~TdxXMLParser();
  TdxXMLParser(const TdxXMLParser&) = delete;
  TdxXMLParser& operator=(const TdxXMLParser&) = delete;

  void Parse(const void* AData, size_t ACount);

  TdxXMLDocument* Document() const { return FDocument; }
  TdxXMLEncoding Encoding() const { return FEncoding; }
  int32_t EncodingCodePage() const { return FEncodingCodePage; }

 protected:
  virtual void DecodeValue(std::string_view S, TdxXMLString& AResult);
  virtual void ParseDocumentHeader();
  virtual void ParseEncoding();
  // Reads an element header into ANode; returns the node that is current afterwards (ANode
  // when content follows, its parent for an empty element) or nullptr to end the parse.
  virtual TdxXMLNode* ParseNodeHeader(TdxXMLNode* ANode);
  virtual void ParseNodeValue(TdxXMLNode* ANode, const char* AStart, const char* AEnd);

  bool NextToken(TdxXMLToken& AToken);
  void SkipTag();

  // Unread data.
  const char* FData = nullptr;
  size_t FDataLength = 0;

 private:
  bool IsCommentAt(const char* AOpen, size_t AOpenLength, const char* AClose, size_t ACloseLength,
                   size_t& ANoCloseFrom, size_t& AEnd);

  TdxXMLDocument* FDocument;
  TdxXMLEncoding FEncoding = dxxeNone;
  int32_t FEncodingCodePage = 0;
  const char* FBase = nullptr;  // start of the buffer of the current Parse
  // Offsets from which a closing comment or CDATA marker is known to be absent, so that many
  // unterminated openers cost one scan of the data rather than one each.
  size_t FNoCommentEndFrom = SIZE_MAX;
  size_t FNoCDataEndFrom = SIZE_MAX;
  const TdxXMLNode* FPreserveNode = nullptr;
  bool FPreserveValue = false;
};

class TdxXMLDocument : public TcxInterfacedPersistent {
  QD_CLASS(TdxXMLDocument, TcxInterfacedPersistent)

 public:
  explicit TdxXMLDocument(TPersistent* AOwner = nullptr);
  ~TdxXMLDocument() override;
  // Create(nil) followed by LoadFromFile.
  static std::unique_ptr<TdxXMLDocument> CreateEx(const String& AFileName);

  TdxXMLNode* AddChild(std::string_view ATagName);
  bool FindChild(std::string_view AName, TdxXMLNode*& ANode) const;
  bool FindChild(const std::vector<TdxXMLString>& ANames, TdxXMLNode*& ANode) const;
  TdxXMLNode* FindChild(const std::vector<TdxXMLString>& ANames) const;
  void ForEach(const std::vector<TdxXMLString>& ANames, const TdxXMLNodeForEachProc& AProc,
               void* AUserData = nullptr);

  void LoadFromFile(const String& AFileName);
  void LoadFromStream(TStream& AStream);
  void LoadFromString(const TdxXMLString& AString);
  void SaveToFile(const String& AFileName);
  void SaveToStream(TStream& AStream);

  bool AutoIndent() const { return FAutoIndent; }
  void SetAutoIndent(bool AValue) { FAutoIndent = AValue; }
  const TdxXMLString& Encoding() const { return FEncoding; }
  void SetEncoding(TdxXMLString AValue) { FEncoding = std::move(AValue); }
  // Made by CreateRootNode on first use.
  TdxXMLNode* Root() const;
  const TdxXMLString& Standalone() const { return FStandalone; }
  void SetStandalone(TdxXMLString AValue) { FStandalone = std::move(AValue); }
  const TdxXMLString& Version() const { return FVersion; }
  void SetVersion(TdxXMLString AValue) { FVersion = std::move(AValue); }

  TdxXMLString GetHeaderText() const;

 protected:
  virtual std::unique_ptr<TdxXMLParser> CreateParser();
  virtual std::unique_ptr<TdxXMLNode> CreateRootNode();
  virtual void BeginUpdate() {}
  virtual void EndUpdate() {}

 private:
  void ParseBuffer(const void* AData, size_t ACount);

  bool FAutoIndent = false;
  TdxXMLString FEncoding = "UTF-8";
  mutable std::unique_ptr<TdxXMLNode> FRoot;
  TdxXMLString FStandalone;
  TdxXMLString FVersion = "1.0";
};

}  // namespace qd
