#include "cli/recover_command.h"

#include <filesystem>
#include <iostream>

#include "base/utf16.h"
#include "catalogue/catalogue.h"
#include "cli/help_command.h"
#include "persistence/ansi_code_page.h"
#include "persistence/archive_exception.h"
#include "persistence/file_exception.h"
#include "persistence/journal_file.h"
#include "recording/file/journal.h"
#include "recording/file/recording_file.h"

namespace {

int Usage(const std::string& problem) { return UsageError("recover", problem); }

int Fail(const std::string& message) {
  std::cerr << "rv7300s-cli: " << message << '\n';
  return 1;
}

}  // namespace

// The journal stays: it is the user's to remove once the file is checked.
int RecoverCommand(const std::vector<std::string>& args) {
  if (args.empty() || args.size() > 2) return Usage("recover takes a journal and the file to write");
  const std::string journal = args[0];
  std::string out;
  if (args.size() == 2) {
    out = args[1];
  } else if (journal.size() > kJournalExtension.size() && journal.ends_with(kJournalExtension)) {
    out = journal.substr(0, journal.size() - kJournalExtension.size());
  } else {
    return Usage(journal + " does not end in " + std::string(kJournalExtension) + ": give the file to write");
  }
  const int language = JapaneseUserLocale() ? 0 : 1;
  SetCatalogueLanguage(language);
  std::error_code error;
  if (std::filesystem::exists(std::filesystem::symlink_status(out, error))) {
    return Fail(out + " exists; recover writes a new file only");
  }
  if (JournalFile::HeldByAnother(journal)) {
    return Fail("a recording is still writing " + journal + "; it writes its own file when it ends");
  }
  RecoveredJournal recovered;
  try {
    recovered = ReadJournal(journal);
  } catch (const CArchiveException& failure) {
    if (failure.cause() == CArchiveException::Cause::noMemory) return Fail(Utf16ToUtf8(failure.Message(language)));
    return Fail(journal + " is no recording journal, or holds no whole block");
  } catch (const CFileException& failure) {
    return Fail(Utf16ToUtf8(failure.Message(language)));
  }
  Recording& recording = recovered.recording;
  try {
    WriteRecordingFile(out, {recording.settings, recording.store, recording.graph}, recording.store.recordModel);
  } catch (const CFileException& failure) {
    return Fail(Utf16ToUtf8(failure.Message(language)));
  } catch (const CArchiveException& failure) {
    return Fail(Utf16ToUtf8(failure.Message(language)));
  }
  std::cout << "records: " << recording.store.recordCount() << '\n';
  if (recovered.dropped > 0) {
    std::cerr << "rv7300s-cli: " << journal << " is damaged: the " << recovered.dropped
              << " records after the damage are lost\n";
  }
  return 0;
}
