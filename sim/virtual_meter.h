// A meter of the series, played in software: it answers every command with
// the reply a real one gives, from state that the commands change.  Its
// functions and ranges are those of its family in the catalogue.
#pragma once

#include <array>
#include <bitset>
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "catalogue/catalogue.h"

struct MeterReply {
  std::string bytes;                   // what goes on the line, CR LF included
  std::chrono::milliseconds delay{0};  // how long the meter takes first
};

struct VirtualMeterSetup {
  std::string model = "RV7361";  // any text; a real model name identifies
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
  // Function and range tokens as ":CONF?" reports them.
  std::string Function() const;
  std::string Range() const;
  char Status(int position) const { return status_[position]; }
  void SetBattery(int level) { battery_ = level; }
  void StoreMemory(int slot, const MemoryRecord& record);  // slot 1-400
  // The meter's MEM key: the present reading (a new sample) goes into
  // memory `slot` as the meter lays it out.  False when the meter has no
  // memory (not an RV736X) or the slot is not 1-400.
  bool StoreReading(int slot);
  void ClearMemory() { present_.reset(); }
  bool MemoryPresent(int slot) const { return slot >= 1 && slot <= kMemorySlots && present_[slot - 1]; }
  const MemoryRecord& Memory(int slot) const { return memory_[slot - 1]; }  // slot 1-400

  // What the meter's own keys and dial can do, by status position: REL,
  // FILTER, SLOW and PEAK switch as their commands do, 11 turns auto-ranging
  // on or off, the digit positions take their settings.  False when the
  // meter refuses (the model lacks the mode, a value out of its list).
  bool SetStatus(int position, char value);

  // The signal at the terminals.  The input is a fraction of the full scale
  // of the range in force (beyond +-1 reads over range); it keeps its value
  // across range changes of the same function, and a new function starts
  // at a quarter of its range.
  void SetInput(double fractionOfFullScale);
  // Nothing connected: resistance, continuity and diode read OPEN, other
  // functions about zero.
  void SetOpenInput(bool open) { openInput_ = open; }
  // What the RV732X "AutoV" function finds on its input: AC or DC.
  void SetAcInput(bool ac) { acInput_ = ac; }
  // Frequency of an AC input, shown on the sub display.
  void SetSignalFrequency(double hertz) { frequency_ = hertz; }

  // Time the meter takes for its zero adjustment (RV7341): longer than an
  // ordinary reply may take.
  static constexpr std::chrono::milliseconds kZeroAdjustTime{3000};

 private:
  // A range's reach: full-scale count (and negative limit, for TEMP) and
  // the same in the row's base unit (V, A, ohm, F, Hz...); 0 where the
  // catalogue has no count.
  struct Scale {
    int full = 0;
    int negativeLimit = 0;
    double reach = 0;
  };
  struct Sample {
    int count = 0;        // the absolute count, or a marker count
    bool marker = false;  // over range, blank or OPEN
  };

  enum class SubDisplay { none, frequency, separate };

  bool Has(int position) const { return status_[position] != '0'; }
  void SetDigit(int position, int value) { status_[position] = static_cast<char>('0' + value); }
  std::string_view Token() const { return FunctionToken(family_, row_); }
  bool HasAutoColumn(int row) const;
  int MiddleColumn(int row) const;
  bool IsFilterRow(int row) const;
  bool IsFilterColumn(int column) const;
  bool PeakAllowed(int row) const;
  Scale ScaleOf(int row, RangeSetKind set, int column) const;
  Scale ActiveScale() const;
  int MapColumn(int row, RangeSetKind from, int column, RangeSetKind to) const;
  int RangeNumber() const;
  int NormalRangeNumber(int column) const;
  MemoryRecord ReadingRecord();
  SubDisplay SubKind() const;
  int FrequencyColumn(int& count) const;

  void Reset();
  void Enter(int row, int column);
  void PickAutoRange();
  void SetAutoRange(bool on);
  void KeepFilterConsistent();
  void RestartPeak() { peakHeld_ = false; }
  Sample TakeSample();
  bool TakeZero();
  bool SwitchPeak(bool on);
  bool SwitchRel(bool on);
  bool SwitchFilter(bool on);
  bool SwitchSlow(bool on);
  bool SetTemperatureUnit(bool fahrenheit);

  std::string Identification() const;
  std::string MainReading();
  std::string MainConfiguration() const;
  std::string SubReading();
  std::string SubConfiguration() const;
  std::string PeakReading(bool maximum);
  std::string SwitchMode(std::string_view command);
  std::string Configure(std::string_view tokens);
  std::string MeterSetting(std::string_view command);

  VirtualMeterSetup setup_;
  int modelIndex_;
  Family family_;
  int row_ = 0;         // catalogue row; RV732X: the model's own row
  int column_ = 0;      // normal-set column, never the "Auto" one
  int peakColumn_ = 0;  // PEAK-set column while PEAK is on
  bool autoRange_ = false;
  std::string status_;
  int battery_ = 3;

  double input_ = 0;  // in the row's base unit
  bool openInput_ = false;
  bool acInput_ = false;
  double frequency_ = 50;
  unsigned noise_ = 1;
  double phase_ = 0;  // of the slow wander of the value

  int relReference_ = 0;   // count at the moment REL was switched on
  bool peakHeld_ = false;  // a reading has been taken since peak hold began
  int peakMax_ = 0;
  int peakMin_ = 0;

  std::bitset<kMemorySlots> present_;
  std::array<MemoryRecord, kMemorySlots> memory_{};
};
