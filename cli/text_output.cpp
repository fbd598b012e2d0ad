#include "cli/text_output.h"

#include "base/utf16.h"

std::string Escaped(const std::u16string& text) {
  std::string out;
  for (const char c : Utf16ToUtf8(text)) {
    switch (c) {
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\\':
        out += "\\\\";
        break;
      default:
        out += c;
    }
  }
  return out;
}
