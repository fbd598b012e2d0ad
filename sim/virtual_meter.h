// A meter of the series, played in software: it answers every command with
// the reply a real one gives, from state that the commands change.
#pragma once

#include <array>
#include <bitset>
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

struct MeterReply {
  std::string bytes;                      // what goes on the line, CR LF included
  std::chrono::milliseconds delay{0};     // how long the meter takes first
};

struct VirtualMeterSetup {
  std::string model = "RV7361";   // any text; a real model name identifies
  std::string serialNumber = "00000001";
  std::string firmware = "1.04";  // "X.YZ"
};

class VirtualMeter {
 public:
  static constexpr int kStatusCount = 24;
  static constexpr int kMemorySlots = 400;
  using MemoryRecord = std::array<std::uint8_t, 32>;

  explicit VirtualMeter(VirtualMeterSetup setup = {});

  // Answers one command line (without its CR LF).
  MeterReply Answer(std::string_view command);

  const VirtualMeterSetup& Setup() const { return setup_; }
  int ModelIndex() const { return modelIndex_; }
  const std::string& Function() const { return function_; }
  const std::string& Range() const { return range_; }
  char Status(int position) const { return status_[position]; }
  void SetStatus(int position, char value) { status_[position] = value; }
  void SetBattery(int level) { battery_ = level; }
  void StoreMemory(int slot, const MemoryRecord& record);  // slot 1-400

  // Time the meter takes for its zero adjustment (RV7341): longer than an
  // ordinary reply may take.
  static constexpr std::chrono::milliseconds kZeroAdjustTime{3000};

 private:
  bool IsFamily736() const { return modelIndex_ >= 8 && modelIndex_ <= 9; }
  bool Has(int position) const { return status_[position] != '0'; }
  void Reset();
  std::string Identification() const;
  std::string MainReading();
  std::string SwitchMode(std::string_view command);

  VirtualMeterSetup setup_;
  int modelIndex_;
  std::string function_;
  std::string range_;
  int rangeNumber_ = 0;
  std::string status_;
  int battery_ = 3;
  int count_ = 0;      // the value shown, in display counts
  int relBase_ = 0;    // count at the moment REL was switched on
  bool peakHeld_ = false;  // a reading has been taken since peak hold began
  int peakMax_ = 0;
  int peakMin_ = 0;
  unsigned noise_ = 1;
  std::bitset<kMemorySlots> present_;
  std::array<MemoryRecord, kMemorySlots> memory_{};
};
