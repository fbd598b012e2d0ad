// One field of a CSV line.
#pragma once

#include <string>
#include <string_view>

// Appends `field` to `line`, after `separator` unless it is the line's
// first.  A field holding the separator, a quote or a line break is quoted
// with its quotes doubled, so the columns after it stay in place.
void AppendCsvField(std::u16string& line, std::u16string_view field, char16_t separator, bool first);
