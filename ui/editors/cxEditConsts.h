#pragma once
// The editor library's texts.
#include "ui/core/dxCore.h"

namespace qd {

extern const TResStringRec cxSEditInvalidRepositoryItem;
extern const TResStringRec cxSEditPopupCircularReferencingError;
extern const TResStringRec cxSEditPostError;
extern const TResStringRec cxSEditValidateErrorText;
extern const TResStringRec cxSEditValueOutOfBounds;
extern const TResStringRec cxSEditNumericValueConvertError;
extern const TResStringRec cxSEditCheckBoxChecked;
extern const TResStringRec cxSEditCheckBoxGrayed;
extern const TResStringRec cxSEditCheckBoxUnchecked;
extern const TResStringRec cxSRadioGroupDefaultCaption;
extern const TResStringRec cxSMenuItemCaptionCut;
extern const TResStringRec cxSMenuItemCaptionCopy;
extern const TResStringRec cxSMenuItemCaptionPaste;
extern const TResStringRec cxSMenuItemCaptionDelete;
extern const TResStringRec cxSMenuItemCaptionLoad;
extern const TResStringRec cxSMenuItemCaptionSave;
extern const TResStringRec cxSMenuItemCaptionAssignFromWebCam;
extern const TResStringRec cxSSpinEditInvalidNumericValue;

extern const TResStringRec scxRegExprLine;
extern const TResStringRec scxRegExprChar;
extern const TResStringRec scxRegExprNotAssignedSourceStream;
extern const TResStringRec scxRegExprEmptySourceStream;
extern const TResStringRec scxRegExprCantUsePlusQuantifier;
extern const TResStringRec scxRegExprCantUseStarQuantifier;
extern const TResStringRec scxRegExprCantCreateEmptyAlt;
extern const TResStringRec scxRegExprCantCreateEmptyBlock;
extern const TResStringRec scxRegExprIllegalSymbol;
extern const TResStringRec scxRegExprIllegalQuantifier;
extern const TResStringRec scxRegExprNotSupportQuantifier;
extern const TResStringRec scxRegExprIllegalIntegerValue;
extern const TResStringRec scxRegExprTooBigReferenceNumber;
extern const TResStringRec scxRegExprCantCreateEmptyEnum;
extern const TResStringRec scxRegExprSubrangeOrder;
extern const TResStringRec scxRegExprHexNumberExpected0;
extern const TResStringRec scxRegExprHexNumberExpected;
extern const TResStringRec scxRegExprMissing;
extern const TResStringRec scxRegExprUnnecessary;
extern const TResStringRec scxRegExprIncorrectSpace;
extern const TResStringRec scxRegExprNotCompiled;
extern const TResStringRec scxRegExprIncorrectParameterQuantifier;
extern const TResStringRec scxRegExprCantUseParameterQuantifier;
// A pattern beyond the engine's size limits (nesting, states, links).
extern const TResStringRec scxRegExprTooComplex;

extern const TResStringRec scxMaskEditRegExprError;
extern const TResStringRec scxMaskEditInvalidEditValue;
extern const TResStringRec scxMaskEditNoMask;

// Registers the names of the texts above with the resource-strings repository under
// "BrisvaneEditors Library".
void AddEditorsResourceStringNames(TdxProductResourceStrings* AProduct);

namespace cxEditConsts {
void Initialize();
void Finalize();
}  // namespace cxEditConsts

}  // namespace qd
