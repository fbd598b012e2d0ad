// What one acquisition cycle publishes for the recording engine and the
// spreadsheet link.  Published and read whole: a reader never sees half of
// one cycle and half of another.
#pragma once

#include <cstdint>
#include <mutex>

#include "monitor/reading_text.h"
#include "monitor/record_data.h"

struct Publication {
  std::uint64_t cycle = 0;       // counts the publications since the program started
  _READING_TEXT forRecording;    // short function names
  _READING_TEXT forSpreadsheet;  // long function names, as in the labels
  ValueRecord main;
  ValueRecord sub;
  _RECORD_DATA recordTemplate;
};

class PublishedReading {
 public:
  void Publish(Publication publication) {
    std::lock_guard hold(mutex_);
    latest_ = std::move(publication);
  }
  Publication Latest() const {
    std::lock_guard hold(mutex_);
    return latest_;
  }

 private:
  mutable std::mutex mutex_;
  Publication latest_;
};
