#include "catalogue/configuration_commands.h"

#include "base/text_helpers.h"
#include "catalogue/catalogue.h"
#include "link/commands.h"
#include "text/text_id.h"

namespace {

constexpr int kClampRow = 3;
constexpr int kAcvRow = 0;

std::string GroupToken(int modelIndex, int row, int entry) {
  const GroupView group = GroupOf(modelIndex, row);
  if (!group.entries || entry < 0 || entry >= group.size) return std::string(FunctionToken(FamilyOf(modelIndex), row));
  return std::string((*group.entries)[entry].token);
}

}  // namespace

std::string ConfigurationCommand(int modelIndex, const _MONITOR_DATA& data, const ListState& lists) {
  const Family family = FamilyOf(modelIndex);
  const int f = data.functionIndex;
  const int m = lists.modePosition;
  const int r = lists.rangePosition;
  const bool peak = data.status[kStatusPeak] != 0;
  const RangeSetKind set = peak && family != Family::RV732X ? RangeSetKind::peak : RangeSetKind::normal;

  switch (family) {
    case Family::RV732X:
      return command::Configure(FunctionToken(family, f), RangeToken(family, f, RangeSetKind::normal, r));
    case Family::RV734X:
      return command::Configure(GroupToken(modelIndex, f, m), RangeToken(family, f, set, r));
    case Family::RV736X: {
      int row = f;
      int column = r;
      if (data.modeRequest) {
        row = lists.requestedFunction;
        if (row == kClampRow) {
          column = data.status[kStatusClampMemory];
        } else if (row == kAcvRow && lists.rememberedAcvRange != -1) {
          column = lists.rememberedAcvRange;
        } else {
          column = 0;
        }
      } else if (data.status[kStatusFilter] != 0 && !peak) {
        // A FILTER-set position; under PEAK the list shows the PEAK set.
        column = FilterColumnInNormalSet(FunctionToken(family, f), r);
      }
      return command::Configure(GroupToken(modelIndex, f, m), RangeToken(family, row, set, column));
    }
  }
  return {};
}

SettingCommands MeterSettingCommands(int modelIndex, const _MONITOR_DATA& data, const MeterSettingChoices& choices) {
  SettingCommands result;
  if (FamilyOf(modelIndex) == Family::RV736X) {
    if (data.conductRequest) result.commands.push_back(command::Conduct(choices.continuity));
    if (data.diodeRequest) result.commands.push_back(command::Diode(choices.diode));
    if (data.dbmRequest) result.commands.push_back(command::Dbm(choices.dbm));
    result.endsCycle = !result.commands.empty();
  } else if (data.passbandRequest && data.status[kStatusFilter] != 0) {
    result.commands.emplace_back(choices.passband == 0 ? command::kFilterOn100 : command::kFilterOn500);
  }
  return result;
}

std::u16string SettingText(int row, int choice) {
  auto pick = [&](const std::vector<std::u16string_view>& list) -> std::u16string_view {
    return choice >= 0 && choice < static_cast<int>(list.size()) ? list[choice] : std::u16string_view();
  };
  std::u16string_view value;
  switch (row) {
    case 7:
      if (!(value = pick(ContinuityThresholds())).empty()) {
        return UiWord(TextId::threshold) + std::u16string(value) + UiWord(TextId::ohm);
      }
      break;
    case 8:
      if (!(value = pick(DiodeThresholds())).empty()) return UiWord(TextId::threshold) + std::u16string(value);
      break;
    case 1:
      if (!(value = pick(DbmImpedances())).empty()) {
        return UiWord(TextId::standardImpedance) + std::u16string(value) + UiWord(TextId::ohm);
      }
      break;
  }
  return NumberText(choice);
}
