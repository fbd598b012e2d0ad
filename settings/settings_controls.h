// Control ids of the settings dialog and its four pages.
#pragma once

namespace settings_control {
inline constexpr int kTabs = 1026;
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
// Communication.
inline constexpr int kAutoConnect = 1157;
inline constexpr int kMeterGroup = 1154;
inline constexpr int kPortLabel = 1155;
inline constexpr int kPortList = 1153;
inline constexpr int kSpeedLabel = 1156;
inline constexpr int kSpeedList = 1028;
// Meter.
inline constexpr int kRv736xGroup = 1158;
inline constexpr int kContinuityLabel = 1160;
inline constexpr int kDiodeLabel = 1161;
inline constexpr int kDbmLabel = 1162;
inline constexpr int kPassbandLabel = 1163;
inline constexpr int kContinuityList = 1164;
inline constexpr int kDiodeList = 1165;
inline constexpr int kDbmList = 1166;
inline constexpr int kPassbandList = 1167;
inline constexpr int kOtherModelsGroup = 1159;
// Record.
inline constexpr int kIntervalGroup = 1145;
inline constexpr int kNormal = 1051;
inline constexpr int kIntervalHours = 1042;
inline constexpr int kIntervalMinutes = 1043;
inline constexpr int kIntervalSeconds = 1044;
inline constexpr int kIntervalHoursLabel = 1074;
inline constexpr int kIntervalMinutesLabel = 1075;
inline constexpr int kIntervalSecondsLabel = 1076;
inline constexpr int kFast = 1052;
inline constexpr int kFastList = 1053;
inline constexpr int kTotalGroup = 1146;
inline constexpr int kDataCountTotal = 1045;
inline constexpr int kDataCount = 1047;
inline constexpr int kDataCountLabel = 1077;
inline constexpr int kRecordTimeTotal = 1046;
inline constexpr int kRecordHours = 1048;
inline constexpr int kRecordMinutes = 1049;
inline constexpr int kRecordSeconds = 1050;
inline constexpr int kRecordHoursLabel = 1078;
inline constexpr int kRecordMinutesLabel = 1079;
inline constexpr int kRecordSecondsLabel = 1080;
inline constexpr int kTimeDisplayLabel = 1147;
inline constexpr int kTimeDisplayList = 1012;
// Save.
inline constexpr int kCompanyOn = 1054;
inline constexpr int kTitleOn = 1055;
inline constexpr int kOperatorOn = 1056;
inline constexpr int kDateOn = 1057;
inline constexpr int kMemoOn = 1058;
inline constexpr int kTempHumidOn = 1059;
inline constexpr int kCompany = 1064;
inline constexpr int kTitle = 1065;
inline constexpr int kOperator = 1066;
inline constexpr int kMemo = 1067;
inline constexpr int kDateAuto = 1068;
inline constexpr int kDateText = 1069;
inline constexpr int kDate = 1070;
inline constexpr int kTemperature = 1071;
inline constexpr int kHumidity = 1072;
inline constexpr int kCsvGroup = 1148;
inline constexpr int kDecimalGroup = 1149;
inline constexpr int kDecimalPeriod = 1060;
inline constexpr int kDecimalComma = 1061;
inline constexpr int kSeparatorGroup = 1150;
inline constexpr int kSeparatorComma = 1062;
inline constexpr int kSeparatorSemicolon = 1063;
}  // namespace settings_control

// The dialog's pages, in tab order.
enum SettingsPage : int { kCommunicationPage = 0, kMeterPage = 1, kRecordPage = 2, kSavePage = 3 };
