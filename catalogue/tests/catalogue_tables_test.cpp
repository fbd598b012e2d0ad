// The shape of the tables: what the decoders index must be there.
#include <gtest/gtest.h>

#include "base/models.h"
#include "catalogue/catalogue.h"

namespace {

const Family kFamilies[] = {Family::RV732X, Family::RV734X, Family::RV736X};

TEST(CatalogueTables, FamiliesAndRowCounts) {
  const std::pair<int, Family> models[] = {{kRv7321, Family::RV732X}, {kRv7326, Family::RV732X},
                                           {kRv7341, Family::RV734X}, {kRv734x, Family::RV734X},
                                           {kRv7361, Family::RV736X}, {kRv7362, Family::RV736X}};
  for (const auto& [model, family] : models) EXPECT_EQ(FamilyOf(model), family) << model;
  EXPECT_EQ(RowCount(Family::RV732X), 20);
  EXPECT_EQ(RowCount(Family::RV734X), 19);
  EXPECT_EQ(RowCount(Family::RV736X), 20);
}

TEST(CatalogueTables, EveryRangeSetIsConsistent) {
  for (const Family family : kFamilies) {
    for (int row = 0; row < RowCount(family); ++row) {
      for (const RangeSetKind kind : {RangeSetKind::normal, RangeSetKind::peak}) {
        const RangeSet& set = RangeSetOf(family, row, kind);
        SCOPED_TRACE(std::string(FunctionToken(family, row)) + (kind == RangeSetKind::peak ? " PEAK" : ""));
        ASSERT_FALSE(set.names.empty());
        EXPECT_EQ(set.tokens.size(), set.names.size());
        if (IsTemperature(family, row) && kind == RangeSetKind::normal) {
          // Indexed by unit (2) and by 2 x unit + sign (4).
          EXPECT_EQ(set.units.size(), 2u);
          EXPECT_EQ(set.counts.size(), 4u);
        } else {
          EXPECT_GE(set.units.size(), set.names.size());
          EXPECT_GE(set.counts.size(), 1u);
        }
        for (const auto count : set.counts) {
          for (const char c : count) EXPECT_TRUE(c >= '0' && c <= '9') << count;
        }
      }
    }
  }
}

TEST(CatalogueTables, RangesWithAutoHaveNoUnitInColumnZero) {
  for (const Family family : kFamilies) {
    for (int row = 0; row < RowCount(family); ++row) {
      if (RangeName(family, row, RangeSetKind::normal, 0) != u"Auto") continue;
      EXPECT_EQ(RangeToken(family, row, RangeSetKind::normal, 0), "AUTO");
      EXPECT_EQ(Unit(family, row, RangeSetKind::normal, 0), u"");
      EXPECT_EQ(FullScaleCount(family, row, RangeSetKind::normal, 0), "");
    }
  }
}

TEST(CatalogueTables, GroupsHoldTheirRowAndRv736xGroupsAreContiguous) {
  for (const int model : {kRv7341, kRv7361, kRv7362}) {
    const Family family = FamilyOf(model);
    for (int row = 0; row < RowCount(family); ++row) {
      const GroupView group = GroupOf(model, row);
      ASSERT_NE(group.entries, nullptr);
      ASSERT_GE(group.size, 1);
      ASSERT_LE(group.size, 4);
      EXPECT_EQ((*group.entries)[group.position].token, FunctionToken(family, row)) << model << " row " << row;
      if (family != Family::RV736X) continue;
      // The mode list requests row - position + entry.
      for (int entry = 0; entry < group.size; ++entry) {
        EXPECT_EQ(FunctionToken(family, row - group.position + entry), (*group.entries)[entry].token)
            << model << " row " << row << " entry " << entry;
      }
    }
  }
  EXPECT_EQ(GroupOf(kRv7321, 3).entries, nullptr);
  EXPECT_EQ(GroupOf(kRv7321, 3).size, 1);
}

TEST(CatalogueTables, FrequencySubRanges) {
  for (const Family family : kFamilies) {
    const FrequencySubRanges& f = TablesOf(family).frequency;
    const std::size_t size = family == Family::RV736X ? 6 : 4;
    EXPECT_EQ(f.names.size(), size);
    EXPECT_EQ(f.tokens.size(), size);
    EXPECT_EQ(f.units.size(), size);
    EXPECT_EQ(f.decimals.size(), size);
  }
  EXPECT_EQ(FindFrequencyRange(Family::RV736X, "1000k"), 5);
  EXPECT_EQ(FrequencyDecimals(Family::RV736X, 0), 4);
  EXPECT_EQ(FindFrequencyRange(Family::RV732X, "1000k"), std::nullopt);
}

TEST(CatalogueLookups, FindFunctionAndRange) {
  EXPECT_EQ(FindFunction(Family::RV732X, "DCV"), 1) << "rows 15-19 are reached only by the model move";
  EXPECT_EQ(FindFunction(Family::RV732X, "dcv"), std::nullopt);
  EXPECT_EQ(FindFunction(Family::RV736X, "DC_4_20mA"), 17);
  EXPECT_EQ(FindRange(Family::RV736X, 4, RangeSetKind::normal, "600m"), 2);
  EXPECT_EQ(FindRange(Family::RV736X, 4, RangeSetKind::peak, "600m"), std::nullopt);
  EXPECT_EQ(FindRange(Family::RV736X, 0, RangeSetKind::filter, "1000"), 1);
  EXPECT_EQ(FindRange(Family::RV734X, 10, RangeSetKind::normal, "none"), 0);
  // Unit and count cells past the ranges are there for REL readings.
  EXPECT_EQ(Unit(Family::RV732X, 5, RangeSetKind::normal, 7), u"MΩ");
  EXPECT_EQ(Decimals(Family::RV732X, 5, RangeSetKind::normal, 7), 1);
  EXPECT_EQ(Decimals(Family::RV732X, 5, RangeSetKind::normal, 8), 0) << "past the list: 0";
  EXPECT_EQ(Unit(Family::RV732X, 5, RangeSetKind::normal, 99), u"");
}

TEST(CatalogueLookups, DecimalsOfMainAndSubValues) {
  EXPECT_EQ(MainDecimals(kRv7321, 0, 1, true), 3) << "RV732X ignores PEAK";
  EXPECT_EQ(MainDecimals(kRv7361, 0, 1, false), 3);
  EXPECT_EQ(MainDecimals(kRv7361, 0, 1, true), 2) << "RV736X ACV PEAK 180V";
  EXPECT_EQ(SubDecimals(kRv7323, 7, 1, false), 1) << "RV732X: frequency decimals whatever the function";
  EXPECT_EQ(SubDecimals(kRv7361, -1, 0, false), 4);
  EXPECT_EQ(SubDecimals(kRv7361, 4, 3, false), 4);
}

TEST(CatalogueNames, LanguageAndCurrentLoop) {
  SetCatalogueLanguage(1);
  EXPECT_EQ(LongName(Family::RV732X, 18), u"V-Detect");
  EXPECT_EQ(LongName(Family::RV732X, 4), u"Continuity");
  EXPECT_EQ(ShortName(Family::RV732X, 4), u"Cont.");
  SetCatalogueLanguage(0);
  EXPECT_EQ(LongName(Family::RV732X, 4), u"導通");
  EXPECT_EQ(GroupEntryName(kRv7361, 10, 0), u"抵抗");
  SetCatalogueLanguage(1);
  EXPECT_EQ(GroupEntryName(kRv7361, 10, 0), u"Resistance");

  EXPECT_EQ(LongName(Family::RV736X, 17), u"DC 4-20mA");
  SetZeroTo20mANaming(true);
  EXPECT_EQ(LongName(Family::RV736X, 17), u"DC 0-20mA");
  EXPECT_EQ(ShortName(Family::RV736X, 17), u"DC 0-20mA");
  EXPECT_EQ(GroupEntryName(kRv7362, 15, 2), u"DC 0-20mA");
  EXPECT_EQ(LongName(Family::RV734X, 17), u"DC 4-20mA") << "only the RV736X has the 0-20 mA mode";
  SetZeroTo20mANaming(false);
  EXPECT_EQ(GroupEntryName(kRv7361, 16, 2), u"DC 4-20mA");
}

}  // namespace
