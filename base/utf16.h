// Conversion between the UTF-8 of system names and the UTF-16 the program
// keeps user-visible text in.
#pragma once

#include <string>
#include <string_view>

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);
// The meter's replies and our own number texts: each byte one character.
std::u16string AsciiToUtf16(std::string_view ascii);
