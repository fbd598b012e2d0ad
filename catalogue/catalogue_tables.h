// The catalogue's constant data: the families' function rows with their
// range sets, the frequency sub ranges, the mode groups and the meter-setting
// value lists.  One table file per family, laid out like the design tables.
#pragma once

#include <string_view>
#include <vector>

// A text of the program in both interface languages (same text twice where
// the languages do not differ).
struct NamePair {
  std::u16string_view japanese;
  std::u16string_view english;
};

// One range set of a function row, cells in column order.  The unit and
// count lists may be longer than the name list; decimals past the list are 0.
struct RangeSet {
  std::vector<std::u16string_view> names;  // the range count is names.size()
  std::vector<std::string_view> tokens;    // as in the meter's replies and commands
  std::vector<std::u16string_view> units;
  std::vector<std::string_view> counts;  // full-scale counts, digit strings
  std::vector<int> decimals;
};

// A row without PEAK ranges still holds one empty entry, never an empty
// set, so that its PEAK range count is 1 in every family.
inline RangeSet NoPeak() { return {{u""}, {""}, {u""}, {""}, {0}}; }

struct FunctionRow {
  std::string_view token;
  NamePair longName;
  NamePair shortName;
  RangeSet normal;
  RangeSet peak;  // RV734X and RV736X; a single empty entry where none is listed
};

struct GroupEntry {
  std::string_view token;
  NamePair name;  // as shown in the mode list
};

// Mode group of a row: at most four entries, in mode-list order.
using ModeGroup = std::vector<GroupEntry>;

struct FrequencySubRanges {
  std::vector<std::u16string_view> names;
  std::vector<std::string_view> tokens;
  std::vector<std::u16string_view> units;
  std::vector<int> decimals;
};

struct FamilyTables {
  std::vector<FunctionRow> rows;
  FrequencySubRanges frequency;
  // Groups per row; RV732X has none (its mode list holds the row alone).
  std::vector<ModeGroup> groups;        // RV734X, and RV7361 for RV736X
  std::vector<ModeGroup> groupsRv7362;  // RV736X only
};

enum class Family { RV732X, RV734X, RV736X };

const FamilyTables& Rv732xTables();
const FamilyTables& Rv734xTables();
const FamilyTables& Rv736xTables();

// The FILTER range set of the RV736X, the same for every function.
const RangeSet& Rv736xFilterSet();

// Meter-setting value lists: the choice number is the index.
const std::vector<std::u16string_view>& ContinuityThresholds();  // ohms
const std::vector<std::u16string_view>& DiodeThresholds();       // with their unit
const std::vector<std::u16string_view>& DbmImpedances();         // ohms
