#include "live/panel_pictures.h"

#include <algorithm>
#include <array>

#include "base/models.h"
#include "catalogue/catalogue.h"
#include "link/identification.h"
#include "text/text_id.h"

namespace {

const std::string kCommon = "Pictures/common/";

std::string OnOff(const char* name, bool on) { return kCommon + "st_" + name + (on ? "_on.bmp" : "_off.bmp"); }

bool IsOver(int model, const _MONITOR_DATA& data) {
  if (data.mainOver) return true;
  const Family family = FamilyOf(model);
  if (family == Family::RV732X) return false;
  const bool peak = data.status[kStatusPeak] != 0;
  if (data.subOver && peak) return true;
  return family == Family::RV736X && data.subOver && FunctionToken(family, data.functionIndex) == "SEPV";
}

std::string Battery(const PanelState& state, const _MONITOR_DATA& data) {
  if (!state.connected) return kCommon + "st_batt3_off.bmp";
  const int level = data.battery;
  if (level >= 1 && level <= 3) return kCommon + "st_batt" + std::to_string(level) + ".bmp";
  return kCommon + (state.blinkB ? "st_batt3_off.bmp" : "st_batt0.bmp");  // an empty battery blinks
}

bool IsVoltageFunction(int model, std::string_view token) {
  static constexpr std::array<std::string_view, 4> kRv732x = {"ACV", "DCV", "DCmV", "AutoV"};
  static constexpr std::array<std::string_view, 6> kRv734x = {"ACV", "DCV", "DCHV", "ACDCV", "AutoV", "LoZV"};
  static constexpr std::array<std::string_view, 6> kRv736x = {"ACV", "dBm", "dBV", "DCV", "ACDCV", "SEPV"};
  auto in = [&](const auto& list) { return std::find(list.begin(), list.end(), token) != list.end(); };
  const Family family = FamilyOf(model);
  if (family == Family::RV732X) return in(kRv732x);
  if (family == Family::RV734X) return in(kRv734x);
  return in(kRv736x);
}

}  // namespace

std::vector<StatusIcon> StatusIcons(const PanelState& s, const _MONITOR_DATA& d) {
  const bool on = s.connected;
  return {
      {0, OnOff("over", on && IsOver(s.modelIndex, d) && !s.blinkB)},
      {72, OnOff("rel", on && d.status[kStatusRel] != 0)},
      {114, OnOff("filter", on && d.status[kStatusFilter] != 0)},
      {181, OnOff("slow", on && FamilyOf(s.modelIndex) == Family::RV736X && d.status[kStatusSlow] != 0)},
      {240, OnOff("buzz", on && d.status[kStatusBuzzer] != 0)},
      {280, OnOff("aps", on && d.status[kStatusAutoPowerSave] != 0)},
      {324, Battery(s, d)},
  };
}

std::string DiagramPicture(const PanelState& s, const _MONITOR_DATA& d) {
  if (s.connected) {
    if (d.confError) return kCommon + "white.bmp";
    const Family family = FamilyOf(s.modelIndex);
    const std::string_view token = FunctionToken(family, d.functionIndex);
    if (d.status[kStatusLeadWarning] != 0) {
      const char* kind = IsVoltageFunction(s.modelIndex, token) ? "hv_" : "hc_";
      return kCommon + kind + (s.blinkB ? "a" : "b") + ".bmp";
    }
    if (s.modelIndex == kRv734x || s.modelIndex < 0 || s.modelIndex >= kModelCount) return kCommon + "white.bmp";
    // Each model's pictures sit in a folder of its name and begin with it.
    const std::string model(kModelNames[s.modelIndex]);
    return "Pictures/" + model + "/" + model + std::string(token) + ".bmp";
  }
  if (s.comListEmpty) return kCommon + (s.blinkA ? "cf_a" : "cf_b") + ".bmp";
  return kCommon + (s.blinkA ? "uu_a" : "uu_b") + (FamilyOf(s.modelIndex) == Family::RV736X ? "_RV736X" : "_RV732X") +
         ".bmp";
}

std::u16string DiagramTitle(const PanelState& s, const _MONITOR_DATA& d) {
  if (!s.connected) return UiWord(TextId::uutUnconnected);
  std::u16string title = UiWord(TextId::configuration);
  // The RV734X entry has no picture set and no name in the title.
  if (!d.confError && s.modelIndex != kRv734x) {
    title += u" (" + LongName(FamilyOf(s.modelIndex), d.functionIndex) + u")";
  }
  return title;
}
