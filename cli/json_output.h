// JSON for scripts, written by hand: the few shapes the commands print.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// `text` as a JSON string.  Quotes, backslashes and control characters are
// escaped; other characters stay UTF-8, and bytes that are no UTF-8 (a
// garbled meter reply) become U+FFFD, so that no parser chokes on a line.
std::string JsonString(std::string_view text);

// A JSON string, or null for an empty text: what the meter does not show.
std::string JsonTextOrNull(std::string_view text);

// [a,b,...] of values already in JSON.
std::string JsonArray(const std::vector<std::string>& values);

// {"name":value,...} in the order the members are added.
class JsonObject {
 public:
  // `json` is a value already in JSON: JsonString(...), a number, true, null.
  JsonObject& Add(std::string_view name, const std::string& json);
  std::string Text() const;

 private:
  std::string members_;
};

// Takes "--json" out of a command's arguments: whether it was there.
bool TakeJsonOption(std::vector<std::string>& args);
