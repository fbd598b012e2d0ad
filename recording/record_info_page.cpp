#include "recording/record_info_page.h"

#include "recording/record_controls.h"
#include "recording/record_rendering.h"

void ShowSaveSettings(Controls& info, const Settings& s) {
  using namespace record_control;
  info.SetText(kCompany, s.companyText);
  info.SetText(kMemo, s.memoText);
  info.SetText(kDate, s.dateText);
  info.SetText(kOperator, s.operatorText);
  info.SetText(kTempHumid, s.temperatureText + u"℃/" + s.humidityText + u"%rh");
  info.SetText(kInterval, IntervalText(s));
}
