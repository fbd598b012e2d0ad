#include <windows.h>

#include "base/utf16.h"
#include "persistence/ansi_code_page.h"

bool JapaneseUserLocale() { return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE; }

int AnsiCodePage() { return static_cast<int>(GetACP()); }

namespace {

// Bytes at the end of `bytes` that begin a character not complete in them.
std::size_t IncompleteTail(std::string_view bytes, UINT codePage) {
  if (codePage == CP_UTF8) {
    // Back over continuation bytes to the lead byte, which says how long
    // its character is.
    std::size_t start = bytes.size();
    while (start > 0 && bytes.size() - start < 3 && (static_cast<unsigned char>(bytes[start - 1]) & 0xC0) == 0x80) {
      --start;
    }
    if (start == 0) return 0;
    const unsigned char lead = static_cast<unsigned char>(bytes[start - 1]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    const std::size_t present = bytes.size() - start + 1;
    return present < length ? present : 0;
  }
  // Double-byte code pages: a lead byte is known only counting from the
  // start, since a trail byte may look like one.
  std::size_t i = 0;
  while (i < bytes.size()) i += IsDBCSLeadByteEx(codePage, static_cast<BYTE>(bytes[i])) ? 2 : 1;
  return i > bytes.size() ? 1 : 0;
}

}  // namespace

struct AnsiDecoder::State {
  UINT codePage = 0;
};

AnsiDecoder::AnsiDecoder(int codePage) : state_(std::make_unique<State>()) {
  state_->codePage = static_cast<UINT>(codePage);
}

AnsiDecoder::~AnsiDecoder() = default;

void AnsiDecoder::Decode(std::string_view bytes, bool last, std::u16string& text) {
  std::string joined;
  bytes = AfterPending(bytes, joined);
  const std::size_t tail = last ? 0 : IncompleteTail(bytes, state_->codePage);
  pending_.assign(bytes.substr(bytes.size() - tail));
  bytes.remove_suffix(tail);
  // A piece at a time keeps the sizes far below what an int holds; bytes
  // the code page does not define come out as U+FFFD.
  constexpr std::size_t kPiece = 1 << 20;
  while (!bytes.empty()) {
    std::size_t size = std::min(bytes.size(), kPiece);
    if (size < bytes.size()) size -= IncompleteTail(bytes.substr(0, size), state_->codePage);
    const int length = static_cast<int>(size);
    const int units = MultiByteToWideChar(state_->codePage, 0, bytes.data(), length, nullptr, 0);
    const std::size_t at = text.size();
    text.resize(at + static_cast<std::size_t>(units));
    MultiByteToWideChar(state_->codePage, 0, bytes.data(), length, reinterpret_cast<wchar_t*>(text.data() + at), units);
    bytes.remove_prefix(size);
  }
}

struct CodePageEncoder::State {};

CodePageEncoder::CodePageEncoder(int codePage) : codePage_(codePage), state_(std::make_unique<State>()) {}

CodePageEncoder::~CodePageEncoder() = default;

namespace {

// Appends `text` in `codePage`; false when a character had to become the
// default character '?'.
bool Convert(UINT codePage, std::u16string_view text, std::string& bytes) {
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int length = static_cast<int>(text.size());
  // UTF-8 holds every character and takes no default character.
  const bool utf8 = codePage == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* lost = utf8 ? nullptr : &usedDefault;
  const char* question = utf8 ? nullptr : "?";
  const int size = WideCharToMultiByte(codePage, flags, wide, length, nullptr, 0, question, lost);
  const std::size_t at = bytes.size();
  bytes.resize(at + static_cast<std::size_t>(size));
  WideCharToMultiByte(codePage, flags, wide, length, bytes.data() + at, size, question, lost);
  return !usedDefault;
}

}  // namespace

bool CodePageEncoder::Encode(std::u16string_view text, std::string& bytes) {
  if (text.empty()) return true;
  const auto codePage = static_cast<UINT>(codePage_);
  const std::size_t at = bytes.size();
  if (Convert(codePage, text, bytes)) return true;
  // Windows writes a '?' for each half of a surrogate pair; a character
  // is one '?' to the reader, so the text goes again a character at a time.
  bytes.resize(at);
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = CharacterUnits(text, i);
    const std::size_t before = bytes.size();
    if (!Convert(codePage, text.substr(i, length), bytes)) {
      bytes.resize(before);
      bytes += '?';
    }
    i += length;
  }
  return false;
}
