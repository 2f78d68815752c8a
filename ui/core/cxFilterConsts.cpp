#include "ui/core/cxFilterConsts.h"

namespace qd {

const TResStringRec cxSFilterOperatorEqual{u"equals"};
const TResStringRec cxSFilterOperatorNotEqual{u"does not equal"};
const TResStringRec cxSFilterOperatorLess{u"is less than"};
const TResStringRec cxSFilterOperatorLessEqual{u"is less than or equal to"};
const TResStringRec cxSFilterOperatorGreater{u"is greater than"};
const TResStringRec cxSFilterOperatorGreaterEqual{u"is greater than or equal to"};
const TResStringRec cxSFilterOperatorLike{u"like"};
const TResStringRec cxSFilterOperatorNotLike{u"not like"};
const TResStringRec cxSFilterOperatorBetween{u"between"};
const TResStringRec cxSFilterOperatorNotBetween{u"not between"};
const TResStringRec cxSFilterOperatorInList{u"in"};
const TResStringRec cxSFilterOperatorNotInList{u"not in"};
const TResStringRec cxSFilterOperatorYesterday{u"is yesterday"};
const TResStringRec cxSFilterOperatorToday{u"is today"};
const TResStringRec cxSFilterOperatorTomorrow{u"is tomorrow"};
const TResStringRec cxSFilterOperatorLast7Days{u"is last 7 days"};
const TResStringRec cxSFilterOperatorLastWeek{u"is last week"};
const TResStringRec cxSFilterOperatorLast14Days{u"is last 14 days"};
const TResStringRec cxSFilterOperatorLastTwoWeeks{u"is last two weeks"};
const TResStringRec cxSFilterOperatorLast30Days{u"is last 30 days"};
const TResStringRec cxSFilterOperatorLastMonth{u"is last month"};
const TResStringRec cxSFilterOperatorLastYear{u"is last year"};
const TResStringRec cxSFilterOperatorPast{u"is past"};
const TResStringRec cxSFilterOperatorThisWeek{u"is this week"};
const TResStringRec cxSFilterOperatorThisMonth{u"is this month"};
const TResStringRec cxSFilterOperatorThisYear{u"is this year"};
const TResStringRec cxSFilterOperatorNext7Days{u"is next 7 days"};
const TResStringRec cxSFilterOperatorNextWeek{u"is next week"};
const TResStringRec cxSFilterOperatorNext14Days{u"is next 14 days"};
const TResStringRec cxSFilterOperatorNextTwoWeeks{u"is next two weeks"};
const TResStringRec cxSFilterOperatorNext30Days{u"is next 30 days"};
const TResStringRec cxSFilterOperatorNextMonth{u"is next month"};
const TResStringRec cxSFilterOperatorNextYear{u"is next year"};
const TResStringRec cxSFilterOperatorFuture{u"is future"};
const TResStringRec cxSFilterAndCaption{u"and"};
const TResStringRec cxSFilterOrCaption{u"or"};
const TResStringRec cxSFilterNotCaption{u"not"};
const TResStringRec cxSFilterBlankCaption{u"blank"};
const TResStringRec cxSFilterOperatorIsNull{u"is blank"};
const TResStringRec cxSFilterOperatorIsNotNull{u"is not blank"};
const TResStringRec cxSFilterOperatorBeginsWith{u"begins with"};
const TResStringRec cxSFilterOperatorDoesNotBeginWith{u"does not begin with"};
const TResStringRec cxSFilterOperatorEndsWith{u"ends with"};
const TResStringRec cxSFilterOperatorDoesNotEndWith{u"does not end with"};
const TResStringRec cxSFilterOperatorContains{u"contains"};
const TResStringRec cxSFilterOperatorDoesNotContain{u"does not contain"};
const TResStringRec cxSFilterBoxAllCaption{u"(All)"};
const TResStringRec cxSFilterBoxCustomCaption{u"(Custom...)"};
const TResStringRec cxSFilterBoxBlanksCaption{u"(Blanks)"};
const TResStringRec cxSFilterBoxNonBlanksCaption{u"(NonBlanks)"};

void AddBrisvaneDataFilterResourceStringNames(TdxProductResourceStrings* AProduct) {
  AProduct->Add(u"cxSFilterOperatorEqual", &cxSFilterOperatorEqual);
  AProduct->Add(u"cxSFilterOperatorNotEqual", &cxSFilterOperatorNotEqual);
  AProduct->Add(u"cxSFilterOperatorLess", &cxSFilterOperatorLess);
  AProduct->Add(u"cxSFilterOperatorLessEqual", &cxSFilterOperatorLessEqual);
  AProduct->Add(u"cxSFilterOperatorGreater", &cxSFilterOperatorGreater);
  AProduct->Add(u"cxSFilterOperatorGreaterEqual", &cxSFilterOperatorGreaterEqual);
  AProduct->Add(u"cxSFilterOperatorLike", &cxSFilterOperatorLike);
  AProduct->Add(u"cxSFilterOperatorNotLike", &cxSFilterOperatorNotLike);
  AProduct->Add(u"cxSFilterOperatorBetween", &cxSFilterOperatorBetween);
  AProduct->Add(u"cxSFilterOperatorNotBetween", &cxSFilterOperatorNotBetween);
  AProduct->Add(u"cxSFilterOperatorInList", &cxSFilterOperatorInList);
  AProduct->Add(u"cxSFilterOperatorNotInList", &cxSFilterOperatorNotInList);
  AProduct->Add(u"cxSFilterOperatorYesterday", &cxSFilterOperatorYesterday);
  AProduct->Add(u"cxSFilterOperatorToday", &cxSFilterOperatorToday);
  AProduct->Add(u"cxSFilterOperatorTomorrow", &cxSFilterOperatorTomorrow);
  AProduct->Add(u"cxSFilterOperatorLast7Days", &cxSFilterOperatorLast7Days);
  AProduct->Add(u"cxSFilterOperatorLastWeek", &cxSFilterOperatorLastWeek);
  AProduct->Add(u"cxSFilterOperatorLast14Days", &cxSFilterOperatorLast14Days);
  AProduct->Add(u"cxSFilterOperatorLastTwoWeeks", &cxSFilterOperatorLastTwoWeeks);
  AProduct->Add(u"cxSFilterOperatorLast30Days", &cxSFilterOperatorLast30Days);
  AProduct->Add(u"cxSFilterOperatorLastMonth", &cxSFilterOperatorLastMonth);
  AProduct->Add(u"cxSFilterOperatorLastYear", &cxSFilterOperatorLastYear);
  AProduct->Add(u"cxSFilterOperatorPast", &cxSFilterOperatorPast);
  AProduct->Add(u"cxSFilterOperatorThisWeek", &cxSFilterOperatorThisWeek);
  AProduct->Add(u"cxSFilterOperatorThisMonth", &cxSFilterOperatorThisMonth);
  AProduct->Add(u"cxSFilterOperatorThisYear", &cxSFilterOperatorThisYear);
  AProduct->Add(u"cxSFilterOperatorNext7Days", &cxSFilterOperatorNext7Days);
  AProduct->Add(u"cxSFilterOperatorNextWeek", &cxSFilterOperatorNextWeek);
  AProduct->Add(u"cxSFilterOperatorNext14Days", &cxSFilterOperatorNext14Days);
  AProduct->Add(u"cxSFilterOperatorNextTwoWeeks", &cxSFilterOperatorNextTwoWeeks);
  AProduct->Add(u"cxSFilterOperatorNext30Days", &cxSFilterOperatorNext30Days);
  AProduct->Add(u"cxSFilterOperatorNextMonth", &cxSFilterOperatorNextMonth);
  AProduct->Add(u"cxSFilterOperatorNextYear", &cxSFilterOperatorNextYear);
  AProduct->Add(u"cxSFilterOperatorFuture", &cxSFilterOperatorFuture);
  AProduct->Add(u"cxSFilterAndCaption", &cxSFilterAndCaption);
  AProduct->Add(u"cxSFilterOrCaption", &cxSFilterOrCaption);
  AProduct->Add(u"cxSFilterNotCaption", &cxSFilterNotCaption);
  AProduct->Add(u"cxSFilterBlankCaption", &cxSFilterBlankCaption);
  AProduct->Add(u"cxSFilterOperatorIsNull", &cxSFilterOperatorIsNull);
  AProduct->Add(u"cxSFilterOperatorIsNotNull", &cxSFilterOperatorIsNotNull);
  AProduct->Add(u"cxSFilterOperatorBeginsWith", &cxSFilterOperatorBeginsWith);
  AProduct->Add(u"cxSFilterOperatorDoesNotBeginWith", &cxSFilterOperatorDoesNotBeginWith);
  AProduct->Add(u"cxSFilterOperatorEndsWith", &cxSFilterOperatorEndsWith);
  AProduct->Add(u"cxSFilterOperatorDoesNotEndWith", &cxSFilterOperatorDoesNotEndWith);
  AProduct->Add(u"cxSFilterOperatorContains", &cxSFilterOperatorContains);
  AProduct->Add(u"cxSFilterOperatorDoesNotContain", &cxSFilterOperatorDoesNotContain);
  AProduct->Add(u"cxSFilterBoxAllCaption", &cxSFilterBoxAllCaption);
  AProduct->Add(u"cxSFilterBoxCustomCaption", &cxSFilterBoxCustomCaption);
  AProduct->Add(u"cxSFilterBoxBlanksCaption", &cxSFilterBoxBlanksCaption);
  AProduct->Add(u"cxSFilterBoxNonBlanksCaption", &cxSFilterBoxNonBlanksCaption);
}

namespace cxFilterConsts {

void Initialize() {
  dxResourceStringsRepository()->RegisterProduct(u"BrisvaneDataFilter",
                                                 &AddBrisvaneDataFilterResourceStringNames);
}

void Finalize() {
  dxResourceStringsRepository()->UnRegisterProduct(u"BrisvaneDataFilter");
}

}  // namespace cxFilterConsts

}  // namespace qd
