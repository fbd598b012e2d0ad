// The main window and the recording journal: a journal found at start was
// left by a run that did not end cleanly; its records are offered back.
#include <QDateTime>

#include <optional>

#include "base/text_helpers.h"
#include "base/utf16.h"
#include "recording/time_texts.h"
#include "shell/qt/main_window.h"
#include "text/added_texts.h"

namespace fs = std::filesystem;

namespace {

// "recording-20261210-112206.journal" beside the journal, a name not taken.
fs::path AsideName(const fs::path& journal) {
  const std::string stamp = QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss").toStdString();
  for (int n = 1;; ++n) {
    const std::string suffix = n == 1 ? "" : "-" + std::to_string(n);
    fs::path aside = journal.parent_path() / ("recording-" + stamp + suffix + std::string(kJournalExtension));
    std::error_code error;
    if (!fs::exists(fs::symlink_status(aside, error))) return aside;
  }
}

// An added text with its "%1" (and "%2") in place.
std::u16string Numbered(AddedText word, int language, std::u16string_view first, std::u16string_view second = {}) {
  std::u16string text(Word(word, language));
  ReplaceAll(text, u"%1", first);
  ReplaceAll(text, u"%2", second);
  return text;
}

}  // namespace

void CQM8000Dlg::OfferRecovery() {
  const fs::path journal = journal_->File();
  std::error_code error;
  if (!fs::exists(fs::symlink_status(journal, error)) || JournalFile::HeldByAnother(journal)) return;
  // Moved aside first: recovered records go into a journal of their own,
  // and declined ones stay where the command line can recover them.
  const fs::path aside = AsideName(journal);
  fs::rename(journal, aside, error);
  if (error) return;
  const int language = settings_.language;
  std::optional<RecoveredJournal> recovered;
  ReportingFileErrors([&] { recovered = ReadJournal(aside); });
  if (recovered && recovered->recording.store.Size() > 0) {
    const RecordStore& found = recovered->recording.store;
    const _RECORD_DATA last = found.At(found.Size() - 1);
    const std::u16string question =
        Numbered(AddedText::journalRecover, language, NumberText(static_cast<long long>(found.Size())),
                 RealTimeText(CDateTime(last.timeDate, CDateTime::valid)));
    if (services_.Ask(question, MessageIcon::question, MessageButtons::yesNo) == MessageAnswer::yes) {
      const std::int64_t dropped = recovered->dropped;
      AdoptRecording(recovered->recording);
      engine_->ShowOpenedRecording();
      engine_->saved = false;
      journal_->Changed();
      fs::remove(aside, error);
      if (dropped > 0) {
        services_.Show(Numbered(AddedText::journalDropped, language, NumberText(dropped)), MessageIcon::warning);
      }
      return;
    }
  }
  services_.Show(Numbered(AddedText::journalKeptAside, language, Utf8ToUtf16(aside.string())),
                 MessageIcon::information);
}
