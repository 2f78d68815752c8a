// The XML writer, entity encoding and the byte string builder.
#include <cmath>
#include <cstring>
#include <new>

#include "ui/core/dxXMLDoc.h"
#include "platform/base/strings.h"
#include "platform/classes/streams.h"

namespace qd {

namespace {

inline bool IsSpaceOrBreak(char c) {
  return c == '\t' || c == '\n' || c == '\r' || c == ' ';
}

// The entity of a byte of the service-character map, or an empty view.
inline std::string_view ServiceEntity(char c) {
  switch (c) {
    case '\t':
      return "&#9;";
    case '\n':
      return "&#10;";
    case '\r':
      return "&#13;";
    case '"':
      return "&quot;";
    case '\'':
      return "&apos;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '&':
      return "&amp;";
    default:
      return {};
  }
}

inline bool IsHexDigit(char c) {
  return HexDigitValue(c) >= 0;
}

// "_" at S[I] begins something the decoder would read as an escape once written: "_xHHHH"
// followed by a byte whose written form begins with "_" (an underscore, or a control byte that
// is itself written as an escape).
inline bool StartsEscape(std::string_view S, size_t I) {
  if (I + 6 >= S.size() || S[I + 1] != 'x' || !IsHexDigit(S[I + 2]) || !IsHexDigit(S[I + 3]) ||
      !IsHexDigit(S[I + 4]) || !IsHexDigit(S[I + 5]))
    return false;
  const char next = S[I + 6];
  return next == '_' || (static_cast<uint8_t>(next) < 32 && ServiceEntity(next).empty());
}

inline bool NeedsEncoding(std::string_view S, size_t I, bool ARemoveBreakLines) {
  const char c = S[I];
  if (static_cast<uint8_t>(c) < 32) return true;
  switch (c) {
    case '"':
    case '\'':
    case '<':
    case '>':
    case '&':
      return true;
    case '_':
      return StartsEscape(S, I);
    default:
      return false;
  }
}

// Collects writes and passes them on to the target in large blocks.
class TdxXMLBufferedStream final : public TStream {
 public:
  explicit TdxXMLBufferedStream(TStream& ATarget) : FTarget(ATarget) { FBuffer.reserve(kBlockSize); }
  int64_t Read(void*, int64_t) override { return 0; }
  int64_t Write(const void* Buffer, int64_t Count) override {
    if (Count <= 0) return 0;
    const auto* p = static_cast<const char*>(Buffer);
    if (FBuffer.size() + static_cast<size_t>(Count) > kBlockSize) Flush();
    if (static_cast<size_t>(Count) >= kBlockSize)
      FTarget.WriteBuffer(p, Count);
    else
      FBuffer.insert(FBuffer.end(), p, p + Count);
    return Count;
  }
  int64_t Seek(int64_t, TSeekOrigin) override { return 0; }
  void Flush() {
    if (!FBuffer.empty()) FTarget.WriteBuffer(FBuffer.data(), static_cast<int64_t>(FBuffer.size()));
    FBuffer.clear();
  }

 private:
  static constexpr size_t kBlockSize = 64 * 1024;
  TStream& FTarget;
  std::vector<char> FBuffer;
};

inline void WriteString(TStream& AStream, std::string_view S) {
  if (!S.empty()) AStream.WriteBuffer(S.data(), static_cast<int64_t>(S.size()));
}

void WriteIndent(TStream& AStream, int32_t ACount) {
  static const std::string kTabs(64, '\t');
  while (ACount > 0) {
    const int32_t n = std::min<int32_t>(ACount, static_cast<int32_t>(kTabs.size()));
    AStream.WriteBuffer(kTabs.data(), n);
    ACount -= n;
  }
}

inline void WriteLineBreak(TStream& AStream) {
  WriteString(AStream, "\r\n");
}

}  // namespace

// --- Encoding ----------------------------------------------------------------------

TdxXMLString TdxXMLHelper::EncodeString(std::string_view S, bool ARemoveBreakLines) {
  size_t i = 0;
  while (i < S.size() && !NeedsEncoding(S, i, ARemoveBreakLines)) ++i;
  if (i == S.size()) return TdxXMLString(S);
  TdxXMLStringBuilder builder(
      static_cast<int32_t>(std::min<double>(std::nearbyint(S.size() * 3.0 / 2.0), INT32_MAX)));
  builder.Append(S.substr(0, i));
  for (; i < S.size(); ++i) {
    char c = S[i];
    if (ARemoveBreakLines && (c == '\r' || c == '\n')) c = ' ';
    const std::string_view entity = ServiceEntity(c);
    if (!entity.empty()) {
      builder.Append(entity);
    } else if (static_cast<uint8_t>(c) < 32) {
      const char escape[7] = {'_',
                              'x',
                              '0',
                              '0',
                              HexDigitChar(static_cast<uint8_t>(c) >> 4),
                              HexDigitChar(static_cast<uint8_t>(c)),
                              '_'};
      builder.Append(std::string_view(escape, 7));
    } else if (c == '_' && StartsEscape(S, i)) {
      builder.Append("_x005F_");
    } else {
      builder.Append(static_cast<uint8_t>(c));
    }
  }
  return builder.AsString();
}

TdxXMLString TdxXMLHelper::EncodeString(StringView S, bool ARemoveBreakLines) {
  return EncodeString(std::string_view(dxStringToXMLString(S)), ARemoveBreakLines);
}

bool TdxXMLHelper::IsPreserveSpacesNeeded(std::string_view S) {
  if (S.empty()) return false;
  if (IsSpaceOrBreak(S.front()) || IsSpaceOrBreak(S.back())) return true;
  return S.find_first_of("\r\n") != std::string_view::npos;
}

bool TdxXMLHelper::IsPreserveSpacesNeeded(StringView S) {
  if (S.empty()) return false;
  auto spaceOrBreak = [](Char c) { return c == u'\t' || c == u'\n' || c == u'\r' || c == u' '; };
  if (spaceOrBreak(S.front()) || spaceOrBreak(S.back())) return true;
  return S.find_first_of(u"\r\n") != StringView::npos;
}

// --- String builder ----------------------------------------------------------------

TdxXMLStringBuilder::TdxXMLStringBuilder(int32_t ACapacity) {
  FData.resize(static_cast<size_t>(std::max(ACapacity, 0)));
}

void TdxXMLStringBuilder::SetCapacity(int32_t AValue) {
  if (AValue < FLength) throw EdxException(String());
  FData.resize(static_cast<size_t>(AValue));
  FData.shrink_to_fit();
}

void TdxXMLStringBuilder::SetLength(int32_t AValue) {
  const int64_t length = std::max<int64_t>(AValue, 0);
  if (length > static_cast<int64_t>(FData.size())) {
    int64_t capacity = std::max<int64_t>(2 * static_cast<int64_t>(FData.size()), 2 * length);
    if (capacity > INT32_MAX) capacity = length;
    FData.resize(static_cast<size_t>(capacity));  // on failure nothing changes
  }
  FLength = static_cast<int32_t>(length);
}

void TdxXMLStringBuilder::Append(uint8_t AByte) {
  const int32_t at = FLength;
  if (at == INT32_MAX) throw EOutOfMemory(u"Out of memory");
  SetLength(at + 1);
  FData[static_cast<size_t>(at)] = static_cast<char>(AByte);
}

void TdxXMLStringBuilder::Append(std::string_view S) {
  if (S.empty()) return;
  const int32_t at = FLength;
  if (S.size() > static_cast<size_t>(INT32_MAX - at)) throw EOutOfMemory(u"Out of memory");
  SetLength(at + static_cast<int32_t>(S.size()));
  std::memcpy(FData.data() + at, S.data(), S.size());
}

// --- Node writing ------------------------------------------------------------------

void TdxXMLNode::CheckTextEncoding() {
  if (TdxXMLHelper::IsPreserveSpacesNeeded(FText))
    Attributes().SetValue("xml:space", "preserve");
  else if (FAttributes)
    FAttributes->Delete("xml:space");
}

void TdxXMLNode::WriteAttributes(TStream& AStream) {
  if (!FAttributes) return;
  for (TdxXMLNodeAttribute* a = FAttributes->First(); a; a = a->Next()) {
    WriteString(AStream, " ");
    WriteString(AStream, a->Name());
    WriteString(AStream, "=\"");
    WriteString(AStream, TdxXMLHelper::EncodeString(std::string_view(a->Value()), true));
    WriteString(AStream, "\"");
  }
}

namespace {

bool Preserves(const TdxXMLNode* ANode) {
  return ANode->HasAttribute("xml:space") &&
         dxXMLSameText(ANode->Attributes().GetValue("xml:space"), "preserve");
}

// Writes the start of an element; true when its children follow and it is to be closed after them.
bool OpenElement(TStream& AStream, TdxXMLNode* ANode, int32_t ALevel, bool AAutoIndent,
                 bool AParentPreserves) {
  if (AAutoIndent && !AParentPreserves) WriteIndent(AStream, ALevel);
  ANode->CheckTextEncoding();
  WriteString(AStream, "<");
  WriteString(AStream, ANode->Name());
  ANode->WriteAttributes(AStream);
  if (ANode->HasData()) {
    WriteString(AStream, ">");
    if (!ANode->Text().empty())
      WriteString(AStream, TdxXMLHelper::EncodeString(std::string_view(ANode->Text()), false));
    if (ANode->HasChildren()) {
      if (AAutoIndent && (ANode->Text().empty() || !Preserves(ANode))) WriteLineBreak(AStream);
      return true;
    }
    WriteString(AStream, "</");
    WriteString(AStream, ANode->Name());
    WriteString(AStream, ">");
  } else {
    WriteString(AStream, "/>");
  }
  if (AAutoIndent) WriteLineBreak(AStream);
  return false;
}

void CloseElement(TStream& AStream, TdxXMLNode* ANode, int32_t ALevel, bool AAutoIndent) {
  if (AAutoIndent) WriteIndent(AStream, ALevel);
  WriteString(AStream, "</");
  WriteString(AStream, ANode->Name());
  WriteString(AStream, ">");
  if (AAutoIndent) WriteLineBreak(AStream);
}

bool ParentPreserves(const TdxXMLNode* ANode) {
  return ANode->Parent() && Preserves(ANode->Parent());
}

// Writes AFirst (and, with ASiblings, the siblings after it), each with its whole subtree, walking
// the tree itself instead of recursing.
void WriteElements(TStream& AStream, TdxXMLNode* AFirst, int32_t ALevel, bool AAutoIndent, bool ASiblings) {
  TdxXMLNode* node = AFirst;
  int32_t level = ALevel;
  bool parentPreserves = ParentPreserves(AFirst);
  for (;;) {
    if (OpenElement(AStream, node, level, AAutoIndent, parentPreserves)) {
      parentPreserves = Preserves(node);
      node = node->First();
      ++level;
      continue;
    }
    bool climbed = false;
    for (;;) {
      if (level == ALevel) {
        if (!ASiblings || !node->Next()) return;
        node = node->Next();
        break;
      }
      if (TdxXMLNode* next = node->Next()) {
        node = next;
        break;
      }
      node = node->Parent();
      --level;
      climbed = true;
      CloseElement(AStream, node, level, AAutoIndent);
    }
    // Siblings share their parent's mode; only a move up needs it again.
    if (climbed) parentPreserves = ParentPreserves(node);
  }
}

}  // namespace

void TdxXMLNode::WriteData(TStream& AStream, bool AAutoIndent) {
  WriteElements(AStream, this, Level(), AAutoIndent, false);
}

void TdxXMLNode::WriteContent(TStream& AStream, bool AAutoIndent) {
  if (!FText.empty()) WriteString(AStream, TdxXMLHelper::EncodeString(std::string_view(FText), false));
  if (!HasChildren()) return;
  if (AAutoIndent && (FText.empty() || !Preserves(this))) WriteLineBreak(AStream);
  const int32_t level = Level();
  WriteChildren(AStream, AAutoIndent);
  if (AAutoIndent) WriteIndent(AStream, level);
}

void TdxXMLNode::WriteChildren(TStream& AStream, bool AAutoIndent) {
  if (TdxXMLNode* first = First()) WriteElements(AStream, first, Level() + 1, AAutoIndent, true);
}

// --- Document writing --------------------------------------------------------------

TdxXMLString TdxXMLDocument::GetHeaderText() const {
  if (FVersion.empty() && FEncoding.empty() && FStandalone.empty()) return {};
  TdxXMLString result = "<?xml";
  auto add = [&](std::string_view AName, const TdxXMLString& AValue) {
    if (AValue.empty()) return;
    result.append(" ").append(AName).append("=\"").append(AValue).append("\"");
  };
  add("version", FVersion);
  add("encoding", FEncoding);
  add("standalone", FStandalone);
  result.append("?>\r\n");
  return result;
}

void TdxXMLDocument::SaveToStream(TStream& AStream) {
  FEncoding = "UTF-8";
  TdxXMLBufferedStream buffered(AStream);
  WriteString(buffered, GetHeaderText());
  Root()->WriteChildren(buffered, FAutoIndent);
  buffered.Flush();
}

void TdxXMLDocument::SaveToFile(const String& AFileName) {
  TFileStream stream(AFileName, fmCreate);
  SaveToStream(stream);
}

}  // namespace qd
