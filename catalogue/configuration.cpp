#include "catalogue/configuration.h"

#include <algorithm>

#include "catalogue/catalogue.h"

namespace {

constexpr int kStatusAutoRangePosition = 11;
constexpr std::u16string_view kAutoName = u"Auto";

void SelectRange(int position, ListState& lists, Controls& controls) {
  controls.SelectListItem(control::kRangeList, position);
  lists.rangePosition = position;
}

void FillRangeList(Family family, int row, RangeSetKind set, int position, ListState& lists, Controls& controls) {
  controls.ClearList(control::kRangeList);
  const int count = RangeCount(family, row, set);
  for (int column = 0; column < count; ++column) {
    controls.AddListItem(control::kRangeList, RangeName(family, row, set, column));
  }
  SelectRange(position, lists, controls);
}

// RV732X: the mode list holds the row alone; RV734X/RV736X: its group.
void FillModeList(int modelIndex, int row, ListState& lists, Controls& controls) {
  const GroupView group = GroupOf(modelIndex, row);
  controls.ClearList(control::kModeList);
  for (int entry = 0; entry < group.size; ++entry) {
    controls.AddListItem(control::kModeList, GroupEntryName(modelIndex, row, entry));
  }
  controls.SelectListItem(control::kModeList, group.position);
  lists.modePosition = group.position;
}

void MoveToModelRow(int modelIndex, std::string_view function, int& row, int& column) {
  const ModelRowMove* move = ModelSpecificRow(modelIndex, function);
  if (!move) return;
  row = move->row;
  // A column that would fall before the row's first is its first.
  column = move->firstColumn ? 0 : std::max(column + move->columnShift, 0);
}

}  // namespace

bool StatusOn(std::string_view status, int position) {
  return position < static_cast<int>(status.size()) && status[position] != '0';
}

void ApplyConfiguration(int modelIndex, std::string_view function, std::string_view range, std::string_view status,
                        _MONITOR_DATA& data, ListState& lists, Controls& controls) {
  const Family family = FamilyOf(modelIndex);
  const bool peak = family != Family::RV732X && StatusOn(status, kStatusPeak);
  const bool filter = family == Family::RV736X && StatusOn(status, kStatusFilter);
  const RangeSetKind set = peak ? RangeSetKind::peak : filter ? RangeSetKind::filter : RangeSetKind::normal;

  const auto foundRow = FindFunction(family, function);
  if (!foundRow) return;
  int row = *foundRow;
  const auto foundColumn = FindRange(family, row, set, range);
  if (!foundColumn) return;
  int column = *foundColumn;
  if (family == Family::RV732X) MoveToModelRow(modelIndex, function, row, column);

  data.functionIndex = row;
  data.rangeIndex = column;
  // The meter keeps its auto-range flag in peak hold, where it holds one
  // range and the PEAK (and FILTER) ranges have no "Auto" entry: the list
  // then names the range itself.
  const bool autoRange = static_cast<int>(status.size()) > kStatusAutoRangePosition &&
                         status[kStatusAutoRangePosition] == '1' && RangeName(family, row, set, 0) == kAutoName;
  const int position = autoRange ? 0 : column;
  data.autoRange = autoRange ? 1 : 0;
  if (family == Family::RV736X && row == 0 && !peak) lists.rememberedAcvRange = position;

  const int peakState = peak ? 1 : 0;
  const int filterState = StatusOn(status, kStatusFilter) ? 1 : 0;
  bool changed = true;
  if (row != data.shownFunction || data.modeRequest || lists.relabel.exchange(false)) {
    if (family == Family::RV732X) {
      controls.ClearList(control::kModeList);
      controls.AddListItem(control::kModeList, LongName(family, row));
      controls.SelectListItem(control::kModeList, 0);
      lists.modePosition = 0;
    } else {
      FillModeList(modelIndex, row, lists, controls);
    }
    FillRangeList(family, row, set, position, lists, controls);
    data.shownFunction = row;
  } else if (family != Family::RV732X && peakState != data.shownPeak) {
    FillRangeList(family, row, set, position, lists, controls);
  } else if (family == Family::RV736X && filterState != data.shownFilter) {
    FillRangeList(family, row, filter ? RangeSetKind::filter : RangeSetKind::normal, position, lists, controls);
  } else if (position != data.shownRange) {
    SelectRange(position, lists, controls);
  } else {
    changed = false;
  }
  if (changed) {
    data.shownRange = position;
    if (family != Family::RV732X) {
      data.shownPeak = peakState;
      data.shownFilter = filterState;
    }
  }
  // Only a column of the FILTER set needs translating; under PEAK the
  // column is the PEAK set's own.
  if (set == RangeSetKind::filter) data.rangeIndex = FilterColumnInNormalSet(function, column);
}

void ApplySubConfiguration(int modelIndex, std::string_view function, std::string_view range, std::string_view status,
                           _MONITOR_DATA& data) {
  const Family family = FamilyOf(modelIndex);
  if (function == "FREQ") {
    if (const auto column = FindFrequencyRange(family, range)) {
      data.subFunctionIndex = -1;
      data.subRangeIndex = *column;
    }
    return;
  }
  if (family == Family::RV732X) return;
  const auto row = FindFunction(family, function);
  if (!row) return;
  const RangeSetKind set = StatusOn(status, kStatusPeak) ? RangeSetKind::peak : RangeSetKind::normal;
  if (const auto column = FindRange(family, *row, set, range)) {
    data.subFunctionIndex = *row;
    data.subRangeIndex = *column;
  }
}

void OnModeListSelection(int modelIndex, MonitorSnapshot& snapshot, ListState& lists, const Controls& controls) {
  std::lock_guard hold(snapshot);
  _MONITOR_DATA& data = snapshot.Data();
  const int old = lists.modePosition;
  lists.requestedFunction = data.functionIndex.load();
  const int chosen = controls.ListSelection(control::kModeList);
  lists.modePosition = chosen;
  if (chosen == old) return;
  data.modeRequest = 1;
  // Group members are contiguous rows in group order.
  const int requested = lists.requestedFunction + chosen - old;
  lists.requestedFunction = requested < 0 || requested >= RowCount(FamilyOf(modelIndex)) ? 0 : requested;
}

bool OnRangeListSelection(MonitorSnapshot& snapshot, ListState& lists, const Controls& controls) {
  std::lock_guard hold(snapshot);
  const int old = lists.rangePosition;
  const int chosen = controls.ListSelection(control::kRangeList);
  lists.rangePosition = chosen;
  if (chosen == old) return false;
  snapshot.Data().rangeRequest = 1;
  return true;
}
