#include "catalogue/catalogue_tables.h"

namespace {

// A row without PEAK ranges still holds one empty entry, never an empty set,
// so its PEAK range count is 1.
RangeSet NoPeak() { return {{u""}, {""}, {u""}, {""}, {0}}; }

}  // namespace

const FamilyTables& Rv734xTables() {
  static const FamilyTables tables{
    {
      // 0 AutoV
      {"AutoV", {u"AutoV", u"AutoV"}, {u"AutoV", u"AutoV"},
       {{u"Auto", u"600mV", u"6V", u"60V", u"600V", u"1000V"},
        {"AUTO", "600m", "6", "60", "600", "1000"},
        {u"", u"mV", u"V", u"V", u"V", u"V"},
        {"", "6000", "6000", "6000", "6000", "1000"},
        {0, 1, 3, 2, 1, 0}},
       NoPeak()},
      // 1 DCV
      {"DCV", {u"DCV", u"DCV"}, {u"DCV", u"DCV"},
       {{u"Auto", u"600mV", u"6V", u"60V", u"600V", u"1000V"},
        {"AUTO", "600m", "6", "60", "600", "1000"},
        {u"", u"mV", u"V", u"V", u"V", u"V"},
        {"", "6000", "6000", "6000", "6000", "1000"},
        {0, 1, 3, 2, 1, 0}},
       {{u"120V", u"1000V", u"1000V"},
        {"60", "600", "1000"},
        {u"V", u"V", u"V"},
        {"1200", "1000", "1000"},
        {1, 0, 0}}},
      // 2 ACDCV
      {"ACDCV", {u"ACDCV", u"ACDCV"}, {u"AC+DCV", u"AC+DCV"},
       {{u"Auto", u"6V", u"60V", u"600V", u"1000V"},
        {"AUTO", "6", "60", "600", "1000"},
        {u"", u"V", u"V", u"V", u"V"},
        {"", "6000", "6000", "6000", "1000"},
        {0, 3, 2, 1, 0}},
       {{u"120V", u"1200V", u"1500V"},
        {"60", "600", "1000"},
        {u"V", u"V", u"V"},
        {"1200", "1200", "1500"},
        {1, 0, 0}}},
      // 3 ACV
      {"ACV", {u"ACV", u"ACV"}, {u"ACV", u"ACV"},
       {{u"Auto", u"6V", u"60V", u"600V", u"1000V"},
        {"AUTO", "6", "60", "600", "1000"},
        {u"", u"V", u"V", u"V", u"V"},
        {"", "6000", "6000", "6000", "1000"},
        {0, 3, 2, 1, 0}},
       {{u"120V", u"1200V", u"1500V"},
        {"60", "600", "1000"},
        {u"V", u"V", u"V"},
        {"1200", "1200", "1500"},
        {1, 0, 0}}},
      // 4 HzV
      {"HzV", {u"FREQ V", u"FREQ V"}, {u"Hz", u"Hz"},
       {{u"Auto", u"100", u"1k", u"10k", u"100k"},
        {"AUTO", "100", "1k", "10k", "100k"},
        {u"", u"Hz", u"Hz", u"kHz", u"kHz"},
        {"", "9999", "9999", "9999", "9999"},
        {0, 2, 1, 3, 2}},
       NoPeak()},
      // 5 LoZV
      {"LoZV", {u"LoZV", u"LoZV"}, {u"LoZ AutoV", u"LoZ AutoV"},
       {{u"600V"},
        {"600"},
        {u"V"},
        {"6000"},
        {1}},
       NoPeak()},
      // 6 CONT
      {"CONT", {u"導通", u"Continuity"}, {u"導通", u"Cont."},
       {{u"600Ω"},
        {"600"},
        {u"Ω"},
        {"6000"},
        {1}},
       NoPeak()},
      // 7 DIODE
      {"DIODE", {u"ダイオード", u"Diode"}, {u"ダイオード", u"Diode"},
       {{u"1.8V"},
        {"2"},
        {u"V"},
        {"1800"},
        {3}},
       NoPeak()},
      // 8 RES
      {"RES", {u"抵抗", u"Resistance"}, {u"抵抗", u"Res."},
       {{u"Auto", u"600Ω", u"6kΩ", u"60kΩ", u"600kΩ", u"6MΩ", u"60MΩ"},
        {"AUTO", "600", "6k", "60k", "600k", "6M", "60M"},
        {u"", u"Ω", u"kΩ", u"kΩ", u"kΩ", u"MΩ", u"MΩ"},
        {"", "6000", "6000", "6000", "6000", "6000", "6000"},
        {0, 1, 3, 2, 1, 3, 2}},
       NoPeak()},
      // 9 CAP
      {"CAP", {u"コンデンサ", u"Capacitance"}, {u"コンデンサ", u"Cap."},
       {{u"Auto", u"1uF", u"10uF", u"100uF", u"1mF", u"10mF"},
        {"AUTO", "1u", "10u", "100u", "1m", "10m"},
        {u"", u"uF", u"uF", u"uF", u"mF", u"mF"},
        {"", "1100", "1100", "1100", "1100", "1000"},
        {0, 3, 2, 1, 3, 2}},
       NoPeak()},
      // 10 TEMP
      {"TEMP", {u"温度", u"Temp"}, {u"温度", u"Temp"},
       {{u"none"},
        {"none"},
        {u"℃", u"ºF"},
        {"4000", "400", "7520", "400"},
        {0}},
       NoPeak()},
      // 11 CLAMP
      {"CLAMP", {u"クランプ", u"Clamp"}, {u"クランプ", u"Clamp"},
       {{u"10A", u"20A", u"50A", u"100A", u"200A", u"500A", u"1000A"},
        {"10", "20", "50", "100", "200", "500", "1000"},
        {u"A", u"A", u"A", u"A", u"A", u"A", u"A"},
        {"1000", "2000", "500", "1000", "2000", "500", "1000"},
        {2, 2, 1, 1, 1, 0, 0}},
       {{u"30A", u"60A", u"150A", u"300A", u"600A", u"1500A", u"1500A"},
        {"10", "20", "50", "100", "200", "500", "1000"},
        {u"A", u"A", u"A", u"A", u"A", u"A", u"A"},
        {"300", "600", "150", "300", "600", "1500", "1500"},
        {1, 1, 0, 0, 0, 0, 0}}},
      // 12 ACA
      {"ACA", {u"ACA", u"ACA"}, {u"ACA", u"ACA"},
       {{u"Auto", u"600mA", u"6A", u"10A"},
        {"AUTO", "600m", "6", "10"},
        {u"", u"mA", u"A", u"A"},
        {"", "6000", "6000", "1000"},
        {0, 1, 3, 2}},
       {{u"1200mA", u"12A", u"15A"},
        {"600m", "6", "10"},
        {u"mA", u"A", u"A"},
        {"1200", "1200", "1500"},
        {0, 2, 2}}},
      // 13 HzA
      {"HzA", {u"FREQ A", u"FREQ A"}, {u"Hz", u"Hz"},
       {{u"Auto", u"100", u"1k", u"10k"},
        {"AUTO", "100", "1k", "10k"},
        {u"", u"Hz", u"Hz", u"kHz"},
        {"", "9999", "9999", "9999"},
        {0, 2, 1, 3}},
       NoPeak()},
      // 14 AutoA
      {"AutoA", {u"AutoA", u"AutoA"}, {u"AutoA", u"AutoA"},
       {{u"Auto", u"600mA", u"6A", u"10A"},
        {"AUTO", "600m", "6", "10"},
        {u"", u"mA", u"A", u"A"},
        {"", "6000", "6000", "1000"},
        {0, 1, 3, 2}},
       NoPeak()},
      // 15 DCA
      {"DCA", {u"DCA", u"DCA"}, {u"DCA", u"DCA"},
       {{u"Auto", u"600mA", u"6A", u"10A"},
        {"AUTO", "600m", "6", "10"},
        {u"", u"mA", u"A", u"A"},
        {"", "6000", "6000", "1000"},
        {0, 1, 3, 2}},
       {{u"1200mA", u"10A", u"10A"},
        {"600m", "6", "10"},
        {u"mA", u"A", u"A"},
        {"1200", "1000", "1000"},
        {0, 2, 2}}},
      // 16 ACDCA
      {"ACDCA", {u"ACDCA", u"ACDCA"}, {u"AC+DCA", u"AC+DCA"},
       {{u"Auto", u"600mA", u"6A", u"10A"},
        {"AUTO", "600m", "6", "10"},
        {u"", u"mA", u"A", u"A"},
        {"", "6000", "6000", "1000"},
        {0, 1, 3, 2}},
       {{u"1200mA", u"12A", u"15A"},
        {"600m", "6", "10"},
        {u"mA", u"A", u"A"},
        {"1200", "1200", "1500"},
        {0, 2, 2}}},
      // 17 DC_4_20mA
      {"DC_4_20mA", {u"DC 4-20mA", u"DC 4-20mA"}, {u"DC 4-20mA", u"DC 4-20mA"},
       {{u"none"},
        {"none"},
        {u"%"},
        {"3500", "4000"},
        {0, 0}},
       {{u""},
        {"60m"},
        {u""},
        {""},
        {0}}},
      // 18 DCHV
      {"DCHV", {u"DC HIGH V PROBE", u"DC HIGH V PROBE"}, {u"DC HIGH V PROBE", u"DC HIGH V PROBE"},
       {{u"Auto", u"600V", u"2000V"},
        {"AUTO", "600", "2000"},
        {u"", u"V", u"V"},
        {"", "6000", "2000"},
        {0, 1, 0}},
       {{u""},
        {"600"},
        {u""},
        {""},
        {0, 1}}},
    },
    {{u"100", u"1k", u"10k", u"100k"},
     {"100", "1k", "10k", "100k"},
     {u"Hz", u"Hz", u"kHz", u"kHz"},
     {2, 1, 3, 2}},
    {
      // 0 AutoV
      {{"AutoV", {u"AutoV", u"AutoV"}},
       {"DCV", {u"DCV", u"DCV"}},
       {"ACDCV", {u"AC+DCV", u"AC+DCV"}},
       {"DCHV", {u"DCV(H.V.P)", u"DCV(H.V.P)"}}},
      // 1 DCV
      {{"AutoV", {u"AutoV", u"AutoV"}},
       {"DCV", {u"DCV", u"DCV"}},
       {"ACDCV", {u"AC+DCV", u"AC+DCV"}},
       {"DCHV", {u"DCV(H.V.P)", u"DCV(H.V.P)"}}},
      // 2 ACDCV
      {{"AutoV", {u"AutoV", u"AutoV"}},
       {"DCV", {u"DCV", u"DCV"}},
       {"ACDCV", {u"AC+DCV", u"AC+DCV"}},
       {"DCHV", {u"DCV(H.V.P)", u"DCV(H.V.P)"}}},
      // 3 ACV
      {{"ACV", {u"ACV", u"ACV"}}, {"HzV", {u"FREQ V", u"FREQ V"}}},
      // 4 HzV
      {{"ACV", {u"ACV", u"ACV"}}, {"HzV", {u"FREQ V", u"FREQ V"}}},
      // 5 LoZV
      {{"LoZV", {u"LoZ AutoV", u"LoZ AutoV"}}},
      // 6 CONT
      {{"CONT", {u"導通", u"Continuity"}}, {"DIODE", {u"ダイオード", u"Diode"}}},
      // 7 DIODE
      {{"CONT", {u"導通", u"Continuity"}}, {"DIODE", {u"ダイオード", u"Diode"}}},
      // 8 RES
      {{"RES", {u"抵抗", u"Resistance"}}},
      // 9 CAP
      {{"CAP", {u"コンデンサ", u"Capacitance"}}},
      // 10 TEMP
      {{"TEMP", {u"温度", u"Temp"}}},
      // 11 CLAMP
      {{"CLAMP", {u"クランプ", u"Clamp"}}},
      // 12 ACA
      {{"ACA", {u"ACA", u"ACA"}}, {"HzA", {u"FREQ A", u"FREQ A"}}},
      // 13 HzA
      {{"ACA", {u"ACA", u"ACA"}}, {"HzA", {u"FREQ A", u"FREQ A"}}},
      // 14 AutoA
      {{"AutoA", {u"AutoA", u"AutoA"}},
       {"DCA", {u"DCA", u"DCA"}},
       {"ACDCA", {u"AC+DCA", u"AC+DCA"}}},
      // 15 DCA
      {{"AutoA", {u"AutoA", u"AutoA"}},
       {"DCA", {u"DCA", u"DCA"}},
       {"ACDCA", {u"AC+DCA", u"AC+DCA"}}},
      // 16 ACDCA
      {{"AutoA", {u"AutoA", u"AutoA"}},
       {"DCA", {u"DCA", u"DCA"}},
       {"ACDCA", {u"AC+DCA", u"AC+DCA"}}},
      // 17 DC_4_20mA
      {{"DC_4_20mA", {u"DC 4-20mA", u"DC 4-20mA"}}},
      // 18 DCHV
      {{"AutoV", {u"AutoV", u"AutoV"}},
       {"DCV", {u"DCV", u"DCV"}},
       {"ACDCV", {u"AC+DCV", u"AC+DCV"}},
       {"DCHV", {u"DCV(H.V.P)", u"DCV(H.V.P)"}}},
    },
    {}};
  return tables;
}
