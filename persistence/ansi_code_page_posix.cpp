#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "base/utf16.h"
#include "persistence/ansi_code_page.h"

bool JapaneseUserLocale() {
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return std::strncmp(value, "ja", 2) == 0;
  }
  return false;
}

int AnsiCodePage() { return JapaneseUserLocale() ? kJapaneseCodePage : 1252; }

namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);  // what iconv_open returns on failure
constexpr char16_t kReplacementCharacter = u'\uFFFD';

std::string IconvName(int codePage) { return codePage == kUtf8CodePage ? "UTF-8" : "CP" + std::to_string(codePage); }

// One iconv call over `in`, handing what it made to `emit` through a small
// buffer.  Returns 0, or where it stopped at a sequence it cannot convert,
// iconv's error: EILSEQ not a character, EINVAL the input ends inside one.
template <typename Emit>
int Step(iconv_t converter, char*& in, std::size_t& inLeft, Emit emit) {
  char buffer[4096];
  char* out = buffer;
  std::size_t outLeft = sizeof buffer;
  const bool stopped = iconv(converter, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1);
  const int error = stopped && errno != E2BIG ? errno : 0;
  emit(buffer, static_cast<std::size_t>(out - buffer));
  return error;
}

}  // namespace

struct AnsiDecoder::State {
  iconv_t converter = kNoConverter;
};

AnsiDecoder::AnsiDecoder(int codePage) : state_(std::make_unique<State>()) {
  state_->converter = iconv_open("UTF-16LE", IconvName(codePage).c_str());
}

AnsiDecoder::~AnsiDecoder() {
  if (state_->converter != kNoConverter) iconv_close(state_->converter);
}

void AnsiDecoder::Decode(std::string_view bytes, bool last, std::u16string& text) {
  if (state_->converter == kNoConverter) {  // a system without the code page: ASCII is the same in all
    for (const char c : bytes) {
      text += static_cast<unsigned char>(c) < 0x80 ? static_cast<char16_t>(c) : kReplacementCharacter;
    }
    return;
  }
  std::string joined;
  bytes = AfterPending(bytes, joined);
  auto emit = [&](const char* data, std::size_t size) {
    const std::size_t units = size / 2;
    const std::size_t at = text.size();
    text.resize(at + units);
    std::memcpy(text.data() + at, data, units * 2);
  };
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  while (inLeft > 0) {
    const int error = Step(state_->converter, in, inLeft, emit);
    if (error == 0) continue;
    if (error == EINVAL && !last) {  // a character the next piece completes
      pending_.assign(in, inLeft);
      return;
    }
    text += kReplacementCharacter;  // a byte the code page does not define
    ++in;
    --inLeft;
    iconv(state_->converter, nullptr, nullptr, nullptr, nullptr);
  }
}

struct CodePageEncoder::State {
  iconv_t converter = kNoConverter;
};

CodePageEncoder::CodePageEncoder(int codePage) : codePage_(codePage), state_(std::make_unique<State>()) {
  state_->converter = iconv_open(IconvName(codePage).c_str(), "UTF-16LE");
}

CodePageEncoder::~CodePageEncoder() {
  if (state_->converter != kNoConverter) iconv_close(state_->converter);
}

bool CodePageEncoder::Encode(std::u16string_view text, std::string& bytes) {
  if (state_->converter == kNoConverter) {  // a system without the code page: ASCII is the same in all
    for (const char16_t c : text) bytes += c < 0x80 ? static_cast<char>(c) : '?';
    return std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; });
  }
  bool whole = true;
  char* const begin = const_cast<char*>(reinterpret_cast<const char*>(text.data()));
  char* in = begin;
  std::size_t inLeft = text.size() * 2;
  auto emit = [&](const char* data, std::size_t size) { bytes.append(data, size); };
  while (inLeft > 0) {
    if (Step(state_->converter, in, inLeft, emit) == 0) continue;
    // A character the code page lacks (a surrogate pair counts as one).
    whole = false;
    bytes += '?';
    const std::size_t skip = std::min(CharacterUnits(text, static_cast<std::size_t>(in - begin) / 2) * 2, inLeft);
    in += skip;
    inLeft -= skip;
    iconv(state_->converter, nullptr, nullptr, nullptr, nullptr);
  }
  return whole;
}
