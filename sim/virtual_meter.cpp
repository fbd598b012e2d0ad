#include "sim/virtual_meter.h"

#include <algorithm>

#include "link/commands.h"
#include "link/decimal.h"
#include "link/identification.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kMaker = "RVTEK";
constexpr std::string_view kOk = "OK";

std::string Line(std::string_view text) { return std::string(text) + std::string(kLineEnd); }

// Status positions the meter reports.
enum StatusPosition { kRel = 1, kFilter = 2, kSlow = 14, kPeak = 15 };

std::string_view StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix ? text.substr(prefix.size()) : std::string_view();
}

}  // namespace

VirtualMeter::VirtualMeter(VirtualMeterSetup setup)
    : setup_(std::move(setup)), modelIndex_(ModelIndexOfName(setup_.model)) {
  Reset();
}

void VirtualMeter::Reset() {
  // Power-on state: DC volts, 6 V range.
  function_ = "DCV";
  range_ = "6";
  rangeNumber_ = IsFamily736() ? 3 : 2;
  count_ = IsFamily736() ? 15000 : 1500;
  status_ = std::string(kStatusCount, '0');
  relBase_ = 0;
  peakHeld_ = false;
}

void VirtualMeter::StoreMemory(int slot, const MemoryRecord& record) {
  if (slot < 1 || slot > kMemorySlots) return;
  memory_[slot - 1] = record;
  present_.set(slot - 1);
}

std::string VirtualMeter::Identification() const {
  return std::string(kMaker) + "," + setup_.model + "," + setup_.serialNumber + ", Ver " + setup_.firmware;
}

std::string VirtualMeter::MainReading() {
  // A steady input with a little noise in the last digit.
  noise_ = noise_ * 1103515245u + 12345u;
  const int reading = count_ + static_cast<int>((noise_ >> 16) % 5) - 2;
  peakMax_ = peakHeld_ ? std::max(peakMax_, reading) : reading;
  peakMin_ = peakHeld_ ? std::min(peakMin_, reading) : reading;
  peakHeld_ = true;
  const int shown = Has(kRel) ? reading - relBase_ : reading;
  const std::string text = std::to_string(shown);
  return text + "," + text + "," + std::to_string(rangeNumber_);
}

std::string VirtualMeter::SwitchMode(std::string_view command) {
  struct Switch {
    const char* command;
    int position;
    char value;
  };
  static constexpr Switch kSwitches[] = {
      {command::kPeakOff, kPeak, '0'},     {command::kPeakOn, kPeak, '1'},
      {command::kRelOff, kRel, '0'},       {command::kRelOn, kRel, '1'},
      {command::kSlowOff, kSlow, '0'},     {command::kSlowOn, kSlow, '1'},
      {command::kFilterOff, kFilter, '0'}, {command::kFilterOff100, kFilter, '0'},
      {command::kFilterOn, kFilter, '1'},  {command::kFilterOn100, kFilter, '1'},
      {command::kFilterOn500, kFilter, '1'},
  };
  for (const Switch& s : kSwitches) {
    if (command != s.command) continue;
    if (s.position == kRel && s.value == '1') relBase_ = count_;
    if (s.position == kPeak) peakHeld_ = false;
    status_[s.position] = s.value;
    return Line(kOk);
  }
  return {};
}

MeterReply VirtualMeter::Answer(std::string_view command) {
  const std::string error = Line(command::kCommandError);
  if (command == command::kProductId) return {Line(setup_.model)};
  if (command == command::kIdentify) return {Line(Identification())};
  if (command == command::kFactoryInit) {
    Reset();
    return {Line(kOk)};
  }
  if (command == command::kLocalLockout || command == command::kBacklightOff ||
      command == command::kGoToLocal) {
    return {Line(kOk)};
  }
  if (command == command::kStatus) return {Line(status_)};
  if (command == command::kBattery) return {Line(std::to_string(battery_))};
  if (command == command::kMainReading) return {Line(MainReading())};
  if (command == command::kMainConfig) return {Line(function_ + "," + range_)};
  // DC volts has nothing on the sub display.
  if (command == command::kSubReading || command == command::kSubConfig) return {error};
  if (command == command::kPeakMax || command == command::kPeakMin) {
    if (!Has(kPeak)) return {error};
    const int peak = !peakHeld_ ? count_ : command == command::kPeakMax ? peakMax_ : peakMin_;
    return {Line(std::to_string(peak))};
  }
  if (command == command::kClear) {
    peakHeld_ = false;
    return {Line(kOk)};
  }
  if (std::string reply = SwitchMode(command); !reply.empty()) return {reply};
  if (command == command::kZeroAdjust || command == command::kOkQuery) {
    if (setup_.model != kModelNames[6]) return {error};
    if (command == command::kOkQuery) return {Line(kOk)};
    status_[kRel] = Has(kRel) ? '0' : '1';
    relBase_ = count_;
    return {Line(kOk), kZeroAdjustTime};
  }
  for (auto prefix : {command::kConductPrefix, command::kDiodePrefix, command::kDbmPrefix}) {
    if (auto value = StartsWith(command, prefix); !value.empty()) {
      return {ParseDecimal(value) ? Line(kOk) : error};
    }
  }
  if (auto tokens = StartsWith(command, command::kConfigurePrefix); !tokens.empty()) {
    const auto comma = tokens.find(',');
    if (comma == std::string_view::npos || comma == 0 || comma + 1 == tokens.size()) return {error};
    function_ = std::string(tokens.substr(0, comma));
    range_ = std::string(tokens.substr(comma + 1));
    return {Line(kOk)};
  }
  if (command == command::kMemoryCheck) {
    const auto version = FirmwareNumber(setup_.firmware);
    if (!IsFamily736() || !version || *version < 104) return {error};
    std::string map(command::kMemoryCheckBytes, '\0');
    for (int slot = 0; slot < kMemorySlots; ++slot) {
      if (present_[slot]) map[slot / 8] = static_cast<char>(map[slot / 8] | (1 << (slot % 8)));
    }
    return {map};
  }
  if (auto slotText = StartsWith(command, command::kMemoryDataPrefix); !slotText.empty()) {
    const auto slot = ParseDecimal(slotText);
    if (!IsFamily736() || !slot || *slot < 1 || *slot > kMemorySlots) return {error};
    const MemoryRecord& record = memory_[*slot - 1];
    return {std::string(record.begin(), record.end())};
  }
  return {error};
}
