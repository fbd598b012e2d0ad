#include "settings/settings_dialog.h"

#include <algorithm>
#include <charconv>

#include "base/text_helpers.h"
#include "catalogue/catalogue.h"
#include "catalogue/catalogue_tables.h"
#include "settings/settings_controls.h"
#include "text/ui_text.h"

namespace {

using namespace settings_control;

// The record page's number boxes and their ranges.
struct NumberBox {
  int id;
  int low, high;
  std::int32_t Settings::*field;
};
constexpr NumberBox kNumberBoxes[] = {
    {kIntervalHours, 0, 99, &Settings::intervalHours},     {kIntervalMinutes, 0, 99, &Settings::intervalMinutes},
    {kIntervalSeconds, 0, 99, &Settings::intervalSeconds}, {kDataCount, 1, 1048576, &Settings::dataCount},
    {kRecordHours, 0, 99, &Settings::recordHours},         {kRecordMinutes, 0, 99, &Settings::recordMinutes},
    {kRecordSeconds, 0, 99, &Settings::recordSeconds}};

// The save page's text boxes, their check boxes and their lengths.
struct TextBox {
  int id;
  int check;  // 0: none of its own
  int limit;
  std::u16string Settings::*field;
  std::int32_t Settings::*on;
};
constexpr TextBox kTextBoxes[] = {{kCompany, kCompanyOn, 256, &Settings::companyText, &Settings::companyOn},
                                  {kTitle, kTitleOn, 256, &Settings::titleText, &Settings::titleOn},
                                  {kOperator, kOperatorOn, 256, &Settings::operatorText, &Settings::operatorOn},
                                  {kDate, 0, 64, &Settings::dateText, nullptr},
                                  {kTemperature, 0, 32, &Settings::temperatureText, nullptr},
                                  {kHumidity, 0, 32, &Settings::humidityText, nullptr},
                                  {kMemo, kMemoOn, 512, &Settings::memoText, &Settings::memoOn}};

// The number in a box as the system's integer check reads it: an optional
// sign and digits, blanks around them allowed.
std::optional<long long> IntegerIn(std::u16string_view text) {
  std::string ascii;
  for (const char16_t c : text) {
    if (c > 0x7f) return std::nullopt;
    ascii += static_cast<char>(c);
  }
  const auto begin = ascii.find_first_not_of(" \t");
  const auto end = ascii.find_last_not_of(" \t");
  if (begin == std::string::npos) return std::nullopt;
  std::size_t at = begin;
  if (ascii[at] == '+') ++at;
  long long value = 0;
  const char* last = ascii.data() + end + 1;
  const auto [stop, error] = std::from_chars(ascii.data() + at, last, value);
  if (error != std::errc() || stop != last) return std::nullopt;
  return value;
}

// The system's standard texts of the checks; English where the interface is.
std::u16string NotAnInteger(int language) { return language == 0 ? u"整数を入力してください。" : u"Enter an integer."; }
std::u16string OutOfRange(int language, int low, int high) {
  return language == 0 ? NumberText(low) + u" から " + NumberText(high) + u" までの整数を入力してください。"
                       : u"Enter an integer between " + NumberText(low) + u" and " + NumberText(high) + u".";
}
std::u16string TooLong(int language, int limit) {
  return language == 0 ? NumberText(limit) + u" 文字以内で入力してください。"
                       : u"Enter no more than " + NumberText(limit) + u" characters.";
}

// What Cancel puts back: every value the pages edit.
template <typename Visit>
void ForEachEditedSetting(Visit visit) {
  for (auto member : {&Settings::autoConnect,
                      &Settings::baudIndex,
                      &Settings::intervalMode,
                      &Settings::totalMode,
                      &Settings::fastIntervalIndex,
                      &Settings::timeDisplayMode,
                      &Settings::intervalHours,
                      &Settings::intervalMinutes,
                      &Settings::intervalSeconds,
                      &Settings::dataCount,
                      &Settings::recordHours,
                      &Settings::recordMinutes,
                      &Settings::recordSeconds,
                      &Settings::companyOn,
                      &Settings::titleOn,
                      &Settings::operatorOn,
                      &Settings::dateOn,
                      &Settings::tempHumidOn,
                      &Settings::memoOn,
                      &Settings::dateMode,
                      &Settings::decimalSymbol,
                      &Settings::listSeparator}) {
    visit(member);
  }
  for (auto member : {&Settings::companyText, &Settings::titleText, &Settings::operatorText, &Settings::dateText,
                      &Settings::temperatureText, &Settings::humidityText, &Settings::memoText}) {
    visit(member);
  }
}

}  // namespace

void SettingsDialog::Relabel(int language) {
  language_ = language;
  auto word = [language](TextId text) { return Word(text, language); };
  const std::pair<int, TextId> texts[] = {{kAutoConnect, TextId::automaticConnection},
                                          {kMeterGroup, TextId::meterChoice},
                                          {kPortLabel, TextId::comPortLabel},
                                          {kSpeedLabel, TextId::baudRateLabel},
                                          {kContinuityLabel, TextId::continuityThresholdLabel},
                                          {kDiodeLabel, TextId::diodeThresholdLabel},
                                          {kDbmLabel, TextId::dbmImpedanceLabel},
                                          {kPassbandLabel, TextId::filterPassbandLabel},
                                          {kIntervalGroup, TextId::timeInterval},
                                          {kNormal, TextId::normalInterval},
                                          {kFast, TextId::fastInterval},
                                          {kTotalGroup, TextId::totalGroup},
                                          {kDataCountTotal, TextId::bufferSizeLabel},
                                          {kRecordTimeTotal, TextId::recordTimeLabel},
                                          {kTimeDisplayLabel, TextId::timeDisplayModeLabel},
                                          {kCompanyOn, TextId::companyOn},
                                          {kTitleOn, TextId::titleOn},
                                          {kOperatorOn, TextId::operatorOn},
                                          {kDateOn, TextId::dateOn},
                                          {kDateAuto, TextId::dateAuto},
                                          {kDateText, TextId::dateText},
                                          {kTempHumidOn, TextId::tempHumidOn},
                                          {kMemoOn, TextId::memoOn},
                                          {kCsvGroup, TextId::csvSaveSetting},
                                          {kDecimalGroup, TextId::decimalSymbol},
                                          {kSeparatorGroup, TextId::listSeparator},
                                          {kDecimalPeriod, TextId::periodChoice},
                                          {kDecimalComma, TextId::commaChoice},
                                          {kSeparatorComma, TextId::commaChoice},
                                          {kSeparatorSemicolon, TextId::semicolonChoice},
                                          {kCancel, TextId::cancel}};
  for (const auto& [id, text] : texts) controls_.SetText(id, word(text));
  controls_.SetText(kRv736xGroup, u"RV7361, RV7362");
  controls_.SetText(kOtherModelsGroup, u"RV7321, RV7322, RV7323, RV7324, RV7325, RV7326, RV7341");
  controls_.SetText(kDataCountLabel, u"(1-1048576)");
  for (const int id : {kIntervalHoursLabel, kRecordHoursLabel}) controls_.SetText(id, u"h");
  for (const int id : {kIntervalMinutesLabel, kRecordMinutesLabel}) controls_.SetText(id, u"m");
  for (const int id : {kIntervalSecondsLabel, kRecordSecondsLabel}) controls_.SetText(id, u"s");
  const int timeDisplay = controls_.ListSelection(kTimeDisplayList);
  controls_.ClearList(kTimeDisplayList);
  controls_.AddListItem(kTimeDisplayList, word(TextId::realTimeClock));
  controls_.AddListItem(kTimeDisplayList, word(TextId::relativeTime));
  controls_.SelectListItem(kTimeDisplayList, timeDisplay);
}

void SettingsDialog::Open(const SettingsOpening& opening) {
  isOpen = true;
  saved_ = settings_;
  savedMeter_ = meter_.Choices();
  today_ = DateText(opening.today.year, opening.today.month, opening.today.day);

  // Communication.
  controls_.SetCheck(kAutoConnect, settings_.autoConnect != 0);
  FillPorts(opening.ports);
  controls_.Enable(kPortList, !opening.recording);
  controls_.ClearList(kSpeedList);
  controls_.AddListItem(kSpeedList, u" 9600bps");
  controls_.AddListItem(kSpeedList, u" 19200bps");
  controls_.SelectListItem(kSpeedList, std::clamp(settings_.baudIndex, 0, 1));
  controls_.Enable(kSpeedList, false);
  controls_.Enable(kSpeedLabel, false);
  savedPortChoice_ = portChoice_;

  // Meter.
  const std::pair<int, const std::vector<std::u16string_view>*> lists[] = {
      {kContinuityList, &ContinuityThresholds()}, {kDiodeList, &DiodeThresholds()}, {kDbmList, &DbmImpedances()}};
  for (const auto& [id, values] : lists) {
    controls_.ClearList(id);
    const bool ohms = id != kDiodeList;
    for (const std::u16string_view value : *values) {
      controls_.AddListItem(id, u" " + std::u16string(value) + (ohms ? u"Ω" : u""));
    }
  }
  controls_.ClearList(kPassbandList);
  controls_.AddListItem(kPassbandList, u" 100Hz");
  controls_.AddListItem(kPassbandList, u" 500Hz");
  controls_.SelectListItem(kContinuityList, meter_.continuity);
  controls_.SelectListItem(kDiodeList, meter_.diode);
  controls_.SelectListItem(kDbmList, meter_.dbm);
  controls_.SelectListItem(kPassbandList, meter_.passband);
  MeterAvailable(opening.connected, opening.modelIndex);

  ShowRecordPage(opening.recording);
  ShowSavePage(opening.today);
}

void SettingsDialog::FillPorts(const std::vector<_COM_LIST>& ports) {
  ports_ = ports;
  controls_.ClearList(kPortList);
  for (const _COM_LIST& entry : ports_) controls_.AddListItem(kPortList, u" COM" + NumberText(entry.port));
  portChoice_ = ports_.empty() ? -1 : 0;
  for (int i = 0; i < static_cast<int>(ports_.size()); ++i) {
    if (ports_[i].port == settings_.comPort) portChoice_ = i;
  }
  controls_.SelectListItem(kPortList, portChoice_);
}

void SettingsDialog::RefillPorts(const std::vector<_COM_LIST>& ports) {
  // The chosen port stays chosen when it is still there.
  const std::optional<int> chosen = ChosenPort();
  const std::int32_t comPort = settings_.comPort;
  if (chosen) settings_.comPort = *chosen;
  FillPorts(ports);
  settings_.comPort = comPort;
}

void SettingsDialog::MeterAvailable(bool connected, int modelIndex) {
  const bool rv736x = connected && FamilyOf(modelIndex) == Family::RV736X;
  for (const int id : {kContinuityLabel, kDiodeLabel, kDbmLabel, kContinuityList, kDiodeList, kDbmList}) {
    controls_.Enable(id, rv736x);
  }
  for (const int id : {kPassbandLabel, kPassbandList}) controls_.Enable(id, connected && !rv736x);
}

std::optional<int> SettingsDialog::ChosenPort() const {
  if (portChoice_ < 0 || portChoice_ >= static_cast<int>(ports_.size())) return std::nullopt;
  return ports_[portChoice_].port;
}

void SettingsDialog::EnableIntervalEdits(bool normal) {
  for (const int id : {kIntervalHours, kIntervalMinutes, kIntervalSeconds, kIntervalHoursLabel, kIntervalMinutesLabel,
                       kIntervalSecondsLabel}) {
    controls_.Enable(id, normal);
  }
  controls_.Enable(kFastList, !normal);
}

void SettingsDialog::EnableTotalEdits(bool dataCount) {
  controls_.Enable(kDataCount, dataCount);
  controls_.Enable(kDataCountLabel, dataCount);
  for (const int id :
       {kRecordHours, kRecordMinutes, kRecordSeconds, kRecordHoursLabel, kRecordMinutesLabel, kRecordSecondsLabel}) {
    controls_.Enable(id, !dataCount);
  }
}

void SettingsDialog::ShowRecordPage(bool recording) {
  const Settings& s = settings_;
  for (const NumberBox& box : kNumberBoxes) controls_.SetText(box.id, NumberText(s.*box.field));
  controls_.ClearList(kFastList);
  for (int tenth = 1; tenth <= 9; ++tenth) {
    controls_.AddListItem(kFastList, u" 0." + NumberText(tenth) + std::u16string(Word(TextId::secondUnit, 0)));
  }
  controls_.SelectListItem(kFastList, std::clamp(s.fastIntervalIndex, 0, 8));
  controls_.SelectListItem(kTimeDisplayList, std::clamp(s.timeDisplayMode, 0, 1));
  controls_.SetCheck(kFast, s.intervalMode == 1);
  controls_.SetCheck(kNormal, s.intervalMode != 1);
  EnableIntervalEdits(s.intervalMode != 1);
  controls_.SetCheck(kRecordTimeTotal, s.totalMode == 1);
  controls_.SetCheck(kDataCountTotal, s.totalMode != 1);
  EnableTotalEdits(s.totalMode != 1);
  if (recording) {
    for (const int id :
         {kNormal, kIntervalHours, kIntervalMinutes, kIntervalSeconds, kFast, kFastList, kDataCountTotal, kDataCount,
          kRecordTimeTotal, kRecordHours, kRecordMinutes, kRecordSeconds, kTimeDisplayList}) {
      controls_.Enable(id, false);
    }
  }
  // The fast interval is reached only through a file that holds it.
  controls_.Enable(kFast, false);
  controls_.Enable(kFastList, false);
  controls_.Show(kFast, false);
  controls_.Show(kFastList, false);
}

void SettingsDialog::ShowSavePage(const CalendarTime& today) {
  Settings& s = settings_;
  for (const TextBox& box : kTextBoxes) {
    controls_.LimitText(box.id, box.limit);
    controls_.SetText(box.id, s.*box.field);
    if (box.check) {
      controls_.SetCheck(box.check, s.*box.on != 0);
      controls_.Enable(box.id, s.*box.on != 0);
    }
  }
  controls_.SetCheck(kDateOn, s.dateOn != 0);
  controls_.SetCheck(kTempHumidOn, s.tempHumidOn != 0);
  if (s.dateMode == 1) {
    controls_.SetCheck(kDateText, true);
    controls_.SetCheck(kDateAuto, false);
    controls_.Enable(kDate, true);
  } else {
    controls_.SetCheck(kDateAuto, true);
    controls_.SetCheck(kDateText, false);
    s.dateText = DateText(today.year, today.month, today.day);
    controls_.SetText(kDate, s.dateText);
    controls_.Enable(kDate, false);
  }
  if (!s.dateOn) {
    for (const int id : {kDateAuto, kDateText, kDate}) controls_.Enable(id, false);
  } else {
    controls_.Enable(kDateAuto, true);
    controls_.Enable(kDateText, true);
  }
  controls_.Enable(kTemperature, s.tempHumidOn != 0);
  controls_.Enable(kHumidity, s.tempHumidOn != 0);
  const bool comma = s.decimalSymbol == 1;
  controls_.SetCheck(comma ? kDecimalComma : kDecimalPeriod, true);
  controls_.SetCheck(comma ? kDecimalPeriod : kDecimalComma, false);
  if (s.listSeparator == 1 || comma) s.listSeparator = 1;
  const bool semicolon = s.listSeparator == 1;
  controls_.SetCheck(semicolon ? kSeparatorSemicolon : kSeparatorComma, true);
  controls_.SetCheck(semicolon ? kSeparatorComma : kSeparatorSemicolon, false);
}

// A box whose number is out of its range goes back to its value at opening
// when it is disabled, so that a box the user cannot reach never fails OK.
void SettingsDialog::PutBack(int id, int low, int high, int openingValue) {
  const std::optional<long long> value = IntegerIn(controls_.Text(id));
  if (!value || *value < low || *value > high) controls_.SetText(id, NumberText(openingValue));
}

void SettingsDialog::OnClicked(int id) {
  Settings& s = settings_;
  auto radios = [&](int on, int off) {
    controls_.SetCheck(on, true);
    controls_.SetCheck(off, false);
  };
  switch (id) {
    case kAutoConnect:
      s.autoConnect = controls_.Checked(kAutoConnect) ? 1 : 0;
      break;
    case kNormal:
    case kFast:
      s.intervalMode = id == kFast ? 1 : 0;
      radios(id, id == kFast ? kNormal : kFast);
      EnableIntervalEdits(s.intervalMode == 0);
      break;
    case kDataCountTotal:
      s.totalMode = 0;
      radios(kDataCountTotal, kRecordTimeTotal);
      EnableTotalEdits(true);
      PutBack(kRecordHours, 0, 99, saved_.recordHours);
      PutBack(kRecordMinutes, 0, 99, saved_.recordMinutes);
      PutBack(kRecordSeconds, 0, 99, saved_.recordSeconds);
      break;
    case kRecordTimeTotal:
      s.totalMode = 1;
      radios(kRecordTimeTotal, kDataCountTotal);
      EnableTotalEdits(false);
      PutBack(kDataCount, 1, 1048576, saved_.dataCount);
      break;
    case kCompanyOn:
    case kTitleOn:
    case kOperatorOn:
    case kMemoOn:
      for (const TextBox& box : kTextBoxes) {
        if (box.check != id) continue;
        s.*box.on = controls_.Checked(id) ? 1 : 0;
        controls_.Enable(box.id, s.*box.on != 0);
      }
      break;
    case kDateOn:
      s.dateOn = controls_.Checked(kDateOn) ? 1 : 0;
      controls_.Enable(kDateAuto, s.dateOn != 0);
      controls_.Enable(kDateText, s.dateOn != 0);
      controls_.Enable(kDate, s.dateOn != 0 && s.dateMode == 1);
      break;
    case kTempHumidOn:
      s.tempHumidOn = controls_.Checked(kTempHumidOn) ? 1 : 0;
      controls_.Enable(kTemperature, s.tempHumidOn != 0);
      controls_.Enable(kHumidity, s.tempHumidOn != 0);
      break;
    case kDateAuto:
      s.dateMode = 0;
      radios(kDateAuto, kDateText);
      s.dateText = today_;
      controls_.SetText(kDate, s.dateText);
      controls_.Enable(kDate, false);
      break;
    case kDateText:
      s.dateMode = 1;
      radios(kDateText, kDateAuto);
      controls_.Enable(kDate, true);
      break;
    // The comma is never both the decimal symbol and the separator.
    case kDecimalPeriod:
      s.decimalSymbol = 0;
      radios(kDecimalPeriod, kDecimalComma);
      break;
    case kDecimalComma:
      s.decimalSymbol = 1;
      radios(kDecimalComma, kDecimalPeriod);
      if (s.listSeparator == 0) {
        s.listSeparator = 1;
        radios(kSeparatorSemicolon, kSeparatorComma);
      }
      break;
    case kSeparatorComma:
      s.listSeparator = 0;
      radios(kSeparatorComma, kSeparatorSemicolon);
      if (s.decimalSymbol == 1) {
        s.decimalSymbol = 0;
        radios(kDecimalPeriod, kDecimalComma);
      }
      break;
    case kSeparatorSemicolon:
      s.listSeparator = 1;
      radios(kSeparatorSemicolon, kSeparatorComma);
      break;
    default:
      break;
  }
}

void SettingsDialog::OnSelection(int id) {
  const int selected = controls_.ListSelection(id);
  if (selected < 0) return;
  switch (id) {
    case kPortList:
      portChoice_ = selected;
      break;
    case kSpeedList:
      settings_.baudIndex = selected;
      break;
    case kContinuityList:
      meter_.continuity = selected;
      break;
    case kDiodeList:
      meter_.diode = selected;
      break;
    case kDbmList:
      meter_.dbm = selected;
      break;
    case kPassbandList:
      meter_.passband = selected;
      break;
    default:
      break;
  }
}

void SettingsDialog::Refuse(int page, int id, std::u16string_view message) {
  shownPage = page;
  boxes_.Show(message, MessageIcon::warning);
  controls_.Focus(id);
}

bool SettingsDialog::TakeNumber(int id, int low, int high, std::int32_t& into) {
  const std::optional<long long> value = IntegerIn(controls_.Text(id));
  if (!value) {
    Refuse(kRecordPage, id, NotAnInteger(language_));
    return false;
  }
  if (*value < low || *value > high) {
    Refuse(kRecordPage, id, OutOfRange(language_, low, high));
    return false;
  }
  into = static_cast<std::int32_t>(*value);
  return true;
}

bool SettingsDialog::TakeText(int id, int limit, std::u16string& into) {
  std::u16string text = controls_.Text(id);
  if (static_cast<int>(text.size()) > limit) {
    Refuse(kSavePage, id, TooLong(language_, limit));
    return false;
  }
  into = std::move(text);
  return true;
}

bool SettingsDialog::OnOk() {
  Settings& s = settings_;
  // The record page; each box is checked before any value is taken.
  Settings taken = s;
  for (const NumberBox& box : kNumberBoxes) {
    if (!TakeNumber(box.id, box.low, box.high, taken.*box.field)) return false;
  }
  const int timeDisplay = controls_.ListSelection(kTimeDisplayList);
  if (timeDisplay >= 0) taken.timeDisplayMode = timeDisplay;
  const int fast = controls_.ListSelection(kFastList);
  if (fast >= 0) taken.fastIntervalIndex = fast;

  const std::int64_t interval = RecordingIntervalSeconds(taken);
  if (interval == 0) {
    if (taken.intervalMode == 0) {
      s = taken;
      Refuse(kRecordPage, kIntervalSeconds, Word(TextId::intervalTooShort, language_));
      return false;
    }
    taken.intervalSeconds = 1;
  }
  const std::int64_t recordTime =
      std::int64_t{taken.recordHours} * 3600 + std::int64_t{taken.recordMinutes} * 60 + taken.recordSeconds;
  if (recordTime < RecordingIntervalSeconds(taken)) {
    if (taken.totalMode == 1) {
      s = taken;
      shownPage = kRecordPage;
      boxes_.Show(Word(TextId::recordTimeTooShort, language_), MessageIcon::warning);
      return false;
    }
    taken.recordHours = taken.intervalHours;
    taken.recordMinutes = taken.intervalMinutes;
    taken.recordSeconds = taken.intervalSeconds;
  }

  for (const TextBox& box : kTextBoxes) {
    if (!TakeText(box.id, box.limit, taken.*box.field)) return false;
  }
  s = taken;
  isOpen = false;
  return true;
}

void SettingsDialog::OnCancel() {
  ForEachEditedSetting([&](auto member) { settings_.*member = saved_.*member; });
  meter_.continuity = savedMeter_.continuity;
  meter_.diode = savedMeter_.diode;
  meter_.dbm = savedMeter_.dbm;
  meter_.passband = savedMeter_.passband;
  portChoice_ = savedPortChoice_;
  isOpen = false;
}
