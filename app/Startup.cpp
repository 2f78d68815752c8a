#include "app/Startup.h"

#include <iterator>

#include "app/Deployment.h"
#include "platform/forms/forms_init.h"
#include "platform/net/net_published.h"
#include "platform/base/strings.h"
#include "platform/net/http_transfer.h"
#include "ui/core/cxDataConsts.h"
#include "ui/core/cxDataStorage.h"
#include "ui/core/cxFilterConsts.h"
#include "ui/core/cxGeometryObjects.h"
#include "ui/core/cxLibraryStrs.h"
#include "ui/core/dxCore.h"

namespace qd {

namespace {

struct TUnit {
  void (*Initialize)();
  void (*Finalize)();
};

void PlatformInitialize() {
  forms::Initialize();
  net::RegisterPublishedNetClasses();
  if (!Deployment().CAFile.empty()) net::SetDefaultCAFile(StringToUtf8(Deployment().CAFile));
}

// In unit order; shut-down runs backwards.
const TUnit kUnits[] = {
    {&PlatformInitialize, &forms::Finalize},
    {&dxCore::Initialize, &dxCore::Finalize},
    {&cxLibraryStrs::Initialize, &cxLibraryStrs::Finalize},
    {&cxDataConsts::Initialize, &cxDataConsts::Finalize},
    {&cxFilterConsts::Initialize, &cxFilterConsts::Finalize},
    {&cxGeometry::Initialize, &cxGeometry::Finalize},
    {&cxDataStorage::Initialize, &cxDataStorage::Finalize},
};

}  // namespace

void InitializeUnits() {
  for (const TUnit& u : kUnits) u.Initialize();
}

void FinalizeUnits() {
  for (auto it = std::rbegin(kUnits); it != std::rend(kUnits); ++it) it->Finalize();
}

}  // namespace qd
