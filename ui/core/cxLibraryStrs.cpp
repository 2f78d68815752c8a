#include "ui/core/cxLibraryStrs.h"

namespace qd {

const TResStringRec scxCantCreateRegistryKey{u"Can't create the registry key: \\%s"};
const TResStringRec scxCantOpenRegistryKey{u"Can't open the registry key: \\%s"};
const TResStringRec scxErrorStoreObject{u"Error store %s object"};
const TResStringRec scxConverterCantCreateStyleRepository{u"Can't create the Style Repository"};
const TResStringRec scxBuiltInLookAndFeelStyles{u"Built-In Look && Feel Styles"};
const TResStringRec scxLockedStateText{u"Please wait..."};
const TResStringRec cxSDateToday{u"today"};
const TResStringRec cxSDateYesterday{u"yesterday"};
const TResStringRec cxSDateTomorrow{u"tomorrow"};
const TResStringRec cxSDateSunday{u"Sunday"};
const TResStringRec cxSDateMonday{u"Monday"};
const TResStringRec cxSDateTuesday{u"Tuesday"};
const TResStringRec cxSDateWednesday{u"Wednesday"};
const TResStringRec cxSDateThursday{u"Thursday"};
const TResStringRec cxSDateFriday{u"Friday"};
const TResStringRec cxSDateSaturday{u"Saturday"};
const TResStringRec cxSDateFirst{u"first"};
const TResStringRec cxSDateSecond{u"second"};
const TResStringRec cxSDateThird{u"third"};
const TResStringRec cxSDateFourth{u"fourth"};
const TResStringRec cxSDateFifth{u"fifth"};
const TResStringRec cxSDateSixth{u"sixth"};
const TResStringRec cxSDateSeventh{u"seventh"};
const TResStringRec cxSDateBOM{u"bom"};
const TResStringRec cxSDateEOM{u"eom"};
const TResStringRec cxSDateNow{u"now"};
const TResStringRec scxQuickCustomizationAllCommandCaption{u"(All)"};
const TResStringRec scxQuickCustomizationSortedCommandCaption{u"(Sorted)"};

void AddBrisvaneLibraryResourceStringNames(TdxProductResourceStrings* AProduct) {
  AProduct->Add(u"scxCantCreateRegistryKey", &scxCantCreateRegistryKey);
  AProduct->Add(u"scxCantOpenRegistryKey", &scxCantOpenRegistryKey);
  AProduct->Add(u"scxErrorStoreObject", &scxErrorStoreObject);
  AProduct->Add(u"scxConverterCantCreateStyleRepository", &scxConverterCantCreateStyleRepository);
  AProduct->Add(u"scxBuiltInLookAndFeelStyles", &scxBuiltInLookAndFeelStyles);
  AProduct->Add(u"scxLockedStateText", &scxLockedStateText);
  AProduct->Add(u"cxSDateToday", &cxSDateToday);
  AProduct->Add(u"cxSDateYesterday", &cxSDateYesterday);
  AProduct->Add(u"cxSDateTomorrow", &cxSDateTomorrow);
  AProduct->Add(u"cxSDateSunday", &cxSDateSunday);
  AProduct->Add(u"cxSDateMonday", &cxSDateMonday);
  AProduct->Add(u"cxSDateTuesday", &cxSDateTuesday);
  AProduct->Add(u"cxSDateWednesday", &cxSDateWednesday);
  AProduct->Add(u"cxSDateThursday", &cxSDateThursday);
  AProduct->Add(u"cxSDateFriday", &cxSDateFriday);
  AProduct->Add(u"cxSDateSaturday", &cxSDateSaturday);
  AProduct->Add(u"cxSDateFirst", &cxSDateFirst);
  AProduct->Add(u"cxSDateSecond", &cxSDateSecond);
  AProduct->Add(u"cxSDateThird", &cxSDateThird);
  AProduct->Add(u"cxSDateFourth", &cxSDateFourth);
  AProduct->Add(u"cxSDateFifth", &cxSDateFifth);
  AProduct->Add(u"cxSDateSixth", &cxSDateSixth);
  AProduct->Add(u"cxSDateSeventh", &cxSDateSeventh);
  AProduct->Add(u"cxSDateBOM", &cxSDateBOM);
  AProduct->Add(u"cxSDateEOM", &cxSDateEOM);
  AProduct->Add(u"cxSDateNow", &cxSDateNow);
  AProduct->Add(u"scxQuickCustomizationAllCommandCaption", &scxQuickCustomizationAllCommandCaption);
  AProduct->Add(u"scxQuickCustomizationSortedCommandCaption", &scxQuickCustomizationSortedCommandCaption);
}

namespace cxLibraryStrs {

void Initialize() {
  dxResourceStringsRepository()->RegisterProduct(u"BrisvaneLibrary", &AddBrisvaneLibraryResourceStringNames);
}

void Finalize() {
  dxResourceStringsRepository()->UnRegisterProduct(u"BrisvaneLibrary");
}

}  // namespace cxLibraryStrs

}  // namespace qd
