#include "live/port_refusal_hint.h"

#include "base/text_helpers.h"
#include "base/utf16.h"
#include "text/added_texts.h"

std::u16string PortRefusalHint(const RefusedPort& refused, int language) {
  AddedText text = AddedText::portDenied;
  if (refused.refusal == PortRefusal::busy) {
    text = refused.holder.empty() ? AddedText::portBusy : AddedText::portBusyBy;
  }
  std::u16string hint(Word(text, language));
  ReplaceAll(hint, u"%1", Utf8ToUtf16(refused.device));
  ReplaceAll(hint, u"%2", NumberText(refused.port));
  ReplaceAll(hint, u"%3", Utf8ToUtf16(refused.holder));
  return hint;
}
