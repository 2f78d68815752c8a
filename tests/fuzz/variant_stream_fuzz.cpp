// Feeds arbitrary bytes to the tagged variant stream reader and to the value types' readers;
// whatever reads successfully is written again.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/core/cxDataStorage.h"
#include "ui/core/cxVariants.h"
#include "platform/classes/streams.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qd;
  {
    TBytesStream stream(TBytes(data, data + size));
    try {
      while (stream.Position() < stream.Size()) {
        const Variant v = ReadVariantFunc(stream);
        TBytesStream out;
        WriteVariantProc(out, v);
      }
    } catch (const EReadError&) {
    }
  }
  if (size == 0) return 0;
  // The first byte picks a value type; the rest is its stream.
  cxDataStorage::Initialize();
  TcxValueTypeClassList* list = cxValueTypeClassList();
  const TcxValueTypeClass type = list->Items(data[0] % list->Count());
  TBytesStream bytes(TBytes(data + 1, data + size));
  TdxStream stream(bytes, (data[0] & 0x80) != 0);
  std::vector<uint8_t> record(static_cast<size_t>(type->GetDataSize()) + sizeof(void*), 0);
  void* text = nullptr;
  try {
    type->ReadDataValue(record.data(), stream);
    type->ReadDisplayText(&text, stream);
    TBytesStream out;
    TdxStream outStream(out, stream.IsUnicode());
    type->WriteDataValue(record.data(), outStream);
  } catch (const EReadError&) {
  } catch (const EVariantError&) {
  } catch (const EConvertError&) {
  }
  if (type != TcxObjectValueType::Class()) type->FreeBuffer(record.data());
  type->FreeTextBuffer(&text);
  return 0;
}
