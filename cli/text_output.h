// Texts printed by the command line, one value per line.
#pragma once

#include <string>

// UTF-8, with line breaks, tabs and backslashes shown as escapes.
std::string Escaped(const std::u16string& text);
