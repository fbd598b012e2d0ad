#include <gtest/gtest.h>

#include "base/models.h"
#include "catalogue/catalogue.h"
#include "catalogue/configuration_commands.h"

namespace {

TEST(ConfigurationCommand, Cases) {
  struct Case {
    const char* what;
    int model;
    int function;
    bool modeRequest;
    int requested, modePosition, rangePosition, remembered;
    std::initializer_list<std::pair<int, int>> status;
    const char* command;
  };
  const Case cases[] = {
      {"RV7361 ACV to dBm", kRv7361, 0, true, 1, 1, 3, -1, {}, ":CONF dBm,600"},
      {"RV736X to the clamp with range memory 2", kRv7361, 0, true, 3, 3, 0, -1, {{16, 2}}, ":CONF CLAMP,50"},
      {"back to ACV with remembered range 3", kRv7362, 1, true, 0, 0, 0, 3, {}, ":CONF ACV,6"},
      {"back to ACV with nothing remembered", kRv7362, 1, true, 0, 0, 0, -1, {}, ":CONF ACV,AUTO"},
      {"ACV range change with the filter on", kRv7361, 0, false, 0, 0, 1, -1, {{2, 1}}, ":CONF ACV,1000"},
      {"under PEAK the filter's columns do not apply",
       kRv7361,
       0,
       false,
       0,
       0,
       1,
       -1,
       {{2, 1}, {15, 1}},
       ":CONF ACV,60"},
      {"RV734X AutoV at 60 V to AC+DCV", kRv7341, 0, true, 2, 2, 3, -1, {}, ":CONF ACDCV,60"},
      {"RV734X PEAK range", kRv7341, 12, false, 0, 0, 1, -1, {{15, 1}}, ":CONF ACA,6"},
      {"RV7322 row 19 DCV", kRv7322, 19, false, 0, 0, 2, -1, {}, ":CONF DCV,60"},
      {"RV732X range change", kRv7321, 5, false, 0, 0, 6, -1, {}, ":CONF RES,60M"},
  };
  for (const Case& c : cases) {
    _MONITOR_DATA data;
    ListState lists;
    data.functionIndex = c.function;
    data.modeRequest = c.modeRequest ? 1 : 0;
    data.rangeRequest = c.modeRequest ? 0 : 1;
    for (const auto& [position, value] : c.status) data.status[position] = value;
    lists.requestedFunction = c.requested;
    lists.modePosition = c.modePosition;
    lists.rangePosition = c.rangePosition;
    lists.rememberedAcvRange = c.remembered;
    EXPECT_EQ(ConfigurationCommand(c.model, data, lists), c.command) << c.what;
  }
}

TEST(MeterSettingCommands, InOrderAndOnlyWhenRequested) {
  _MONITOR_DATA data;
  const MeterSettingChoices choices{3, 6, 15, 1};
  data.conductRequest = 1;
  data.dbmRequest = 1;
  SettingCommands result = MeterSettingCommands(kRv7361, data, choices);
  EXPECT_EQ(result.commands, (std::vector<std::string>{":SYST:CONDUCT 3", ":SYST:DBM 15"}));
  EXPECT_TRUE(result.endsCycle);

  data = _MONITOR_DATA();
  EXPECT_TRUE(MeterSettingCommands(kRv7361, data, choices).commands.empty());
  EXPECT_FALSE(MeterSettingCommands(kRv7361, data, choices).endsCycle);

  data.passbandRequest = 1;
  EXPECT_TRUE(MeterSettingCommands(kRv7341, data, choices).commands.empty()) << "filter off: nothing";
  data.status[kStatusFilter] = 1;
  result = MeterSettingCommands(kRv7341, data, choices);
  EXPECT_EQ(result.commands, std::vector<std::string>{":SYST:FILTER 1,500"});
  EXPECT_FALSE(result.endsCycle);
  EXPECT_EQ(MeterSettingCommands(kRv7321, data, {0, 0, 0, 0}).commands, std::vector<std::string>{":SYST:FILTER 1,100"});
  EXPECT_TRUE(MeterSettingCommands(kRv7361, data, choices).commands.empty()) << "no passband on the RV736X";
}

TEST(SettingText, NamesTheChoice) {
  SetCatalogueLanguage(1);
  EXPECT_EQ(SettingText(1, 15), u"Standard Impedance 600Ohm");
  EXPECT_EQ(SettingText(7, 0), u"Threshold 20Ohm");
  EXPECT_EQ(SettingText(8, 6), u"Threshold 3.0V");
  EXPECT_EQ(SettingText(8, 7), u"7") << "outside the list: the number";
  EXPECT_EQ(SettingText(1, -1), u"-1");
  EXPECT_EQ(SettingText(4, 2), u"2");
  SetCatalogueLanguage(0);
  EXPECT_EQ(SettingText(8, 0), u"しきい値 0.15V");
  EXPECT_EQ(SettingText(7, 3), u"しきい値 500Ω");
}

}  // namespace
