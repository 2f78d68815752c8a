#include "ui/editors/cxEditConsts.h"

namespace qd {

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

}  // namespace qd
