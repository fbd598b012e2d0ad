#include "memory/memory_dialog.h"

#include <system_error>

#include "text/ui_text.h"
#include "link/identification.h"

namespace {

namespace w {
constexpr int kCaption = 107;
constexpr int kGroup = 108;
constexpr int kFolderLabel = 109;
constexpr int kFileNameLabel = 110;
constexpr int kBrowse = 111;
constexpr int kRemain = 112;
constexpr int kElapsed = 113;
constexpr int kChooseFolder = 116;
constexpr int kCancel = 117;
constexpr int kNoFolder = 162;
constexpr int kNoFileName = 163;
constexpr int kForbiddenCharacter = 164;
constexpr int kOverwrite = 165;
constexpr int kReading = 166;
constexpr int kCannotOpen = 167;  // %s: the file name
constexpr int kCompleted = 168;
constexpr int kReadError = 169;
constexpr int kNothingSaved = 170;
constexpr int kFirmwareNotSupported = 181;  // both %s: the oldest supported version
}  // namespace w

constexpr std::u16string_view kOldestSupportedVersion = u"0.83";
constexpr std::u16string_view kForbidden = u"\\/:,;*?\"<>|";
constexpr std::u16string_view kExtension = u".csv";

std::u16string Number(long long value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

// Every "%s" of `pattern` replaced by `value`.
std::u16string Filled(std::u16string_view pattern, std::u16string_view value) {
  std::u16string text(pattern);
  for (std::size_t at = text.find(u"%s"); at != std::u16string::npos; at = text.find(u"%s", at + value.size())) {
    text.replace(at, 2, value);
  }
  return text;
}

std::u16string CountText(int fetched, int total) { return Number(fetched) + u" / " + Number(total); }

}  // namespace

bool HasForbiddenCharacter(std::u16string_view name) { return name.find_first_of(kForbidden) != std::u16string_view::npos; }

std::u16string MemoryDownloadDialog::Text(int word) const { return std::u16string(Word(word, env_.language)); }

void MemoryDownloadDialog::OnInitDialog() {
  using namespace memory_control;
  MemoryDialogView& view = env_.view;
  view.SetText(kCaption, Text(w::kCaption));
  view.SetText(kGroup, Text(w::kGroup));
  view.SetText(kFolderLabel, Text(w::kFolderLabel));
  view.SetText(kFileNameLabel, Text(w::kFileNameLabel));
  view.SetText(kBrowse, Text(w::kBrowse));
  view.SetText(kOk, u"OK");
  view.SetText(kCancel, Text(w::kCancel));
  view.SetText(kFolder, env_.settings.memFolder);
  view.SetText(kFileName, env_.settings.memFileName);
  for (const int id : {kStatus, kCount, kRemainLabel, kRemain, kElapsedLabel, kElapsed}) view.SetText(id, u"");
  for (const int id : {kProgress, kRingBar}) view.SetPosition(id, 0);
  EnableInputs(true);
  busy_ = finished_ = abandoned_ = readerSucceeded_ = false;
  remaining_.clear();
  elapsed_.clear();
}

void MemoryDownloadDialog::EnableInputs(bool enabled) {
  using namespace memory_control;
  for (const int id : {kBrowse, kFileName, kOk, kCancel}) env_.view.Enable(id, enabled);
}

void MemoryDownloadDialog::OnBrowse() {
  const std::u16string start = env_.view.Text(memory_control::kFolder);
  if (const auto chosen = env_.view.ChooseFolder(Text(w::kChooseFolder), start)) {
    env_.view.SetText(memory_control::kFolder, *chosen);
  }
}

std::filesystem::path MemoryDownloadDialog::Destination(const std::u16string& folder,
                                                        const std::u16string& name) const {
  return std::filesystem::path(folder) / std::filesystem::path(name + std::u16string(kExtension));
}

bool MemoryDownloadDialog::CheckDestination(const std::u16string& folder, const std::u16string& name) {
  if (folder.empty()) {
    env_.boxes.Show(Text(w::kNoFolder), MessageIcon::error);
    return false;
  }
  if (name.empty()) {
    env_.boxes.Show(Text(w::kNoFileName), MessageIcon::error);
    env_.view.Focus(memory_control::kFileName);
    return false;
  }
  if (HasForbiddenCharacter(name)) {
    env_.boxes.Show(Text(w::kForbiddenCharacter), MessageIcon::error);
    env_.view.Focus(memory_control::kFileName);
    return false;
  }
  std::error_code error;
  if (std::filesystem::exists(Destination(folder, name), error)) {
    return env_.boxes.Ask(Text(w::kOverwrite), MessageIcon::warning, MessageButtons::yesNo) == MessageAnswer::yes;
  }
  return true;
}

void MemoryDownloadDialog::OnOk() {
  if (finished_) {
    using namespace memory_control;
    for (const int id : {kBrowse, kFileName, kCancel}) env_.view.Enable(id, true);
    env_.view.End(true);
    return;
  }
  const std::u16string folder = env_.view.Text(memory_control::kFolder);
  const std::u16string name = env_.view.Text(memory_control::kFileName);
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
    env_.boxes.Show(Filled(Text(w::kFirmwareNotSupported), kOldestSupportedVersion), MessageIcon::information);
    busy_ = false;
    EnableInputs(true);
  }
}

bool MemoryDownloadDialog::OnCancel() {
  if (busy_) return false;
  env_.view.SetText(memory_control::kFolder, env_.settings.memFolder);
  env_.view.SetText(memory_control::kFileName, env_.settings.memFileName);
  env_.view.End(false);
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
  MemoryDialogView& view = env_.view;
  if (n < memory_message::kStart || n > memory_message::kNothingSaved) return false;
  if (abandoned_) return true;
  switch (n) {
    case memory_message::kStart: {
      const int total = static_cast<int>(parameter);
      view.SetRange(kProgress, total);
      view.SetPosition(kProgress, 0);
      view.SetRange(kRingBar, MemoryRing::kSlots);
      view.SetPosition(kRingBar, 0);
      view.SetText(kStatus, Text(w::kReading));
      view.SetText(kCount, CountText(0, total));
      view.SetText(kRemainLabel, Text(w::kRemain));
      view.SetText(kElapsedLabel, Text(w::kElapsed));
      break;
    }
    case memory_message::kProgress: {
      const int fetched = static_cast<int>(parameter);
      const int total = download_.Total();
      view.SetPosition(kProgress, fetched);
      view.SetText(kCount, CountText(fetched, total));
      times_.Update(fetched, total, download_.SecondsSinceReaderStart(), download_.SecondsSinceStart(),
                    env_.language, remaining_, elapsed_);
      view.SetText(kRemain, remaining_);
      view.SetText(kElapsed, elapsed_);
      break;
    }
    case memory_message::kRingFill:
      view.SetPosition(kRingBar, static_cast<int>(parameter));
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
        text = Text(w::kCompleted);
        icon = MessageIcon::information;
      } else {
        text = Text(w::kReadError);
      }
      view.SetText(kStatus, text);
      // The two threads' fill reports may arrive out of turn; the ring is empty now.
      view.SetPosition(kRingBar, 0);
      view.Enable(kOk, true);
      env_.boxes.Show(text, icon);
      Finish();
      break;
    }
    case memory_message::kFileError:
      busy_ = false;
      env_.boxes.Show(Filled(Text(w::kCannotOpen), env_.settings.memFileName + std::u16string(kExtension)),
                      MessageIcon::error);
      EnableInputs(true);
      break;
    case memory_message::kNothingSaved:
      env_.boxes.Show(Text(w::kNothingSaved), MessageIcon::information);
      for (const int id : {kBrowse, kFileName, kOk}) view.Enable(id, true);
      Finish();
      break;
  }
  return true;
}
