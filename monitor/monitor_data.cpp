#include "monitor/monitor_data.h"

namespace {

constexpr bool IsDigitPosition(int position) {
  switch (position) {
    case 0:
    case 5:
    case 7:
    case 8:
    case 16:
    case 18:
    case 19:
    case 20:
    case 21:
      return true;
    default:
      return false;
  }
}

using D = _MONITOR_DATA;
// The fields before `status`, in stored order.
constexpr MonitorField D::*kScalarFields[] = {
    &D::modeRequest,    &D::rangeRequest,       &D::autoRange,     &D::subPresent,
    &D::confError,      &D::mainOver,           &D::subOver,       &D::mainBlank,
    &D::subBlank,       &D::mainOpen,           &D::peakRequest,   &D::clearRequest,
    &D::relRequest,     &D::filterRequest,      &D::slowRequest,   &D::passbandRequest,
    &D::conductRequest, &D::diodeRequest,       &D::dbmRequest,    &D::adoptSettings,
    &D::functionIndex,  &D::subFunctionIndex,   &D::rangeIndex,    &D::fetchRangeIndex,
    &D::subRangeIndex,  &D::subFetchRangeIndex, &D::shownFunction, &D::shownRange,
    &D::shownPeak,      &D::shownFilter,        &D::battery,
};
constexpr int kScalarCount = static_cast<int>(std::size(kScalarFields));
static_assert(kScalarCount + D::kStatusCount == kMonitorFieldCount);

}  // namespace

MonitorField& _MONITOR_DATA::Field(int index) {
  return index < kScalarCount ? this->*kScalarFields[index] : status[index - kScalarCount];
}

const MonitorField& _MONITOR_DATA::Field(int index) const {
  return index < kScalarCount ? this->*kScalarFields[index] : status[index - kScalarCount];
}

_MONITOR_DATA& _MONITOR_DATA::operator=(const _MONITOR_DATA& other) {
  for (int i = 0; i < kMonitorFieldCount; ++i) {
    Field(i).store(other.Field(i).load(std::memory_order_relaxed), std::memory_order_relaxed);
  }
  return *this;
}

void ParseStatus(std::string_view reply, _MONITOR_DATA& data) {
  for (int i = 0; i < _MONITOR_DATA::kStatusCount; ++i) {
    const char c = i < static_cast<int>(reply.size()) ? reply[i] : '0';
    const bool digit = c >= '0' && c <= '9';
    data.status[i] = IsDigitPosition(i) ? (digit ? c - '0' : 0) : (c == '0' ? 0 : 1);
  }
}
