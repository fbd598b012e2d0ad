// Control ids of the spreadsheet window and its opening question, and the
// messages of the take-in.
#pragma once

namespace excel_control {
inline constexpr int kOpen = 1017;
inline constexpr int kByReturn = 1018;
inline constexpr int kByInterval = 1019;
inline constexpr int kUseRecordSetting = 1168;
inline constexpr int kIntervalList = 1020;
inline constexpr int kIntervalLabel = 1022;
inline constexpr int kStartStop = 1094;
inline constexpr int kClose = 1;
// The opening question.
inline constexpr int kNewOrRunning = 1023;
inline constexpr int kChosenFile = 1024;
}  // namespace excel_control

namespace app_message {
inline constexpr int kSpreadsheetClosed = 1;    // to the main window: the window was closed
inline constexpr int kFollowMainWindow = 2;     // to the window itself
inline constexpr int kIntervalElapsed = 6;      // take-in thread -> window
inline constexpr int kIntervalTakeIn = 7;       // window -> main window: a row at the noted time
inline constexpr int kReturnTakeIn = 8;         // Return handlers -> main window: a row now
inline constexpr int kFocusMonitorButton = 11;  // -> main window
}  // namespace app_message
