#include "ui/core/dxStringHelper.h"

#include <algorithm>
#include <atomic>

namespace qd {

namespace {

std::atomic<TStringBuilder*> FSlots[TdxStringBuilderManager::kSlotCount];

}  // namespace

TStringBuilder* TdxStringBuilderManager::Get(int32_t ACapacity) {
  for (auto& slot : FSlots) {
    if (TStringBuilder* builder = slot.exchange(nullptr, std::memory_order_acq_rel)) {
      if (builder->Capacity() < ACapacity) builder->SetCapacity(ACapacity);
      builder->SetLength(0);
      return builder;
    }
  }
  return new TStringBuilder(std::max(ACapacity, 0));
}

void TdxStringBuilderManager::Release(TStringBuilder*& ABuilder) {
  TStringBuilder* inHand = ABuilder;
  ABuilder = nullptr;
  for (auto& slot : FSlots) {
    if (!inHand) return;
    inHand = slot.exchange(inHand, std::memory_order_acq_rel);
  }
  delete inHand;
}

void TdxStringBuilderManager::Finalize() {
  for (auto& slot : FSlots) delete slot.exchange(nullptr, std::memory_order_acq_rel);
}

}  // namespace qd
