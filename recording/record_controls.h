// Control ids of the record panel of the main window and of the record
// pages (each page is a window of its own, so ids repeat across pages).
#pragma once

namespace record_control {
// Main window.
inline constexpr int kStart = 1029;
inline constexpr int kStop = 1031;
inline constexpr int kManual = 1032;
inline constexpr int kGraphCopy = 1034;
inline constexpr int kSave = 1036;
inline constexpr int kClear = 1038;
inline constexpr int kExcel = 1095;
inline constexpr int kStartTime = 1081;
inline constexpr int kStopTime = 1082;
inline constexpr int kStartLabel = 1143;
inline constexpr int kStopLabel = 1144;
// Record list page.
inline constexpr int kList = 1033;
inline constexpr int kJump = 1035;
inline constexpr int kPageNumber = 1037;
inline constexpr int kPageLabel = 1039;
inline constexpr int kPrevious = 1040;
inline constexpr int kNext = 1041;
inline constexpr int kMainMax = 1084;
inline constexpr int kMainMin = 1085;
inline constexpr int kSubMax = 1086;
inline constexpr int kSubMin = 1087;
inline constexpr int kMainGroup = 1141;
inline constexpr int kSubGroup = 1142;
// Record information page: fields, then their labels.
inline constexpr int kCompany = 1088;
inline constexpr int kModel = 1008;
inline constexpr int kSerial = 1091;
inline constexpr int kFunction = 1010;
inline constexpr int kRange = 1077;
inline constexpr int kMemo = 1093;
inline constexpr int kDate = 1089;
inline constexpr int kOperator = 1090;
inline constexpr int kTempHumid = 1092;
inline constexpr int kInterval = 1083;
inline constexpr int kDataCount = 1073;
inline constexpr int kCompanyLabel = 1132;
inline constexpr int kModelLabel = 1128;
inline constexpr int kFunctionLabel = 1133;
inline constexpr int kRangeLabel = 1134;
inline constexpr int kMemoLabel = 1135;
inline constexpr int kDateLabel = 1136;
inline constexpr int kOperatorLabel = 1137;
inline constexpr int kTempHumidLabel = 1138;
inline constexpr int kIntervalLabel = 1139;
inline constexpr int kDataCountLabel = 1140;
}  // namespace record_control

namespace app_message {
inline constexpr int kManualSample = 5;
inline constexpr int kShowPage = 22;  // parameter: the page
}  // namespace app_message
