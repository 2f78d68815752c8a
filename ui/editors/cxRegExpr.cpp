#include "ui/editors/cxRegExpr.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "platform/base/format.h"
#include "platform/base/strings.h"
#include "platform/classes/streams.h"
#include "ui/editors/cxEditConsts.h"

namespace qd {

QD_IMPLEMENT_CLASS(EcxRegExprError)

namespace {

// White space of the scanner: NUL, TAB, LF, FF, CR and space.
bool RegExprIsBlank(Char C) {
  return TcxRegExprSpace::IsSpace(C);
}

bool RegExprIsDigit(Char C) {
  return C >= u'0' && C <= u'9';
}

String RegExprText(const TResStringRec& AResString) {
  return cxGetResourceString(AResString);
}

String RegExprText(const TResStringRec& AResString, const String& AArgument) {
  return Format(cxGetResourceString(AResString), {AArgument});
}

}  // namespace

// --- Errors ---------------------------------------------------------------------------

String TcxRegExprError::FullMessage() const {
  String result;
  if (FLine > 0) {
    result = cxGetResourceString(scxRegExprLine) + IntToStr(FLine);
    if (FChar > 0) result += u", " + cxGetResourceString(scxRegExprChar) + IntToStr(FChar);
    result += u": ";
  }
  return result + FMessage;
}

std::unique_ptr<TcxRegExprErrors> TcxRegExprErrors::Clone() const {
  auto result = std::make_unique<TcxRegExprErrors>();
  for (const auto& error : FItems) result->Add(error->Clone());
  return result;
}

EcxRegExprError::EcxRegExprError(const TcxRegExprErrors& AErrors) : FErrors(AErrors.Clone()) {}

EcxRegExprError::EcxRegExprError(const EcxRegExprError& AOther)
    : EcxEditError(AOther.Message()), FErrors(AOther.FErrors->Clone()) {}

// --- Symbol classes -------------------------------------------------------------------

TcxRegExprSymbol::TcxRegExprSymbol(Char AValue) : FValue(AValue), FUpperValue(UpCase(AValue)) {}

bool TcxRegExprSymbol::Check(Char& AToken, bool ACaseInsensitive, bool ACanChangeCase) const {
  if (AToken == FValue) return true;
  if (!ACaseInsensitive || UpCase(AToken) != FUpperValue) return false;
  if (ACanChangeCase) AToken = FValue;
  return true;
}

std::unique_ptr<TcxRegExprItem> TcxRegExprSymbol::Clone() const {
  return std::make_unique<TcxRegExprSymbol>(FValue);
}

Char TcxRegExprTimeSeparator::Value() {
  return FormatSettings().TimeSeparator;
}

bool TcxRegExprTimeSeparator::Check(Char& AToken, bool, bool) const {
  return AToken == Value();
}

std::unique_ptr<TcxRegExprItem> TcxRegExprTimeSeparator::Clone() const {
  return std::make_unique<TcxRegExprTimeSeparator>();
}

Char TcxRegExprDateSeparator::Value() {
  return FormatSettings().DateSeparator;
}

bool TcxRegExprDateSeparator::Check(Char& AToken, bool, bool) const {
  return AToken == Value();
}

std::unique_ptr<TcxRegExprItem> TcxRegExprDateSeparator::Clone() const {
  return std::make_unique<TcxRegExprDateSeparator>();
}

bool TcxRegExprSubrange::Check(Char& AToken, bool, bool) const {
  return FStartValue <= AToken && AToken <= FFinishValue;
}

std::unique_ptr<TcxRegExprItem> TcxRegExprSubrange::Clone() const {
  return std::make_unique<TcxRegExprSubrange>(FStartValue, FFinishValue);
}

bool TcxRegExprEnumeration::Check(Char& AToken, bool ACaseInsensitive, bool ACanChangeCase) const {
  return DoCheck(AToken, ACaseInsensitive, ACanChangeCase) != FInverse;
}

bool TcxRegExprUserEnumeration::DoCheck(Char& AToken, bool ACaseInsensitive, bool ACanChangeCase) const {
  for (const auto& item : FItems)
    if (item->Check(AToken, false, false)) return true;
  if (ACaseInsensitive)
    for (const auto& item : FItems)
      if (item->Check(AToken, true, ACanChangeCase)) return true;
  return false;
}

std::unique_ptr<TcxRegExprItem> TcxRegExprUserEnumeration::Clone() const {
  auto result = std::make_unique<TcxRegExprUserEnumeration>(FInverse);
  for (const auto& item : FItems) result->Add(item->Clone());
  return result;
}

std::unique_ptr<TcxRegExprItem> TcxRegExprDigit::Clone() const {
  return std::make_unique<TcxRegExprDigit>(FInverse);
}

std::unique_ptr<TcxRegExprItem> TcxRegExprIdLetter::Clone() const {
  return std::make_unique<TcxRegExprIdLetter>(FInverse);
}

std::unique_ptr<TcxRegExprItem> TcxRegExprSpace::Clone() const {
  return std::make_unique<TcxRegExprSpace>(FInverse);
}

std::unique_ptr<TcxRegExprItem> TcxRegExprAll::Clone() const {
  return std::make_unique<TcxRegExprAll>();
}

// --- Quantifiers ----------------------------------------------------------------------

class TcxRegExprQuantifier {
 public:
  virtual ~TcxRegExprQuantifier() = default;
  virtual bool CanMissing() const = 0;
  virtual bool CanRepeat() const = 0;
  virtual std::unique_ptr<TcxRegExprQuantifier> Clone() const = 0;
  virtual String Print() const = 0;
  virtual bool IsSimple() const { return false; }
};

class TcxRegExprSimpleQuantifier : public TcxRegExprQuantifier {
 public:
  bool CanMissing() const override { return false; }
  bool CanRepeat() const override { return false; }
  std::unique_ptr<TcxRegExprQuantifier> Clone() const override {
    return std::make_unique<TcxRegExprSimpleQuantifier>();
  }
  String Print() const override { return {}; }
  bool IsSimple() const override { return true; }
};

class TcxRegExprQuestionQuantifier : public TcxRegExprQuantifier {
 public:
  bool CanMissing() const override { return true; }
  bool CanRepeat() const override { return false; }
  std::unique_ptr<TcxRegExprQuantifier> Clone() const override {
    return std::make_unique<TcxRegExprQuestionQuantifier>();
  }
  String Print() const override { return u"?"; }
};

class TcxRegExprStarQuantifier : public TcxRegExprQuantifier {
 public:
  bool CanMissing() const override { return true; }
  bool CanRepeat() const override { return true; }
  std::unique_ptr<TcxRegExprQuantifier> Clone() const override {
    return std::make_unique<TcxRegExprStarQuantifier>();
  }
  String Print() const override { return u"*"; }
};

class TcxRegExprPlusQuantifier : public TcxRegExprQuantifier {
 public:
  bool CanMissing() const override { return false; }
  bool CanRepeat() const override { return true; }
  std::unique_ptr<TcxRegExprQuantifier> Clone() const override {
    return std::make_unique<TcxRegExprPlusQuantifier>();
  }
  String Print() const override { return u"+"; }
};

// --- Automaton states -----------------------------------------------------------------

class TcxRegExprState;

// An ordered set of states: adding a member already present does nothing.
class TcxRegExprStates {
 public:
  void Add(TcxRegExprState* AState) {
    if (FIndex) {
      if (!FIndex->insert(AState).second) return;
    } else if (std::find(FItems.begin(), FItems.end(), AState) != FItems.end()) {
      return;
    } else if (FItems.size() >= 16) {
      FIndex = std::make_unique<std::unordered_set<TcxRegExprState*>>(FItems.begin(), FItems.end());
      FIndex->insert(AState);
    }
    FItems.push_back(AState);
  }
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  TcxRegExprState* State(int32_t AIndex) const { return FItems[static_cast<size_t>(AIndex)]; }
  const std::vector<TcxRegExprState*>& Items() const { return FItems; }

 private:
  std::vector<TcxRegExprState*> FItems;
  std::unique_ptr<std::unordered_set<TcxRegExprState*>> FIndex;  // once the set grows
};

class TcxRegExprState {
 public:
  virtual ~TcxRegExprState() = default;
  virtual bool IsBlock() const = 0;
  TcxRegExprStates& States() { return FStates; }
  int32_t FId = -1;  // the state's node in the automaton's table

 protected:
  TcxRegExprStates FStates;  // successors, not owned
};

class TcxRegExprSimpleState : public TcxRegExprState {
 public:
  explicit TcxRegExprSimpleState(std::unique_ptr<TcxRegExprItem> AValue) : FValue(std::move(AValue)) {}
  bool IsBlock() const override { return false; }
  bool IsFinal() const { return FIsFinal; }
  void SetFinal() { FIsFinal = true; }
  const TcxRegExprItem* Value() const { return FValue.get(); }

 private:
  bool FIsFinal = false;
  std::unique_ptr<TcxRegExprItem> FValue;  // none for the start state
};

// A pass-through state at the start or the finish of a group.
class TcxRegExprBlockState : public TcxRegExprState {
 public:
  bool IsBlock() const override { return true; }
};

// --- Parse tree -----------------------------------------------------------------------

class TcxRegExprParserItem;
class TcxRegExprParserBlockItem;
// Groups of a cloned item to their copies.
using TcxRegExprCloneMap = std::unordered_map<const TcxRegExprParserItem*, TcxRegExprParserBlockItem*>;

class TcxRegExprParserItem {
 public:
  explicit TcxRegExprParserItem(std::unique_ptr<TcxRegExprQuantifier> AQuantifier)
      : FQuantifier(AQuantifier ? std::move(AQuantifier) : std::make_unique<TcxRegExprSimpleQuantifier>()) {}
  virtual ~TcxRegExprParserItem() = default;
  virtual bool CanEmpty() const = 0;
  virtual std::unique_ptr<TcxRegExprParserItem> Clone(TcxRegExprCloneMap* AMap) const = 0;
  virtual void Print(String& AResult) const = 0;
  virtual void SetFinal() = 0;
  virtual bool IsBlock() const = 0;
  virtual TcxRegExprState* EntryState() const = 0;
  virtual TcxRegExprState* ExitState() const = 0;

  bool CanMissing() const { return FQuantifier->CanMissing(); }
  bool CanRepeat() const { return FQuantifier->CanRepeat(); }
  bool NotQuantifier() const { return FQuantifier->IsSimple(); }
  const TcxRegExprQuantifier& Quantifier() const { return *FQuantifier; }
  void SetQuantifier(std::unique_ptr<TcxRegExprQuantifier> AQuantifier) {
    if (AQuantifier) FQuantifier = std::move(AQuantifier);
  }
  // Nesting height (0 for a simple item) and number of automaton states of the item.
  int32_t Depth() const { return FDepth; }
  int64_t StateCount() const { return FStateCount; }

 protected:
  std::unique_ptr<TcxRegExprQuantifier> FQuantifier;
  int32_t FDepth = 0;
  int64_t FStateCount = 1;
};

class TcxRegExprParserSimpleItem : public TcxRegExprParserItem {
 public:
  TcxRegExprParserSimpleItem(std::unique_ptr<TcxRegExprItem> AValue,
                             std::unique_ptr<TcxRegExprQuantifier> AQuantifier = nullptr)
      : TcxRegExprParserItem(std::move(AQuantifier)),
        FState(std::make_unique<TcxRegExprSimpleState>(std::move(AValue))) {}
  bool CanEmpty() const override { return CanMissing(); }
  std::unique_ptr<TcxRegExprParserItem> Clone(TcxRegExprCloneMap*) const override {
    return std::make_unique<TcxRegExprParserSimpleItem>(FState->Value()->Clone(), FQuantifier->Clone());
  }
  void Print(String& AResult) const override { AResult += u"item --> " + FQuantifier->Print() + u"\r\n"; }
  void SetFinal() override { FState->SetFinal(); }
  bool IsBlock() const override { return false; }
  TcxRegExprState* EntryState() const override { return FState.get(); }
  TcxRegExprState* ExitState() const override { return FState.get(); }

 private:
  std::unique_ptr<TcxRegExprSimpleState> FState;
};

class TcxRegExprParserAlt {
 public:
  void Add(std::unique_ptr<TcxRegExprParserItem> AItem) { FItems.push_back(std::move(AItem)); }
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  TcxRegExprParserItem* GetItem(int32_t AIndex) const { return FItems[static_cast<size_t>(AIndex)].get(); }
  TcxRegExprParserItem* FirstItem() const { return FItems.empty() ? nullptr : FItems.front().get(); }
  TcxRegExprParserItem* LastItem() const { return FItems.empty() ? nullptr : FItems.back().get(); }
  // Takes the last item out (the caller frees it or moves it elsewhere).
  std::unique_ptr<TcxRegExprParserItem> ExtractLastItem() {
    auto result = std::move(FItems.back());
    FItems.pop_back();
    return result;
  }
  bool CanEmpty() const {
    for (const auto& item : FItems)
      if (!item->CanEmpty()) return false;
    return true;
  }
  // True for an empty alternative.
  bool CanMissing() const {
    for (const auto& item : FItems)
      if (!item->CanMissing()) return false;
    return true;
  }
  std::unique_ptr<TcxRegExprParserAlt> Clone(TcxRegExprCloneMap* AMap) const {
    auto result = std::make_unique<TcxRegExprParserAlt>();
    for (const auto& item : FItems) result->Add(item->Clone(AMap));
    return result;
  }
  void Print(String& AResult) const {
    AResult += u"<Start_Alt>\r\n";
    for (const auto& item : FItems) item->Print(AResult);
    AResult += u"<Finish_Alt>\r\n";
  }
  // Marks the last items final, back to the first one that cannot be missing.
  void CreateFinalStates() {
    for (auto it = FItems.rbegin(); it != FItems.rend(); ++it) {
      (*it)->SetFinal();
      if (!(*it)->CanMissing()) break;
    }
  }
  // The entries of the items up to the first one that cannot be missing.
  template <class F>
  void ForStartConnections(F&& AFunc) const {
    for (const auto& item : FItems) {
      AFunc(item->EntryState());
      if (!item->CanMissing()) break;
    }
  }
  const std::vector<std::unique_ptr<TcxRegExprParserItem>>& Items() const { return FItems; }

 private:
  std::vector<std::unique_ptr<TcxRegExprParserItem>> FItems;
};

class TcxRegExprParserAlts {
 public:
  TcxRegExprParserAlt& AddAlt() {
    FAlts.push_back(std::make_unique<TcxRegExprParserAlt>());
    return *FAlts.back();
  }
  void Add(std::unique_ptr<TcxRegExprParserAlt> AAlt) { FAlts.push_back(std::move(AAlt)); }
  int32_t Count() const { return static_cast<int32_t>(FAlts.size()); }
  TcxRegExprParserAlt& LastAlt() const { return *FAlts.back(); }
  bool CanEmpty() const {
    for (const auto& alt : FAlts)
      if (alt->CanEmpty()) return true;
    return false;
  }
  bool ThereIsEmptyAlt() const {
    for (const auto& alt : FAlts)
      if (alt->CanMissing()) return true;
    return false;
  }
  bool StartStateIsFinal() const { return ThereIsEmptyAlt(); }
  void CreateFinalStates() {
    for (const auto& alt : FAlts) alt->CreateFinalStates();
  }
  std::unique_ptr<TcxRegExprParserAlts> Clone(TcxRegExprCloneMap* AMap) const {
    auto result = std::make_unique<TcxRegExprParserAlts>();
    for (const auto& alt : FAlts) result->Add(alt->Clone(AMap));
    return result;
  }
  void Print(String& AResult) const {
    for (const auto& alt : FAlts) alt->Print(AResult);
  }
  const std::vector<std::unique_ptr<TcxRegExprParserAlt>>& Alts() const { return FAlts; }

 private:
  std::vector<std::unique_ptr<TcxRegExprParserAlt>> FAlts;
};

// A parenthesised group.
class TcxRegExprParserBlockItem : public TcxRegExprParserItem {
 public:
  explicit TcxRegExprParserBlockItem(std::unique_ptr<TcxRegExprQuantifier> AQuantifier = nullptr)
      : TcxRegExprParserItem(std::move(AQuantifier)),
        FAlts(std::make_unique<TcxRegExprParserAlts>()),
        FStartState(std::make_unique<TcxRegExprBlockState>()),
        FFinishState(std::make_unique<TcxRegExprBlockState>()) {
    FDepth = 1;
    FStateCount = 2;
  }
  // The content of a group is complete before anything asks whether it can be empty, so
  // the answer of the alternatives is kept.
  bool CanEmpty() const override {
    if (CanMissing()) return true;
    if (FAltsCanEmpty < 0) FAltsCanEmpty = FAlts->CanEmpty() ? 1 : 0;
    return FAltsCanEmpty == 1;
  }
  std::unique_ptr<TcxRegExprParserItem> Clone(TcxRegExprCloneMap* AMap) const override {
    auto result = std::make_unique<TcxRegExprParserBlockItem>(FQuantifier->Clone());
    if (AMap) (*AMap)[this] = result.get();
    result->FAlts = FAlts->Clone(AMap);
    result->UpdateMetrics();
    return result;
  }
  void Print(String& AResult) const override {
    AResult += u"<Start_Block>\r\n";
    FAlts->Print(AResult);
    AResult += u"<Finish_Block> --> " + FQuantifier->Print() + u"\r\n";
  }
  void SetFinal() override { FAlts->CreateFinalStates(); }
  bool IsBlock() const override { return true; }
  TcxRegExprState* EntryState() const override { return FStartState.get(); }
  TcxRegExprState* ExitState() const override { return FFinishState.get(); }
  TcxRegExprBlockState* StartState() const { return FStartState.get(); }
  TcxRegExprBlockState* FinishState() const { return FFinishState.get(); }
  TcxRegExprParserAlts& Alts() const { return *FAlts; }

  // Depth and state count from the content.
  void UpdateMetrics() {
    FDepth = 1;
    FStateCount = 2;
    for (const auto& alt : FAlts->Alts())
      for (const auto& item : alt->Items()) {
        FDepth = std::max(FDepth, item->Depth() + 1);
        FStateCount += item->StateCount();
      }
  }
  // Hands every group nested in this one (itself included) to AFunc.
  template <class F>
  void ForEachBlock(F&& AFunc) const {
    AFunc(this);
    for (const auto& alt : FAlts->Alts())
      for (const auto& item : alt->Items())
        if (item->IsBlock()) static_cast<const TcxRegExprParserBlockItem&>(*item).ForEachBlock(AFunc);
  }

 private:
  std::unique_ptr<TcxRegExprParserAlts> FAlts;
  std::unique_ptr<TcxRegExprBlockState> FStartState;
  std::unique_ptr<TcxRegExprBlockState> FFinishState;
  mutable int8_t FAltsCanEmpty = -1;
};

// --- The automaton --------------------------------------------------------------------

// The parse tree and its states, wired, with the current state set and its history. The
// states are mirrored into a flat node table for matching; a matching step walks the
// successors of the current states through the pass-through group states at most once
// each, so its cost is bounded by the size of the automaton. Every state set met is kept
// once (the current set and the history are indexes into them), and a set remembers its
// exact transitions on ASCII characters, so that a step already taken is a table look-up.
class TcxRegExprAutomat {
 public:
  TcxRegExprAutomat(TcxRegExpr* AOwner, std::unique_ptr<TcxRegExprParserAlts> AExpr,
                    std::unique_ptr<TcxRegExprSimpleState> AStartState);

  // A step already taken from the current set is a table look-up.
  bool Next(Char& AToken, bool ACaseInsensitive, bool ACanChangeCase) {
    if (!FSeparatorDependent && AToken < 128 && FCurrentSet < kMaxTables) {
      const int32_t next = FTable[FCurrentSet * 128 + AToken];
      if (next >= 0) {
        PushHistory();
        FCurrentSet = static_cast<uint32_t>(next);
        return true;
      }
      if (next == kRejected && !ACaseInsensitive) return false;
    }
    return NextStep(AToken, ACaseInsensitive, ACanChangeCase);
  }
  bool Prev();
  bool IsFinal() const { return FSets[FCurrentSet].Final; }
  bool IsStart() const {
    const std::vector<uint32_t>& states = FSets[FCurrentSet].States;
    return !states.empty() && states.front() == 0;
  }
  void Reset() {
    FHistoryCount = 0;
    if (FSets.size() > kMaxSets) ClearSets();
    FCurrentSet = FStartSet;
  }
  void Update();
  void ReUpdate();
  String Print() const {
    String result;
    FExpr->Print(result);
    return result;
  }

 private:
  enum class TNodeKind : uint8_t {
    Start,
    Block,
    Symbol,
    TimeSep,
    DateSep,
    Subrange,
    Digit,
    IdLetter,
    Space,
    All,
    User
  };
  struct TNode {
    TNodeKind Kind = TNodeKind::Start;
    bool Inverse = false;
    bool Final = false;
    bool HasBlockSuccessor = false;
    Char C1 = 0;  // the symbol, or the start of a subrange
    Char C2 = 0;  // the symbol's upper case, or the end of a subrange
    const TcxRegExprItem* Item = nullptr;
    uint32_t SuccBegin = 0;
    uint32_t SuccEnd = 0;
  };
  struct TFrame {
    uint32_t Node;
    uint32_t Pos;
    uint8_t Mode;
  };
  enum : uint8_t { wmCaseChange, wmExact, wmCaseInsensitive };
  struct TSet {
    std::vector<uint32_t> States;
    bool Final = false;
  };
  static constexpr int32_t kUnknown = -1;
  static constexpr int32_t kRejected = -2;
  // Sets kept before Reset starts afresh; the first sets have a transition table (128
  // entries each in FTable: a set, kUnknown or kRejected).
  static constexpr size_t kMaxSets = 100000;
  static constexpr size_t kMaxTables = 4096;

  bool NextStep(Char& AToken, bool ACaseInsensitive, bool ACanChangeCase);
  void PushHistory() {
    if (FHistoryCount == FHistory.size()) FHistory.resize(FHistory.size() * 2 + 16);
    FHistory[FHistoryCount++] = FCurrentSet;
  }
  uint32_t Intern(const std::vector<uint32_t>& AStates);
  void ClearSets();
  void Remember(Char AToken, int32_t ANext);
  // Transitions through separator states depend on the regional settings of the moment.
  void CheckSeparators();

  void BuildNodes();
  static bool MatchExact(const TNode& ANode, Char AToken);
  static bool MatchCaseInsensitive(const TNode& ANode, Char& AToken, bool ACanChangeCase);
  void NewGeneration();
  void CollectExact(uint32_t AState, Char AToken);
  void CollectCaseInsensitive(Char& AToken, bool ACanChangeCase);
  void Emit(uint32_t ANode) {
    if (FEmitted[ANode] == FGeneration) return;
    FEmitted[ANode] = FGeneration;
    FNew.push_back(ANode);
  }
  // Every simple state reachable from the set through group states, in walk order.
  void GetAllNextStates(const std::vector<uint32_t>& ASet, std::vector<uint32_t>& AResult);
  bool Equ(const std::vector<uint32_t>& ASet, Char& ASymbol) const;

  TcxRegExpr* FOwner;
  std::unique_ptr<TcxRegExprParserAlts> FExpr;
  std::unique_ptr<TcxRegExprSimpleState> FStartState;
  std::vector<TNode> FNodes;  // node 0 is the start state
  std::vector<uint32_t> FSucc;
  std::vector<TSet> FSets;
  std::unordered_map<std::u32string, uint32_t> FSetIndex;
  std::vector<int32_t> FTable;
  uint32_t FStartSet = 0;
  uint32_t FCurrentSet = 0;
  std::vector<uint32_t> FHistory;  // earlier current sets, the first FHistoryCount of them
  size_t FHistoryCount = 0;
  std::vector<uint32_t> FNew;
  bool FSeparatorDependent = false;
  const TFormatSettings* FSettings = nullptr;  // the process's settings, read when used
  Char FDateSeparator = 0;
  Char FTimeSeparator = 0;
  // Per-step marks, valid when equal to FGeneration.
  uint32_t FGeneration = 0;
  std::vector<uint32_t> FTested;
  std::vector<uint32_t> FEmitted;
  std::vector<uint32_t> FDoneExact;
  std::vector<uint32_t> FDoneAll;
  std::vector<TFrame> FStack;
};

TcxRegExprAutomat::TcxRegExprAutomat(TcxRegExpr* AOwner, std::unique_ptr<TcxRegExprParserAlts> AExpr,
                                     std::unique_ptr<TcxRegExprSimpleState> AStartState)
    : FOwner(AOwner), FExpr(std::move(AExpr)), FStartState(std::move(AStartState)) {
  BuildNodes();
  ClearSets();
  Reset();
}

uint32_t TcxRegExprAutomat::Intern(const std::vector<uint32_t>& AStates) {
  std::u32string key(AStates.begin(), AStates.end());
  auto it = FSetIndex.find(key);
  if (it != FSetIndex.end()) return it->second;
  const uint32_t index = static_cast<uint32_t>(FSets.size());
  TSet set;
  set.States = AStates;
  for (uint32_t n : AStates) set.Final = set.Final || FNodes[n].Final;
  FSets.push_back(std::move(set));
  FSetIndex.emplace(std::move(key), index);
  if (index < kMaxTables) FTable.resize((index + 1) * 128, kUnknown);
  return index;
}

void TcxRegExprAutomat::ClearSets() {
  FSets.clear();
  FSetIndex.clear();
  FTable.clear();
  FStartSet = Intern({0});
}

void TcxRegExprAutomat::Remember(Char AToken, int32_t ANext) {
  if (AToken < 128 && FCurrentSet < kMaxTables) FTable[FCurrentSet * 128 + AToken] = ANext;
}

void TcxRegExprAutomat::CheckSeparators() {
  if (!FSeparatorDependent) return;
  const Char date = FSettings->DateSeparator;
  const Char time = FSettings->TimeSeparator;
  if (date == FDateSeparator && time == FTimeSeparator) return;
  FDateSeparator = date;
  FTimeSeparator = time;
  std::fill(FTable.begin(), FTable.end(), kUnknown);
}

void TcxRegExprAutomat::BuildNodes() {
  std::vector<TcxRegExprState*> states{FStartState.get()};
  FStartState->FId = 0;
  for (size_t i = 0; i < states.size(); ++i)
    for (TcxRegExprState* next : states[i]->States().Items())
      if (next->FId < 0) {
        next->FId = static_cast<int32_t>(states.size());
        states.push_back(next);
      }
  FNodes.resize(states.size());
  for (size_t i = 0; i < states.size(); ++i) {
    TNode& node = FNodes[i];
    TcxRegExprState* state = states[i];
    node.SuccBegin = static_cast<uint32_t>(FSucc.size());
    for (TcxRegExprState* next : state->States().Items()) {
      FSucc.push_back(static_cast<uint32_t>(next->FId));
      if (next->IsBlock()) node.HasBlockSuccessor = true;
    }
    node.SuccEnd = static_cast<uint32_t>(FSucc.size());
    if (state->IsBlock()) {
      node.Kind = TNodeKind::Block;
      continue;
    }
    auto* simple = static_cast<TcxRegExprSimpleState*>(state);
    node.Final = simple->IsFinal();
    const TcxRegExprItem* item = simple->Value();
    node.Item = item;
    if (!item) {
      node.Kind = TNodeKind::Start;
    } else if (auto* symbol = dynamic_cast<const TcxRegExprSymbol*>(item)) {
      node.Kind = TNodeKind::Symbol;
      node.C1 = symbol->Value();
      node.C2 = UpCase(symbol->Value());
    } else if (dynamic_cast<const TcxRegExprTimeSeparator*>(item)) {
      node.Kind = TNodeKind::TimeSep;
    } else if (dynamic_cast<const TcxRegExprDateSeparator*>(item)) {
      node.Kind = TNodeKind::DateSep;
    } else if (auto* subrange = dynamic_cast<const TcxRegExprSubrange*>(item)) {
      node.Kind = TNodeKind::Subrange;
      node.C1 = subrange->StartValue();
      node.C2 = subrange->FinishValue();
    } else if (auto* digit = dynamic_cast<const TcxRegExprDigit*>(item)) {
      node.Kind = TNodeKind::Digit;
      node.Inverse = digit->Inverse();
    } else if (auto* id = dynamic_cast<const TcxRegExprIdLetter*>(item)) {
      node.Kind = TNodeKind::IdLetter;
      node.Inverse = id->Inverse();
    } else if (auto* space = dynamic_cast<const TcxRegExprSpace*>(item)) {
      node.Kind = TNodeKind::Space;
      node.Inverse = space->Inverse();
    } else if (dynamic_cast<const TcxRegExprAll*>(item)) {
      node.Kind = TNodeKind::All;
    } else {
      node.Kind = TNodeKind::User;
    }
    if (node.Kind == TNodeKind::TimeSep || node.Kind == TNodeKind::DateSep) FSeparatorDependent = true;
    if (auto* user = dynamic_cast<const TcxRegExprUserEnumeration*>(item))
      for (int32_t k = 0; k < user->Count(); ++k)
        if (dynamic_cast<const TcxRegExprTimeSeparator*>(user->Items(k)) ||
            dynamic_cast<const TcxRegExprDateSeparator*>(user->Items(k)))
          FSeparatorDependent = true;
  }
  FSettings = &FormatSettings();
  FDateSeparator = FSettings->DateSeparator;
  FTimeSeparator = FSettings->TimeSeparator;
  FTested.assign(FNodes.size(), 0);
  FEmitted.assign(FNodes.size(), 0);
  FDoneExact.assign(FNodes.size(), 0);
  FDoneAll.assign(FNodes.size(), 0);
}

bool TcxRegExprAutomat::MatchExact(const TNode& ANode, Char AToken) {
  switch (ANode.Kind) {
    case TNodeKind::Symbol:
      return AToken == ANode.C1;
    case TNodeKind::Subrange:
      return ANode.C1 <= AToken && AToken <= ANode.C2;
    case TNodeKind::Digit:
      return TcxRegExprDigit::IsDigit(AToken) != ANode.Inverse;
    case TNodeKind::IdLetter:
      return TcxRegExprIdLetter::IsIdLetter(AToken) != ANode.Inverse;
    case TNodeKind::Space:
      return TcxRegExprSpace::IsSpace(AToken) != ANode.Inverse;
    case TNodeKind::All:
      return true;
    case TNodeKind::TimeSep:
      return AToken == TcxRegExprTimeSeparator::Value();
    case TNodeKind::DateSep:
      return AToken == TcxRegExprDateSeparator::Value();
    case TNodeKind::User: {
      Char token = AToken;
      return ANode.Item->Check(token, false, false);
    }
    default:
      return false;
  }
}

bool TcxRegExprAutomat::MatchCaseInsensitive(const TNode& ANode, Char& AToken, bool ACanChangeCase) {
  switch (ANode.Kind) {
    case TNodeKind::Symbol:
      if (AToken == ANode.C1) return true;
      if (UpCase(AToken) != ANode.C2) return false;
      if (ACanChangeCase) AToken = ANode.C1;
      return true;
    case TNodeKind::User:
      return ANode.Item->Check(AToken, true, ACanChangeCase);
    default:
      return MatchExact(ANode, AToken);
  }
}

void TcxRegExprAutomat::NewGeneration() {
  if (++FGeneration == 0) {
    std::fill(FTested.begin(), FTested.end(), 0);
    std::fill(FEmitted.begin(), FEmitted.end(), 0);
    std::fill(FDoneExact.begin(), FDoneExact.end(), 0);
    std::fill(FDoneAll.begin(), FDoneAll.end(), 0);
    FGeneration = 1;
  }
}

// The successors of a state that accept the token as it stands, in walk order.
void TcxRegExprAutomat::CollectExact(uint32_t AState, Char AToken) {
  const TNode& from = FNodes[AState];
  if (!from.HasBlockSuccessor) {
    for (uint32_t i = from.SuccBegin; i < from.SuccEnd; ++i) {
      const uint32_t s = FSucc[i];
      if (FTested[s] == FGeneration) continue;
      FTested[s] = FGeneration;
      if (MatchExact(FNodes[s], AToken)) FNew.push_back(s);
    }
    return;
  }
  FStack.clear();
  FStack.push_back({AState, from.SuccBegin, wmExact});
  while (!FStack.empty()) {
    TFrame& frame = FStack.back();
    if (frame.Pos == FNodes[frame.Node].SuccEnd) {
      FStack.pop_back();
      continue;
    }
    const uint32_t s = FSucc[frame.Pos++];
    if (FTested[s] == FGeneration) continue;
    FTested[s] = FGeneration;
    const TNode& node = FNodes[s];
    if (node.Kind == TNodeKind::Block)
      FStack.push_back({s, node.SuccBegin, wmExact});
    else if (MatchExact(node, AToken))
      FNew.push_back(s);
  }
}

// The second, case-insensitive pass of a step, run when no state accepted the token as it
// stands. Until the first acceptance a state may change the token's case; after it, a group
// reached lists the states that accept the token exactly before those that accept it only
// case-insensitively.
void TcxRegExprAutomat::CollectCaseInsensitive(Char& AToken, bool ACanChangeCase) {
  bool matched = !ACanChangeCase;
  for (uint32_t current : FSets[FCurrentSet].States) {
    FStack.clear();
    FStack.push_back({current, FNodes[current].SuccBegin, matched ? wmCaseInsensitive : wmCaseChange});
    while (!FStack.empty()) {
      TFrame& frame = FStack.back();
      if (frame.Pos == FNodes[frame.Node].SuccEnd) {
        FStack.pop_back();
        continue;
      }
      const uint32_t s = FSucc[frame.Pos++];
      uint8_t mode = frame.Mode;
      if (mode == wmCaseChange && matched) mode = wmCaseInsensitive;
      const TNode& node = FNodes[s];
      const bool block = node.Kind == TNodeKind::Block;
      switch (mode) {
        case wmCaseChange:
          if (FTested[s] == FGeneration) break;
          FTested[s] = FGeneration;
          if (block) {
            FStack.push_back({s, node.SuccBegin, wmCaseChange});
          } else if (MatchCaseInsensitive(node, AToken, true)) {
            matched = true;
            Emit(s);
          }
          break;
        case wmExact:
          if (block) {
            if (FDoneExact[s] == FGeneration || FDoneAll[s] == FGeneration) break;
            FDoneExact[s] = FGeneration;
            FStack.push_back({s, node.SuccBegin, wmExact});
          } else if (MatchExact(node, AToken)) {
            Emit(s);
          }
          break;
        default:
          if (block) {
            if (FDoneAll[s] == FGeneration) break;
            FDoneAll[s] = FGeneration;
            FStack.push_back({s, node.SuccBegin, wmCaseInsensitive});
            FStack.push_back({s, node.SuccBegin, wmExact});
          } else if (MatchCaseInsensitive(node, AToken, false)) {
            Emit(s);
          }
          break;
      }
    }
  }
}

// The exact pass decides alone whenever some state accepts the token as it stands, so its
// outcome is what a set remembers; the case-insensitive pass runs each time it is needed.
bool TcxRegExprAutomat::NextStep(Char& AToken, bool ACaseInsensitive, bool ACanChangeCase) {
  CheckSeparators();
  const Char token = AToken;
  if (token < 128 && FCurrentSet < kMaxTables) {
    const int32_t next = FTable[FCurrentSet * 128 + token];
    if (next >= 0) {
      PushHistory();
      FCurrentSet = static_cast<uint32_t>(next);
      return true;
    }
    if (next == kRejected && !ACaseInsensitive) return false;
  }
  FNew.clear();
  NewGeneration();
  for (uint32_t current : FSets[FCurrentSet].States) CollectExact(current, token);
  uint32_t next;
  if (!FNew.empty()) {
    next = Intern(FNew);
    Remember(token, static_cast<int32_t>(next));
  } else {
    Remember(token, kRejected);
    if (!ACaseInsensitive) return false;
    NewGeneration();
    CollectCaseInsensitive(AToken, ACanChangeCase);
    if (FNew.empty()) return false;
    next = Intern(FNew);
  }
  PushHistory();
  FCurrentSet = next;
  return true;
}

bool TcxRegExprAutomat::Prev() {
  if (FHistoryCount == 0) return false;
  FCurrentSet = FHistory[--FHistoryCount];
  return true;
}

void TcxRegExprAutomat::GetAllNextStates(const std::vector<uint32_t>& ASet, std::vector<uint32_t>& AResult) {
  AResult.clear();
  NewGeneration();
  for (uint32_t current : ASet) {
    FStack.clear();
    FStack.push_back({current, FNodes[current].SuccBegin, wmExact});
    while (!FStack.empty()) {
      TFrame& frame = FStack.back();
      if (frame.Pos == FNodes[frame.Node].SuccEnd) {
        FStack.pop_back();
        continue;
      }
      const uint32_t s = FSucc[frame.Pos++];
      if (FTested[s] == FGeneration) continue;
      FTested[s] = FGeneration;
      if (FNodes[s].Kind == TNodeKind::Block)
        FStack.push_back({s, FNodes[s].SuccBegin, wmExact});
      else
        AResult.push_back(s);
    }
  }
}

bool TcxRegExprAutomat::Equ(const std::vector<uint32_t>& ASet, Char& ASymbol) const {
  if (ASet.empty()) return false;
  for (size_t i = 0; i < ASet.size(); ++i) {
    const TNode& node = FNodes[ASet[i]];
    Char c;
    switch (node.Kind) {
      case TNodeKind::Symbol:
        c = node.C1;
        break;
      case TNodeKind::TimeSep:
        c = TcxRegExprTimeSeparator::Value();
        break;
      case TNodeKind::DateSep:
        c = TcxRegExprDateSeparator::Value();
        break;
      default:
        return false;
    }
    if (i == 0)
      ASymbol = c;
    else if (c != ASymbol)
      return false;
  }
  return true;
}

void TcxRegExprAutomat::Update() {
  std::vector<uint32_t> next;
  // A state can always reach a final one, so the forced run is shorter than the automaton;
  // the bound only guards against a malformed table.
  for (size_t guard = FNodes.size() + 1; guard > 0 && !IsFinal(); --guard) {
    GetAllNextStates(FSets[FCurrentSet].States, next);
    Char symbol;
    if (!Equ(next, symbol)) break;
    FOwner->DoSymbolUpdate(symbol);
    const uint32_t forced = Intern(next);
    PushHistory();
    FCurrentSet = forced;
  }
}

void TcxRegExprAutomat::ReUpdate() {
  std::vector<uint32_t> next;
  Char symbol;
  while (Equ(FSets[FCurrentSet].States, symbol) && FHistoryCount > 0) {
    const uint32_t previous = FHistory[FHistoryCount - 1];
    GetAllNextStates(FSets[previous].States, next);
    if (!Equ(next, symbol) || FSets[previous].Final) break;
    --FHistoryCount;
    FOwner->DoSymbolDelete();
    FCurrentSet = previous;
  }
}

// --- Parser ---------------------------------------------------------------------------

// Builds the parse tree from the lexems, wires it and creates the automaton.
class TcxRegExprParser {
 public:
  explicit TcxRegExprParser(TcxRegExpr& AOwner) : FOwner(AOwner) {}
  std::unique_ptr<TcxRegExprAutomat> ParseExpr();

 private:
  const TcxLexem* Peek() const {
    return FLexemIndex < FOwner.FLexems.Count() ? &FOwner.FLexems.Items(FLexemIndex) : nullptr;
  }
  const TcxLexem* Take() {
    const TcxLexem* result = Peek();
    if (result) {
      ++FLexemIndex;
      FLastRead = result;
    }
    return result;
  }
  static bool IsSpecial(const TcxLexem* ALexem, Char AChar) {
    return ALexem && ALexem->Code == relcSpecial && !ALexem->Value.empty() && ALexem->Value[0] == AChar;
  }
  static Char FirstChar(const TcxLexem& ALexem) { return ALexem.Value.empty() ? Char(0) : ALexem.Value[0]; }
  void Error(const TcxLexem& ALexem, const String& AMessage) {
    FOwner.AddError(ALexem.Line, ALexem.Char, AMessage);
  }
  void TooComplex(const TcxLexem& ALexem) {
    Error(ALexem, RegExprText(scxRegExprTooComplex));
    FAbort = true;
  }
  // Counts new states against the limit; false (and the parse aborted) beyond it.
  bool Reserve(int64_t ACount, const TcxLexem& ALexem) {
    FStateCount += ACount;
    if (FStateCount <= cxRegExprMaxStates) return true;
    TooComplex(ALexem);
    return false;
  }
  std::unique_ptr<TcxRegExprParserItem> NewSimpleItem(std::unique_ptr<TcxRegExprItem> AValue,
                                                      const TcxLexem& ALexem) {
    if (!Reserve(1, ALexem)) return nullptr;
    return std::make_unique<TcxRegExprParserSimpleItem>(std::move(AValue));
  }

  bool ParseAlt(TcxRegExprParserAlt& AAlt, bool ATopLevel);
  std::unique_ptr<TcxRegExprParserItem> ParseBlock(const TcxLexem& AOpen);
  std::unique_ptr<TcxRegExprParserItem> ParseEnumeration(const TcxLexem& AOpen);
  std::unique_ptr<TcxRegExprParserItem> ParseReference(const TcxLexem& ALexem);
  static std::unique_ptr<TcxRegExprItem> CreateClassItem(const TcxLexem& ALexem);
  bool ParseQuantifier(int32_t& N, int32_t& M);
  void ApplyQuantifier(TcxRegExprParserAlt& AAlt, const TcxLexem& ALexem);
  void ApplyParameterQuantifier(TcxRegExprParserAlt& AAlt, const TcxLexem& ALexem);
  bool ExpandParameterQuantifier(TcxRegExprParserAlt& AAlt, int32_t N, int32_t M, const TcxLexem& ALexem);
  void SetQuantifier(TcxRegExprParserAlt& AAlt, std::unique_ptr<TcxRegExprQuantifier> AQuantifier,
                     const TcxLexem& ALexem);

  void Link(TcxRegExprState* AFrom, TcxRegExprState* ATo) {
    if (++FLinkCount > cxRegExprMaxLinks) return;
    AFrom->States().Add(ATo);
  }
  void CreateConnections(const TcxRegExprParserAlt& AAlt);
  void CreateBlockConnections(const TcxRegExprParserBlockItem& ABlock);

  TcxRegExpr& FOwner;
  int32_t FLexemIndex = 0;
  const TcxLexem* FLastRead = nullptr;
  // Every group in the order of its opening parenthesis (not owned).
  std::vector<const TcxRegExprParserBlockItem*> FBlocks;
  int64_t FStateCount = 0;
  int64_t FLinkCount = 0;
  int32_t FOpenGroups = 0;
  bool FAbort = false;
};

std::unique_ptr<TcxRegExprAutomat> TcxRegExprParser::ParseExpr() {
  auto expr = std::make_unique<TcxRegExprParserAlts>();
  bool following;
  do {
    following = ParseAlt(expr->AddAlt(), true);
  } while (following && !FAbort);
  if (FOwner.FErrors.Count() > 0) return nullptr;

  auto start = std::make_unique<TcxRegExprSimpleState>(nullptr);
  for (const auto& alt : expr->Alts())
    alt->ForStartConnections([&](TcxRegExprState* AState) { Link(start.get(), AState); });
  for (const auto& alt : expr->Alts()) CreateConnections(*alt);
  if (FLinkCount > cxRegExprMaxLinks) {
    FOwner.AddError(0, 0, RegExprText(scxRegExprTooComplex));
    return nullptr;
  }
  expr->CreateFinalStates();
  if (expr->StartStateIsFinal()) start->SetFinal();
  return std::make_unique<TcxRegExprAutomat>(&FOwner, std::move(expr), std::move(start));
}

bool TcxRegExprParser::ParseAlt(TcxRegExprParserAlt& AAlt, bool ATopLevel) {
  const TcxLexem* first = Peek();
  if (!first) {
    FOwner.AddError(0, 0, RegExprText(scxRegExprCantCreateEmptyAlt));
    return false;
  }
  if (IsSpecial(first, u'|')) {
    Take();
    Error(*first, RegExprText(scxRegExprCantCreateEmptyAlt));
    return true;
  }
  if (!ATopLevel && IsSpecial(first, u')')) {
    Take();
    Error(*first, RegExprText(scxRegExprCantCreateEmptyBlock));
    return false;
  }
  while (!FAbort) {
    const TcxLexem* lexem = Take();
    if (!lexem) return false;
    const TcxLexem& l = *lexem;
    std::unique_ptr<TcxRegExprParserItem> item;
    switch (l.Code) {
      case relcSpecial:
        switch (FirstChar(l)) {
          case u'(':
            item = ParseBlock(l);
            break;
          case u'[':
            item = ParseEnumeration(l);
            break;
          case u')':
            if (!ATopLevel) return false;
            Error(l, RegExprText(scxRegExprIllegalSymbol, u")"));
            break;
          case u'|':
            return true;
          case u'?':
          case u'*':
          case u'+':
            ApplyQuantifier(AAlt, l);
            break;
          case u'{':
            ApplyParameterQuantifier(AAlt, l);
            break;
          case u',':
            break;
          default:
            Error(l, RegExprText(scxRegExprIllegalSymbol, l.Value));
            break;
        }
        break;
      case relcInteger:
        Error(l, RegExprText(scxRegExprIllegalIntegerValue));
        break;
      case relcReference:
        item = ParseReference(l);
        break;
      default:
        item = NewSimpleItem(CreateClassItem(l), l);
        break;
    }
    if (item) AAlt.Add(std::move(item));
  }
  return false;
}

std::unique_ptr<TcxRegExprParserItem> TcxRegExprParser::ParseBlock(const TcxLexem& AOpen) {
  if (FOpenGroups >= cxRegExprMaxDepth) {
    TooComplex(AOpen);
    return nullptr;
  }
  if (!Reserve(2, AOpen)) return nullptr;
  auto block = std::make_unique<TcxRegExprParserBlockItem>();
  FBlocks.push_back(block.get());
  ++FOpenGroups;
  bool following;
  do {
    following = ParseAlt(block->Alts().AddAlt(), false);
  } while (following && !FAbort);
  --FOpenGroups;
  block->UpdateMetrics();
  if (block->Depth() > cxRegExprMaxDepth) TooComplex(AOpen);
  return block;
}

std::unique_ptr<TcxRegExprItem> TcxRegExprParser::CreateClassItem(const TcxLexem& ALexem) {
  switch (ALexem.Code) {
    case relcAll:
      return std::make_unique<TcxRegExprAll>();
    case relcId:
    case relcNotId:
      return std::make_unique<TcxRegExprIdLetter>(ALexem.Code == relcNotId);
    case relcDigit:
    case relcNotDigit:
      return std::make_unique<TcxRegExprDigit>(ALexem.Code == relcNotDigit);
    case relcSpace:
    case relcNotSpace:
      return std::make_unique<TcxRegExprSpace>(ALexem.Code == relcNotSpace);
    case relcDateSeparator:
      return std::make_unique<TcxRegExprDateSeparator>();
    case relcTimeSeparator:
      return std::make_unique<TcxRegExprTimeSeparator>();
    default:
      return std::make_unique<TcxRegExprSymbol>(FirstChar(ALexem));
  }
}

std::unique_ptr<TcxRegExprParserItem> TcxRegExprParser::ParseEnumeration(const TcxLexem& AOpen) {
  const bool inverse = IsSpecial(Peek(), u'^');
  if (inverse) Take();
  auto enumeration = std::make_unique<TcxRegExprUserEnumeration>(inverse);
  const TcxLexem* current = Take();
  if (IsSpecial(current, u']')) {
    Error(*current, RegExprText(scxRegExprCantCreateEmptyEnum));
  } else {
    while (current && !IsSpecial(current, u']')) {
      const TcxLexem* next = Take();
      if (IsSpecial(next, u'-')) {
        const TcxLexem* finish = Take();
        if (!finish) break;
        if (IsSpecial(finish, u']')) {  // cannot come from the scanner; kept as literals
          enumeration->Add(CreateClassItem(*current));
          enumeration->Add(std::make_unique<TcxRegExprSymbol>(u'-'));
          break;
        }
        const Char start = FirstChar(*current);
        const Char end = FirstChar(*finish);
        if (start < end)
          enumeration->Add(std::make_unique<TcxRegExprSubrange>(start, end));
        else
          Error(*finish, RegExprText(scxRegExprSubrangeOrder));
        while (IsSpecial(Peek(), u'-')) Error(*Take(), RegExprText(scxRegExprIllegalSymbol, u"-"));
        current = Take();
      } else {
        enumeration->Add(CreateClassItem(*current));
        current = next;
      }
    }
  }
  return NewSimpleItem(std::move(enumeration), AOpen);
}

// A back reference repeats the referred group's pattern (with its quantifier), not the
// text the group matched.
std::unique_ptr<TcxRegExprParserItem> TcxRegExprParser::ParseReference(const TcxLexem& ALexem) {
  const int32_t index = FirstChar(ALexem) - u'0';
  if (index < 1 || index > static_cast<int32_t>(FBlocks.size())) {
    Error(ALexem, RegExprText(scxRegExprTooBigReferenceNumber));
    return nullptr;
  }
  auto clone = FBlocks[static_cast<size_t>(index - 1)]->Clone(nullptr);
  if (!Reserve(clone->StateCount(), ALexem)) return nullptr;
  if (clone->Depth() > cxRegExprMaxDepth) {
    TooComplex(ALexem);
    return nullptr;
  }
  return clone;
}

void TcxRegExprParser::ApplyQuantifier(TcxRegExprParserAlt& AAlt, const TcxLexem& ALexem) {
  const Char kind = FirstChar(ALexem);
  TcxRegExprParserItem* last = AAlt.LastItem();
  if (!last) {
    Error(ALexem, RegExprText(scxRegExprIllegalQuantifier, String(1, kind)));
    return;
  }
  switch (kind) {
    case u'?':
      SetQuantifier(AAlt, std::make_unique<TcxRegExprQuestionQuantifier>(), ALexem);
      break;
    case u'*':
      if (last->CanEmpty())
        Error(ALexem, RegExprText(scxRegExprCantUseStarQuantifier));
      else
        SetQuantifier(AAlt, std::make_unique<TcxRegExprStarQuantifier>(), ALexem);
      break;
    default:
      if (last->CanEmpty())
        Error(ALexem, RegExprText(scxRegExprCantUsePlusQuantifier));
      else
        SetQuantifier(AAlt, std::make_unique<TcxRegExprPlusQuantifier>(), ALexem);
      break;
  }
}

// An item without a quantifier takes it; any other is wrapped in a new group that has it.
void TcxRegExprParser::SetQuantifier(TcxRegExprParserAlt& AAlt,
                                     std::unique_ptr<TcxRegExprQuantifier> AQuantifier,
                                     const TcxLexem& ALexem) {
  TcxRegExprParserItem* last = AAlt.LastItem();
  if (last->NotQuantifier()) {
    last->SetQuantifier(std::move(AQuantifier));
    return;
  }
  if (last->Depth() + 1 > cxRegExprMaxDepth) {
    TooComplex(ALexem);
    return;
  }
  if (!Reserve(2, ALexem)) return;
  auto block = std::make_unique<TcxRegExprParserBlockItem>(std::move(AQuantifier));
  block->Alts().AddAlt().Add(AAlt.ExtractLastItem());
  block->UpdateMetrics();
  AAlt.Add(std::move(block));
}

bool TcxRegExprParser::ParseQuantifier(int32_t& N, int32_t& M) {
  auto fail = [this](const TcxLexem* ALexem) {
    if (!ALexem) ALexem = FLastRead;
    if (ALexem) Error(*ALexem, RegExprText(scxRegExprIncorrectParameterQuantifier));
    return false;
  };
  // Digit runs of any length; values beyond the bound are refused.
  auto value = [](const TcxLexem& ALexem) {
    int64_t result = 0;
    for (Char c : ALexem.Value) result = std::min<int64_t>(result * 10 + (c - u'0'), INT32_MAX);
    return static_cast<int32_t>(result);
  };
  const TcxLexem* lexem = Take();
  if (!lexem || lexem->Code != relcInteger) return fail(lexem);
  N = value(*lexem);
  if (N > cxRegExprMaxQuantifierBound) return fail(lexem);
  lexem = Take();
  if (IsSpecial(lexem, u'}')) {
    M = N;
    return true;
  }
  if (!IsSpecial(lexem, u',')) return fail(lexem);
  lexem = Take();
  if (IsSpecial(lexem, u'}')) {
    M = -1;
    return true;
  }
  if (!lexem || lexem->Code != relcInteger) return fail(lexem);
  M = value(*lexem);
  if (M < N || M > cxRegExprMaxQuantifierBound) return fail(lexem);
  lexem = Take();
  if (!IsSpecial(lexem, u'}')) return fail(lexem);
  return true;
}

void TcxRegExprParser::ApplyParameterQuantifier(TcxRegExprParserAlt& AAlt, const TcxLexem& ALexem) {
  if (!AAlt.LastItem()) {
    Error(ALexem, RegExprText(scxRegExprIncorrectParameterQuantifier));
    return;
  }
  int32_t n = 0;
  int32_t m = 0;
  if (!ParseQuantifier(n, m)) return;
  if (!ExpandParameterQuantifier(AAlt, n, m, ALexem)) return;
  if (n == 0) SetQuantifier(AAlt, std::make_unique<TcxRegExprQuestionQuantifier>(), ALexem);
}

// x{n,m} becomes a group of n copies of x followed, for {n,}, by a copy with '*' and, for
// m > n, by m - n optional copies, each nested in the previous one. An item that can match
// the empty text cannot take {n,}: its starred copy would loop without consuming input.
bool TcxRegExprParser::ExpandParameterQuantifier(TcxRegExprParserAlt& AAlt, int32_t N, int32_t M,
                                                 const TcxLexem& ALexem) {
  TcxRegExprParserItem* last = AAlt.LastItem();
  if (last->CanMissing() || (M == -1 && last->CanEmpty())) {
    Error(ALexem, RegExprText(scxRegExprCantUseParameterQuantifier));
    return false;
  }
  const int64_t optional = M == -1 ? 1 : std::max(M - N, 0);
  const int32_t chainGroups = M > N ? M - N - 1 : 0;
  if (1 + last->Depth() + chainGroups > cxRegExprMaxDepth) {
    TooComplex(ALexem);
    return false;
  }
  if (!Reserve(2 + (N + optional) * last->StateCount() + 2 * int64_t(chainGroups), ALexem)) return false;

  // The first copy stands for the item: the references to its groups are moved to the
  // groups of that copy.
  TcxRegExprCloneMap map;
  bool mapped = false;
  auto copy = [&]() {
    auto result = last->Clone(mapped ? nullptr : &map);
    mapped = true;
    return result;
  };
  auto block = std::make_unique<TcxRegExprParserBlockItem>();
  TcxRegExprParserAlt& alt = block->Alts().AddAlt();
  for (int32_t i = 0; i < N; ++i) alt.Add(copy());
  if (M == -1) {
    auto starred = copy();
    starred->SetQuantifier(std::make_unique<TcxRegExprStarQuantifier>());
    alt.Add(std::move(starred));
  } else if (M > N) {
    std::vector<std::unique_ptr<TcxRegExprParserItem>> copies;
    for (int32_t d = N; d < M; ++d) copies.push_back(copy());
    std::unique_ptr<TcxRegExprParserItem> chain = std::move(copies.back());
    chain->SetQuantifier(std::make_unique<TcxRegExprQuestionQuantifier>());
    for (size_t d = copies.size() - 1; d-- > 0;) {
      auto group =
          std::make_unique<TcxRegExprParserBlockItem>(std::make_unique<TcxRegExprQuestionQuantifier>());
      TcxRegExprParserAlt& groupAlt = group->Alts().AddAlt();
      groupAlt.Add(std::move(copies[d]));
      groupAlt.Add(std::move(chain));
      group->UpdateMetrics();
      chain = std::move(group);
    }
    alt.Add(std::move(chain));
  }
  block->UpdateMetrics();

  // References to the replaced item, or to a group inside it, now lead to the expansion.
  if (last->IsBlock() && !mapped)
    static_cast<const TcxRegExprParserBlockItem*>(last)->ForEachBlock(
        [&](const TcxRegExprParserBlockItem* AGroup) { map[AGroup] = block.get(); });
  map[last] = block.get();
  for (auto& group : FBlocks) {
    auto it = map.find(group);
    if (it != map.end()) group = it->second;
  }
  AAlt.ExtractLastItem();
  AAlt.Add(std::move(block));
  return true;
}

// Wiring. The run after an item is the items after it up to and including the first one
// that cannot be missing; a group without a quantifier cannot be missing even when its
// content can be empty.
void TcxRegExprParser::CreateConnections(const TcxRegExprParserAlt& AAlt) {
  const auto& items = AAlt.Items();
  for (size_t i = 0; i < items.size(); ++i) {
    TcxRegExprParserItem& item = *items[i];
    for (size_t k = i + 1; k < items.size(); ++k) {
      Link(item.ExitState(), items[k]->EntryState());
      if (!items[k]->CanMissing()) break;
    }
    if (item.CanRepeat()) Link(item.ExitState(), item.EntryState());
    if (item.IsBlock()) CreateBlockConnections(static_cast<const TcxRegExprParserBlockItem&>(item));
  }
}

void TcxRegExprParser::CreateBlockConnections(const TcxRegExprParserBlockItem& ABlock) {
  TcxRegExprBlockState* start = ABlock.StartState();
  TcxRegExprBlockState* finish = ABlock.FinishState();
  for (const auto& alt : ABlock.Alts().Alts())
    alt->ForStartConnections([&](TcxRegExprState* AState) { Link(start, AState); });
  if (ABlock.Alts().ThereIsEmptyAlt()) Link(start, finish);
  for (const auto& alt : ABlock.Alts().Alts()) {
    CreateConnections(*alt);
    const auto& items = alt->Items();
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
      Link((*it)->ExitState(), finish);
      if (!(*it)->CanMissing()) break;
    }
  }
}

// --- TcxRegExpr -----------------------------------------------------------------------

TcxRegExpr::TcxRegExpr() = default;
TcxRegExpr::~TcxRegExpr() = default;

void TcxRegExpr::Clear() {
  FStream.reset();
  FSource.clear();
  FErrors.Clear();
  FLexems.Clear();
  FAutomat.reset();
  FIndex = 0;
  FLine = 1;
  FChar = 0;
  FCompiled = false;
}

void TcxRegExpr::RaiseErrors() {
  throw EcxRegExprError(FErrors);
}

void TcxRegExpr::RaiseNotCompiled() {
  throw EcxEditError(cxGetResourceString(scxRegExprNotCompiled));
}

void TcxRegExpr::Compile(TStream* AStream) {
  if (!FFirstExpr) Clear();
  FFirstExpr = false;
  if (!AStream) {
    AddError(0, 0, RegExprText(scxRegExprNotAssignedSourceStream));
    RaiseErrors();
  }
  auto stream = std::make_unique<TBytesStream>();
  stream->CopyFrom(AStream, 0);
  FStream = std::move(stream);
  // The scanner works on characters: the pattern is decoded first.
  const TBytes& bytes = static_cast<TBytesStream*>(FStream.get())->Bytes();
  FSource = Utf8ToString(
      std::string_view(reinterpret_cast<const char*>(bytes.data()), static_cast<size_t>(FStream->Size())));
  if (std::all_of(FSource.begin(), FSource.end(), RegExprIsBlank)) {
    AddError(0, 0, RegExprText(scxRegExprEmptySourceStream));
    RaiseErrors();
  }
  ScanExpr();
  if (FErrors.Count() > 0) RaiseErrors();
  TcxRegExprParser parser(*this);
  auto automat = parser.ParseExpr();
  if (FErrors.Count() > 0 || !automat) RaiseErrors();
  FAutomat = std::move(automat);
  FCompiled = true;
  if (FUpdateOn) FAutomat->Update();
}

void TcxRegExpr::Compile(const String& S) {
  TStringStream stream(S);
  Compile(&stream);
}

TStream* TcxRegExpr::Stream() const {
  return FCompiled ? FStream.get() : nullptr;
}

bool TcxRegExpr::Next(Char& AToken) {
  CheckCompiled();
  const bool result = FAutomat->Next(AToken, FCaseInsensitive, true);
  if (result && FUpdateOn && !FAutomat->IsFinal()) FAutomat->Update();
  return result;
}

String TcxRegExpr::NextEx(const String& AString) {
  CheckCompiled();
  String result;
  for (Char c : AString) {
    Char token = c;
    if (FAutomat->Next(token, FCaseInsensitive, true)) result += c;
  }
  return result;
}

bool TcxRegExpr::Prev() {
  CheckCompiled();
  if (FUpdateOn) FAutomat->ReUpdate();
  return FAutomat->Prev();
}

bool TcxRegExpr::IsFinal() const {
  CheckCompiled();
  return FAutomat->IsFinal();
}

bool TcxRegExpr::IsStart() const {
  CheckCompiled();
  return FAutomat->IsStart();
}

void TcxRegExpr::Reset() {
  CheckCompiled();
  FAutomat->Reset();
}

String TcxRegExpr::Print() const {
  CheckCompiled();
  return FAutomat->Print();
}

void TcxRegExpr::SetUpdateOn(bool AValue) {
  FUpdateOn = AValue;
  if (AValue && FCompiled) FAutomat->Update();
}

void TcxRegExpr::DoSymbolDelete() {
  if (FOnSymbolDelete) FOnSymbolDelete();
}

void TcxRegExpr::DoSymbolUpdate(Char ASymbol) {
  if (FOnSymbolUpdate) FOnSymbolUpdate(ASymbol);
}

// --- Scanner --------------------------------------------------------------------------

// A CR counts a line; a LF starts the character count anew.
bool TcxRegExpr::GetChar(Char& C) {
  if (FIndex >= FSource.size()) return false;
  C = FSource[FIndex++];
  if (C == 13) ++FLine;
  if (C == 10)
    FChar = 0;
  else
    ++FChar;
  return true;
}

void TcxRegExpr::AddLexem(TcxRegExprLexemCode ACode, const String& AValue, int32_t ALine, int32_t AChar) {
  TcxLexem lexem;
  lexem.Code = ACode;
  lexem.Value = AValue;
  lexem.Line = ALine;
  lexem.Char = AChar;
  FLexems.Add(lexem);
}

void TcxRegExpr::ScanExpr() {
  int32_t parentheses = 0;
  Char c;
  while (GetChar(c)) {
    if (RegExprIsBlank(c)) continue;
    switch (c) {
      case u'\'':
        ScanString();
        break;
      case u'(':
        ++parentheses;
        AddLexem(relcSpecial, String(1, c), FLine, FChar);
        break;
      case u')':
        --parentheses;
        AddLexem(relcSpecial, String(1, c), FLine, FChar);
        break;
      case u'*':
      case u'+':
      case u'?':
      case u'|':
        AddLexem(relcSpecial, String(1, c), FLine, FChar);
        break;
      case u'.':
        AddLexem(relcAll, String(1, c), FLine, FChar);
        break;
      case u'/':
        AddLexem(relcDateSeparator, String(1, c), FLine, FChar);
        break;
      case u':':
        AddLexem(relcTimeSeparator, String(1, c), FLine, FChar);
        break;
      case u'[':
        AddLexem(relcSpecial, String(1, c), FLine, FChar);
        ScanClass();
        break;
      case u'{':
        AddLexem(relcSpecial, String(1, c), FLine, FChar);
        ScanQuantifier();
        break;
      case u'\\':
        ScanEscape();
        break;
      default:
        AddLexem(relcSymbol, String(1, c), FLine, FChar);
        break;
    }
  }
  if (parentheses > 0)
    AddError(0, 0, RegExprText(scxRegExprMissing, u")"));
  else if (parentheses < 0)
    AddError(0, 0, RegExprText(scxRegExprUnnecessary, u")"));
}

// After the opening apostrophe: every character up to the closing one is a literal; two
// apostrophes in a row stand for one.
void TcxRegExpr::ScanString() {
  Char c;
  while (true) {
    if (!GetChar(c)) {
      AddError(FLine, FChar + 1, RegExprText(scxRegExprMissing, u" ' "));
      return;
    }
    if (c != u'\'') {
      AddLexem(relcSymbol, String(1, c), FLine, FChar);
      continue;
    }
    const size_t index = FIndex;
    const int32_t line = FLine;
    const int32_t chr = FChar;
    Char next;
    if (GetChar(next) && next == u'\'') {
      AddLexem(relcSymbol, String(1, c), line, chr);
      continue;
    }
    FIndex = index;
    FLine = line;
    FChar = chr;
    return;
  }
}

void TcxRegExpr::ScanEscape() {
  const int32_t line = FLine;
  const int32_t chr = FChar;
  Char c;
  if (!GetChar(c)) return;
  if (c >= u'1' && c <= u'9') {
    AddLexem(relcReference, String(1, c), line, chr);
    return;
  }
  if (RegExprIsBlank(c)) {
    AddError(FLine, FChar, RegExprText(scxRegExprIncorrectSpace));
    return;
  }
  switch (c) {
    case u'd':
      AddLexem(relcDigit, String(1, c), line, chr);
      return;
    case u'D':
      AddLexem(relcNotDigit, String(1, c), line, chr);
      return;
    case u'w':
      AddLexem(relcId, String(1, c), line, chr);
      return;
    case u'W':
      AddLexem(relcNotId, String(1, c), line, chr);
      return;
    case u's':
      AddLexem(relcSpace, String(1, c), line, chr);
      return;
    case u'S':
      AddLexem(relcNotSpace, String(1, c), line, chr);
      return;
    case u't':
      c = 9;
      break;
    case u'n':
      c = 10;
      break;
    case u'r':
      c = 13;
      break;
    case u'f':
      c = 12;
      break;
    case u'a':
      c = 7;
      break;
    case u'e':
      c = 27;
      break;
    case u'p':
      c = FormatSettings().DecimalSeparator;
      break;
    case u'x':
      ScanASCII(line, chr);
      return;
    default:
      break;  // the character itself, '0' included
  }
  AddLexem(relcSymbol, String(1, c), line, chr);
}

// \x followed by exactly two hexadecimal digits.
void TcxRegExpr::ScanASCII(int32_t ALine, int32_t AChar) {
  int32_t code = 0;
  for (int i = 0; i < 2; ++i) {
    Char c;
    if (!GetChar(c)) {
      AddError(FLine, FChar + 1, RegExprText(scxRegExprHexNumberExpected0));
      return;
    }
    const int digit = HexDigitValue(c);
    if (digit < 0) {
      AddError(FLine, FChar, RegExprText(scxRegExprHexNumberExpected, String(1, c)));
      return;
    }
    code = code * 16 + digit;
  }
  AddLexem(relcSymbol, String(1, static_cast<Char>(code)), ALine, AChar);
}

// After '[': members up to ']'.
void TcxRegExpr::ScanClass() {
  bool first = true;
  Char c;
  while (true) {
    if (!GetChar(c)) {
      AddError(FLine, FChar + 1, RegExprText(scxRegExprMissing, u"]"));
      return;
    }
    if (RegExprIsBlank(c)) continue;
    const bool isFirst = first;
    first = false;
    switch (c) {
      case u'\'':
        ScanString();
        continue;
      case u'/':
        AddLexem(relcDateSeparator, String(1, c), FLine, FChar);
        continue;
      case u':':
        AddLexem(relcTimeSeparator, String(1, c), FLine, FChar);
        continue;
      case u'\\':
        ScanEscape();
        continue;
      case u']':
        AddLexem(relcSpecial, String(1, c), FLine, FChar);
        return;
      default:
        break;
    }
    if (isFirst) {
      AddLexem(c == u'^' ? relcSpecial : relcSymbol, String(1, c), FLine, FChar);
      continue;
    }
    if (c != u'-') {
      AddLexem(relcSymbol, String(1, c), FLine, FChar);
      continue;
    }
    // A '-' before the closing ']' is a literal, otherwise a range marker.
    const int32_t line = FLine;
    const int32_t chr = FChar;
    while (true) {
      const size_t index = FIndex;
      const int32_t nextLine = FLine;
      const int32_t nextChar = FChar;
      Char next;
      if (!GetChar(next)) {
        AddLexem(relcSpecial, u"-", line, chr);
        AddError(FLine, FChar + 1, RegExprText(scxRegExprMissing, u"]"));
        return;
      }
      if (RegExprIsBlank(next)) continue;
      FIndex = index;
      FLine = nextLine;
      FChar = nextChar;
      AddLexem(next == u']' ? relcSymbol : relcSpecial, u"-", line, chr);
      break;
    }
  }
}

// After '{': integers and ',' up to '}'.
void TcxRegExpr::ScanQuantifier() {
  Char c;
  while (true) {
    if (!GetChar(c)) {
      AddError(FLine, FChar + 1, RegExprText(scxRegExprMissing, u"}"));
      return;
    }
    if (RegExprIsBlank(c)) continue;
    if (RegExprIsDigit(c)) {
      const int32_t line = FLine;
      const int32_t chr = FChar;
      String digits(1, c);
      while (true) {
        const size_t index = FIndex;
        const int32_t nextLine = FLine;
        const int32_t nextChar = FChar;
        Char next;
        if (!GetChar(next)) {
          AddLexem(relcInteger, digits, line, chr);
          AddError(FLine, FChar + 1, RegExprText(scxRegExprMissing, u"}"));
          return;
        }
        if (!RegExprIsDigit(next)) {
          FIndex = index;
          FLine = nextLine;
          FChar = nextChar;
          break;
        }
        digits += next;
      }
      AddLexem(relcInteger, digits, line, chr);
      continue;
    }
    switch (c) {
      case u',':
        AddLexem(relcSpecial, String(1, c), FLine, FChar);
        break;
      case u'}':
        AddLexem(relcSpecial, String(1, c), FLine, FChar);
        return;
      case u'\'':
        AddError(FLine, FChar, RegExprText(scxRegExprIllegalSymbol, u" ' "));
        break;
      default:
        AddError(FLine, FChar, RegExprText(scxRegExprIllegalSymbol, String(1, c)));
        break;
    }
  }
}

}  // namespace qd
