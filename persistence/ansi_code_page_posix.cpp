#include <iconv.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "persistence/ansi_code_page.h"

bool JapaneseUserLocale() {
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return std::strncmp(value, "ja", 2) == 0;
  }
  return false;
}

namespace {

// Converts with iconv, replacing what cannot be converted unit by unit.
std::string Convert(const char* to, const char* from, std::string_view input, std::size_t unit,
                    std::string_view replacement) {
  iconv_t converter = iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1)) return {};
  std::string output;
  char buffer[1024];
  char* in = const_cast<char*>(input.data());
  std::size_t inLeft = input.size();
  while (inLeft > 0) {
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
    output.append(buffer, static_cast<std::size_t>(out - buffer));
    if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
      // An invalid or incomplete sequence: one replacement, then go on.
      output.append(replacement);
      const std::size_t skip = std::min(unit, inLeft);
      in += skip;
      inLeft -= skip;
      iconv(converter, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(converter);
  return output;
}

}  // namespace

std::string AnsiCodePage() { return JapaneseUserLocale() ? "CP932" : "CP1252"; }

std::u16string AnsiToUtf16(std::string_view bytes) {
  static const std::string kReplacement("\xFD\xFF", 2);  // U+FFFD in UTF-16LE
  const std::string wide = Convert("UTF-16LE", AnsiCodePage().c_str(), bytes, 1, kReplacement);
  return std::u16string(reinterpret_cast<const char16_t*>(wide.data()), wide.size() / 2);
}

std::string Utf16ToAnsi(std::u16string_view text) {
  const std::string_view bytes(reinterpret_cast<const char*>(text.data()), text.size() * 2);
  return Convert(AnsiCodePage().c_str(), "UTF-16LE", bytes, 2, "?");
}
