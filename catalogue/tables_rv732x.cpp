#include "catalogue/catalogue_tables.h"

namespace {

// The family has no PEAK mode, yet every row holds one empty PEAK entry,
// never an empty set, so its PEAK range count is 1 as on the other families.
RangeSet NoPeak() { return {{u""}, {""}, {u""}, {""}, {0}}; }

}  // namespace

const FamilyTables& Rv732xTables() {
  static const FamilyTables tables{
    {
      // 0 ACV
      {"ACV", {u"ACV", u"ACV"}, {u"ACV", u"ACV"},
       {{u"Auto", u"6V", u"60V", u"600V", u"1000V"},
        {"AUTO", "6", "60", "600", "1000"},
        {u"", u"V", u"V", u"V", u"V"},
        {"", "6000", "6000", "6000", "1000"},
        {0, 3, 2, 1, 0}},
       NoPeak()},
      // 1 DCV
      {"DCV", {u"DCV", u"DCV"}, {u"DCV", u"DCV"},
       {{u"Auto", u"600mV", u"6V", u"60V", u"600V", u"1000V"},
        {"AUTO", "600m", "6", "60", "600", "1000"},
        {u"", u"mV", u"V", u"V", u"V", u"V"},
        {"", "6000", "6000", "6000", "6000", "1000"},
        {0, 1, 3, 2, 1, 0}},
       NoPeak()},
      // 2 DCmV
      {"DCmV", {u"DCmV", u"DCmV"}, {u"DCmV", u"DCmV"},
       {{u"600mV"},
        {"600m"},
        {u"mV", u"mV"},
        {"6000"},
        {1, 0}},
       NoPeak()},
      // 3 AutoV
      {"AutoV", {u"AutoV", u"AutoV"}, {u"AutoV", u"AutoV"},
       {{u"600V"},
        {"600"},
        {u"V"},
        {"6000"},
        {1}},
       NoPeak()},
      // 4 CONT
      {"CONT", {u"導通", u"Continuity"}, {u"導通", u"Cont."},
       {{u"600Ω"},
        {"600"},
        {u"Ω"},
        {"6000"},
        {1}},
       NoPeak()},
      // 5 RES
      {"RES", {u"抵抗", u"Resistance"}, {u"抵抗", u"Res."},
       {{u"Auto", u"600Ω", u"6kΩ", u"60kΩ", u"600kΩ", u"6MΩ", u"60MΩ"},
        {"AUTO", "600", "6k", "60k", "600k", "6M", "60M"},
        {u"", u"Ω", u"kΩ", u"kΩ", u"kΩ", u"MΩ", u"MΩ", u"MΩ"},
        {"", "6000", "6000", "6000", "6000", "6000", "6000"},
        {0, 1, 3, 2, 1, 3, 2, 1}},
       NoPeak()},
      // 6 CAP
      {"CAP", {u"コンデンサ", u"Capacitance"}, {u"コンデンサ", u"Cap."},
       {{u"Auto", u"1uF", u"10uF", u"100uF", u"1mF", u"10mF"},
        {"AUTO", "1u", "10u", "100u", "1m", "10m"},
        {u"", u"uF", u"uF", u"uF", u"mF", u"mF"},
        {"", "1100", "1100", "1100", "1100", "1000"},
        {0, 3, 2, 1, 3, 2}},
       NoPeak()},
      // 7 DIODE
      {"DIODE", {u"ダイオード", u"Diode"}, {u"ダイオード", u"Diode"},
       {{u"1.5V"},
        {"1500"},
        {u"V"},
        {"1500"},
        {3}},
       NoPeak()},
      // 8 TEMP
      {"TEMP", {u"温度", u"Temp"}, {u"温度", u"Temp"},
       {{u"none"},
        {"400"},
        {u"℃", u"ºF"},
        {"4000", "400", "7520", "400"},
        {1}},
       NoPeak()},
      // 9 CLAMP
      {"CLAMP", {u"クランプ", u"Clamp"}, {u"クランプ", u"Clamp"},
       {{u"10A", u"20A", u"50A", u"100A", u"200A", u"500A", u"1000A"},
        {"10", "20", "50", "100", "200", "500", "1000"},
        {u"A", u"A", u"A", u"A", u"A", u"A", u"A"},
        {"1000", "2000", "500", "1000", "2000", "500", "1000"},
        {2, 2, 1, 1, 1, 0, 0}},
       NoPeak()},
      // 10 ACA
      {"ACA", {u"ACA", u"ACA"}, {u"ACA", u"ACA"},
       {{u"Auto", u"600mA", u"6A", u"10A"},
        {"AUTO", "600m", "6", "10"},
        {u"", u"mA", u"A", u"A"},
        {"", "6000", "6000", "1000"},
        {0, 1, 3, 2}},
       NoPeak()},
      // 11 DCA
      {"DCA", {u"DCA", u"DCA"}, {u"DCA", u"DCA"},
       {{u"Auto", u"60mA", u"600mA", u"6A", u"10A"},
        {"AUTO", "60m", "600m", "6", "10"},
        {u"", u"mA", u"mA", u"A", u"A"},
        {"", "6000", "6000", "6000", "1000"},
        {0, 2, 1, 3, 2}},
       NoPeak()},
      // 12 DCmA
      {"DCmA", {u"DCmA", u"DCmA"}, {u"DCmA", u"DCmA"},
       {{u"Auto", u"6mA", u"60mA"},
        {"AUTO", "6m", "60m"},
        {u"", u"mA", u"mA", u"mA"},
        {"", "6000", "6000"},
        {0, 3, 2, 1}},
       NoPeak()},
      // 13 DCuA
      {"DCuA", {u"DCuA", u"DCuA"}, {u"DCuA", u"DCuA"},
       {{u"Auto", u"60uA", u"600uA"},
        {"AUTO", "60u", "600u"},
        {u"", u"uA", u"uA", u"uA"},
        {"", "6000", "6000"},
        {0, 2, 1, 0}},
       NoPeak()},
      // 14 VDET
      {"VDET", {u"検電", u"V-Detect"}, {u"検電", u"V-Detect"},
       {{u"Lo", u"Hi"},
        {"0", "1"},
        {u"", u""},
        {"", ""},
        {0, 0}},
       NoPeak()},
      // 15 DCV
      {"DCV", {u"DCV", u"DCV"}, {u"DCV", u"DCV"},
       {{u"Auto", u"600mV", u"6V", u"60V", u"600V", u"1500V"},
        {"AUTO", "600m", "6", "60", "600", "1000"},
        {u"", u"mV", u"V", u"V", u"V", u"V"},
        {"", "6000", "6000", "6000", "6000", "1700"},
        {0, 1, 3, 2, 1, 0}},
       NoPeak()},
      // 16 DCA
      {"DCA", {u"DCA", u"DCA"}, {u"DCA", u"DCA"},
       {{u"Auto", u"6A", u"10A"},
        {"AUTO", "6", "10"},
        {u"", u"A", u"A"},
        {"", "6000", "1000"},
        {0, 3, 2}},
       NoPeak()},
      // 17 ACA
      {"ACA", {u"ACA", u"ACA"}, {u"ACA", u"ACA"},
       {{u"Auto", u"6A", u"10A"},
        {"AUTO", "6", "10"},
        {u"", u"A", u"A"},
        {"", "6000", "1000"},
        {0, 3, 2}},
       NoPeak()},
      // 18 VDET
      {"VDET", {u"検電", u"V-Detect"}, {u"検電", u"V-Detect"},
       {{u"none"},
        {"0"},
        {u""},
        {""},
        {0}},
       NoPeak()},
      // 19 DCV
      {"DCV", {u"DCV", u"DCV"}, {u"DCV", u"DCV"},
       {{u"Auto", u"6V", u"60V", u"600V", u"1000V"},
        {"AUTO", "6", "60", "600", "1000"},
        {u"", u"V", u"V", u"V", u"V"},
        {"", "6000", "6000", "6000", "1000"},
        {0, 3, 2, 1, 0}},
       NoPeak()},
    },
    {{u"100", u"1k", u"10k", u"100k"},
     {"100", "1k", "10k", "100k"},
     {u"Hz", u"Hz", u"kHz", u"kHz"},
     {2, 1, 3, 2}},
    // The mode list of this family holds the current function alone.
    {},
    {}};
  return tables;
}
