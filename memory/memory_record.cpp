#include "memory/memory_record.h"

#include <bit>
#include <type_traits>

namespace {

template <typename T>
T LittleEndian(const MemoryBytes& bytes, std::size_t at) {
  std::make_unsigned_t<T> bits = 0;
  for (std::size_t i = 0; i < sizeof(T); ++i) bits |= static_cast<std::make_unsigned_t<T>>(bytes[at + i]) << (8 * i);
  return static_cast<T>(bits);
}

}  // namespace

PresenceMap PresenceMap::All() {
  PresenceMap map;
  map.bytes_.fill(0xFF);
  return map;
}

bool PresenceMap::Present(int number) const {
  if (number < 1 || number > kNumbers) return false;
  const int bit = number - 1;
  return (bytes_[bit / 8] >> (bit % 8)) & 1;
}

int PresenceMap::Count() const {
  int count = 0;
  for (const std::uint8_t byte : bytes_) count += std::popcount(byte);
  return count;
}

MemoryRecord MemoryRecord::Decode(const MemoryBytes& bytes) {
  MemoryRecord r;
  r.mainValue = LittleEndian<std::int32_t>(bytes, 0);
  r.functionCode = LittleEndian<std::int16_t>(bytes, 4);
  r.mainStatus = LittleEndian<std::int16_t>(bytes, 6);
  r.range = LittleEndian<std::int8_t>(bytes, 8);
  r.flags = bytes[9];
  r.holdMode = LittleEndian<std::int8_t>(bytes, 10);
  r.subValue = LittleEndian<std::int32_t>(bytes, 16);
  r.subStatus = LittleEndian<std::int16_t>(bytes, 20);
  r.frequencyRange = LittleEndian<std::int8_t>(bytes, 22);
  r.setting = LittleEndian<std::int8_t>(bytes, 23);
  return r;
}

bool MemoryRecord::HoldsReading() const { return (flags & memory_flag::kHoldsReading) != 0; }

bool MemoryRecord::Peak() const { return holdMode == memory_hold::kPeak; }
