#pragma once
// The library's general texts. Registered with the resource-string repository as product
// "BrisvaneLibrary" by the unit's start-up.
#include "ui/core/dxCore.h"

namespace qd {

extern const TResStringRec scxCantCreateRegistryKey;
extern const TResStringRec scxCantOpenRegistryKey;
extern const TResStringRec scxErrorStoreObject;
extern const TResStringRec scxConverterCantCreateStyleRepository;
extern const TResStringRec scxBuiltInLookAndFeelStyles;
extern const TResStringRec scxLockedStateText;
extern const TResStringRec cxSDateToday;
extern const TResStringRec cxSDateYesterday;
extern const TResStringRec cxSDateTomorrow;
extern const TResStringRec cxSDateSunday;
extern const TResStringRec cxSDateMonday;
extern const TResStringRec cxSDateTuesday;
extern const TResStringRec cxSDateWednesday;
extern const TResStringRec cxSDateThursday;
extern const TResStringRec cxSDateFriday;
extern const TResStringRec cxSDateSaturday;
extern const TResStringRec cxSDateFirst;
extern const TResStringRec cxSDateSecond;
extern const TResStringRec cxSDateThird;
extern const TResStringRec cxSDateFourth;
extern const TResStringRec cxSDateFifth;
extern const TResStringRec cxSDateSixth;
extern const TResStringRec cxSDateSeventh;
extern const TResStringRec cxSDateBOM;
extern const TResStringRec cxSDateEOM;
extern const TResStringRec cxSDateNow;
extern const TResStringRec scxQuickCustomizationAllCommandCaption;
extern const TResStringRec scxQuickCustomizationSortedCommandCaption;

// Adds the unit's names to the product.
void AddBrisvaneLibraryResourceStringNames(TdxProductResourceStrings* AProduct);

namespace cxLibraryStrs {
// Registers the product "BrisvaneLibrary"; Finalize removes it.
void Initialize();
void Finalize();
}  // namespace cxLibraryStrs

}  // namespace qd
