// Compressed bitmap blocks from arbitrary bytes: the block reader stays inside its input and
// bounds its output, and a bitmap reading them either loads or raises EInvalidGraphic.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/classes/streams.h"
#include "platform/forms/forms_init.h"
#include "ui/graphics/cxGraphicsBitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qd;
  static const bool started = (forms::Initialize(), true);
  (void)started;
  TBytesStream source(TBytes(data, data + size));
  TMemoryStream decoded;
  const bool found = cxReadCompressedBitmapBlock(&source, &decoded);
  if (source.Position() > source.Size() || decoded.Size() > cxCompressedBitmapMaxDecodedSize) std::abort();
  if (!found && source.Position() != 0) std::abort();
  source.SetPosition(0);
  TcxBitmap bitmap;
  try {
    bitmap.ReadData(&source);
  } catch (const EInvalidGraphic&) {
  }
  return 0;
}
