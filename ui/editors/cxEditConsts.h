#pragma once
// The editor library's texts: those of the regular-expression engine and of the mask
// editor.
#include "ui/core/dxCore.h"

namespace qd {

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

}  // namespace qd
