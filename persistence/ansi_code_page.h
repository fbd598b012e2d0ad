// The system's legacy ("ANSI") code pages, in which old 1-byte strings of
// the archive were stored and CSV files are written.  A code page goes by
// its Windows number (932 Japanese, 1252 Western, 65001 UTF-8).
#pragma once

#include <memory>
#include <string>
#include <string_view>

inline constexpr int kJapaneseCodePage = 932;
inline constexpr int kUtf8CodePage = 65001;

// Whether the user's locale is Japanese (LC_ALL, LC_CTYPE or LANG, the
// first one set, beginning with "ja"; the user interface language on Windows).
bool JapaneseUserLocale();

// The system's code page: on Linux 932 where the user's locale is
// Japanese, else 1252.
int AnsiCodePage();

// Text of a code page (the system's, AnsiCodePage(), for old files) into
// UTF-16, a piece at a time, so that a long text needs no second copy of
// itself: a character split between two pieces is joined.  Bytes the code
// page does not define become U+FFFD; what it defines is the system's own
// table (Windows maps a few bytes that iconv's tables leave out).
class AnsiDecoder {
 public:
  explicit AnsiDecoder(int codePage);
  ~AnsiDecoder();
  AnsiDecoder(const AnsiDecoder&) = delete;
  AnsiDecoder& operator=(const AnsiDecoder&) = delete;

  // Appends the characters of `bytes` to `text`; `last` ends the text, so
  // that a character still incomplete there becomes U+FFFD.
  void Decode(std::string_view bytes, bool last, std::u16string& text);

 private:
  // `bytes` after what the last piece held back, put together in `joined`
  // when something was held back.
  std::string_view AfterPending(std::string_view bytes, std::string& joined);

  struct State;
  std::unique_ptr<State> state_;
  std::string pending_;  // the start of a character that the next piece ends
};

inline std::u16string AnsiToUtf16(std::string_view bytes, int codePage) {
  std::u16string text;
  AnsiDecoder(codePage).Decode(bytes, true, text);
  return text;
}

// UTF-16 into a code page; characters the code page lacks become '?'
// (never a look-alike: the user is told about them instead).
class CodePageEncoder {
 public:
  explicit CodePageEncoder(int codePage);
  ~CodePageEncoder();
  CodePageEncoder(const CodePageEncoder&) = delete;
  CodePageEncoder& operator=(const CodePageEncoder&) = delete;

  int CodePage() const { return codePage_; }
  // Appends `text` in the code page to `bytes`; false when a character
  // had to become '?'.
  bool Encode(std::u16string_view text, std::string& bytes);

 private:
  struct State;
  int codePage_;
  std::unique_ptr<State> state_;
};
