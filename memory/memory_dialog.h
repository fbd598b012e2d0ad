// CDlgMemData's logic: the destination boxes and their checks, the start
// of the download, and the dialog's reactions to the download's reports.
// The window only lays out the controls and forwards clicks and messages.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "memory/download_times.h"
#include "memory/memory_download.h"
#include "persistence/settings.h"
#include "text/text_id.h"
#include "window/controls.h"
#include "window/window.h"

namespace memory_control {
inline constexpr int kCaption = 0;  // the window's title
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kFolder = 1107;  // read-only
inline constexpr int kBrowse = 1108;
inline constexpr int kFileName = 1109;  // without ".csv"
inline constexpr int kProgress = 1110;  // memories fetched
inline constexpr int kStatus = 1111;
inline constexpr int kCount = 1112;  // "fetched / total"
inline constexpr int kFileNameLabel = 1113;
inline constexpr int kFolderLabel = 1114;
inline constexpr int kGroup = 1115;
inline constexpr int kRemainLabel = 1116;
inline constexpr int kRemain = 1117;
inline constexpr int kElapsedLabel = 1118;
inline constexpr int kElapsed = 1119;
inline constexpr int kRingBar = 1120;  // the ring's fill, 0-10
}  // namespace memory_control

// What the dialog asks of its window beyond its controls.  Calls come on
// the window's thread.
class MemoryDialogWindow {
 public:
  virtual ~MemoryDialogWindow() = default;
  // Progress bars run from 0 to `maximum`.
  virtual void SetRange(int id, int maximum) = 0;
  virtual void SetPosition(int id, int position) = 0;
  // The folder chooser with its title, opened at `start`; nothing when cancelled.
  virtual std::optional<std::u16string> ChooseFolder(std::u16string_view title, std::u16string_view start) = 0;
  // Closes the dialog: accepted (OK) or not (Cancel).
  virtual void End(bool accepted) = 0;
};

struct MemoryDialogEnvironment {
  Controls& controls;  // the dialog's own; kCaption is its title
  MemoryDialogWindow& window;
  AppMessages& messages;  // the dialog's own: the download reports there
  MessageBoxes& boxes;
  Settings& settings;  // memFolder, memFileName, decimalSymbol, listSeparator
  int language;        // 0 Japanese, 1 English
};

class MemoryDownloadDialog {
 public:
  explicit MemoryDownloadDialog(MemoryDialogEnvironment environment)
      : env_(environment), download_(environment.messages) {}

  // The connected meter's temperature unit (0 Celsius, 1 Fahrenheit), from
  // the monitor snapshot: stored temperatures are converted to it.
  void SetTemperatureUnit(int unit) { temperatureUnit_ = unit; }

  void OnInitDialog();
  void OnBrowse();
  void OnOk();
  // Cancel, Esc or the window's close button; refused (false) while a
  // download runs, which cannot be interrupted.
  bool OnCancel();
  // A report of the download; true when it was one.
  bool OnMessage(int n, std::intptr_t parameter);

  // From an accepted OK until the download's end report.
  bool Busy() const { return busy_; }
  // The window goes while the threads may still run: they are asked to
  // end, and later reports are ignored.  The window keeps handling its
  // messages until Download().Running() is false.
  void Abandon();
  const MemoryDownload& Download() const { return download_; }

 private:
  std::filesystem::path Destination(const std::u16string& folder, const std::u16string& name) const;
  bool CheckDestination(const std::u16string& folder, const std::u16string& name);
  void EnableInputs(bool enabled);
  void Finish();
  std::u16string Text(TextId text) const;

  MemoryDialogEnvironment env_;
  MemoryDownload download_;
  DownloadTimes times_;
  int temperatureUnit_ = 0;
  bool busy_ = false;
  bool finished_ = false;
  bool abandoned_ = false;
  bool readerSucceeded_ = false;
  std::u16string remaining_, elapsed_;
};

// Characters a file name may not hold: \ / : , ; * ? " < > |
bool HasForbiddenCharacter(std::u16string_view name);
