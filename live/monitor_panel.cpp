#include "live/monitor_panel.h"

#include "catalogue/catalogue.h"
#include "text/text_id.h"

namespace {
constexpr int kCleared[] = {1003,
                            1001,
                            control::kMainValue,
                            control::kSubValue,
                            control::kMainUnit,
                            control::kSubUnit,
                            control::kMainConfig,
                            control::kSubConfig,
                            control::kModelName,
                            control::kFirmwareVersion,
                            control::kPortText,
                            control::kSerialNumber};
}  // namespace

void ClearMonitorPanel(Controls& controls, MonitorSnapshot& snapshot) {
  for (const int id : kCleared) controls.SetText(id, u"");
  controls.SetText(control::kMainLabel, UiWord(TextId::mainLabel));
  controls.SetText(control::kSubLabel, UiWord(TextId::subLabel));
  controls.ClearList(control::kModeList);
  controls.ClearList(control::kRangeList);
  _MONITOR_DATA& data = snapshot.Data();
  data.shownFunction = -1;  // the next configuration fills the lists afresh
  data.confError = 1;
  data.battery = 0;
  for (auto& flag : data.status) flag = 0;
  controls.Enable(control::kRangeList, true);
}
