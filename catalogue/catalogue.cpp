#include "catalogue/catalogue.h"

#include <algorithm>

#include "base/models.h"
#include "text/ui_text.h"

namespace {

std::atomic<int> language{1};
std::atomic<bool> zeroTo20{false};

template <typename List>
auto CellOr(const List& list, int index, typename List::value_type empty) {
  return index >= 0 && index < static_cast<int>(list.size()) ? list[index] : empty;
}

const RangeSet& EmptySet() {
  static const RangeSet empty = NoPeak();
  return empty;
}

bool ValidRow(Family family, int row) { return row >= 0 && row < RowCount(family); }

constexpr std::u16string_view kFourTo20 = u"DC 4-20mA";
constexpr std::u16string_view kZeroTo20 = u"DC 0-20mA";

// The current-loop row of the RV736X is named by the meter's mode.
std::u16string Named(Family family, const NamePair& name) {
  const std::u16string_view text = language == 0 ? name.japanese : name.english;
  if (family == Family::RV736X && zeroTo20 && text == kFourTo20) return std::u16string(kZeroTo20);
  return std::u16string(text);
}

}  // namespace

Family FamilyOf(int modelIndex) {
  if (modelIndex <= kRv7326) return Family::RV732X;
  if (modelIndex <= kRv734x) return Family::RV734X;
  return Family::RV736X;
}

const FamilyTables& TablesOf(Family family) {
  switch (family) {
    case Family::RV732X:
      return Rv732xTables();
    case Family::RV734X:
      return Rv734xTables();
    case Family::RV736X:
      return Rv736xTables();
  }
  return Rv736xTables();
}

int RowCount(Family family) { return static_cast<int>(TablesOf(family).rows.size()); }

const RangeSet& RangeSetOf(Family family, int row, RangeSetKind set) {
  if (set == RangeSetKind::filter) return Rv736xFilterSet();
  if (!ValidRow(family, row)) return EmptySet();
  const FunctionRow& functionRow = TablesOf(family).rows[row];
  return set == RangeSetKind::peak ? functionRow.peak : functionRow.normal;
}

int FilterColumnInNormalSet(std::string_view token, int column) {
  if (token == "ACV") return column + 5;
  if (token == "ACDCV" || token == "SEPV") return column + 3;
  return column;
}

const ModelRowMove* ModelSpecificRow(int modelIndex, std::string_view token) {
  static constexpr ModelRowMove kMoves[] = {
      {kRv7321, "VDET", 18, 0, true},  {kRv7322, "DCV", 19, -1, false}, {kRv7322, "DCA", 16, -2, false},
      {kRv7322, "ACA", 17, -1, false}, {kRv7324, "DCV", 15, 0, false},
  };
  for (const ModelRowMove& move : kMoves) {
    if (move.model == modelIndex && move.token == token) return &move;
  }
  return nullptr;
}

std::optional<int> FindFunction(Family family, std::string_view token) {
  const auto& rows = TablesOf(family).rows;
  for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
    if (rows[row].token == token) return row;
  }
  return std::nullopt;
}

std::optional<int> FindRange(Family family, int row, RangeSetKind set, std::string_view token) {
  const RangeSet& ranges = RangeSetOf(family, row, set);
  const int count = static_cast<int>(std::min(ranges.names.size(), ranges.tokens.size()));
  for (int column = 0; column < count; ++column) {
    if (ranges.tokens[column] == token) return column;
  }
  return std::nullopt;
}

std::optional<int> FindFrequencyRange(Family family, std::string_view token) {
  const auto& tokens = TablesOf(family).frequency.tokens;
  for (int i = 0; i < static_cast<int>(tokens.size()); ++i) {
    if (tokens[i] == token) return i;
  }
  return std::nullopt;
}

std::string_view FunctionToken(Family family, int row) {
  return ValidRow(family, row) ? TablesOf(family).rows[row].token : std::string_view();
}

bool IsTemperature(Family family, int row) { return FunctionToken(family, row) == "TEMP"; }

int RangeCount(Family family, int row, RangeSetKind set) {
  return static_cast<int>(RangeSetOf(family, row, set).names.size());
}

std::u16string_view RangeName(Family family, int row, RangeSetKind set, int column) {
  return CellOr(RangeSetOf(family, row, set).names, column, u"");
}

std::string_view RangeToken(Family family, int row, RangeSetKind set, int column) {
  return CellOr(RangeSetOf(family, row, set).tokens, column, "");
}

std::u16string_view Unit(Family family, int row, RangeSetKind set, int index) {
  return CellOr(RangeSetOf(family, row, set).units, index, u"");
}

std::string_view FullScaleCount(Family family, int row, RangeSetKind set, int index) {
  return CellOr(RangeSetOf(family, row, set).counts, index, "");
}

int Decimals(Family family, int row, RangeSetKind set, int index) {
  return CellOr(RangeSetOf(family, row, set).decimals, index, 0);
}

std::u16string_view FrequencyUnit(Family family, int index) {
  return CellOr(TablesOf(family).frequency.units, index, u"");
}

int FrequencyDecimals(Family family, int index) { return CellOr(TablesOf(family).frequency.decimals, index, 0); }

int MainDecimals(int modelIndex, int function, int range, bool peak) {
  const Family family = FamilyOf(modelIndex);
  const bool usePeak = peak && family != Family::RV732X;
  return Decimals(family, function, usePeak ? RangeSetKind::peak : RangeSetKind::normal, range);
}

int SubDecimals(int modelIndex, int subFunction, int range, bool peak) {
  const Family family = FamilyOf(modelIndex);
  if (family == Family::RV732X || subFunction == -1) return FrequencyDecimals(family, range);
  return MainDecimals(modelIndex, subFunction, range, peak);
}

GroupView GroupOf(int modelIndex, int row) {
  const Family family = FamilyOf(modelIndex);
  const FamilyTables& tables = TablesOf(family);
  const auto& groups = modelIndex == kRv7362 ? tables.groupsRv7362 : tables.groups;
  if (family == Family::RV732X || row < 0 || row >= static_cast<int>(groups.size())) return {};
  const ModeGroup& group = groups[row];
  int position = 0;
  for (int i = 0; i < static_cast<int>(group.size()); ++i) {
    if (group[i].token == tables.rows[row].token) position = i;
  }
  return {&group, static_cast<int>(group.size()), position};
}

std::u16string GroupEntryName(int modelIndex, int row, int entry) {
  const Family family = FamilyOf(modelIndex);
  const GroupView group = GroupOf(modelIndex, row);
  if (!group.entries) return LongName(family, row);
  if (entry < 0 || entry >= group.size) return {};
  return Named(family, (*group.entries)[entry].name);
}

void SetCatalogueLanguage(int value) { language = value; }
int CatalogueLanguage() { return language; }
void SetZeroTo20mANaming(bool value) { zeroTo20 = value; }

std::u16string LongName(Family family, int row) {
  return ValidRow(family, row) ? Named(family, TablesOf(family).rows[row].longName) : std::u16string();
}

std::u16string ShortName(Family family, int row) {
  return ValidRow(family, row) ? Named(family, TablesOf(family).rows[row].shortName) : std::u16string();
}

std::u16string UiWord(TextId text) { return std::u16string(Word(text, language)); }

std::u16string InLanguage(const NamePair& name) { return std::u16string(language == 0 ? name.japanese : name.english); }
