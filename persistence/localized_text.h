// A text of the program in both interface languages.
#pragma once

struct LocalizedText {
  const char16_t* japanese;
  const char16_t* english;
  // 0 Japanese, anything else English.
  const char16_t* In(int language) const { return language == 0 ? japanese : english; }
};
