#pragma once
// Compact text form of an XML tree for table-driven tests:
//   name[attr=value,...]"text"{child child ...}
// Attribute lists, texts and child lists are shown only when present.
#include <string>

#include "platform/classes/streams.h"
#include "ui/core/dxXMLDoc.h"

namespace qd::xmltest {

inline std::string Dump(const TdxXMLNode* ANode) {
  std::string out = ANode->Name();
  if (ANode->Attributes().First()) {
    out += "[";
    for (TdxXMLNodeAttribute* a = ANode->Attributes().First(); a; a = a->Next()) {
      if (a != ANode->Attributes().First()) out += ",";
      out += a->Name() + "=" + a->Value();
    }
    out += "]";
  }
  if (!ANode->Text().empty()) out += "\"" + ANode->Text() + "\"";
  if (ANode->HasChildren()) {
    out += "{";
    for (TdxXMLNode* c = ANode->First(); c; c = c->Next()) {
      if (c != ANode->First()) out += " ";
      out += Dump(c);
    }
    out += "}";
  }
  return out;
}

// The document's top-level elements.
inline std::string Dump(const TdxXMLDocument& ADoc) {
  std::string out;
  for (TdxXMLNode* c = ADoc.Root()->First(); c; c = c->Next()) {
    if (!out.empty()) out += " ";
    out += Dump(c);
  }
  return out;
}

// The document as saved to a stream.
inline std::string Save(TdxXMLDocument& ADoc) {
  TBytesStream stream;
  ADoc.SaveToStream(stream);
  return std::string(reinterpret_cast<const char*>(stream.Bytes().data()),
                     static_cast<size_t>(stream.Size()));
}

}  // namespace qd::xmltest
