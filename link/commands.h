// Every command the program sends to the meter.  Nothing else spells one.
#pragma once

#include <string>
#include <string_view>

namespace command {

// Identification
inline constexpr const char* kProductId = "QPID";
inline constexpr const char* kIdentify = "*IDN?";

// Connection
inline constexpr const char* kFactoryInit = ":FACT:INIT";
inline constexpr const char* kLocalLockout = ":SYST:LLO";
inline constexpr const char* kBacklightOff = ":SYST:BLIT 0";
inline constexpr const char* kGoToLocal = ":SYST:GTL";

// Acquisition queries
inline constexpr const char* kStatus = ":STAT?";
inline constexpr const char* kBattery = ":SYST:BATT?";
inline constexpr const char* kMainReading = ":FETCCNTDISP?";
inline constexpr const char* kSubReading = ":FETCCNTDISP2?";
inline constexpr const char* kPeakMax = ":CALC:PEAK:MAX?";
inline constexpr const char* kPeakMin = ":CALC:PEAK:MIN?";
inline constexpr const char* kMainConfig = ":CONF?";
inline constexpr const char* kSubConfig = ":CONF2?";

// Mode switches
inline constexpr const char* kPeakOff = ":SYST:PEAK 0";
inline constexpr const char* kPeakOn = ":SYST:PEAK 1";
inline constexpr const char* kClear = ":SYST:CLEAR";
inline constexpr const char* kRelOff = ":SYST:REL 0";
inline constexpr const char* kRelOn = ":SYST:REL 1";
inline constexpr const char* kSlowOff = ":SYST:SLOW 0";
inline constexpr const char* kSlowOn = ":SYST:SLOW 1";
inline constexpr const char* kFilterOff = ":SYST:FILTER 0";
inline constexpr const char* kFilterOff100 = ":SYST:FILTER 0,100";
inline constexpr const char* kFilterOn = ":SYST:FILTER 1";
inline constexpr const char* kFilterOn100 = ":SYST:FILTER 1,100";
inline constexpr const char* kFilterOn500 = ":SYST:FILTER 1,500";
inline constexpr const char* kZeroAdjust = ":SYST:ZEROADJ";  // RV7341 only
inline constexpr const char* kOkQuery = "OK?";               // RV7341 only

// Memory (raw byte replies)
inline constexpr const char* kMemoryCheck = ":MEM:CHECK?";

// Parameterised commands and their prefixes.
inline constexpr std::string_view kConductPrefix = ":SYST:CONDUCT ";
inline constexpr std::string_view kDiodePrefix = ":SYST:DIODE ";
inline constexpr std::string_view kDbmPrefix = ":SYST:DBM ";
inline constexpr std::string_view kConfigurePrefix = ":CONF ";
inline constexpr std::string_view kMemoryDataPrefix = ":MEM:DATA? ";

inline std::string Conduct(int index) { return std::string(kConductPrefix) + std::to_string(index); }
inline std::string Diode(int index) { return std::string(kDiodePrefix) + std::to_string(index); }
inline std::string Dbm(int index) { return std::string(kDbmPrefix) + std::to_string(index); }
// ":CONF <function>,<range>"
inline std::string Configure(std::string_view function, std::string_view range) {
  return std::string(kConfigurePrefix) + std::string(function) + "," + std::string(range);
}
// ":MEM:DATA? <slot>", slot 1-400
inline std::string MemoryData(int slot) { return std::string(kMemoryDataPrefix) + std::to_string(slot); }

// A reply that starts with this means the meter refused the command.
inline constexpr std::string_view kCommandError = "CMD ERR";
inline bool IsCommandError(std::string_view reply) { return reply.substr(0, kCommandError.size()) == kCommandError; }

// Byte counts of the raw memory replies.
inline constexpr int kMemoryCheckBytes = 50;
inline constexpr int kMemoryRecordBytes = 32;
inline constexpr int kMemorySlots = 400;

}  // namespace command
