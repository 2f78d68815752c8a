#include "ui/editors/cxEditConsts.h"

namespace qd {

const TResStringRec cxSEditInvalidRepositoryItem{u"The repository item is not acceptable"};
const TResStringRec cxSEditPopupCircularReferencingError{u"Circular referencing is not allowed"};
const TResStringRec cxSEditPostError{u"An error occurred during posting edit value"};
const TResStringRec cxSEditValidateErrorText{u"Invalid input value. Use escape key to abandon changes"};
const TResStringRec cxSEditValueOutOfBounds{u"Value out of bounds"};
const TResStringRec cxSEditNumericValueConvertError{u"Could not convert to numeric value"};
const TResStringRec cxSEditCheckBoxChecked{u"True"};
const TResStringRec cxSEditCheckBoxGrayed{u""};
const TResStringRec cxSEditCheckBoxUnchecked{u"False"};
const TResStringRec cxSRadioGroupDefaultCaption{u""};
const TResStringRec cxSMenuItemCaptionCut{u"Cu&t"};
const TResStringRec cxSMenuItemCaptionCopy{u"&Copy"};
const TResStringRec cxSMenuItemCaptionPaste{u"&Paste"};
const TResStringRec cxSMenuItemCaptionDelete{u"&Delete"};
const TResStringRec cxSMenuItemCaptionLoad{u"&Load..."};
const TResStringRec cxSMenuItemCaptionSave{u"Save &As..."};
const TResStringRec cxSMenuItemCaptionAssignFromWebCam{u"Assign From Ca&mera..."};
const TResStringRec cxSSpinEditInvalidNumericValue{u"Invalid numeric value"};

const TResStringRec scxRegExprLine{u"Line"};
const TResStringRec scxRegExprChar{u"Char"};
const TResStringRec scxRegExprNotAssignedSourceStream{u"The source stream is not assigned"};
const TResStringRec scxRegExprEmptySourceStream{u"The source stream is empty"};
const TResStringRec scxRegExprCantUsePlusQuantifier{u"The '+' quantifier cannot be applied here"};
const TResStringRec scxRegExprCantUseStarQuantifier{u"The '*' quantifier cannot be applied here"};
const TResStringRec scxRegExprCantCreateEmptyAlt{u"The alternative should not be empty"};
const TResStringRec scxRegExprCantCreateEmptyBlock{u"The block should not be empty"};
const TResStringRec scxRegExprIllegalSymbol{u"Illegal '%s'"};
const TResStringRec scxRegExprIllegalQuantifier{u"Illegal quantifier '%s'"};
const TResStringRec scxRegExprNotSupportQuantifier{u"The parameter quantifiers are not supported"};
const TResStringRec scxRegExprIllegalIntegerValue{u"Illegal integer value"};
const TResStringRec scxRegExprTooBigReferenceNumber{u"Too big reference number"};
const TResStringRec scxRegExprCantCreateEmptyEnum{u"Can't create empty enumeration"};
const TResStringRec scxRegExprSubrangeOrder{
    u"The starting character of the subrange must be less than the finishing one"};
const TResStringRec scxRegExprHexNumberExpected0{u"Hexadecimal number expected"};
const TResStringRec scxRegExprHexNumberExpected{u"Hexadecimal number expected but '%s' found"};
const TResStringRec scxRegExprMissing{u"Missing '%s'"};
const TResStringRec scxRegExprUnnecessary{u"Unnecessary '%s'"};
const TResStringRec scxRegExprIncorrectSpace{u"The space character is not allowed after '\\'"};
const TResStringRec scxRegExprNotCompiled{u"Regular expression is not compiled"};
const TResStringRec scxRegExprIncorrectParameterQuantifier{u"Incorrect parameter quantifier"};
const TResStringRec scxRegExprCantUseParameterQuantifier{u"The parameter quantifier cannot be applied here"};
const TResStringRec scxRegExprTooComplex{u"The regular expression is too complex"};

const TResStringRec scxMaskEditRegExprError{u"Regular expression errors:"};
const TResStringRec scxMaskEditInvalidEditValue{u"The edit value is invalid"};
const TResStringRec scxMaskEditNoMask{u"None"};

namespace {
const Char* const kEditConstsProduct = u"BrisvaneEditors Library";
}  // namespace

void AddEditorsResourceStringNames(TdxProductResourceStrings* AProduct) {
  struct TEditConstsName {
    const Char* Name;
    const TResStringRec* ResString;
  };
  // In the order the product lists them (the texts of editors this system has).
  static const TEditConstsName kNames[] = {
      {u"cxSEditInvalidRepositoryItem", &cxSEditInvalidRepositoryItem},
      {u"cxSEditPopupCircularReferencingError", &cxSEditPopupCircularReferencingError},
      {u"cxSEditPostError", &cxSEditPostError},
      {u"cxSEditValidateErrorText", &cxSEditValidateErrorText},
      {u"cxSEditValueOutOfBounds", &cxSEditValueOutOfBounds},
      {u"cxSEditNumericValueConvertError", &cxSEditNumericValueConvertError},
      {u"cxSEditCheckBoxChecked", &cxSEditCheckBoxChecked},
      {u"cxSEditCheckBoxGrayed", &cxSEditCheckBoxGrayed},
      {u"cxSEditCheckBoxUnchecked", &cxSEditCheckBoxUnchecked},
      {u"cxSRadioGroupDefaultCaption", &cxSRadioGroupDefaultCaption},
      {u"cxSMenuItemCaptionCut", &cxSMenuItemCaptionCut},
      {u"cxSMenuItemCaptionCopy", &cxSMenuItemCaptionCopy},
      {u"cxSMenuItemCaptionPaste", &cxSMenuItemCaptionPaste},
      {u"cxSMenuItemCaptionDelete", &cxSMenuItemCaptionDelete},
      {u"cxSMenuItemCaptionLoad", &cxSMenuItemCaptionLoad},
      {u"cxSMenuItemCaptionSave", &cxSMenuItemCaptionSave},
      {u"cxSMenuItemCaptionAssignFromWebCam", &cxSMenuItemCaptionAssignFromWebCam},
      {u"scxRegExprLine", &scxRegExprLine},
      {u"scxRegExprChar", &scxRegExprChar},
      {u"scxRegExprNotAssignedSourceStream", &scxRegExprNotAssignedSourceStream},
      {u"scxRegExprEmptySourceStream", &scxRegExprEmptySourceStream},
      {u"scxRegExprCantUsePlusQuantifier", &scxRegExprCantUsePlusQuantifier},
      {u"scxRegExprCantUseStarQuantifier", &scxRegExprCantUseStarQuantifier},
      {u"scxRegExprCantCreateEmptyAlt", &scxRegExprCantCreateEmptyAlt},
      {u"scxRegExprCantCreateEmptyBlock", &scxRegExprCantCreateEmptyBlock},
      {u"scxRegExprIllegalSymbol", &scxRegExprIllegalSymbol},
      {u"scxRegExprIllegalQuantifier", &scxRegExprIllegalQuantifier},
      {u"scxRegExprNotSupportQuantifier", &scxRegExprNotSupportQuantifier},
      {u"scxRegExprIllegalIntegerValue", &scxRegExprIllegalIntegerValue},
      {u"scxRegExprTooBigReferenceNumber", &scxRegExprTooBigReferenceNumber},
      {u"scxRegExprCantCreateEmptyEnum", &scxRegExprCantCreateEmptyEnum},
      {u"scxRegExprSubrangeOrder", &scxRegExprSubrangeOrder},
      {u"scxRegExprHexNumberExpected0", &scxRegExprHexNumberExpected0},
      {u"scxRegExprHexNumberExpected", &scxRegExprHexNumberExpected},
      {u"scxRegExprMissing", &scxRegExprMissing},
      {u"scxRegExprUnnecessary", &scxRegExprUnnecessary},
      {u"scxRegExprIncorrectSpace", &scxRegExprIncorrectSpace},
      {u"scxRegExprNotCompiled", &scxRegExprNotCompiled},
      {u"scxRegExprIncorrectParameterQuantifier", &scxRegExprIncorrectParameterQuantifier},
      {u"scxRegExprCantUseParameterQuantifier", &scxRegExprCantUseParameterQuantifier},
      {u"scxMaskEditRegExprError", &scxMaskEditRegExprError},
      {u"scxMaskEditInvalidEditValue", &scxMaskEditInvalidEditValue},
      {u"scxMaskEditNoMask", &scxMaskEditNoMask},
      {u"cxSSpinEditInvalidNumericValue", &cxSSpinEditInvalidNumericValue},
  };
  for (const TEditConstsName& n : kNames) AProduct->Add(n.Name, n.ResString);
}

namespace cxEditConsts {

void Initialize() {
  dxResourceStringsRepository()->RegisterProduct(kEditConstsProduct, &AddEditorsResourceStringNames);
}

void Finalize() {
  dxResourceStringsRepository()->UnRegisterProduct(kEditConstsProduct, &AddEditorsResourceStringNames);
}

}  // namespace cxEditConsts

}  // namespace qd
