#pragma once

#include <string_view>

// The interface's texts in both languages, by their number in the table.
// Views into static storage: they stay valid for the whole run.
struct UiText { std::u16string_view japanese; std::u16string_view english; };
inline constexpr int kUiTextCount = 189;
// Entry n (0-188) of the table.
const UiText& UiTextEntry(int n);
// Entry n in `language` (0 Japanese, anything else English).
std::u16string_view Word(int n, int language);
