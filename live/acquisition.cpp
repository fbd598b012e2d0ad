#include "live/acquisition.h"

#include <chrono>
#include <optional>
#include <string>
#include <thread>

#include "base/models.h"
#include "base/utf16.h"
#include "catalogue/catalogue.h"
#include "catalogue/configuration.h"
#include "catalogue/reading_decode.h"
#include "catalogue/value_format.h"
#include "link/com_port.h"
#include "link/commands.h"
#include "text/text_id.h"

namespace {

constexpr std::size_t kReplySize = 32;
constexpr std::chrono::milliseconds kCyclePause{100};

// The first failed exchange of a step.
struct Failure {
  int result;
};

class Exchange {
 public:
  // Sends `command`; the reply is in Reply() afterwards.  False on failure,
  // which is then recorded for the error exit.
  bool Query(const std::string& command) {
    const int result = ComQuery(command.c_str(), reply_, sizeof reply_);
    if (result == COM_OK) return true;
    failure_ = Failure{result};
    return false;
  }
  std::string Reply() const { return reply_; }
  const std::optional<Failure>& failure() const { return failure_; }

 private:
  char reply_[kReplySize] = {};
  std::optional<Failure> failure_;
};

std::string Before(const std::string& text, char separator) { return text.substr(0, text.find(separator)); }
std::string After(const std::string& text, char separator) {
  const auto at = text.find(separator);
  return at == std::string::npos ? std::string() : text.substr(at + 1);
}

constexpr int kZeroAdjustControls[] = {control::kPeakButton, control::kRelButton, control::kFilterButton,
                                       control::kModeList, control::kRangeList};

// The button requests, toggling from the previous cycle's status.
bool SendControlRequests(AcquisitionContext& c, const _MONITOR_DATA& copy, Exchange& exchange) {
  const int model = c.modelIndex;
  const bool peak = copy.status[kStatusPeak] != 0;
  const bool rel = copy.status[kStatusRel] != 0;
  const bool filter = copy.status[kStatusFilter] != 0;
  const bool slow = copy.status[kStatusSlow] != 0;
  if (copy.peakRequest && !exchange.Query(peak ? command::kPeakOff : command::kPeakOn)) return false;
  if (copy.clearRequest && !exchange.Query(command::kClear)) return false;
  if (copy.relRequest) {
    if (IsRv7341(model) && !rel) {
      // The zero adjustment takes the meter several seconds.
      if (c.recording.IsRecording()) c.recording.StopRecording();
      for (const int id : kZeroAdjustControls) c.controls.Enable(id, false);
      longReplyWait = 1;
      const bool done = exchange.Query(command::kZeroAdjust);
      longReplyWait = 0;
      for (const int id : kZeroAdjustControls) c.controls.Enable(id, true);
      if (!done) return false;
    } else if (!exchange.Query(rel ? (IsRv7341(model) ? command::kOkQuery : command::kRelOff) : command::kRelOn)) {
      return false;
    }
  }
  if (copy.filterRequest) {
    const char* text;
    if (filter) {
      text = IsRv736x(model) ? command::kFilterOff : command::kFilterOff100;
    } else if (IsRv736x(model)) {
      text = command::kFilterOn;
    } else {
      text = c.settings.passband == 0 ? command::kFilterOn100 : command::kFilterOn500;
    }
    if (!exchange.Query(text)) return false;
  }
  if (copy.slowRequest && !exchange.Query(slow ? command::kSlowOff : command::kSlowOn)) return false;
  return true;
}

struct Replies {
  std::string status, battery, main, config, sub, subConfig;
};

bool Query(AcquisitionContext& c, Exchange& exchange, Replies& replies) {
  if (!exchange.Query(command::kStatus)) return false;
  replies.status = exchange.Reply();
  if (!exchange.Query(command::kBattery)) return false;
  replies.battery = exchange.Reply();
  const bool peakHold = replies.status.size() > kStatusPeak && replies.status[kStatusPeak] == '1';
  // The RV7341 shows PEAK min on its main display, the others PEAK max.
  const bool rv7341 = IsRv7341(c.modelIndex);
  const char* main = !peakHold ? command::kMainReading : rv7341 ? command::kPeakMin : command::kPeakMax;
  const char* sub = !peakHold ? command::kSubReading : rv7341 ? command::kPeakMax : command::kPeakMin;
  if (!exchange.Query(main)) return false;
  replies.main = exchange.Reply();
  if (!exchange.Query(command::kMainConfig)) return false;
  replies.config = exchange.Reply();
  if (!exchange.Query(sub)) return false;
  replies.sub = exchange.Reply();
  if (peakHold) {
    replies.subConfig = replies.config;
  } else {
    if (!exchange.Query(command::kSubConfig)) return false;
    replies.subConfig = exchange.Reply();
  }
  return true;
}

void ApplyStatus(AcquisitionContext& c, const Replies& replies, _MONITOR_DATA& copy) {
  const int oldPeak = copy.status[kStatusPeak];
  const int oldRel = copy.status[kStatusRel];
  ParseStatus(replies.status, copy);
  copy.battery = IntegerOf(replies.battery);
  const bool peak = copy.status[kStatusPeak] != 0;
  if ((peak ? 1 : 0) != (oldPeak != 0 ? 1 : 0)) {
    if (peak) c.lists.rememberedAcvRange = -1;
    if (c.recording.IsRecording()) c.recording.StopRecording();
  }
  const bool rel = copy.status[kStatusRel] != 0;
  if ((rel ? 1 : 0) != (oldRel != 0 ? 1 : 0)) {
    c.controls.Enable(control::kRangeList, !rel);
    if (c.recording.IsRecording()) c.recording.StopRecording();
  }
  const int loop = copy.status[kStatusCurrentLoop];
  if (loop != c.lastCurrentLoop) {
    SetZeroTo20mANaming(loop != 0);
    c.lastCurrentLoop = loop;
  }
  if (copy.adoptSettings && IsRv736x(c.modelIndex)) {
    copy.adoptSettings = 0;
    c.settings.continuity = copy.status[kStatusContinuityThreshold].load();
    c.settings.diode = copy.status[kStatusDiodeThreshold].load();
    c.settings.dbm = 10 * copy.status[kStatusDbmTens] + copy.status[kStatusDbmUnits];
  }
}

struct Cycle {
  _READING_TEXT text;
  std::u16string mainLong, subLong;
  std::int32_t mainCount = 0, subCount = 0;
};

// Decodes the replies into the panel; fills what the cycle publishes.
void Decode(AcquisitionContext& c, const Replies& replies, _MONITOR_DATA& copy, Cycle& cycle) {
  const int model = c.modelIndex;
  Controls& controls = c.controls;
  const bool peak = copy.status[kStatusPeak] != 0;
  auto& text = cycle.text.text;
  if (command::IsCommandError(replies.config)) {
    const std::u16string dashes = ConfigurationErrorText(model, copy);
    controls.SetText(control::kMainValue, dashes);
    controls.SetText(control::kSubValue, u"");
    controls.SetText(control::kSubUnit, u"");
    controls.SetText(control::kMainConfig, u"<Error>");
    text[_READING_TEXT::kMainFunction] = cycle.mainLong = dashes;
    return;
  }
  copy.confError = 0;
  controls.SetText(control::kMainConfig, MainConfigurationText(model, replies.config, c.lastCurrentLoop == 1, peak));
  if (command::IsCommandError(replies.subConfig)) {
    controls.SetText(control::kSubValue, u"");
    controls.SetText(control::kSubConfig, kNoSubDisplay);
    copy.subPresent = 0;
  } else {
    controls.SetText(control::kSubConfig, SubConfigurationText(model, replies.subConfig, peak));
    copy.subPresent = 1;
  }
  ApplyConfiguration(model, Before(replies.config, ','), After(replies.config, ','), replies.status, copy, c.lists,
                     controls);
  if (copy.subPresent) {
    ApplySubConfiguration(model, Before(replies.subConfig, ','), After(replies.subConfig, ','), replies.status, copy);
  }
  text[_READING_TEXT::kMainRangeToken] = AsciiToUtf16(After(replies.config, ','));
  if (copy.subPresent) text[_READING_TEXT::kSubRangeToken] = AsciiToUtf16(After(replies.subConfig, ','));

  DisplayNames names = NamesAndLabels(model, copy);
  const DecodedValue main = DecodeMainReading(model, replies.main, copy, names);
  if (names.mainLabel) controls.SetText(control::kMainLabel, *names.mainLabel);
  if (names.subLabel) controls.SetText(control::kSubLabel, *names.subLabel);
  text[_READING_TEXT::kMainFunction] = names.mainShort;
  cycle.mainLong = names.mainLong;
  text[_READING_TEXT::kSubFunction] = names.subShort;
  cycle.subLong = names.subLong;
  controls.SetText(control::kMainValue, main.text);
  if (!main.shown) return;
  controls.SetText(control::kMainUnit, main.unit);
  text[_READING_TEXT::kMainValue] = main.text;
  text[_READING_TEXT::kMainUnit] = main.unit;
  cycle.mainCount = main.count;

  const DecodedValue sub = DecodeSubReading(model, replies.sub, copy);
  controls.SetText(control::kSubValue, sub.text);
  controls.SetText(control::kSubUnit, sub.unit);
  if (!sub.shown) {
    text[_READING_TEXT::kSubFunction] = cycle.subLong = std::u16string(kNoSubDisplay);
    return;
  }
  text[_READING_TEXT::kSubValue] = sub.text;
  text[_READING_TEXT::kSubUnit] = sub.unit;
  cycle.subCount = sub.count;
}

// The meter setting a record keeps beside its main function.
std::int32_t SettingValue(int model, const _MONITOR_DATA& copy, std::int32_t previous) {
  const Family family = FamilyOf(model);
  const int row = copy.functionIndex;
  if (IsTemperature(family, row)) return copy.status[kStatusTemperatureUnit];
  if (!IsRv736x(model)) return previous;
  switch (row) {
    case 1:
      return 10 * copy.status[kStatusDbmTens] + copy.status[kStatusDbmUnits];
    case 7:
      return copy.status[kStatusContinuityThreshold];
    case 8:
      return copy.status[kStatusDiodeThreshold];
    case 17:
      return copy.status[kStatusCurrentLoop];
    default:
      return previous;
  }
}

void Publish(AcquisitionContext& c, const _MONITOR_DATA& copy, Cycle& cycle) {
  Publication previous = c.published.Latest();
  if (copy.functionIndex != previous.recordTemplate.mainFunction || copy.confError) {
    if (c.recording.IsRecording()) c.recording.StopRecording();
    c.controls.SetText(control::kMainLabel, UiWord(TextId::mainLabel));
  }
  const bool rel = copy.status[kStatusRel] != 0;
  auto& values = cycle.text.value;
  values[_READING_TEXT::kPeakHold] = copy.status[kStatusPeak] != 0;
  values[_READING_TEXT::kSubPresent] = copy.subPresent;
  values[_READING_TEXT::kMainOver] = copy.mainOver;
  values[_READING_TEXT::kSubOver] = copy.subOver;
  values[_READING_TEXT::kMainOpen] = copy.mainOpen;

  Publication next;
  next.cycle = previous.cycle + 1;
  next.forRecording = cycle.text;
  next.forSpreadsheet = cycle.text;
  next.forSpreadsheet.text[_READING_TEXT::kMainFunction] = cycle.mainLong;
  next.forSpreadsheet.text[_READING_TEXT::kSubFunction] = cycle.subLong;
  next.main = {copy.functionIndex, cycle.mainCount, copy.rangeIndex};
  next.sub = previous.sub;
  _RECORD_DATA& record = next.recordTemplate;
  record = previous.recordTemplate;
  record.mainFunction = copy.functionIndex;
  record.mainCount = cycle.mainCount;
  record.mainRange = rel ? copy.fetchRangeIndex : copy.rangeIndex;
  if (copy.subPresent) {
    next.sub = {copy.subFunctionIndex, cycle.subCount, copy.subRangeIndex};
    record.subFunction = copy.subFunctionIndex;
    record.subCount = cycle.subCount;
    record.subRange = rel ? copy.subFetchRangeIndex : copy.subRangeIndex;
  }
  record.settingValue = SettingValue(c.modelIndex, copy, record.settingValue);
  using namespace record_flag;
  record.flags = rel ? kRel + kMainOver * copy.mainOver + kSubOver * copy.subOver + kMainBlank * copy.mainBlank +
                           kSubBlank * copy.subBlank + kMainOpen * copy.mainOpen
                     : 0;
  record.filterOn = copy.status[kStatusFilter] != 0;
  record.peakOn = copy.status[kStatusPeak] != 0;
  record.slowOn = copy.status[kStatusSlow] != 0;
  record.hasSub = copy.subPresent;
  c.published.Publish(std::move(next));
}

}  // namespace

void AcquisitionStep(AcquisitionContext& c, _MONITOR_DATA& copy) {
  Exchange exchange;
  Cycle cycle;
  bool failed = !SendControlRequests(c, copy, exchange);
  if (!failed) {
    const SettingCommands settings = MeterSettingCommands(c.modelIndex, copy, c.settings.Choices());
    for (const std::string& command : settings.commands) {
      if (!exchange.Query(command)) {
        failed = true;
        break;
      }
    }
    if (!failed && settings.endsCycle) return;
  }
  if (!failed && (copy.modeRequest || copy.rangeRequest)) {
    copy.shownRange = c.controls.ListSelection(control::kRangeList);
    if (exchange.Query(ConfigurationCommand(c.modelIndex, copy, c.lists))) {
      if (copy.modeRequest && c.recording.IsRecording()) c.recording.StopRecording();
      return;
    }
    failed = true;
  }
  Replies replies;
  if (!failed && Query(c, exchange, replies)) {
    ApplyStatus(c, replies, copy);
    Decode(c, replies, copy, cycle);
  }
  if (const auto& failure = exchange.failure()) {
    if (failure->result == COM_OVERFLOW) {
      c.messages.Send(app_message::kBufferOver, 0);
    } else {
      c.messages.Send(app_message::kCommunicationError, failure->result == COM_SENDFAIL ? 0 : 1);
    }
  }
  Publish(c, copy, cycle);
}

void AcquisitionThread::Start() {
  context_.snapshot.Data().adoptSettings = 1;
  runs_.Start([this](const ThreadRuns::Run& run) { Loop(run); });
}

void AcquisitionThread::Loop(const ThreadRuns::Run& run) {
  _MONITOR_DATA copy;
  while (true) {
    std::this_thread::sleep_for(kCyclePause);
    if (!run.run) return;
    context_.snapshot.TakeForCycle(copy);
    AcquisitionStep(context_, copy);
    context_.snapshot.PublishCycle(copy);
  }
}
