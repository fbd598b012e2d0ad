// The ring between the memory reader and the writer: ten slots of one
// record and its memory number.  The reader is its only producer, the
// writer its only consumer.  The busy flag is the ring's lock, taken by one
// indivisible test-and-set; the positions and the fill count change only
// while it is held.
#pragma once

#include <array>
#include <atomic>
#include <optional>
#include <utility>

#include "memory/memory_record.h"

class MemoryRing {
 public:
  static constexpr int kSlots = 10;

  struct Slot {
    MemoryBytes record{};
    int number = 0;
  };

  // Puts `slot` at the write position; nothing when the ring is full.
  // Returns the fill count afterwards.
  std::optional<int> Put(const Slot& slot);
  // Takes the slot at the read position and the fill count afterwards;
  // nothing when the ring is empty.
  std::optional<std::pair<Slot, int>> Take();
  int Fill() const { return fill_; }
  void Clear();

 private:
  // Another holder keeps the flag for a few copies at most: the taker
  // sleeps a millisecond per try rather than spin.
  void Acquire();
  void Release() { busy_.clear(std::memory_order_release); }

  std::atomic_flag busy_;
  std::array<Slot, kSlots> slots_{};
  int writeAt_ = 0;
  int readAt_ = 0;
  std::atomic<int> fill_{0};  // read without the flag to decide whether to wait
};
