// The shared monitor snapshot and the one lock that guards its requests and
// the whole-record copies between it and the acquisition thread's copy.
#pragma once

#include <mutex>

#include "monitor/monitor_data.h"

// The request fields, each raised by the user interface and consumed by the
// next acquisition cycle.
enum class MonitorRequest {
  mode,
  range,
  peak,
  clear,
  rel,
  filter,
  slow,
  passband,
  conduct,
  diode,
  dbm,
};

MonitorField& RequestField(_MONITOR_DATA& data, MonitorRequest request);

class MonitorSnapshot {
 public:
  MonitorSnapshot() = default;
  MonitorSnapshot(const MonitorSnapshot&) = delete;
  MonitorSnapshot& operator=(const MonitorSnapshot&) = delete;

  // The monitor lock, taken with std::lock_guard.  Never held across a
  // meter exchange or a window call.
  void lock() { lock_.lock(); }
  void unlock() { lock_.unlock(); }

  // A button press or setting change: the field becomes 1 (not a count).
  void Raise(MonitorRequest request);

  // Start of a cycle: copies the snapshot into `copy` and clears the
  // requests in the snapshot, in one hold of the lock.
  void TakeForCycle(_MONITOR_DATA& copy);
  // End of a cycle: keeps the requests raised meanwhile, then publishes `copy`.
  void PublishCycle(_MONITOR_DATA& copy);

  // The shared record.  Single fields may be read without the lock.
  _MONITOR_DATA& Data() { return data_; }
  const _MONITOR_DATA& Data() const { return data_; }

 private:
  std::mutex lock_;
  _MONITOR_DATA data_;
};
