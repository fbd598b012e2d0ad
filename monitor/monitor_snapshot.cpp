#include "monitor/monitor_snapshot.h"

namespace {
constexpr MonitorRequest kAllRequests[] = {
    MonitorRequest::mode,    MonitorRequest::range,  MonitorRequest::peak, MonitorRequest::clear,
    MonitorRequest::rel,     MonitorRequest::filter, MonitorRequest::slow, MonitorRequest::passband,
    MonitorRequest::conduct, MonitorRequest::diode,  MonitorRequest::dbm,
};
}  // namespace

MonitorField& RequestField(_MONITOR_DATA& data, MonitorRequest request) {
  switch (request) {
    case MonitorRequest::mode:
      return data.modeRequest;
    case MonitorRequest::range:
      return data.rangeRequest;
    case MonitorRequest::peak:
      return data.peakRequest;
    case MonitorRequest::clear:
      return data.clearRequest;
    case MonitorRequest::rel:
      return data.relRequest;
    case MonitorRequest::filter:
      return data.filterRequest;
    case MonitorRequest::slow:
      return data.slowRequest;
    case MonitorRequest::passband:
      return data.passbandRequest;
    case MonitorRequest::conduct:
      return data.conductRequest;
    case MonitorRequest::diode:
      return data.diodeRequest;
    case MonitorRequest::dbm:
      return data.dbmRequest;
  }
  return data.modeRequest;
}

void MonitorSnapshot::Raise(MonitorRequest request) {
  std::lock_guard hold(lock_);
  RequestField(data_, request) = 1;
}

void MonitorSnapshot::TakeForCycle(_MONITOR_DATA& copy) {
  std::lock_guard hold(lock_);
  copy = data_;
  for (const MonitorRequest request : kAllRequests) RequestField(data_, request) = 0;
}

void MonitorSnapshot::PublishCycle(_MONITOR_DATA& copy) {
  std::lock_guard hold(lock_);
  for (const MonitorRequest request : kAllRequests) RequestField(copy, request) = RequestField(data_, request).load();
  data_ = copy;
}
