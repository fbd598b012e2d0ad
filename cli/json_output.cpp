#include "cli/json_output.h"

#include <algorithm>
#include <cstdio>

#include "base/utf16.h"

namespace {

constexpr unsigned char kFirstPrintable = 0x20;
constexpr std::size_t kUnicodeEscapeSize = sizeof "\\u0000";

}  // namespace

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (const char c : Utf16ToUtf8(Utf8ToUtf16(text))) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < kFirstPrintable) {
          char escape[kUnicodeEscapeSize];
          std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
          out += escape;
        } else {
          out += c;
        }
    }
  }
  return out + '"';
}

std::string JsonTextOrNull(std::string_view text) { return text.empty() ? "null" : JsonString(text); }

std::string JsonArray(const std::vector<std::string>& values) {
  std::string out = "[";
  for (const std::string& value : values) out += (out.size() > 1 ? "," : "") + value;
  return out + ']';
}

JsonObject& JsonObject::Add(std::string_view name, const std::string& json) {
  if (!members_.empty()) members_ += ',';
  members_ += JsonString(name) + ':' + json;
  return *this;
}

std::string JsonObject::Text() const { return '{' + members_ + '}'; }

bool TakeJsonOption(std::vector<std::string>& args) {
  const auto kept = std::remove(args.begin(), args.end(), "--json");
  const bool found = kept != args.end();
  args.erase(kept, args.end());
  return found;
}
