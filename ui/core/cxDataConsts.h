#pragma once
// Error texts of the data controller. Registered with the resource-string repository as product
// "BrisvaneDataController" by the unit's start-up.
#include "ui/core/dxCore.h"

namespace qd {

extern const TResStringRec cxSDataReadError;
extern const TResStringRec cxSDataWriteError;
extern const TResStringRec cxSDataItemExistError;
extern const TResStringRec cxSDataRecordIndexError;
extern const TResStringRec cxSDataItemIndexError;
extern const TResStringRec cxSDataProviderModeError;
extern const TResStringRec cxSDataInvalidStreamFormat;
extern const TResStringRec cxSDataRowIndexError;
extern const TResStringRec cxSDataCustomDataSourceInvalidCompare;
extern const TResStringRec cxSDBDetailFilterControllerNotFound;
extern const TResStringRec cxSDBNotInGridMode;
extern const TResStringRec cxSDBKeyFieldNotFound;

// Adds the unit's names to the product.
void AddBrisvaneDataControllerResourceStringNames(TdxProductResourceStrings* AProduct);

namespace cxDataConsts {
// Registers the product "BrisvaneDataController"; Finalize removes it.
void Initialize();
void Finalize();
}  // namespace cxDataConsts

}  // namespace qd
