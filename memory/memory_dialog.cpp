#include "memory/memory_dialog.h"

#include <system_error>

#include "base/text_helpers.h"
#include "link/identification.h"
#include "text/ui_text.h"

namespace {

constexpr std::u16string_view kForbidden = u"\\/:,;*?\"<>|";
constexpr std::u16string_view kExtension = u".csv";

std::u16string CountText(int fetched, int total) { return NumberText(fetched) + u" / " + NumberText(total); }

}  // namespace

bool HasForbiddenCharacter(std::u16string_view name) {
  return name.find_first_of(kForbidden) != std::u16string_view::npos;
}

std::u16string MemoryDownloadDialog::Text(TextId text) const { return std::u16string(Word(text, env_.language)); }

void MemoryDownloadDialog::OnInitDialog() {
  using namespace memory_control;
  Controls& controls = env_.controls;
  controls.SetText(kCaption, Text(TextId::readMemoryTitle));
  controls.SetText(kGroup, Text(TextId::saveDestination));
  controls.SetText(kFolderLabel, Text(TextId::folderNameLabel));
  controls.SetText(kFileNameLabel, Text(TextId::fileNameLabel));
  controls.SetText(kBrowse, Text(TextId::browse));
  controls.SetText(kOk, u"OK");
  controls.SetText(kCancel, Text(TextId::cancel));
  controls.SetText(kFolder, env_.settings.memFolder);
  controls.SetText(kFileName, env_.settings.memFileName);
  for (const int id : {kStatus, kCount, kRemainLabel, kRemain, kElapsedLabel, kElapsed}) controls.SetText(id, u"");
  for (const int id : {kProgress, kRingBar}) env_.window.SetPosition(id, 0);
  EnableInputs(true);
  busy_ = finished_ = abandoned_ = readerSucceeded_ = false;
  remaining_.clear();
  elapsed_.clear();
}

void MemoryDownloadDialog::EnableInputs(bool enabled) {
  using namespace memory_control;
  for (const int id : {kBrowse, kFileName, kOk, kCancel}) env_.controls.Enable(id, enabled);
}

void MemoryDownloadDialog::OnBrowse() {
  const std::u16string start = env_.controls.Text(memory_control::kFolder);
  if (const auto chosen = env_.window.ChooseFolder(Text(TextId::chooseFolder), start)) {
    env_.controls.SetText(memory_control::kFolder, *chosen);
  }
}

std::filesystem::path MemoryDownloadDialog::Destination(const std::u16string& folder,
                                                        const std::u16string& name) const {
  return std::filesystem::path(folder) / std::filesystem::path(name + std::u16string(kExtension));
}

bool MemoryDownloadDialog::CheckDestination(const std::u16string& folder, const std::u16string& name) {
  if (folder.empty()) {
    env_.boxes.Show(Text(TextId::noDestinationFolder), MessageIcon::error);
    return false;
  }
  if (name.empty()) {
    env_.boxes.Show(Text(TextId::noFileName), MessageIcon::error);
    env_.controls.Focus(memory_control::kFileName);
    return false;
  }
  if (HasForbiddenCharacter(name)) {
    env_.boxes.Show(Text(TextId::forbiddenCharacter), MessageIcon::error);
    env_.controls.Focus(memory_control::kFileName);
    return false;
  }
  std::error_code error;
  if (std::filesystem::exists(Destination(folder, name), error)) {
    return env_.boxes.Ask(Text(TextId::overwriteQuestion), MessageIcon::warning, MessageButtons::yesNo) ==
           MessageAnswer::yes;
  }
  return true;
}

void MemoryDownloadDialog::OnOk() {
  if (finished_) {
    using namespace memory_control;
    for (const int id : {kBrowse, kFileName, kCancel}) env_.controls.Enable(id, true);
    env_.window.End(true);
    return;
  }
  const std::u16string folder = env_.controls.Text(memory_control::kFolder);
  const std::u16string name = env_.controls.Text(memory_control::kFileName);
  if (!CheckDestination(folder, name)) return;
  env_.settings.memFolder = folder;
  env_.settings.memFileName = name;

  if (download_.Running()) return;
  EnableInputs(false);
  busy_ = true;
  readerSucceeded_ = false;
  times_.Restart();

  const MeterIdentity meter = CurrentIdentity();
  MemoryDownloadSetup setup;
  setup.file = Destination(folder, name);
  setup.meter = {meter.modelIndex, meter.serialNumber, meter.firmwareVersion};
  setup.format = MemoryCsvFormat::FromSettings(env_.settings, temperatureUnit_);
  if (download_.Start(std::move(setup)) != MemoryDownload::StartResult::started) {
    env_.boxes.Show(Filled(Text(TextId::firmwareNotSupported), kOldestSupportedVersion), MessageIcon::information);
    busy_ = false;
    EnableInputs(true);
  }
}

bool MemoryDownloadDialog::OnCancel() {
  if (busy_) return false;
  env_.controls.SetText(memory_control::kFolder, env_.settings.memFolder);
  env_.controls.SetText(memory_control::kFileName, env_.settings.memFileName);
  env_.window.End(false);
  return true;
}

void MemoryDownloadDialog::Abandon() {
  abandoned_ = true;
  download_.Stop();
}

void MemoryDownloadDialog::Finish() {
  busy_ = false;
  finished_ = true;
  OnOk();
}

bool MemoryDownloadDialog::OnMessage(int n, std::intptr_t parameter) {
  using namespace memory_control;
  Controls& controls = env_.controls;
  MemoryDialogWindow& window = env_.window;
  if (n < memory_message::kStart || n > memory_message::kNothingSaved) return false;
  if (abandoned_) return true;
  switch (n) {
    case memory_message::kStart: {
      const int total = static_cast<int>(parameter);
      window.SetRange(kProgress, total);
      window.SetPosition(kProgress, 0);
      window.SetRange(kRingBar, MemoryRing::kSlots);
      window.SetPosition(kRingBar, 0);
      controls.SetText(kStatus, Text(TextId::readingData));
      controls.SetText(kCount, CountText(0, total));
      controls.SetText(kRemainLabel, Text(TextId::remainLabel));
      controls.SetText(kElapsedLabel, Text(TextId::elapsedLabel));
      break;
    }
    case memory_message::kProgress: {
      const int fetched = static_cast<int>(parameter);
      const int total = download_.Total();
      window.SetPosition(kProgress, fetched);
      controls.SetText(kCount, CountText(fetched, total));
      times_.Update(fetched, total, download_.SecondsSinceReaderStart(), download_.SecondsSinceStart(), env_.language,
                    remaining_, elapsed_);
      controls.SetText(kRemain, remaining_);
      controls.SetText(kElapsed, elapsed_);
      break;
    }
    case memory_message::kRingFill:
      window.SetPosition(kRingBar, static_cast<int>(parameter));
      break;
    case memory_message::kReaderEnd:
      readerSucceeded_ = parameter == 1;
      break;
    case memory_message::kWriterEnd: {
      const MemoryOutcome outcome = download_.Outcome();
      std::u16string text;
      MessageIcon icon = MessageIcon::error;
      if (outcome == MemoryOutcome::writeError) {
        text = download_.WriteErrorText(env_.language);
      } else if (outcome == MemoryOutcome::complete && readerSucceeded_) {
        text = Text(TextId::readingCompleted);
        icon = MessageIcon::information;
      } else {
        text = Text(TextId::readError);
      }
      controls.SetText(kStatus, text);
      // The two threads' fill reports may arrive out of turn; the ring is empty now.
      window.SetPosition(kRingBar, 0);
      controls.Enable(kOk, true);
      env_.boxes.Show(text, icon);
      Finish();
      break;
    }
    case memory_message::kFileError:
      busy_ = false;
      env_.boxes.Show(Filled(Text(TextId::cannotOpen), env_.settings.memFileName + std::u16string(kExtension)),
                      MessageIcon::error);
      EnableInputs(true);
      break;
    case memory_message::kNothingSaved:
      env_.boxes.Show(Text(TextId::nothingSaved), MessageIcon::information);
      for (const int id : {kBrowse, kFileName, kOk}) controls.Enable(id, true);
      Finish();
      break;
  }
  return true;
}
