// The main window's controls as the core sees them: by their numeric id.
// The shell implements this over its widgets; tests use a fake.  Calls may
// come from the acquisition thread; the shell runs them on the window's
// thread and returns when they are done.
#pragma once

#include <string>
#include <string_view>

namespace control {
inline constexpr int kMainLabel = 1002;  // "Main:" and its suffixes
inline constexpr int kMainValue = 1004;
inline constexpr int kSubValue = 1005;
inline constexpr int kMonitorButton = 1006;
inline constexpr int kSubLabel = 1007;
inline constexpr int kModelName = 1008;
inline constexpr int kFirmwareVersion = 1009;
inline constexpr int kMainConfig = 1010;  // configuration text of the main display
inline constexpr int kSubConfig = 1011;
inline constexpr int kModeList = 1012;
inline constexpr int kRangeList = 1013;
inline constexpr int kMainUnit = 1015;
inline constexpr int kSubUnit = 1016;
inline constexpr int kRecordStart = 1029;
inline constexpr int kRecordStop = 1031;
inline constexpr int kRecordManual = 1032;
inline constexpr int kPeakButton = 1098;
inline constexpr int kClearButton = 1099;
inline constexpr int kFilterButton = 1100;
inline constexpr int kRelButton = 1101;
inline constexpr int kPortText = 1121;
inline constexpr int kSerialNumber = 1122;
inline constexpr int kSlowButton = 1152;
}  // namespace control

class Controls {
 public:
  virtual ~Controls() = default;
  virtual void SetText(int id, std::u16string_view text) = 0;
  virtual std::u16string Text(int id) const = 0;
  virtual void Enable(int id, bool enabled) = 0;
  virtual void Show(int id, bool shown) = 0;
  // Drop-down lists.
  virtual void ClearList(int id) = 0;
  virtual void AddListItem(int id, std::u16string_view text) = 0;
  virtual void SelectListItem(int id, int index) = 0;
  virtual int ListSelection(int id) const = 0;
  // Check boxes and radio buttons.
  virtual void SetCheck(int id, bool checked) = 0;
  virtual bool Checked(int id) const = 0;
  // The keyboard focus, with an edit's text selected.
  virtual void Focus(int id) = 0;
  // Edits: no more than `characters` can be typed.
  virtual void LimitText(int id, int characters) = 0;
};
