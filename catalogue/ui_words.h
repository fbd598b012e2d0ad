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
inline constexpr int kSerialMismatch = 184;        // before recording over another meter's file
inline constexpr int kCannotSend = 185;
inline constexpr int kNoResponse = 186;
inline constexpr int kBufferOver = 188;
inline constexpr int kCsvCompany = 33;            // the record information items in the CSV header ...
inline constexpr int kCsvTitle = 34;
inline constexpr int kCsvModel = 35;
inline constexpr int kCsvFunction = 36;
inline constexpr int kCsvRange = 37;
inline constexpr int kCsvDate = 38;
inline constexpr int kCsvOperator = 39;
inline constexpr int kCsvTempHumid = 40;
inline constexpr int kCsvInterval = 41;
inline constexpr int kCsvBuffer = 42;
inline constexpr int kCsvMemo = 43;
inline constexpr int kCsvBaseTime = 44;
inline constexpr int kCelsius = 140;              // "℃" / "Celsius"
inline constexpr int kFahrenheit = 141;
inline constexpr int kCsvRecordData = 145;        // the first line under the CSV banner
inline constexpr int kCsvColumnDate = 146;        // ... and the column titles, 146-156 in order
inline constexpr int kCsvColumnTime = 147;
inline constexpr int kCsvMainFunction = 148;
inline constexpr int kCsvMainValue = 149;
inline constexpr int kCsvMainUnit = 150;
inline constexpr int kCsvMainOver = 151;
inline constexpr int kCsvSubFunction = 152;
inline constexpr int kCsvSubValue = 153;
inline constexpr int kCsvSubUnit = 154;
inline constexpr int kCsvSubOver = 155;
inline constexpr int kCsvSubInformation = 156;
}  // namespace word
