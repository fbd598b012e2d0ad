// The monitor snapshot: what the user interface asks of the meter and what
// the acquisition cycle last decoded from it.  55 32-bit fields in a fixed
// order.  Every field is an atomic 32-bit value, so a single field read
// outside the lock (battery, status, over flags...) is never torn and never
// a data race; whole-record copies are made under the monitor lock.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string_view>

using MonitorField = std::atomic<std::int32_t>;

struct _MONITOR_DATA {
  static constexpr int kStatusCount = 24;

  MonitorField modeRequest{0};
  MonitorField rangeRequest{0};
  MonitorField autoRange{0};
  MonitorField subPresent{0};
  MonitorField confError{0};
  MonitorField mainOver{0};
  MonitorField subOver{0};
  MonitorField mainBlank{0};
  MonitorField subBlank{0};
  MonitorField mainOpen{0};
  MonitorField peakRequest{0};
  MonitorField clearRequest{0};
  MonitorField relRequest{0};
  MonitorField filterRequest{0};
  MonitorField slowRequest{0};
  MonitorField passbandRequest{0};
  MonitorField conductRequest{0};
  MonitorField diodeRequest{0};
  MonitorField dbmRequest{0};
  MonitorField adoptSettings{0};
  MonitorField functionIndex{0};
  MonitorField subFunctionIndex{0};
  MonitorField rangeIndex{0};
  MonitorField fetchRangeIndex{0};
  MonitorField subRangeIndex{0};
  MonitorField subFetchRangeIndex{0};
  MonitorField shownFunction{-1};
  MonitorField shownRange{-1};
  MonitorField shownPeak{0};
  MonitorField shownFilter{0};
  MonitorField battery{0};
  std::array<MonitorField, kStatusCount> status{};

  _MONITOR_DATA() = default;
  _MONITOR_DATA(const _MONITOR_DATA& other) { *this = other; }
  // Field by field; the caller holds the monitor lock when the source or
  // the target is shared.
  _MONITOR_DATA& operator=(const _MONITOR_DATA& other);

  // The fields in their stored order, 0 to 54.
  MonitorField& Field(int index);
  const MonitorField& Field(int index) const;
};

inline constexpr int kMonitorFieldCount = 55;

static_assert(sizeof(MonitorField) == 4 && MonitorField::is_always_lock_free);
static_assert(sizeof(_MONITOR_DATA) == 220);
static_assert(offsetof(_MONITOR_DATA, modeRequest) == 0);
static_assert(offsetof(_MONITOR_DATA, mainOpen) == 9 * 4);
static_assert(offsetof(_MONITOR_DATA, peakRequest) == 10 * 4);
static_assert(offsetof(_MONITOR_DATA, adoptSettings) == 19 * 4);
static_assert(offsetof(_MONITOR_DATA, functionIndex) == 20 * 4);
static_assert(offsetof(_MONITOR_DATA, shownFunction) == 26 * 4);
static_assert(offsetof(_MONITOR_DATA, battery) == 30 * 4);
static_assert(offsetof(_MONITOR_DATA, status) == 31 * 4);

// Positions in `status` that the system uses.
enum StatusPosition : int {
  kStatusRel = 1,  // REL on; zero-adjust state on the RV7341
  kStatusFilter = 2,
  kStatusBuzzer = 3,
  kStatusAutoPowerSave = 4,
  kStatusLeadWarning = 6,
  kStatusAutoRange = 11,
  kStatusSlow = 14,
  kStatusPeak = 15,
  kStatusClampMemory = 16,
  kStatusCurrentLoop = 17,  // 0: 4-20 mA, otherwise 0-20 mA
  kStatusContinuityThreshold = 18,
  kStatusDiodeThreshold = 19,
  kStatusDbmTens = 20,
  kStatusDbmUnits = 21,
  kStatusTemperatureUnit = 22,  // 1: Fahrenheit
};

// Stores the first 24 characters of a ":STAT?" reply.  Digit positions
// keep their value (0 for a non-digit); the others are 0 for '0', else 1.
// A reply shorter than 24 characters leaves its missing flags at 0.
void ParseStatus(std::string_view reply, _MONITOR_DATA& data);
