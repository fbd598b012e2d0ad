// Texts the program gained after the table of ui_text.h.  Each has a name
// of its own rather than a number, so the table's numbers stay as they are.
#pragma once

#include <string_view>

enum class AddedText {
  isFolder,            // %1: a path
  notRegularFile,      // %1: a path
  othersLink,          // %1: a path
  noMemoryToRead,      // %1: a path
  csvUnwritable,       // %1: the code page, %2: the texts, one a line
  csvUnwritableMore,   // after the texts, when there were more than are listed
};

// `text` in `language` (0 Japanese, anything else English).
std::u16string_view Word(AddedText text, int language);
