#include "ui/editors/cxEdit.h"

namespace qd {

QD_IMPLEMENT_CLASS(EcxEditError)

}  // namespace qd
