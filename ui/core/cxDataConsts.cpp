#include "ui/core/cxDataConsts.h"

namespace qd {

const TResStringRec cxSDataReadError{u"Stream read error"};
const TResStringRec cxSDataWriteError{u"Stream write error"};
const TResStringRec cxSDataItemExistError{u"Item already exists"};
const TResStringRec cxSDataRecordIndexError{u"RecordIndex out of range"};
const TResStringRec cxSDataItemIndexError{u"ItemIndex out of range"};
const TResStringRec cxSDataProviderModeError{u"This operation is not supported in provider mode"};
const TResStringRec cxSDataInvalidStreamFormat{u"Invalid stream format"};
const TResStringRec cxSDataRowIndexError{u"RowIndex out of range"};
const TResStringRec cxSDataCustomDataSourceInvalidCompare{u"GetInfoForCompare not implemented"};
const TResStringRec cxSDBDetailFilterControllerNotFound{u"DetailFilterController not found"};
const TResStringRec cxSDBNotInGridMode{u"DataController not in GridMode"};
const TResStringRec cxSDBKeyFieldNotFound{u"Key Field not found"};

void AddBrisvaneDataControllerResourceStringNames(TdxProductResourceStrings* AProduct) {
  AProduct->Add(u"cxSDataReadError", &cxSDataReadError);
  AProduct->Add(u"cxSDataWriteError", &cxSDataWriteError);
  AProduct->Add(u"cxSDataItemExistError", &cxSDataItemExistError);
  AProduct->Add(u"cxSDataRecordIndexError", &cxSDataRecordIndexError);
  AProduct->Add(u"cxSDataItemIndexError", &cxSDataItemIndexError);
  AProduct->Add(u"cxSDataProviderModeError", &cxSDataProviderModeError);
  AProduct->Add(u"cxSDataInvalidStreamFormat", &cxSDataInvalidStreamFormat);
  AProduct->Add(u"cxSDataRowIndexError", &cxSDataRowIndexError);
  AProduct->Add(u"cxSDataCustomDataSourceInvalidCompare", &cxSDataCustomDataSourceInvalidCompare);
  AProduct->Add(u"cxSDBDetailFilterControllerNotFound", &cxSDBDetailFilterControllerNotFound);
  AProduct->Add(u"cxSDBNotInGridMode", &cxSDBNotInGridMode);
  AProduct->Add(u"cxSDBKeyFieldNotFound", &cxSDBKeyFieldNotFound);
}

namespace cxDataConsts {

void Initialize() {
  dxResourceStringsRepository()->RegisterProduct(u"BrisvaneDataController",
                                                 &AddBrisvaneDataControllerResourceStringNames);
}

void Finalize() {
  dxResourceStringsRepository()->UnRegisterProduct(u"BrisvaneDataController");
}

}  // namespace cxDataConsts

}  // namespace qd
