#include "persistence/ansi_code_page.h"

// A held-back start of a character is at most a few bytes: joining it with
// the next piece costs nothing worth avoiding.
std::string_view AnsiDecoder::AfterPending(std::string_view bytes, std::string& joined) {
  if (pending_.empty()) return bytes;
  joined = std::move(pending_);
  joined.append(bytes);
  pending_.clear();
  return joined;
}
