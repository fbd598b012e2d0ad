// The checksum of the journal's blocks against the standard check values.
#include <gtest/gtest.h>

#include <string_view>

#include "base/crc32.h"

namespace {

TEST(Crc32, StandardCheckValues) {
  const struct {
    std::string_view bytes;
    std::uint32_t crc;
  } cases[] = {
      {"", 0x00000000u},
      {"123456789", 0xCBF43926u},  // the check value of CRC-32/ISO-HDLC
      {"The quick brown fox jumps over the lazy dog", 0x414FA339u},
  };
  for (const auto& c : cases) EXPECT_EQ(Crc32(c.bytes.data(), c.bytes.size()), c.crc) << c.bytes;
}

TEST(Crc32, ContinuesAcrossPieces) {
  const std::string_view whole = "123456789";
  EXPECT_EQ(Crc32(whole.data() + 4, 5, Crc32(whole.data(), 4)), 0xCBF43926u);
}

}  // namespace
