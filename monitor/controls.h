// The main window's controls as the core sees them: by their numeric id.
// The shell implements this over its widgets; tests use a fake.  Calls may
// come from the acquisition thread; the shell runs them on the window's
// thread and returns when they are done.
#pragma once

#include <string>
#include <string_view>

namespace control {
inline constexpr int kMainLabel = 1002;    // "Main:" and its suffixes
inline constexpr int kMainValue = 1004;
inline constexpr int kSubValue = 1005;
inline constexpr int kSubLabel = 1007;
inline constexpr int kModelName = 1008;
inline constexpr int kMainConfig = 1010;   // configuration text of the main display
inline constexpr int kSubConfig = 1011;
inline constexpr int kModeList = 1012;
inline constexpr int kRangeList = 1013;
inline constexpr int kMainUnit = 1015;
inline constexpr int kSubUnit = 1016;
}  // namespace control

class Controls {
 public:
  virtual ~Controls() = default;
  virtual void SetText(int id, std::u16string_view text) = 0;
  virtual std::u16string Text(int id) const = 0;
  // Drop-down lists.
  virtual void ClearList(int id) = 0;
  virtual void AddListItem(int id, std::u16string_view text) = 0;
  virtual void SelectListItem(int id, int index) = 0;
  virtual int ListSelection(int id) const = 0;
};
