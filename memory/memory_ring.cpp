#include "memory/memory_ring.h"

#include <chrono>
#include <thread>

void MemoryRing::Acquire() {
  while (busy_.test_and_set(std::memory_order_acquire)) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

std::optional<int> MemoryRing::Put(const Slot& slot) {
  Acquire();
  if (fill_ == kSlots) {
    Release();
    return std::nullopt;
  }
  slots_[static_cast<std::size_t>(writeAt_)] = slot;
  writeAt_ = (writeAt_ + 1) % kSlots;
  const int fill = ++fill_;
  Release();
  return fill;
}

std::optional<std::pair<MemoryRing::Slot, int>> MemoryRing::Take() {
  Acquire();
  if (fill_ == 0) {
    Release();
    return std::nullopt;
  }
  const Slot slot = slots_[static_cast<std::size_t>(readAt_)];
  readAt_ = (readAt_ + 1) % kSlots;
  const int fill = --fill_;
  Release();
  return std::pair{slot, fill};
}

void MemoryRing::Clear() {
  Acquire();
  writeAt_ = readAt_ = 0;
  fill_ = 0;
  Release();
}
