#pragma once
// What the stored-form parser, reader and writer share (filer.cpp, filer_text.cpp,
// filer_reader.cpp, filer_writer.cpp). Not for other units.
#include <cstdint>

#include "platform/classes/filer.h"

namespace qd::filer {

// " on line N", the end of every read error's message.
String LineSuffix(int line);

[[noreturn]] void InvalidValue();

// The identifiers registered for an integer type (RegisterIntegerConsts).
bool IdentToIntFor(const TTypeInfo* t, const String& ident, int64_t& v);
bool IntToIdentFor(const TTypeInfo* t, int64_t v, String& ident);

// The component the hook set by SetFindGlobalComponent finds by name, or nullptr.
TComponent* FindGlobalComponent(const String& name);

}  // namespace qd::filer
