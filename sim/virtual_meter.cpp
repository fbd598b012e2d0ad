#include "sim/virtual_meter.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

#include "base/decimal.h"
#include "base/models.h"
#include "catalogue/value_format.h"
#include "link/commands.h"
#include "link/identification.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kMaker = "RVTEK";
constexpr std::string_view kOk = "OK";

// Status positions the meter reports.
enum StatusPosition {
  kRel = 1,
  kFilter = 2,
  kAutoRange = 11,
  kSlow = 14,
  kPeak = 15,
  kClampMemory = 16,
  kCurrentLoop = 17,
  kContinuity = 18,
  kDiode = 19,
  kDbmTens = 20,
  kDbmUnits = 21,
  kTemperatureUnit = 22,
};
// Positions that hold a digit; every other one is '0' or '1'.
constexpr int kDigitPositions[] = {0, 5, 7, 8, kClampMemory, kContinuity, kDiode, kDbmTens, kDbmUnits};
// The meter's set-up (buzzer, power save, clamp memory, current loop,
// thresholds, dBm impedance, temperature unit) outlives ":FACT:INIT": the
// program reads it back after connecting.
constexpr int kSetUpPositions[] = {3,      4,        kClampMemory, kCurrentLoop,    kContinuity,
                                   kDiode, kDbmTens, kDbmUnits,    kTemperatureUnit};

// After ":FACT:INIT": DC volts on a fixed range, a quarter of it at the input.
constexpr std::string_view kPowerOnFunction = "DCV";
constexpr std::string_view kPowerOnRange = "6";
constexpr double kStartLevel = 0.25;
constexpr int kPowerOnDbmImpedance = 15;  // 600 ohms, the usual reference

// Memory records: 32 bytes, little-endian, at these offsets.
enum MemoryOffset {
  kMemoryMain = 0,             // int32
  kMemoryFunction = 4,         // int16, the RV736X row + 2
  kMemoryMainStatus = 6,       // int16
  kMemoryRange = 8,            // int8, the normal range number
  kMemoryFlags = 9,            // uint8
  kMemoryHold = 10,            // int8
  kMemorySub = 16,             // int32
  kMemorySubStatus = 20,       // int16
  kMemoryFrequencyRange = 22,  // int8
  kMemorySetting = 23,         // int8
};
constexpr int kMemoryFunctionOffset = 2;
constexpr int kMemoryStatusOver = 3;
constexpr int kMemoryStatusBlank = 1;
constexpr int kMemoryHoldPeak = 4;
constexpr std::uint8_t kMemoryHoldsReading = 1, kMemoryFilter = 4, kMemoryRel = 8, kMemorySlow = 16;
// The meter keeps a stored temperature in tenths of a degree Fahrenheit,
// whatever unit it shows.
constexpr int kFreezingTenthsFahrenheit = 320;
// Records of these functions carry the frequency of the signal beside the
// value.
constexpr std::string_view kMemoryFrequencyFunctions[] = {"ACV", "dBm", "dBV", "ACDCV", "ACuA", "ACmA", "ACA"};
// These store an over range as the full-scale count with the over status,
// not as the marker count.
constexpr std::string_view kOverByStatusFunctions[] = {"dBm", "dBV", "DC_4_20mA"};

// The value wanders slowly (0.2 % over some fifteen seconds of readings)
// and the last digit jitters by up to two counts, less in SLOW mode.
constexpr double kWander = 0.002;
constexpr double kWanderStep = 0.05;
constexpr int kJitter = 2;
// Auto-ranging picks the finest range the value fits with some headroom.
constexpr double kAutoHeadroom = 0.95;
// The AC part of the input that "SEPV" shows on its sub display.
constexpr double kSepvAcShare = 0.4;

// Catalogue tokens the meter treats specially.
constexpr std::string_view kClampToken = "CLAMP";
constexpr std::string_view kFrequencyToken = "FREQ";
constexpr std::string_view kSeparateToken = "SEPV";
constexpr std::string_view kAcDcToken = "ACDCV";
constexpr std::string_view kAutoVToken = "AutoV";
constexpr std::string_view kAutoName = "Auto";
// Resistance-like functions measure with their own current and so see an
// open input; the rest read about zero with nothing connected.
constexpr std::string_view kOpenFunctions[] = {"RES", "CONT", "DIODE"};
// AC functions count the frequency of their signal on the sub display.
constexpr std::string_view kAcFunctions[] = {"ACV", "ACA", "ACuA", "ACmA"};

// The row a model measures `token` in, given the family's first row of it:
// some RV732X models have ranges of their own for a function.
int OwnRow(int modelIndex, std::string_view token, int row) {
  const ModelRowMove* move = ModelSpecificRow(modelIndex, token);
  return move ? move->row : row;
}

std::string Line(std::string_view text) { return std::string(text) + std::string(kLineEnd); }

std::string_view StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix ? text.substr(prefix.size()) : std::string_view();
}

template <typename T, std::size_t N>
bool OneOf(const T& value, const T (&list)[N]) {
  return std::find(std::begin(list), std::end(list), value) != std::end(list);
}

int CountOf(std::string_view digits) { return ParseDecimal(digits).value_or(0); }

// Multiplier of a unit's SI prefix ("mV" 1e-3, "kHz" 1e3).
double PrefixOf(std::u16string_view unit) {
  if (unit.size() < 2) return 1;
  switch (unit.front()) {
    case u'n':
      return 1e-9;
    case u'u':
      return 1e-6;
    case u'm':
      return 1e-3;
    case u'k':
      return 1e3;
    case u'M':
      return 1e6;
    default:
      return 1;
  }
}

bool IsMarker(int count) {
  return count == kOverCount || count == -kOverCount || count == kBlankCount || count == kOpenCount;
}

int StatusOf(int count) {
  if (count == kOverCount || count == -kOverCount) return kMemoryStatusOver;
  return count == kBlankCount ? kMemoryStatusBlank : 0;
}

int FahrenheitTenths(int count, bool fahrenheit) {
  if (fahrenheit || IsMarker(count)) return count;
  return static_cast<int>(std::lround(count * 9.0 / 5.0)) + kFreezingTenthsFahrenheit;
}

template <typename T>
void PutLittleEndian(VirtualMeter::MemoryRecord& record, int at, T value) {
  const auto bits = static_cast<std::make_unsigned_t<T>>(value);
  for (std::size_t i = 0; i < sizeof(T); ++i) record[at + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

std::string Reading(int shown, int count, int rangeNumber) {
  return std::to_string(shown) + "," + std::to_string(count) + "," + std::to_string(rangeNumber);
}

}  // namespace

VirtualMeter::VirtualMeter(VirtualMeterSetup setup)
    : setup_(std::move(setup)),
      modelIndex_(ModelIndexOfName(setup_.model)),
      family_(FamilyOf(modelIndex_)),
      status_(kStatusCount, '0') {
  if (family_ == Family::RV736X) {
    SetDigit(kDbmTens, kPowerOnDbmImpedance / 10);
    SetDigit(kDbmUnits, kPowerOnDbmImpedance % 10);
  }
  Reset();
}

// DC volts on a fixed range, every mode off; the set-up stays.
void VirtualMeter::Reset() {
  for (int position = 0; position < kStatusCount; ++position) {
    if (!OneOf(position, kSetUpPositions)) status_[position] = '0';
  }
  autoRange_ = false;
  relReference_ = 0;
  RestartPeak();
  const int row = OwnRow(modelIndex_, kPowerOnFunction, FindFunction(family_, kPowerOnFunction).value_or(0));
  row_ = -1;  // a new function: the input starts afresh
  Enter(row, FindRange(family_, row, RangeSetKind::normal, kPowerOnRange).value_or(0));
}

void VirtualMeter::StoreMemory(int slot, const MemoryRecord& record) {
  if (slot < 1 || slot > kMemorySlots) return;
  memory_[slot - 1] = record;
  present_.set(slot - 1);
}

bool VirtualMeter::StoreReading(int slot) {
  if (!IsRv736x(modelIndex_) || slot < 1 || slot > kMemorySlots) return false;
  StoreMemory(slot, ReadingRecord());
  return true;
}

VirtualMeter::MemoryRecord VirtualMeter::ReadingRecord() {
  const Sample sample = TakeSample();
  const bool peak = Has(kPeak);
  const bool rel = Has(kRel);
  const std::string_view token = Token();
  int main = sample.count;
  int sub = 0;
  int frequencyColumn = 0;
  if (peak) {
    // The sub display shows the other peak.
    main = peakHeld_ ? peakMax_ : sample.count;
    sub = peakHeld_ ? peakMin_ : sample.count;
  } else if (IsTemperature(family_, row_)) {
    main = FahrenheitTenths(sample.count, Has(kTemperatureUnit));
    if (rel) sub = FahrenheitTenths(relReference_, Has(kTemperatureUnit));
  } else {
    if (rel && !sample.marker) main = sample.count - relReference_;
    if (token == kSeparateToken) {
      const Scale scale = ActiveScale();
      const double level = openInput_ || scale.reach <= 0 ? 0 : kSepvAcShare * input_ / scale.reach;
      sub = static_cast<int>(std::lround(level * scale.full));
      if (std::abs(sub) > scale.full) sub = kOverCount;
    } else if (OneOf(token, kMemoryFrequencyFunctions)) {
      frequencyColumn = FrequencyColumn(sub);
    }
  }
  int mainStatus = StatusOf(main);
  if (mainStatus == kMemoryStatusOver && OneOf(token, kOverByStatusFunctions)) {
    main = (main < 0 ? -1 : 1) * ActiveScale().full;
  }

  int setting = 0;
  if (token == "CONT") setting = status_[kContinuity] - '0';
  if (token == "DIODE") setting = status_[kDiode] - '0';
  if (token == "dBm") setting = 10 * (status_[kDbmTens] - '0') + (status_[kDbmUnits] - '0');
  if (token == "DC_4_20mA") setting = status_[kCurrentLoop] - '0';
  // The range byte numbers the normal ranges, in peak hold too.
  const int column = peak ? MapColumn(row_, RangeSetKind::peak, peakColumn_, RangeSetKind::normal) : column_;
  std::uint8_t flags = kMemoryHoldsReading;
  if (Has(kFilter)) flags |= kMemoryFilter;
  if (rel) flags |= kMemoryRel;
  if (Has(kSlow)) flags |= kMemorySlow;

  MemoryRecord record{};
  PutLittleEndian<std::int32_t>(record, kMemoryMain, main);
  PutLittleEndian<std::int16_t>(record, kMemoryFunction, static_cast<std::int16_t>(row_ + kMemoryFunctionOffset));
  PutLittleEndian<std::int16_t>(record, kMemoryMainStatus, static_cast<std::int16_t>(mainStatus));
  PutLittleEndian<std::int8_t>(record, kMemoryRange, static_cast<std::int8_t>(NormalRangeNumber(column)));
  record[kMemoryFlags] = flags;
  PutLittleEndian<std::int8_t>(record, kMemoryHold, peak ? kMemoryHoldPeak : 0);
  PutLittleEndian<std::int32_t>(record, kMemorySub, sub);
  PutLittleEndian<std::int16_t>(record, kMemorySubStatus, static_cast<std::int16_t>(StatusOf(sub)));
  PutLittleEndian<std::int8_t>(record, kMemoryFrequencyRange, static_cast<std::int8_t>(frequencyColumn));
  PutLittleEndian<std::int8_t>(record, kMemorySetting, static_cast<std::int8_t>(setting));
  return record;
}

std::string VirtualMeter::Function() const { return std::string(Token()); }

std::string VirtualMeter::Range() const {
  return Has(kPeak) ? std::string(RangeToken(family_, row_, RangeSetKind::peak, peakColumn_))
                    : std::string(RangeToken(family_, row_, RangeSetKind::normal, column_));
}

bool VirtualMeter::HasAutoColumn(int row) const {
  const std::u16string_view name = RangeName(family_, row, RangeSetKind::normal, 0);
  return std::equal(name.begin(), name.end(), kAutoName.begin(), kAutoName.end());
}

// The RV736X filter works on the 600 V and 1000 V ranges of its AC voltage
// functions: those whose FILTER ranges map into their normal ranges.
bool VirtualMeter::IsFilterRow(int row) const {
  return family_ == Family::RV736X && FilterColumnInNormalSet(FunctionToken(family_, row), 0) != 0;
}

bool VirtualMeter::PeakAllowed(int row) const {
  return family_ != Family::RV732X && !RangeToken(family_, row, RangeSetKind::peak, 0).empty();
}

VirtualMeter::Scale VirtualMeter::ScaleOf(int row, RangeSetKind set, int column) const {
  // TEMP: the unit list by temperature unit, the counts by 2 x unit + sign.
  const bool temperature = IsTemperature(family_, row);
  const int unit = Has(kTemperatureUnit) ? 1 : 0;
  const int countIndex = temperature ? 2 * unit : column;
  Scale scale;
  scale.full = CountOf(FullScaleCount(family_, row, set, countIndex));
  scale.negativeLimit = temperature ? CountOf(FullScaleCount(family_, row, set, countIndex + 1)) : scale.full;
  scale.reach = scale.full * std::pow(10.0, -Decimals(family_, row, set, column)) *
                PrefixOf(Unit(family_, row, set, temperature ? unit : column));
  return scale;
}

VirtualMeter::Scale VirtualMeter::ActiveScale() const {
  return Has(kPeak) ? ScaleOf(row_, RangeSetKind::peak, peakColumn_) : ScaleOf(row_, RangeSetKind::normal, column_);
}

// The column of `to` that stands for `column` of `from`: the same token,
// else the first range reaching as far, else the widest.
int VirtualMeter::MapColumn(int row, RangeSetKind from, int column, RangeSetKind to) const {
  const std::string_view token = RangeToken(family_, row, from, column);
  const double reach = ScaleOf(row, from, column).reach;
  const int first = to == RangeSetKind::normal && HasAutoColumn(row) ? 1 : 0;
  const int count = RangeCount(family_, row, to);
  for (int c = first; c < count; ++c) {
    if (RangeToken(family_, row, to, c) == token) return c;
  }
  for (int c = first; c < count; ++c) {
    if (ScaleOf(row, to, c).reach >= reach) return c;
  }
  return std::max(first, count - 1);
}

void VirtualMeter::Enter(int row, int column) {
  if (row != row_) input_ = kStartLevel * ScaleOf(row, RangeSetKind::normal, column).reach;
  row_ = row;
  column_ = column;
  if (Token() == kClampToken) SetDigit(kClampMemory, column_);
}

int VirtualMeter::MiddleColumn(int row) const {
  const int first = HasAutoColumn(row) ? 1 : 0;
  return first + (RangeCount(family_, row, RangeSetKind::normal) - first - 1) / 2;
}

// Peak hold holds the range; auto-ranging goes on when it ends.
void VirtualMeter::PickAutoRange() {
  if (!autoRange_ || Has(kPeak)) return;
  const int count = RangeCount(family_, row_, RangeSetKind::normal);
  column_ = count - 1;
  for (int c = 1; c < count; ++c) {
    const double reach = ScaleOf(row_, RangeSetKind::normal, c).reach;
    if (reach > 0 && std::abs(input_) <= kAutoHeadroom * reach) {
      column_ = c;
      break;
    }
  }
}

void VirtualMeter::SetAutoRange(bool on) {
  autoRange_ = on;
  status_[kAutoRange] = on ? '1' : '0';
  PickAutoRange();
}

// The RV736X filter ends when the meter leaves its ranges.
void VirtualMeter::KeepFilterConsistent() {
  if (family_ != Family::RV736X || !Has(kFilter)) return;
  if (!IsFilterRow(row_) || autoRange_ || (!Has(kPeak) && !IsFilterColumn(column_))) status_[kFilter] = '0';
}

bool VirtualMeter::IsFilterColumn(int column) const {
  const int count = RangeCount(family_, row_, RangeSetKind::filter);
  for (int c = 0; c < count; ++c) {
    if (FilterColumnInNormalSet(Token(), c) == column) return true;
  }
  return false;
}

void VirtualMeter::SetInput(double fractionOfFullScale) {
  const double reach = ActiveScale().reach;
  input_ = reach > 0 ? fractionOfFullScale * reach : fractionOfFullScale;
  PickAutoRange();
}

VirtualMeter::Sample VirtualMeter::TakeSample() {
  PickAutoRange();
  noise_ = noise_ * 1103515245u + 12345u;
  const int jitter = Has(kSlow) ? 0 : static_cast<int>((noise_ >> 16) % (2 * kJitter + 1)) - kJitter;
  phase_ += kWanderStep;

  Sample sample;
  const Scale scale = ActiveScale();
  if (openInput_ && OneOf(Token(), kOpenFunctions)) {
    sample = {kOpenCount, true};
  } else if (scale.full == 0) {
    sample = {kBlankCount, true};  // a range without a count (voltage detector, some PEAK rows)
  } else {
    const double level = openInput_ ? 0 : input_ / scale.reach;
    const int count = static_cast<int>(std::lround(level * scale.full * (1 + kWander * std::sin(phase_)))) + jitter;
    if (count > scale.full) {
      sample = {kOverCount, true};
    } else if (count < -scale.negativeLimit) {
      sample = {-kOverCount, true};
    } else {
      sample = {count, false};
    }
  }
  // Peak hold follows every reading, over range included.
  if (Has(kPeak) && (!sample.marker || std::abs(sample.count) == kOverCount)) {
    peakMax_ = peakHeld_ ? std::max(peakMax_, sample.count) : sample.count;
    peakMin_ = peakHeld_ ? std::min(peakMin_, sample.count) : sample.count;
    peakHeld_ = true;
  }
  return sample;
}

// The meter numbers the ranges of a function from its first real one (not
// "Auto"); the RV736X numbers those of "ACDCV" and "SEPV" two higher, and
// the RV732X "AutoV" tells AC (1) from DC (0).  In peak hold the number is
// the PEAK range's own.
int VirtualMeter::RangeNumber() const {
  if (Has(kPeak)) return peakColumn_;
  return NormalRangeNumber(column_);
}

int VirtualMeter::NormalRangeNumber(int column) const {
  if (family_ == Family::RV732X && Token() == kAutoVToken) return acInput_ ? 1 : 0;
  int number = column - (HasAutoColumn(row_) ? 1 : 0);
  if (family_ == Family::RV736X && (Token() == kAcDcToken || Token() == kSeparateToken)) number += 2;
  return number;
}

std::string VirtualMeter::MainReading() {
  const Sample sample = TakeSample();
  if (sample.marker) return Reading(sample.count, sample.count, RangeNumber());
  // REL shows the difference; the count stays what the input gives.
  const int shown = Has(kRel) ? sample.count - relReference_ : sample.count;
  return Reading(shown, sample.count, RangeNumber());
}

std::string VirtualMeter::MainConfiguration() const { return Function() + "," + Range(); }

// The sub display: AC functions count their signal's frequency, the RV736X
// "SEPV" shows the AC part of its input beside the DC part on the main
// display; nothing else has one, and in peak hold the sub display shows the
// other peak, which is read with the PEAK queries.
VirtualMeter::SubDisplay VirtualMeter::SubKind() const {
  if (Has(kPeak)) return SubDisplay::none;
  if (family_ == Family::RV736X && Token() == kSeparateToken) return SubDisplay::separate;
  if (OneOf(Token(), kAcFunctions)) return SubDisplay::frequency;
  return SubDisplay::none;
}

// The frequency counter's range is the first whose digits hold the
// frequency: four digits on the RV732X and RV734X, five on the RV736X.
int VirtualMeter::FrequencyColumn(int& count) const {
  const FrequencySubRanges& ranges = TablesOf(family_).frequency;
  const int limit = family_ == Family::RV736X ? 99999 : 9999;
  const double hertz = openInput_ ? 0 : frequency_;
  const int columns = static_cast<int>(ranges.tokens.size());
  for (int c = 0; c < columns; ++c) {
    const double counts = hertz * std::pow(10.0, FrequencyDecimals(family_, c)) / PrefixOf(FrequencyUnit(family_, c));
    if (std::abs(counts) <= limit) {
      count = static_cast<int>(std::lround(counts));
      return c;
    }
  }
  count = kOverCount;
  return columns - 1;
}

std::string VirtualMeter::SubConfiguration() const {
  switch (SubKind()) {
    case SubDisplay::frequency: {
      int count = 0;
      const int column = FrequencyColumn(count);
      return std::string(kFrequencyToken) + "," + std::string(TablesOf(family_).frequency.tokens[column]);
    }
    case SubDisplay::separate:
      return MainConfiguration();
    case SubDisplay::none:
      break;
  }
  return {};
}

std::string VirtualMeter::SubReading() {
  switch (SubKind()) {
    case SubDisplay::frequency: {
      int count = 0;
      const int column = FrequencyColumn(count);
      return Reading(count, count, column);
    }
    case SubDisplay::separate: {
      const Scale scale = ActiveScale();
      const double level = openInput_ || scale.reach <= 0 ? 0 : kSepvAcShare * input_ / scale.reach;
      const int count = static_cast<int>(std::lround(level * scale.full));
      const int shown = std::abs(count) > scale.full ? kOverCount : count;
      return Reading(shown, shown, RangeNumber());
    }
    case SubDisplay::none:
      break;
  }
  return {};
}

std::string VirtualMeter::PeakReading(bool maximum) {
  const Sample sample = TakeSample();
  if (!peakHeld_) return std::to_string(sample.count);  // blank or OPEN: nothing held
  return std::to_string(maximum ? peakMax_ : peakMin_);
}

bool VirtualMeter::SwitchPeak(bool on) {
  if (family_ == Family::RV732X) return false;
  if (on) {
    if (!PeakAllowed(row_)) return false;
    if (!Has(kPeak)) peakColumn_ = MapColumn(row_, RangeSetKind::normal, column_, RangeSetKind::peak);
    status_[kRel] = '0';  // peak hold and REL exclude each other
    status_[kPeak] = '1';
    RestartPeak();
  } else {
    if (Has(kPeak)) column_ = MapColumn(row_, RangeSetKind::peak, peakColumn_, RangeSetKind::normal);
    status_[kPeak] = '0';
    KeepFilterConsistent();
  }
  return true;
}

// REL (and the RV7341's zero adjustment) takes the present reading as its
// zero and holds the range; there is no zero to take from an over range,
// OPEN or empty reading, nor in peak hold.
bool VirtualMeter::TakeZero() {
  if (Has(kPeak)) return false;
  const Sample sample = TakeSample();
  if (sample.marker) return false;
  relReference_ = sample.count;
  SetAutoRange(false);
  KeepFilterConsistent();
  status_[kRel] = '1';
  return true;
}

bool VirtualMeter::SwitchRel(bool on) {
  if (IsRv7341(modelIndex_)) return false;  // it has its zero adjustment instead
  if (!on) {
    status_[kRel] = '0';
    return true;
  }
  return TakeZero();
}

bool VirtualMeter::SwitchFilter(bool on) {
  if (!on) {
    status_[kFilter] = '0';
    return true;
  }
  if (family_ == Family::RV736X) {
    if (!IsFilterRow(row_) || Has(kPeak)) return false;
    SetAutoRange(false);
    if (!IsFilterColumn(column_)) column_ = FilterColumnInNormalSet(Token(), 0);
  }
  status_[kFilter] = '1';
  return true;
}

bool VirtualMeter::SwitchSlow(bool on) {
  if (family_ != Family::RV736X) return false;
  status_[kSlow] = on ? '1' : '0';
  return true;
}

bool VirtualMeter::SetTemperatureUnit(bool fahrenheit) {
  if (fahrenheit != Has(kTemperatureUnit) && IsTemperature(family_, row_)) {
    input_ = fahrenheit ? input_ * 9 / 5 + 32 : (input_ - 32) * 5 / 9;
  }
  status_[kTemperatureUnit] = fahrenheit ? '1' : '0';
  return true;
}

bool VirtualMeter::SetStatus(int position, char value) {
  if (position < 0 || position >= kStatusCount || value < '0' || value > '9') return false;
  const int digit = value - '0';
  const bool digitPosition = OneOf(position, kDigitPositions);
  if (!digitPosition && digit > 1) return false;
  switch (position) {
    case kRel:
      if (!IsRv7341(modelIndex_)) return SwitchRel(digit == 1);
      if (digit == 1) return TakeZero();
      status_[kRel] = '0';
      return true;
    case kFilter:
      return SwitchFilter(digit == 1);
    case kSlow:
      return SwitchSlow(digit == 1);
    case kPeak:
      return SwitchPeak(digit == 1);
    case kAutoRange:
      if (digit == 1 && (!HasAutoColumn(row_) || Has(kPeak) || Has(kRel))) return false;
      SetAutoRange(digit == 1);
      KeepFilterConsistent();
      return true;
    case kClampMemory: {
      const int clampRow = FindFunction(family_, kClampToken).value_or(-1);
      if (digit >= RangeCount(family_, clampRow, RangeSetKind::normal)) return false;
      SetDigit(kClampMemory, digit);
      if (row_ == clampRow && !Has(kPeak)) column_ = digit;  // in CLAMP the dial is the memory
      return true;
    }
    case kContinuity:
      if (family_ != Family::RV736X || digit >= static_cast<int>(ContinuityThresholds().size())) return false;
      SetDigit(position, digit);
      return true;
    case kDiode:
      if (family_ != Family::RV736X || digit >= static_cast<int>(DiodeThresholds().size())) return false;
      SetDigit(position, digit);
      return true;
    case kDbmTens:
    case kDbmUnits: {
      const int tens = position == kDbmTens ? digit : status_[kDbmTens] - '0';
      const int units = position == kDbmUnits ? digit : status_[kDbmUnits] - '0';
      if (family_ != Family::RV736X || 10 * tens + units >= static_cast<int>(DbmImpedances().size())) return false;
      SetDigit(position, digit);
      return true;
    }
    case kTemperatureUnit:
      return SetTemperatureUnit(digit == 1);
    default:
      SetDigit(position, digit);
      return true;
  }
}

std::string VirtualMeter::SwitchMode(std::string_view command) {
  struct Switch {
    const char* command;
    int position;
    bool on;
  };
  static constexpr Switch kSwitches[] = {
      {command::kPeakOff, kPeak, false},      {command::kPeakOn, kPeak, true},
      {command::kRelOff, kRel, false},        {command::kRelOn, kRel, true},
      {command::kSlowOff, kSlow, false},      {command::kSlowOn, kSlow, true},
      {command::kFilterOff, kFilter, false},  {command::kFilterOff100, kFilter, false},
      {command::kFilterOn, kFilter, true},    {command::kFilterOn100, kFilter, true},
      {command::kFilterOn500, kFilter, true},
  };
  for (const Switch& s : kSwitches) {
    if (command != s.command) continue;
    bool done = false;
    switch (s.position) {
      case kPeak:
        done = SwitchPeak(s.on);
        break;
      case kRel:
        done = SwitchRel(s.on);
        break;
      case kSlow:
        done = SwitchSlow(s.on);
        break;
      case kFilter:
        done = SwitchFilter(s.on);
        break;
    }
    return Line(done ? kOk : command::kCommandError);
  }
  return {};
}

// ":CONF <function>,<range>": a function of the family (RV732X: as its
// model has it) and one of its range tokens, from the PEAK ranges in peak
// hold; the "Auto" column's token turns auto-ranging on.  A change ends
// REL and starts the peak values afresh.
std::string VirtualMeter::Configure(std::string_view tokens) {
  const std::string error = Line(command::kCommandError);
  const auto comma = tokens.find(',');
  if (comma == std::string_view::npos || comma == 0 || comma + 1 == tokens.size()) return error;
  const std::string_view function = tokens.substr(0, comma);
  const std::string_view range = tokens.substr(comma + 1);
  const auto found = FindFunction(family_, function);
  if (!found) return error;
  const int row = OwnRow(modelIndex_, function, *found);

  if (Has(kPeak)) {
    const auto column = FindRange(family_, row, RangeSetKind::peak, range);
    if (!column || !PeakAllowed(row)) return error;
    Enter(row, MapColumn(row, RangeSetKind::peak, *column, RangeSetKind::normal));
    peakColumn_ = *column;
    SetAutoRange(false);  // a chosen range
  } else {
    const auto column = FindRange(family_, row, RangeSetKind::normal, range);
    if (!column) return error;
    const bool automatic = *column == 0 && HasAutoColumn(row);
    if (automatic) {
      Enter(row, row == row_ ? column_ : MiddleColumn(row));
    } else {
      Enter(row, *column);
    }
    SetAutoRange(automatic);
  }
  status_[kRel] = '0';
  KeepFilterConsistent();
  RestartPeak();
  return Line(kOk);
}

// The RV736X settings: continuity and diode thresholds, dBm reference
// impedance, each a choice number of its list.
std::string VirtualMeter::MeterSetting(std::string_view command) {
  struct Setting {
    std::string_view prefix;
    int tens, units;  // status digits; -1: a single digit
    std::size_t choices;
  };
  const Setting settings[] = {
      {command::kConductPrefix, -1, kContinuity, ContinuityThresholds().size()},
      {command::kDiodePrefix, -1, kDiode, DiodeThresholds().size()},
      {command::kDbmPrefix, kDbmTens, kDbmUnits, DbmImpedances().size()},
  };
  for (const Setting& setting : settings) {
    const std::string_view text = StartsWith(command, setting.prefix);
    if (text.empty()) continue;
    const auto choice = ParseDecimal(text);
    if (family_ != Family::RV736X || !choice || *choice < 0 || *choice >= static_cast<int>(setting.choices)) {
      return Line(command::kCommandError);
    }
    if (setting.tens >= 0) SetDigit(setting.tens, *choice / 10);
    SetDigit(setting.units, *choice % 10);
    return Line(kOk);
  }
  return {};
}

std::string VirtualMeter::Identification() const {
  return std::string(kMaker) + "," + setup_.model + "," + setup_.serialNumber + ", Ver " + setup_.firmware;
}

MeterReply VirtualMeter::Answer(std::string_view command) {
  const std::string error = Line(command::kCommandError);
  if (command == command::kProductId) return {Line(setup_.model)};
  if (command == command::kIdentify) return {Line(Identification())};
  if (command == command::kFactoryInit) {
    Reset();
    return {Line(kOk)};
  }
  if (command == command::kLocalLockout || command == command::kBacklightOff || command == command::kGoToLocal) {
    return {Line(kOk)};
  }
  if (command == command::kStatus) return {Line(status_)};
  if (command == command::kBattery) return {Line(std::to_string(battery_))};
  if (command == command::kMainReading) return {Line(MainReading())};
  if (command == command::kMainConfig) return {Line(MainConfiguration())};
  if (command == command::kSubReading || command == command::kSubConfig) {
    const std::string reply = command == command::kSubReading ? SubReading() : SubConfiguration();
    return {reply.empty() ? error : Line(reply)};
  }
  if (command == command::kPeakMax || command == command::kPeakMin) {
    if (!Has(kPeak)) return {error};
    return {Line(PeakReading(command == command::kPeakMax))};
  }
  if (command == command::kClear) {
    if (family_ == Family::RV732X) return {error};
    RestartPeak();
    return {Line(kOk)};
  }
  if (std::string reply = SwitchMode(command); !reply.empty()) return {reply};
  if (command == command::kZeroAdjust || command == command::kOkQuery) {
    if (!IsRv7341(modelIndex_)) return {error};
    // "OK?" ends the zero adjustment; taking one takes the meter a while.
    if (command == command::kOkQuery) {
      status_[kRel] = '0';
      return {Line(kOk)};
    }
    return {TakeZero() ? Line(kOk) : error, kZeroAdjustTime};
  }
  if (std::string reply = MeterSetting(command); !reply.empty()) return {reply};
  if (auto tokens = StartsWith(command, command::kConfigurePrefix); !tokens.empty()) return {Configure(tokens)};
  if (command == command::kMemoryCheck) {
    const auto version = FirmwareNumber(setup_.firmware);
    if (!IsRv736x(modelIndex_) || !version || *version < 104) return {error};
    std::string map(command::kMemoryCheckBytes, '\0');
    for (int slot = 0; slot < kMemorySlots; ++slot) {
      if (present_[slot]) map[slot / 8] = static_cast<char>(map[slot / 8] | (1 << (slot % 8)));
    }
    return {map};
  }
  if (auto slotText = StartsWith(command, command::kMemoryDataPrefix); !slotText.empty()) {
    const auto slot = ParseDecimal(slotText);
    if (!IsRv736x(modelIndex_) || !slot || *slot < 1 || *slot > kMemorySlots) return {error};
    const MemoryRecord& record = memory_[*slot - 1];
    return {std::string(record.begin(), record.end())};
  }
  return {error};
}
