// Numbers of the interface texts that the catalogue and the monitor build
// their texts from; UiWord(n) gives one in the current language.
#pragma once

namespace word {
inline constexpr int kMain = 15;                  // "Main："
inline constexpr int kSub = 16;                   // "Sub："
inline constexpr int kMonitor = 19;               // the Monitor button, not connected
inline constexpr int kStopMonitor = 20;           // ... connected
inline constexpr int kConfiguration = 24;         // the diagram frame, connected
inline constexpr int kUutUnconnected = 25;        // ... not connected
inline constexpr int kFrequencyShort = 55;
inline constexpr int kFrequencyLong = 138;
inline constexpr int kOhm = 139;
inline constexpr int kThreshold = 142;
inline constexpr int kStandardImpedance = 143;
inline constexpr int kFirmwareNotSupported = 181;  // both %s: the oldest supported version
inline constexpr int kCannotSend = 185;
inline constexpr int kNoResponse = 186;
inline constexpr int kBufferOver = 188;
}  // namespace word
