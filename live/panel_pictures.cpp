#include "live/panel_pictures.h"

#include <algorithm>
#include <array>

#include "catalogue/catalogue.h"
#include "link/identification.h"
#include "catalogue/ui_words.h"

namespace {

const std::string kCommon = "Pictures/common/";

std::string OnOff(const char* name, bool on) { return kCommon + "st_" + name + (on ? "_on.bmp" : "_off.bmp"); }

bool IsOver(int model, const _MONITOR_DATA& data) {
  if (data.mainOver) return true;
  if (model <= 5) return false;
  const bool peak = data.status[kStatusPeak] != 0;
  if (data.subOver && peak) return true;
  return model >= 8 && data.subOver && FunctionToken(FamilyOf(model), data.functionIndex) == "SEPV";
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
  if (model <= 5) return in(kRv732x);
  if (model <= 7) return in(kRv734x);
  return in(kRv736x);
}

}  // namespace

std::vector<StatusIcon> StatusIcons(const PanelState& s, const _MONITOR_DATA& d) {
  const bool on = s.connected;
  return {
      {0, OnOff("over", on && IsOver(s.modelIndex, d) && !s.blinkB)},
      {72, OnOff("rel", on && d.status[kStatusRel] != 0)},
      {114, OnOff("filter", on && d.status[kStatusFilter] != 0)},
      {181, OnOff("slow", on && s.modelIndex >= 8 && d.status[kStatusSlow] != 0)},
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
    if (s.modelIndex == 7 || s.modelIndex < 0 || s.modelIndex > 9) return kCommon + "white.bmp";
    // Each model's pictures sit in a folder of its name and begin with it.
    const std::string model(kModelNames[s.modelIndex]);
    return "Pictures/" + model + "/" + model + std::string(token) + ".bmp";
  }
  if (s.comListEmpty) return kCommon + (s.blinkA ? "cf_a" : "cf_b") + ".bmp";
  return kCommon + (s.blinkA ? "uu_a" : "uu_b") + (s.modelIndex >= 8 ? "_RV736X" : "_RV732X") + ".bmp";
}

std::u16string DiagramTitle(const PanelState& s, const _MONITOR_DATA& d) {
  if (!s.connected) return UiWord(word::kUutUnconnected);
  std::u16string title = UiWord(word::kConfiguration);
  // The RV734X (index 7) has no picture set and no name in the title.
  if (!d.confError && s.modelIndex != 7) {
    title += u" (" + LongName(FamilyOf(s.modelIndex), d.functionIndex) + u")";
  }
  return title;
}
