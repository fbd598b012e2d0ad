// Conversion between the UTF-8 of system names and the UTF-16 the program
// keeps user-visible text in.
#pragma once

#include <string>
#include <string_view>

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);
// The meter's replies and our own number texts: each byte one character.
std::u16string AsciiToUtf16(std::string_view ascii);
// The code units of the character at `at`: 2 for a surrogate pair, else 1
// (a surrogate without its partner is a character of its own).
std::size_t CharacterUnits(std::u16string_view text, std::size_t at);
