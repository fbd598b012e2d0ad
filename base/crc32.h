// The CRC-32 of IEEE 802.3 (as zlib and PNG compute it), for checksums of
// our own files.
#pragma once

#include <cstddef>
#include <cstdint>

std::uint32_t Crc32(const void* data, std::size_t size, std::uint32_t crc = 0);
