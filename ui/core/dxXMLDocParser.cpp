// The XML parser, entity decoding and the per-parse string table.
#include <algorithm>
#include <cstring>

#include "ui/core/dxXMLDoc.h"
#include "platform/base/strings.h"

namespace qd {

namespace {

constexpr std::string_view kCommentBegin = "<!--";
constexpr std::string_view kCommentEnd = "-->";
constexpr std::string_view kCDataBegin = "<![CDATA[";
constexpr std::string_view kCDataEnd = "]]>";

inline bool IsBlank(char c) {
  return c == '\t' || c == '\n' || c == '\r' || c == ' ';
}

inline bool IsDelimiter(char c) {
  switch (c) {
    case '/':
    case '=':
    case '<':
    case '>':
    case '"':
    case '\'':
    case '\t':
    case '\n':
    case '\r':
    case ' ':
      return true;
    default:
      return false;
  }
}

// The four characters at P read as a hexadecimal number.
inline bool ReadHex4(const char* P, int32_t& AValue) {
  int32_t v = 0;
  for (int i = 0; i < 4; ++i) {
    int d = HexDigitValue(P[i]);
    if (d < 0) return false;
    v = v * 16 + d;
  }
  AValue = v;
  return true;
}

struct TServiceChar {
  char Char;
  std::string_view Entity;
};

// The entities the writer produces, in the order the decoder tries them.
constexpr TServiceChar XMLServiceCharMap[] = {
    {'\t', "&#9;"},   {'\n', "&#10;"}, {'\r', "&#13;"}, {'"', "&quot;"},
    {'\'', "&apos;"}, {'<', "&lt;"},   {'>', "&gt;"},   {'&', "&amp;"},
};

// An entity or character reference at S[I] (which is "&"): the byte it stands for and its length.
bool GetServiceCharacter(std::string_view S, size_t I, char& AChar, size_t& ALength) {
  const size_t remaining = S.size() - I;
  for (const TServiceChar& m : XMLServiceCharMap) {
    if (remaining >= m.Entity.size() && S.compare(I, m.Entity.size(), m.Entity) == 0) {
      AChar = m.Char;
      ALength = m.Entity.size();
      return true;
    }
  }
  if (remaining < 4 || S[I + 1] != '#') return false;
  size_t j = I + 2;
  int32_t value = 0;
  while (j < S.size() && S[j] >= '0' && S[j] <= '9') {
    value = value * 10 + (S[j] - '0');
    if (value > 255) return false;  // also keeps long digit runs from overflowing
    ++j;
  }
  if (j == I + 2 || j >= S.size() || S[j] != ';') return false;
  AChar = static_cast<char>(value);
  ALength = j + 1 - I;
  return true;
}

}  // namespace

// --- Searching ---------------------------------------------------------------------

bool FindDataInMemory(const void* APattern, size_t ALength, const void* ABuffer, size_t& APosition,
                      size_t AStart, size_t ASize) {
  if (ALength == 0 || AStart > ASize || ASize - AStart < ALength) return false;
  const char* pattern = static_cast<const char*>(APattern);
  const char* buffer = static_cast<const char*>(ABuffer);
  const char first = pattern[0];
  const char last = pattern[ALength - 1];
  const char* p = buffer + AStart;
  const char* const stop = buffer + ASize - ALength;  // last candidate
  while (p <= stop) {
    p = static_cast<const char*>(std::memchr(p, first, static_cast<size_t>(stop - p) + 1));
    if (!p) return false;
    if (p[ALength - 1] == last && std::memcmp(p, pattern, ALength) == 0) {
      APosition = static_cast<size_t>(p - buffer);
      return true;
    }
    ++p;
  }
  return false;
}

bool FindStringInMemoryA(std::string_view APattern, const void* ABuffer, size_t& APosition, size_t AStart,
                         size_t ASize) {
  return FindDataInMemory(APattern.data(), APattern.size(), ABuffer, APosition, AStart, ASize);
}

// --- Entity decoding ---------------------------------------------------------------

TdxXMLString TdxXMLHelper::DecodeString(std::string_view S) {
  // One pass: what an entity or escape produces is never decoded again, so a text that held
  // "&lt;" before saving (written as "&amp;lt;") reads back as "&lt;".
  size_t i = 0;
  const size_t n = S.size();
  while (i < n && S[i] != '&' && S[i] != '_') ++i;
  if (i == n) return TdxXMLString(S);
  TdxXMLString result;
  result.reserve(n);
  result.append(S.data(), i);
  while (i < n) {
    const char c = S[i];
    if (c == '_' && i + 6 < n && S[i + 1] == 'x' && S[i + 6] == '_') {
      int32_t value;
      if (ReadHex4(S.data() + i + 2, value) && value <= 255) {
        result.push_back(static_cast<char>(value));
        i += 7;
        continue;
      }
    } else if (c == '&') {
      char decoded;
      size_t length;
      if (GetServiceCharacter(S, i, decoded, length)) {
        result.push_back(decoded);
        i += length;
        continue;
      }
    }
    result.push_back(c);
    ++i;
  }
  return result;
}

// --- Parser ------------------------------------------------------------------------

TdxXMLParser::TdxXMLParser(TdxXMLDocument* ADocument) : FDocument(ADocument) {}

TdxXMLParser::~TdxXMLParser() = default;

bool TdxXMLParser::IsCommentAt(const char* AOpen, size_t AOpenLength, const char* AClose, size_t ACloseLength,
                               size_t& ANoCloseFrom, size_t& AEnd) {
  if (FDataLength <= AOpenLength + ACloseLength) return false;
  if (std::memcmp(FData, AOpen, AOpenLength) != 0) return false;
  const size_t offset = static_cast<size_t>(FData - FBase);
  const size_t from = offset + AOpenLength;
  if (from >= ANoCloseFrom) return false;
  size_t position;
  if (!FindDataInMemory(AClose, ACloseLength, FBase, position, from, offset + FDataLength)) {
    ANoCloseFrom = from;
    return false;
  }
  AEnd = position + ACloseLength - offset;
  return true;
}

bool TdxXMLParser::NextToken(TdxXMLToken& AToken) {
  while (FDataLength > 0 && IsBlank(*FData)) {
    ++FData;
    --FDataLength;
  }
  AToken.Buffer = FData;
  AToken.BufferLengthInChars = 0;
  AToken.TokenType = ttUnknown;
  if (FDataLength == 0) return false;

  const char c = *FData;
  const char next = FDataLength > 1 ? FData[1] : '\0';
  size_t length = 0;
  if (c == '"' || c == '\'') {
    const char* p = FData + 1;
    const char* const end = FData + FDataLength;
    const char* q = p;
    while (q < end && *q != c && *q != '<' && *q != '>') ++q;
    AToken.Buffer = p;
    AToken.BufferLengthInChars = static_cast<uint32_t>(q - p);
    if (q < end && *q == c) ++q;
    FDataLength -= static_cast<size_t>(q - FData);
    FData = q;
    return true;
  }
  if ((c == '/' || c == '?') && next == '>') {
    AToken.TokenType = ttTagEnd;
    length = 2;
  } else if (c == '<' && next == '/') {
    AToken.TokenType = ttTagFooter;
    length = 2;
  } else if (c == '<') {
    size_t end;
    if (next == '!' && (IsCommentAt(kCommentBegin.data(), kCommentBegin.size(), kCommentEnd.data(),
                                    kCommentEnd.size(), FNoCommentEndFrom, end) ||
                        IsCommentAt(kCDataBegin.data(), kCDataBegin.size(), kCDataEnd.data(),
                                    kCDataEnd.size(), FNoCDataEndFrom, end))) {
      AToken.TokenType = ttComment;
      length = end;
    } else {
      AToken.TokenType = ttTagHeaderBegin;
      length = 1;
    }
  } else if (c == '=') {
    AToken.TokenType = ttEqual;
    length = 1;
  } else if (c == '>') {
    AToken.TokenType = ttTagHeaderEnd;
    length = 1;
  } else if (IsDelimiter(c)) {
    length = 1;
  } else {
    length = 1;
    while (length < FDataLength && !IsDelimiter(FData[length])) ++length;
  }
  AToken.BufferLengthInChars = static_cast<uint32_t>(length);
  FData += length;
  FDataLength -= length;
  return true;
}

void TdxXMLParser::Parse(const void* AData, size_t ACount) {
  TdxXMLNode* current = FDocument->Root();
  current->Clear();
  FBase = static_cast<const char*>(AData);
  FData = FBase;
  FDataLength = ACount;
  FNoCommentEndFrom = SIZE_MAX;
  FNoCDataEndFrom = SIZE_MAX;
  FPreserveNode = nullptr;
  const char* pending = nullptr;
  TdxXMLToken token;
  while (NextToken(token)) {
    if (token.TokenType == ttTagHeaderBegin) {
      const char after = FDataLength > 0 ? *FData : '\0';
      if (after == '?') {
        ParseDocumentHeader();
      } else if (after == '!') {
        SkipTag();
      } else {
        ParseNodeValue(current, pending, token.Buffer);
        TdxXMLNode* child = current->AddChild({});
        current = ParseNodeHeader(child);
        if (!current) break;
        pending = FData;
      }
    } else if (token.TokenType == ttTagFooter) {
      if (!current->HasChildren()) ParseNodeValue(current, pending, token.Buffer);
      current = current->Parent();
      if (!current) break;
      pending = nullptr;
    }
  }
  FData = nullptr;
  FDataLength = 0;
  FBase = nullptr;
}

TdxXMLNode* TdxXMLParser::ParseNodeHeader(TdxXMLNode* ANode) {
  TdxXMLNode* result = ANode->Parent();
  TdxXMLNodeAttribute* attribute = nullptr;
  int counter = 0;
  TdxXMLToken token;
  while (NextToken(token)) {
    switch (token.TokenType) {
      case ttTagHeaderBegin:
      case ttComment:
        return nullptr;
      case ttTagHeaderEnd:
        return ANode;
      case ttTagEnd:
        return result;
      default:
        break;
    }
    if (counter > 3) counter = 1;
    if (counter == 0) ANode->SetName(TdxXMLString(token.View()));
    if (counter == 2 && token.TokenType != ttEqual) counter = 1;
    if (counter == 1) {
      attribute = ANode->Attributes().Add(std::string_view());
      attribute->SetName(TdxXMLString(token.View()));
    }
    if (counter == 3 && attribute) {
      TdxXMLString value;
      DecodeValue(token.View(), value);
      attribute->SetValue(std::move(value));
    }
    ++counter;
  }
  return result;
}

void TdxXMLParser::ParseNodeValue(TdxXMLNode* ANode, const char* AStart, const char* AEnd) {
  if (!AStart || AEnd < AStart) return;
  const char* start = AStart;
  const char* end = AEnd;
  // A node's attributes are complete once its header is read, and the same node usually gets
  // many calls in a row (one per child), so its mode is looked up once.
  if (ANode != FPreserveNode) {
    TdxXMLNodeAttribute* space;
    FPreserveNode = ANode;
    FPreserveValue = ANode->FAttributes && ANode->FAttributes->Find("xml:space", space) &&
                     dxXMLSameText(space->Value(), "preserve");
  }
  const bool preserve = FPreserveValue;
  if (!preserve) {
    while (start < end && static_cast<uint8_t>(*start) < 32) ++start;
    while (end > start && static_cast<uint8_t>(end[-1]) < 32) --end;
  }
  if (end - start >= 12 && std::memcmp(start, kCDataBegin.data(), kCDataBegin.size()) == 0) {
    start += 9;
    end -= 3;
  }
  if (end > start) {
    TdxXMLString value;
    DecodeValue(std::string_view(start, static_cast<size_t>(end - start)), value);
    ANode->SetText(std::move(value));
  }
}

void TdxXMLParser::DecodeValue(std::string_view S, TdxXMLString& AResult) {
  if (FEncoding == dxxeWindows) {
    const TdxXMLString utf8 = StringToUtf8(DecodeCodePage(S, static_cast<uint32_t>(FEncodingCodePage)));
    AResult = TdxXMLHelper::DecodeString(utf8);
  } else {
    AResult = TdxXMLHelper::DecodeString(S);
  }
}

void TdxXMLParser::ParseDocumentHeader() {
  TdxXMLNode header;
  ParseNodeHeader(&header);
  FDocument->SetEncoding(header.Attributes().GetValue("encoding", "UTF-8"));
  FDocument->SetVersion(header.Attributes().GetValue("version", "1.0"));
  ParseEncoding();
}

void TdxXMLParser::SkipTag() {
  TdxXMLNode scratch;
  ParseNodeHeader(&scratch);
}

void TdxXMLParser::ParseEncoding() {
  const TdxXMLString& encoding = FDocument->Encoding();
  if (dxXMLSameText(encoding, "UTF-8")) {
    FEncoding = dxxeUTF8;
  } else if (encoding.size() >= 8 && dxXMLSameText(std::string_view(encoding).substr(0, 8), "Windows-")) {
    FEncoding = dxxeWindows;
    FEncodingCodePage = StrToIntDef(Utf8ToString(std::string_view(encoding).substr(8)), 0);
  } else {
    FEncoding = dxxeNone;
  }
}

}  // namespace qd
