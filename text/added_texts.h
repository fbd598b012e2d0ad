// Texts the program gained after the table of ui_text.h.  Each has a name
// of its own rather than a number, so the table's numbers stay as they are.
#pragma once

#include <string_view>

enum class AddedText {
  isFolder,           // %1: a path
  notRegularFile,     // %1: a path
  othersLink,         // %1: a path
  noMemoryToRead,     // %1: a path
  csvUnwritable,      // %1: the code page, %2: the texts, one a line
  csvUnwritableMore,  // after the texts, when there were more than are listed
  journalRecover,     // %1: the number of records, %2: when the last was taken
  journalKeptAside,   // %1: the file the journal was kept in
  journalDropped,     // %1: the number of records lost to damage
  portDenied,         // %1: the device, %2: its port number
  portBusyBy,         // %1: the device, %2: its port number, %3: the program holding it
  portBusy,           // %1: the device, %2: its port number
};

// `text` in `language` (0 Japanese, anything else English).
std::u16string_view Word(AddedText text, int language);
