#include "recording/recording_engine.h"

#include "base/text_helpers.h"

#include <algorithm>
#include <optional>
#include <string>

#include "base/utf16.h"
#include "catalogue/catalogue.h"
#include "link/identification.h"
#include "recording/record_controls.h"
#include "recording/record_info_page.h"
#include "recording/record_rendering.h"
#include "recording/time_texts.h"
#include "text/text_id.h"

namespace {

using namespace record_control;

// File menu state: `grey` the save items; `openToo` does the same to Open.
std::intptr_t FileMenuState(bool grey, bool openToo) { return (grey ? 1 : 0) + (openToo ? app_message::kAlsoOpen : 0); }

}  // namespace

RecordingEngine::RecordingEngine(RecordingEnvironment environment)
    : env_(std::move(environment)), interval_(env_.messages, env_.clocks) {}

bool RecordingEngine::OnMessage(int n, std::intptr_t parameter) {
  switch (n) {
    case app_message::kIntervalTick:
      OnIntervalTick(*reinterpret_cast<const IntervalTick*>(parameter));
      return true;
    case app_message::kManualSample:
      OnManualSample();
      return true;
    case app_message::kShowPage:
      env_.list.ShowPage(static_cast<int>(parameter));
      return true;
    default:
      return false;
  }
}

// A recording read from a file belongs to one meter: recording another
// meter over it would mix two instruments in one list.
bool RecordingEngine::SerialNumberAccepted() {
  if (!tiedToFile || Utf8ToUtf16(CurrentIdentity().serialNumber) == env_.store.recordSerial) return true;
  const MessageAnswer answer =
      env_.boxes.Ask(UiWord(TextId::serialMismatch), MessageIcon::warning, MessageButtons::yesNo);
  if (answer != MessageAnswer::yes) return false;
  ClearAllAndReset();
  return true;
}

void RecordingEngine::OnStart() {
  if (env_.snapshot.Data().confError) return;
  if (!SerialNumberAccepted()) return;
  env_.window.Enable(kStart, false);
  env_.window.Enable(kStop, true);
  env_.shell.Focus(kStop);
  for (const int id : {kManual, kGraphCopy, kSave, kClear}) env_.window.Enable(id, false);
  ResetRecordingDisplay();
  env_.list.EnablePaging(false);
  recording_ = true;
  env_.messages.Post(app_message::kMemoryMenu, 1);
  env_.messages.Post(app_message::kSaveMenu, FileMenuState(true, true));
  const Settings& s = env_.settings;
  interval_.Start(s.intervalMode, RecordingIntervalSeconds(s), s.fastIntervalIndex);
}

void RecordingEngine::OnManual() {
  if (env_.snapshot.Data().confError) return;
  if (!SerialNumberAccepted()) return;
  env_.messages.Send(app_message::kManualSample, 0);
}

void RecordingEngine::StopRecording() {
  if (!recording_) return;  // the cycle may ask just after a stop condition ended the run
  interval_.Stop();
  recording_ = false;
  RecordStore& store = env_.store;
  env_.window.Enable(kStart, true);
  env_.shell.Focus(kStart);
  env_.window.Enable(kStop, false);
  env_.window.Enable(kManual, true);
  env_.window.Enable(kGraphCopy, store.runCount > 0);
  env_.window.Enable(kSave, store.recordCount() > 0);
  env_.window.Enable(kClear, store.recordCount() > 0);
  env_.list.EnablePaging(true);
  store.stopTime = store.lastTickTime;
  store.stopTimeText = RealTimeText(store.stopTime);
  env_.window.SetText(kStopTime, store.stopTimeText);
  if (!env_.spreadsheetCapturing()) env_.messages.Post(app_message::kMemoryMenu, 0);
  if (store.recordCount() > 0) env_.messages.Post(app_message::kSaveMenu, FileMenuState(false, true));
  TellJournal();
}

void RecordingEngine::ShowDataCount() { env_.info.SetText(kDataCount, NumberText(env_.store.recordCount())); }

void RecordingEngine::ShowLastPage(bool enablePaging) {
  Paging& paging = env_.list.paging;
  if (paging.currentPage == paging.lastPage) return;
  paging.currentPage = paging.lastPage;
  if (enablePaging) env_.list.EnablePaging(true);
  env_.list.RefreshPageLabel();
  env_.list.ShowPage(paging.currentPage);
}

// One more row on the last page; the 1001st starts a new page.
void RecordingEngine::CountRow(bool enablePaging) {
  Paging& paging = env_.list.paging;
  if (++paging.lastPageRows <= kRowsPerPage) return;
  paging.lastPageRows = 1;
  paging.currentPage = ++paging.lastPage;
  env_.list.DeleteAllRows();
  if (enablePaging) env_.list.EnablePaging(true);
  env_.list.RefreshPageLabel();
}

void RecordingEngine::AddRowForCurrentReading(_READING_TEXT text) {
  env_.list.AddRow(text);
  const _MONITOR_DATA& data = env_.snapshot.Data();
  const int model = CurrentIdentity().modelIndex;
  const Family family = FamilyOf(model);
  const int function = data.functionIndex;
  const bool peak = family != Family::RV732X && data.status[kStatusPeak] != 0;
  const std::u16string range(
      RangeName(family, function, peak ? RangeSetKind::peak : RangeSetKind::normal, data.rangeIndex));
  env_.info.SetText(kFunction, LongName(family, function));
  env_.info.SetText(kRange, range);
  env_.store.recordFunction = function;
  env_.store.recordRangeText = range;
}

void RecordingEngine::UpdateStatistics(const Publication& reading, const std::u16string& timeText, bool sub) {
  RecordStore& store = env_.store;
  const _RECORD_DATA& record = reading.recordTemplate;
  const int model = CurrentIdentity().modelIndex;
  const ExtremeValue sample =
      sub ? ExtremeValue{store.lastTickTime, record.subFunction, record.subCount, record.subRange}
          : ExtremeValue{store.lastTickTime, record.mainFunction, record.mainCount, record.mainRange};
  using T = _READING_TEXT;
  const std::u16string& value = reading.forRecording.text[sub ? T::kSubValue : T::kMainValue];
  const std::u16string& unit = reading.forRecording.text[sub ? T::kSubUnit : T::kMainUnit];
  const std::u16string& longLabel = reading.forSpreadsheet.text[sub ? T::kSubFunction : T::kMainFunction];
  const std::u16string shown = value + u" " + unit;
  auto line = [&](int id, const std::u16string& text) {
    env_.list.ShowStatisticsLine(id, StatisticsLine(timeText, longLabel, text));
  };

  Extreme& listMax = sub ? store.listMaxSub : store.listMaxMain;
  if (UpdateMax(listMax, sample, false, model)) {
    (sub ? store.maxSubTime : store.maxMainTime) = sample.time;
    (sub ? store.maxSubFunction : store.maxMainFunction) = sample.function;
    std::u16string& text = sub ? store.maxSubText : store.maxMainText;
    text = shown;
    line(sub ? kSubMax : kMainMax, text);
  }
  if (UpdateMax(sub ? store.graphMaxSub : store.graphMaxMain, sample, true, model)) {
    env_.graph.FeedMaximum(sub, record, unit, model);
  }
  if (UpdateMin(sub ? store.listMinSub : store.listMinMain, sample, false, model)) {
    (sub ? store.minSubTime : store.minMainTime) = sample.time;
    std::u16string& text = sub ? store.minSubText : store.minMainText;
    text = shown;
    line(sub ? kSubMin : kMainMin, text);
  }
  if (UpdateMin(sub ? store.graphMinSub : store.graphMinMain, sample, true, model)) {
    env_.graph.FeedMinimum(sub, record, model);
  }
}

// The statistics of the run's records left after a clear of its newest:
// an extreme that is in no record would show, and be saved, as a result.
// The records are fed in their order through the comparisons of the
// append, so the outcome is the one the run would have had without the
// removed record; the texts are rendered from the records that hold them.
void RecordingEngine::RecomputeRunStatistics() {
  RecordStore& store = env_.store;
  const int model = env_.list.Context().modelIndex;
  store.ResetStatistics();
  struct ListExtreme {
    Extreme& extreme;
    bool max, sub;
    std::u16string& text;
    CDateTime& time;
    std::optional<_RECORD_DATA> record;  // the newest that reached it
  };
  ListExtreme extremes[] = {{store.listMaxMain, true, false, store.maxMainText, store.maxMainTime, {}},
                            {store.listMinMain, false, false, store.minMainText, store.minMainTime, {}},
                            {store.listMaxSub, true, true, store.maxSubText, store.maxSubTime, {}},
                            {store.listMinSub, false, true, store.minSubText, store.minSubTime, {}}};
  const std::size_t first = store.Size() - static_cast<std::size_t>(store.runCount);
  if (store.runCount > 0) {
    const _RECORD_DATA firstOfRun = store.At(first);
    env_.graph.Prime(firstOfRun, static_cast<std::int32_t>(first) + 1, firstOfRun.hasSub != 0);
  }
  for (std::size_t i = first; i < store.Size(); ++i) {
    const _RECORD_DATA record = store.At(i);
    const CDateTime time(record.timeDate, static_cast<CDateTime::Status>(record.timeStatus));
    for (const bool sub : {false, true}) {
      if (sub && !record.hasSub) continue;
      const ExtremeValue sample = sub ? ExtremeValue{time, record.subFunction, record.subCount, record.subRange}
                                      : ExtremeValue{time, record.mainFunction, record.mainCount, record.mainRange};
      for (ListExtreme& e : extremes) {
        if (e.sub != sub) continue;
        if (e.max ? UpdateMax(e.extreme, sample, false, model) : UpdateMin(e.extreme, sample, false, model)) {
          e.record = record;
        }
      }
      if (UpdateMax(sub ? store.graphMaxSub : store.graphMaxMain, sample, true, model)) {
        env_.graph.FeedMaximum(sub, record, StoredUnit(record, model, sub), model);
      }
      if (UpdateMin(sub ? store.graphMinSub : store.graphMinMain, sample, true, model)) {
        env_.graph.FeedMinimum(sub, record, model);
      }
    }
  }
  for (ListExtreme& e : extremes) {
    e.text.clear();
    e.time = {};
    if (!e.record) continue;
    e.text = StoredValueText(*e.record, model, e.sub, u".") + u" " + StoredUnit(*e.record, model, e.sub);
    e.time = e.extreme.value.time;
  }
  store.maxMainFunction = store.listMaxMain.first ? 0 : store.listMaxMain.value.function;
  store.maxSubFunction = store.listMaxSub.first ? 0 : store.listMaxSub.value.function;
  env_.list.RefreshStatisticsLines();
}

// The journal follows the records that are not saved, and goes with them.
void RecordingEngine::TellJournal() {
  if (!env_.unsaved) return;
  if (saved) {
    env_.unsaved->AllSaved();
  } else {
    env_.unsaved->Changed();
  }
}

void RecordingEngine::MarkUnsaved(bool firstOfRun) {
  if (firstOfRun && tiedToFile && saved) {
    env_.shell.SetTitle(std::u16string(kProgramTitle) + u" - [" + fileName + u" *]");
  }
  saved = false;
}

bool RecordingEngine::StopConditionReached() const {
  const Settings& s = env_.settings;
  const std::int64_t runCount = env_.store.runCount;
  if (s.totalMode == 1) {
    const std::int64_t recordSeconds =
        std::int64_t{s.recordHours} * 3600 + std::int64_t{s.recordMinutes} * 60 + s.recordSeconds;
    return RecordingIntervalSeconds(s) * (runCount - 1) >= recordSeconds;
  }
  return runCount >= s.dataCount;
}

void RecordingEngine::OnIntervalTick(const IntervalTick& tick) {
  if (!recording_ || tick.Stale()) return;  // on its way when its run stopped
  RecordStore& store = env_.store;
  store.lastTickTime = tick.time;
  if (tick.firstOfRun) {
    store.runStartTime = tick.time;
    store.runCount = 0;
  }
  const Publication reading = env_.published.Latest();
  _RECORD_DATA record = reading.recordTemplate;

  const std::int32_t recordCount = store.recordCount() + 1;
  ++store.runCount;
  env_.info.SetText(kDataCount, NumberText(recordCount));
  ShowLastPage(false);
  CountRow(false);
  if (recordCount == 1) store.firstRecordTime = store.lastTickTime;
  if (store.runCount == 1) {
    store.startTimeText = RealTimeText(store.runStartTime);
    env_.window.SetText(kStartTime, store.startTimeText);
    env_.graph.Prime(record, recordCount, record.hasSub != 0);
    store.ResetStatistics();
  }
  _READING_TEXT text = reading.forRecording;
  const std::u16string timeText = TimeText(store.lastTickTime, env_.list.Context());
  text.text[_READING_TEXT::kTimeStamp] = timeText;
  UpdateStatistics(reading, timeText, false);
  const bool subPresent = text.value[_READING_TEXT::kSubPresent] != 0;
  if (subPresent) UpdateStatistics(reading, timeText, true);
  AddRowForCurrentReading(text);
  record.timeDate = store.lastTickTime.date();
  record.timeStatus = store.lastTickTime.status();
  store.Append(record);
  env_.graph.subShown = subPresent ? 1 : 0;
  env_.graphPage.RedrawGraph();
  if (StopConditionReached()) StopRecording();
  MarkUnsaved(store.runCount == 1);
  TellJournal();
}

void RecordingEngine::OnManualSample() {
  RecordStore& store = env_.store;
  const Publication reading = env_.published.Latest();
  _RECORD_DATA record = reading.recordTemplate;
  const std::int32_t recordCount = store.recordCount() + 1;
  env_.info.SetText(kDataCount, NumberText(recordCount));
  ShowLastPage(true);
  CountRow(true);
  store.lastTickTime = env_.clocks.now();
  if (recordCount == 1) {
    store.firstRecordTime = store.lastTickTime;
    env_.window.Enable(kSave, true);
    env_.window.Enable(kClear, true);
    env_.messages.Post(app_message::kSaveMenu, FileMenuState(false, true));
  }
  _READING_TEXT text = reading.forRecording;
  text.text[_READING_TEXT::kTimeStamp] = TimeText(store.lastTickTime, env_.list.Context());
  AddRowForCurrentReading(text);
  record.timeDate = store.lastTickTime.date();
  record.timeStatus = store.lastTickTime.status();
  store.Append(record);
  if (store.runCount > 0) {
    store.runCount = 0;
    env_.graphPage.ResetGraph();
    env_.window.Enable(kGraphCopy, false);
  } else {
    env_.graph.firstRecord = store.recordCount() + 1;
  }
  MarkUnsaved(true);
  TellJournal();
}

void RecordingEngine::OnClear() {
  const ClearChoice choice = env_.shell.AskClear();
  if (choice != ClearChoice::cancel) ClearRecords(choice);
}

void RecordingEngine::ClearRecords(ClearChoice choice) {
  RecordStore& store = env_.store;
  Paging& paging = env_.list.paging;
  if (choice == ClearChoice::all) {
    if (store.recordCount() > 0) {
      env_.list.DeleteAllRows();
      store.RemoveAll();
    }
    if (store.runCount > 0) {
      store.runCount = 0;
      env_.graphPage.ResetGraph();
    }
    paging = Paging{};
    env_.list.EnablePaging(false);
    env_.list.RefreshPageLabel();
  } else if (choice == ClearChoice::newest) {
    store.RemoveLast();
    if (store.runCount > 0) {
      --store.runCount;
      RecomputeRunStatistics();
      if (store.runCount > 0) {
        env_.graphPage.RedrawGraph();
      } else {
        env_.graphPage.ResetGraph();
      }
    }
    if (paging.lastPageRows > 0) {
      --paging.lastPageRows;
      env_.list.DeleteLastRow();
      if (paging.lastPageRows == 0 && paging.lastPage > 1) {
        paging.currentPage = --paging.lastPage;
        paging.lastPageRows = kRowsPerPage;
        env_.list.EnablePaging(true);
        env_.list.RefreshPageLabel();
        env_.list.ShowPage(paging.currentPage);
      }
    }
    if (paging.currentPage != paging.lastPage) ShowLastPage(true);
  } else {
    return;
  }
  ClearTail();
  TellJournal();
}

void RecordingEngine::ClearTail() {
  RecordStore& store = env_.store;
  ShowDataCount();
  if (store.runCount == 0) env_.window.Enable(kGraphCopy, false);
  if (store.recordCount() == 0) {
    saved = true;
    // An empty recording belongs to no file any more: Save must not write
    // the next run over the file it came from.
    if (tiedToFile) {
      tiedToFile = false;
      env_.shell.SetTitle(kProgramTitle);
    }
    env_.window.Enable(kSave, false);
    env_.window.Enable(kClear, false);
    ResetRecordingDisplay();
    env_.messages.Post(app_message::kSaveMenu, FileMenuState(true, false));
  }
}

void RecordingEngine::ClearAllAndReset() {
  ClearRecords(ClearChoice::all);
  env_.shell.SetTitle(kProgramTitle);  // also when there was nothing to clear
  tiedToFile = false;
  saved = true;
  const MeterIdentity meter = CurrentIdentity();
  env_.info.SetText(kModel, Utf8ToUtf16(kModelNames[meter.modelIndex]));
  env_.info.SetText(kSerial, Utf8ToUtf16(meter.serialNumber));
  TellJournal();
}

void RecordingEngine::ResetRecordingDisplay() {
  env_.list.ClearStatisticsLines();
  env_.window.SetText(kStartTime, u"");
  env_.window.SetText(kStopTime, u"");
  RecordStore& store = env_.store;
  for (std::u16string* text : {&store.maxMainText, &store.minMainText, &store.maxSubText, &store.minSubText}) {
    text->clear();
  }
}

void RecordingEngine::MonitoringBegins(int modelIndex) {
  if (tiedToFile) return;
  env_.store.recordModel = modelIndex;
  env_.info.SetText(kModel, Utf8ToUtf16(kModelNames[modelIndex]));
  env_.info.SetText(kSerial, Utf8ToUtf16(CurrentIdentity().serialNumber));
}

void RecordingEngine::EndRecordingAtDisconnect() {
  if (!recording_) return;
  recording_ = false;
  interval_.Stop();
  RecordStore& store = env_.store;
  store.stopTime = store.lastTickTime;
  store.stopTimeText = RealTimeText(store.stopTime);
  env_.window.SetText(kStopTime, store.stopTimeText);
}

void RecordingEngine::RefreshAfterDisconnect() {
  const RecordStore& store = env_.store;
  env_.window.Enable(kGraphCopy, store.runCount > 0);
  env_.window.Enable(kSave, store.recordCount() > 0);
  env_.window.Enable(kClear, store.recordCount() > 0);
  env_.list.EnablePaging(true);
  if (store.recordCount() > 0) env_.messages.Post(app_message::kSaveMenu, FileMenuState(false, true));
}

void RecordingEngine::TieToFile(std::u16string_view name) {
  fileName = name;
  env_.shell.SetTitle(std::u16string(kProgramTitle) + u" - [" + fileName + u"]");
  tiedToFile = true;
  saved = true;
  TellJournal();
}

void RecordingEngine::ShowOpenedRecording() {
  const RecordStore& store = env_.store;
  ShowSaveSettings(env_.info, env_.settings);
  const int model = store.recordModel;
  env_.info.SetText(kModel, Utf8ToUtf16(ModelNameOr(model, "")));
  env_.info.SetText(kSerial, store.recordSerial);
  env_.info.SetText(kFunction, LongName(FamilyOf(model), store.recordFunction));
  env_.info.SetText(kRange, store.recordRangeText);
  ShowDataCount();
  env_.list.RefreshStatisticsLines();
  env_.window.SetText(kStartTime, store.startTimeText);
  env_.window.SetText(kStopTime, store.stopTimeText);
  // A file without records starts at page 1 with an empty list, not with
  // the rows of the recording shown before.
  const int count = store.recordCount();
  Paging& paging = env_.list.paging;
  paging.lastPage = std::max(1, count / kRowsPerPage + (count % kRowsPerPage != 0 ? 1 : 0));
  paging.lastPageRows = count == 0 ? 0 : (count % kRowsPerPage == 0 ? kRowsPerPage : count % kRowsPerPage);
  paging.currentPage = paging.lastPage;
  env_.list.EnablePaging(true);
  env_.list.RefreshPageLabel();
  if (count == 0)
    env_.list.DeleteAllRows();
  else
    env_.list.ShowPage(paging.currentPage);
  env_.graph.plotted = true;
  env_.graphPage.RedrawGraph();
  env_.messages.Post(app_message::kSaveMenu, FileMenuState(false, true));
  env_.window.Enable(kGraphCopy, store.runCount > 0);
  env_.window.Enable(kSave, count > 0);
  env_.window.Enable(kClear, count > 0);
}
