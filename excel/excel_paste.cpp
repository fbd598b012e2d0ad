#include "excel/excel_paste.h"

#include "base/text_helpers.h"
#include "excel/excel_controls.h"
#include "text/ui_text.h"

namespace {

using namespace excel_control;

// Holds `flag` while a call runs, however the call returns.
class Holding {
 public:
  explicit Holding(bool& flag) : flag_(flag) { flag_ = true; }
  ~Holding() { flag_ = false; }
  Holding(const Holding&) = delete;
  Holding& operator=(const Holding&) = delete;

 private:
  bool& flag_;
};

}  // namespace

ExcelPaste::ExcelPaste(ExcelPasteEnvironment environment)
    : env_(std::move(environment)), thread_(env_.window, env_.clocks, [this] { return Wait(); }) {}

void ExcelPaste::Create(int language) {
  Relabel(language);
  const Settings& s = env_.settings;
  env_.controls.SelectListItem(kIntervalList, std::clamp(s.excelIntervalIndex, 0, 12));
  env_.controls.SetCheck(kByReturn, s.excelTakeInMode == 1);
  env_.controls.SetCheck(kByInterval, s.excelTakeInMode != 1);
  env_.controls.SetCheck(kUseRecordSetting, s.excelUseRecordSetting != 0);
  SetDetachedControls();
}

void ExcelPaste::Relabel(int language) {
  language_ = language;
  const std::pair<int, TextId> texts[] = {{kOpen, TextId::excelOpen},
                                          {kByReturn, TextId::byReturnKey},
                                          {kByInterval, TextId::byTimeInterval},
                                          {kUseRecordSetting, TextId::useRecordSetting},
                                          {kIntervalLabel, TextId::intervalShort},
                                          {kClose, TextId::close}};
  for (const auto& [id, text] : texts) env_.controls.SetText(id, Word(text, language));
  env_.controls.SetText(kStartStop, Word(intervalRunning_ ? TextId::takeInStop : TextId::takeInStart, language));
  const int selected = env_.controls.ListSelection(kIntervalList);
  env_.controls.ClearList(kIntervalList);
  for (const int seconds : kTakeInIntervals) {
    const bool minutes = seconds >= 60;
    const TextId unit = minutes ? TextId::minuteSuffix : TextId::secondSuffix;
    env_.controls.AddListItem(kIntervalList,
                              NumberText(minutes ? seconds / 60 : seconds) + std::u16string(Word(unit, language)));
  }
  env_.controls.SelectListItem(kIntervalList, selected);
}

void ExcelPaste::SetDetachedControls() {
  for (const int id : {kByReturn, kByInterval, kUseRecordSetting, kIntervalList, kIntervalLabel, kStartStop}) {
    env_.controls.Enable(id, false);
  }
  env_.controls.Enable(kOpen, true);
}

// Attached and not running: what the take-in mode offers.
void ExcelPaste::SetIdleControls() {
  const bool interval = env_.settings.excelTakeInMode == 0;
  const bool ownList = interval && env_.settings.excelUseRecordSetting == 0;
  env_.controls.Enable(kByReturn, true);
  env_.controls.Enable(kByInterval, true);
  env_.controls.Enable(kUseRecordSetting, interval);
  env_.controls.Enable(kIntervalList, ownList);
  env_.controls.Enable(kIntervalLabel, ownList);
  env_.controls.Enable(kStartStop, interval);
}

void ExcelPaste::Attach(const std::u16string& file) {
  env_.controls.Enable(kOpen, false);
  std::unique_ptr<SpreadsheetProgram> program = env_.program ? env_.program() : nullptr;
  if (!program || !program->Start(file.empty(), file)) {
    env_.boxes.Show(Word(TextId::excelNotFound, language_), MessageIcon::information);
    SetDetachedControls();
    env_.controls.Focus(kOpen);
    return;
  }
  program_ = std::move(program);
  version_ = program_->Version();
  SetIdleControls();
  env_.controls.Focus(env_.settings.excelTakeInMode == 1 ? kByReturn : kStartStop);
}

void ExcelPaste::OnClicked(int id) {
  Settings& s = env_.settings;
  switch (id) {
    case kByReturn:
    case kByInterval:
      s.excelTakeInMode = id == kByReturn ? 1 : 0;
      env_.controls.SetCheck(kByReturn, id == kByReturn);
      env_.controls.SetCheck(kByInterval, id == kByInterval);
      SetIdleControls();
      break;
    case kUseRecordSetting:
      s.excelUseRecordSetting = env_.controls.Checked(kUseRecordSetting) ? 1 : 0;
      env_.controls.Enable(kIntervalList, s.excelUseRecordSetting == 0);
      env_.controls.Enable(kIntervalLabel, s.excelUseRecordSetting == 0);
      break;
    case kStartStop:
      if (RefuseWithoutMeter()) return;
      if (!intervalRunning_) {
        for (const int control : {kByReturn, kByInterval, kUseRecordSetting, kIntervalList}) {
          env_.controls.Enable(control, false);
        }
        intervalRunning_ = true;
        s.excelUseRecordSetting = env_.controls.Checked(kUseRecordSetting) ? 1 : 0;
        const int selected = env_.controls.ListSelection(kIntervalList);
        if (selected >= 0) s.excelIntervalIndex = selected;
        env_.controls.SetText(kStartStop, Word(TextId::takeInStop, language_));
        thread_.Start();
      } else {
        StopInterval(false);
      }
      if (!env_.recording()) env_.mainWindow.Post(app_message::kMemoryMenu, intervalRunning_ ? 1 : 0);
      break;
    default:
      break;
  }
}

void ExcelPaste::OnSelection(int id) {
  if (id != kIntervalList) return;
  const int selected = env_.controls.ListSelection(kIntervalList);
  if (selected >= 0) env_.settings.excelIntervalIndex = selected;
}

// The interval take-in ends: the controls of the idle state again.
void ExcelPaste::StopInterval(bool writeError) {
  env_.controls.Enable(kByReturn, true);
  env_.controls.Enable(kByInterval, true);
  if (!writeError) env_.controls.Enable(kUseRecordSetting, true);
  env_.controls.Enable(kIntervalList, writeError || env_.settings.excelUseRecordSetting == 0);
  intervalRunning_ = false;
  env_.controls.SetText(kStartStop, Word(TextId::takeInStart, language_));
  thread_.Stop();
}

void ExcelPaste::StopTakeIn() {
  if (!intervalRunning_) return;
  StopInterval(false);
  if (!env_.recording()) env_.mainWindow.Post(app_message::kMemoryMenu, 0);
}

bool ExcelPaste::RefuseWithoutMeter() {
  if (env_.meterConnected()) return false;
  env_.boxes.Show(Word(TextId::excelMonitorStopped, language_), MessageIcon::information);
  env_.mainWindow.Post(app_message::kFocusMonitorButton, 0);
  return true;
}

bool ExcelPaste::OnReturnKey() {
  if (!program_ || env_.settings.excelTakeInMode != 1) return false;
  if (!RefuseWithoutMeter()) env_.mainWindow.Post(app_message::kReturnTakeIn, 0);
  return true;
}

std::int64_t ExcelPaste::Wait() const {
  const Settings& s = env_.settings;
  if (s.excelUseRecordSetting) return RecordingIntervalSeconds(s);
  return kTakeInIntervals[std::clamp(s.excelIntervalIndex, 0, 12)];
}

bool ExcelPaste::OnMessage(int n, std::intptr_t) {
  if (n != app_message::kIntervalElapsed) return false;
  if (thread_.NotedFirst()) runCount_ = 0;
  env_.mainWindow.Post(app_message::kIntervalTakeIn, 0);
  return true;
}

void ExcelPaste::TakeInNow() { WriteRow(env_.clocks.now()); }

void ExcelPaste::TakeInAtNotedTime() {
  if (!intervalRunning_) return;  // on its way when the take-in stopped
  WriteRow(thread_.NotedTime());
  const Settings& s = env_.settings;
  if (!intervalRunning_ || !s.excelUseRecordSetting) return;
  const std::int64_t recordTime =
      std::int64_t{s.recordHours} * 3600 + std::int64_t{s.recordMinutes} * 60 + s.recordSeconds;
  const bool done =
      s.totalMode == 1 ? RecordingIntervalSeconds(s) * (runCount_ - 1) >= recordTime : runCount_ >= s.dataCount;
  if (done) StopTakeIn();
}

void ExcelPaste::WriteRow(const CDateTime& takeInTime) {
  if (writing_ || !program_) return;
  const Holding holding(writing_);

  const SheetPresence presence = program_->Check();
  if (presence != SheetPresence::present) return;
  const SheetCell cell = program_->ActiveCell();
  const SheetCell limits = program_->Limits();
  if (writeError_ && !(cell == errorCell_)) writeError_ = false;
  if (cell.column > limits.column || cell.row > limits.row || writeError_) {
    if (intervalRunning_) StopInterval(true);
    env_.boxes.Show(Word(TextId::excelWriteError, language_), MessageIcon::error);
    writeError_ = true;
    errorCell_ = cell;
    return;
  }

  _READING_TEXT text = env_.published.Latest().forSpreadsheet;
  const CalendarTime t = takeInTime.ToCalendar().value_or(CalendarTime{});
  const std::u16string date = DateText(t.year, t.month, t.day);
  const std::u16string time = ClockText(t.hour, t.minute, t.second);
  text.text[_READING_TEXT::kTimeStamp] = date + u"," + time;
  ++rowCounter_;
  ++runCount_;
  using T = _READING_TEXT;
  const std::u16string mainMark = text.value[T::kMainOver] ? u"OVER" : text.value[T::kMainOpen] ? u"OPEN" : u"";
  const std::pair<std::u16string, std::u16string_view> cells[] = {{NumberText(rowCounter_), u""},
                                                                  {date, u"10"},
                                                                  {time, u"8.38"},
                                                                  {text.text[T::kMainFunction], u"8"},
                                                                  {text.text[T::kMainValue], u"8"},
                                                                  {text.text[T::kMainUnit], u"8"},
                                                                  {mainMark, u"8"},
                                                                  {text.text[T::kSubFunction], u"8"},
                                                                  {text.text[T::kSubValue], u"8"},
                                                                  {text.text[T::kSubUnit], u"8"},
                                                                  {text.value[T::kSubOver] ? u"OVER" : u"", u"8"}};
  SheetCell at = cell;
  for (std::size_t i = 0; i < std::size(cells); ++i) {
    program_->WriteActiveCell(cells[i].first, cells[i].second);
    if (i + 1 < std::size(cells)) program_->Activate(at = {at.column + 1, at.row});
  }
  if (cell.row == limits.row) {
    writeError_ = true;
  } else {
    program_->Activate({cell.column, cell.row + 1});
  }
  if (writeError_) errorCell_ = program_->ActiveCell();
}

void ExcelPaste::OnCheckTimer(bool focusHere) {
  if (checking_ || !program_) return;
  const Holding holding(checking_);
  bool gone;
  if (focusHere) {
    const SheetPresence presence = program_->Check();
    editing_ = presence == SheetPresence::editing;
    gone = presence == SheetPresence::gone;
  } else {
    gone = !program_->AnyWindow();
  }
  if (gone) Detach();
}

// The spreadsheet program was closed: let go of it and say so.
void ExcelPaste::Detach() {
  thread_.Stop();
  program_->Release();
  program_.reset();
  SetDetachedControls();
  env_.controls.Focus(kOpen);
  runCount_ = 0;
  env_.boxes.Show(Word(TextId::excelClosed, language_), MessageIcon::information);
  intervalRunning_ = false;
  env_.controls.SetText(kStartStop, Word(TextId::takeInStart, language_));
  if (!env_.recording()) env_.mainWindow.Post(app_message::kMemoryMenu, 0);
}

void ExcelPaste::OnClose() { env_.mainWindow.Post(app_message::kSpreadsheetClosed, 0); }
