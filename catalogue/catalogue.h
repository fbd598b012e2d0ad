// The program's knowledge of the ten models: families, function rows,
// range sets, mode groups, and the names shown for them.
#pragma once

#include <atomic>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/catalogue_tables.h"
#include "text/text_id.h"

// RV732X is kRv7321-kRv7326, RV734X kRv7341-kRv734x, RV736X from kRv7361 on
// (base/models.h): kNoModel keeps the RV736X tables.
Family FamilyOf(int modelIndex);
const FamilyTables& TablesOf(Family family);
int RowCount(Family family);  // 20, 19, 20

enum class RangeSetKind { normal, peak, filter };
const RangeSet& RangeSetOf(Family family, int row, RangeSetKind set);

// A FILTER-set column (RV736X) as the column of the normal set: the filter
// ranges 600 V and 1000 V are normal columns 5/6 of "ACV" and 3/4 of
// "ACDCV" and "SEPV".
int FilterColumnInNormalSet(std::string_view token, int column);

std::optional<int> FindFunction(Family family, std::string_view token);

// RV732X rows 15-19 repeat a token of rows 0-14 with the ranges of one
// model.  The meter's reply is looked up in rows 0-14 and then moved: to
// `row`, its column shifted by `columnShift` (or to the first column).
struct ModelRowMove {
  int model;
  std::string_view token;
  int row;
  int columnShift;
  bool firstColumn;
};
// The move of `token` on `modelIndex`, or null when the model has none.
const ModelRowMove* ModelSpecificRow(int modelIndex, std::string_view token);
// Searches only the first range-count entries of the set.
std::optional<int> FindRange(Family family, int row, RangeSetKind set, std::string_view token);
std::optional<int> FindFrequencyRange(Family family, std::string_view token);

std::string_view FunctionToken(Family family, int row);
bool IsTemperature(Family family, int row);  // the "TEMP" row
int RangeCount(Family family, int row, RangeSetKind set);
std::u16string_view RangeName(Family family, int row, RangeSetKind set, int column);
std::string_view RangeToken(Family family, int row, RangeSetKind set, int column);
// Cells past a list's end read as empty text (decimals as 0).  For a TEMP
// row the caller adds the temperature column itself.
std::u16string_view Unit(Family family, int row, RangeSetKind set, int index);
std::string_view FullScaleCount(Family family, int row, RangeSetKind set, int index);
int Decimals(Family family, int row, RangeSetKind set, int index);
std::u16string_view FrequencyUnit(Family family, int index);
int FrequencyDecimals(Family family, int index);

// Decimals of the main value: PEAK decimals on RV734X/RV736X while PEAK is on.
int MainDecimals(int modelIndex, int function, int range, bool peak);
// Decimals of the sub value; function -1 is the frequency sub display.
int SubDecimals(int modelIndex, int subFunction, int range, bool peak);

// The mode group of a row on a model, and the row's place in it.  RV732X:
// the row alone, named by its long display name.
struct GroupView {
  const ModeGroup* entries = nullptr;  // null on RV732X
  int size = 1;
  int position = 0;
};
GroupView GroupOf(int modelIndex, int row);
// Name of group entry `entry` of the row's group in the current language.
std::u16string GroupEntryName(int modelIndex, int row, int entry);

// Names that change at run time are derived from these two states on every
// read, so a reader never sees a half-rewritten name.
void SetCatalogueLanguage(int language);  // 0 Japanese, 1 English
int CatalogueLanguage();
void SetZeroTo20mANaming(bool zeroTo20);  // RV736X status 17

std::u16string LongName(Family family, int row);
std::u16string ShortName(Family family, int row);
// A name pair in the current language.
std::u16string InLanguage(const NamePair& name);
// An interface text in the current language.
std::u16string UiWord(TextId text);
