#pragma once

#include <string_view>

#include "text/text_id.h"

// The interface's texts in both languages, by their number in the table.
// Views into static storage: they stay valid for the whole run.
struct UiText {
  std::u16string_view japanese;
  std::u16string_view english;
};
inline constexpr int kUiTextCount = 189;
// Every entry has its name, and no name is left without an entry.
static_assert(static_cast<int>(TextId::bufferOver) + 1 == kUiTextCount);
// Entry n (0-188) of the table.
const UiText& UiTextEntry(int n);
// `text` in `language` (0 Japanese, anything else English).
std::u16string_view Word(TextId text, int language);
