// The system's legacy ("ANSI") code page, in which CSV files are written and
// old 1-byte strings of the archive were stored.
#pragma once

#include <string>
#include <string_view>

// Whether the user's locale is Japanese (LC_ALL, LC_CTYPE or LANG, the
// first one set, beginning with "ja"; the user interface language on Windows).
bool JapaneseUserLocale();

// Name of the code page: on Linux CP932 where the user's locale is Japanese
// (LC_ALL, LC_CTYPE or LANG beginning with "ja"), else CP1252.
std::string AnsiCodePage();

std::u16string AnsiToUtf16(std::string_view bytes);
// Characters the code page lacks become '?', as the system's own
// conversion does.
std::string Utf16ToAnsi(std::u16string_view text);
