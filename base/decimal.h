// Whole decimal numbers in command lines, replies and arguments.
#pragma once

#include <charconv>
#include <optional>
#include <string_view>

// The number `text` spells entirely, or nothing.
inline std::optional<int> ParseDecimal(std::string_view text) {
  int value = 0;
  const char* last = text.data() + text.size();
  const auto [end, error] = std::from_chars(text.data(), last, value);
  if (text.empty() || error != std::errc() || end != last) return std::nullopt;
  return value;
}
