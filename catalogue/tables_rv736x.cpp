#include "catalogue/catalogue_tables.h"

const FamilyTables& Rv736xTables() {
  static const FamilyTables tables{
      {
          // 0 ACV
          {"ACV",
           {u"ACV", u"ACV"},
           {u"ACV", u"ACV"},
           {{u"Auto", u"60mV", u"600mV", u"6V", u"60V", u"600V", u"1000V"},
            {"AUTO", "60m", "600m", "6", "60", "600", "1000"},
            {u"", u"mV", u"mV", u"V", u"V", u"V", u"V"},
            {"", "60000", "60000", "60000", "60000", "60000", "10000"},
            {0, 3, 2, 4, 3, 2, 1}},
           {{u"18V", u"180V", u"1500V"},
            {"6", "60", "600"},
            {u"V", u"V", u"V"},
            {"18000", "18000", "15000"},
            {3, 2, 1}}},
          // 1 dBm
          {"dBm",
           {u"dBm", u"dBm"},
           {u"dBm", u"dBm"},
           {{u"600dBm"},
            {"600"},
            {u"dBm", u"dBm", u"dBm", u"dBm", u"dBm", u"dBm", u"dBm"},
            {"60000"},
            {2, 2, 2, 2, 2, 2, 2}},
           {{u""}, {"600"}, {u""}, {""}, {0}}},
          // 2 dBV
          {"dBV",
           {u"dBV", u"dBV"},
           {u"dBV", u"dBV"},
           {{u"60dBV"},
            {"60"},
            {u"dBV", u"dBV", u"dBV", u"dBV", u"dBV", u"dBV", u"dBV"},
            {"6000"},
            {2, 2, 2, 2, 2, 2, 2}},
           {{u""}, {"60"}, {u""}, {""}, {0}}},
          // 3 CLAMP
          {"CLAMP",
           {u"クランプ", u"Clamp"},
           {u"クランプ", u"Clamp"},
           {{u"10A", u"20A", u"50A", u"100A", u"200A", u"500A", u"1000A"},
            {"10", "20", "50", "100", "200", "500", "1000"},
            {u"A", u"A", u"A", u"A", u"A", u"A", u"A"},
            {"1000", "2000", "5000", "1000", "2000", "5000", "1000"},
            {2, 2, 2, 1, 1, 1, 0}},
           {{u"30A", u"60A", u"150A", u"300A", u"600A", u"1500A", u"3000A"},
            {"10", "20", "50", "100", "200", "500", "1000"},
            {u"A", u"A", u"A", u"A", u"A", u"A", u"A"},
            {"3000", "6000", "1500", "3000", "6000", "1500", "3000"},
            {2, 2, 1, 1, 1, 0, 0}}},
          // 4 DCV
          {"DCV",
           {u"DCV", u"DCV"},
           {u"DCV", u"DCV"},
           {{u"Auto", u"60mV", u"600mV", u"6V", u"60V", u"600V", u"1000V"},
            {"AUTO", "60m", "600m", "6", "60", "600", "1000"},
            {u"", u"mV", u"mV", u"V", u"V", u"V", u"V"},
            {"", "60000", "60000", "60000", "60000", "60000", "10000"},
            {0, 3, 2, 4, 3, 2, 1}},
           {{u"6V", u"60V", u"600V", u"1000V"},
            {"6", "60", "600", "1000"},
            {u"V", u"V", u"V", u"V"},
            {"6000", "6000", "6000", "1000"},
            {3, 2, 1, 0}}},
          // 5 ACDCV
          {"ACDCV",
           {u"DC+ACV", u"DC+ACV"},
           {u"DC+ACV", u"DC+ACV"},
           {{u"Auto", u"6V", u"60V", u"600V", u"1000V"},
            {"AUTO", "6", "60", "600", "1000"},
            {u"", u"V", u"V", u"V", u"V"},
            {"", "60000", "60000", "60000", "10000"},
            {0, 4, 3, 2, 1}},
           {{u"18V", u"180V", u"1500V"},
            {"6", "60", "600"},
            {u"V", u"V", u"V"},
            {"18000", "18000", "15000"},
            {3, 2, 1}}},
          // 6 SEPV
          {"SEPV",
           {u"DCV,ACV", u"DCV,ACV"},
           {u"DCV,ACV", u"DCV,ACV"},
           {{u"Auto", u"6V", u"60V", u"600V", u"1000V"},
            {"AUTO", "6", "60", "600", "1000"},
            {u"", u"V", u"V", u"V", u"V"},
            {"", "60000", "60000", "60000", "10000"},
            {0, 4, 3, 2, 1}},
           {{u""}, {"AUTO"}, {u""}, {""}, {0}}},
          // 7 CONT
          {"CONT",
           {u"導通", u"Continuity"},
           {u"導通", u"Cont."},
           {{u"600Ω"}, {"600"}, {u"Ω"}, {"6000"}, {1}},
           NoPeak()},
          // 8 DIODE
          {"DIODE",
           {u"ダイオード", u"Diode"},
           {u"ダイオード", u"Diode"},
           {{u"3.6V"}, {"4"}, {u"V"}, {"3600"}, {3}},
           NoPeak()},
          // 9 RES
          {"RES",
           {u"抵抗", u"Resistance"},
           {u"抵抗", u"Res."},
           {{u"Auto", u"60Ω", u"600Ω", u"6kΩ", u"60kΩ", u"600kΩ", u"6MΩ", u"60MΩ", u"600MΩ"},
            {"AUTO", "60", "600", "6k", "60k", "600k", "6M", "60M", "600M"},
            {u"", u"Ω", u"Ω", u"kΩ", u"kΩ", u"kΩ", u"MΩ", u"MΩ", u"MΩ"},
            {"", "60000", "60000", "60000", "60000", "60000", "60000", "6000", "6000"},
            {0, 3, 2, 4, 3, 2, 4, 2, 1}},
           NoPeak()},
          // 10 TEMP
          {"TEMP",
           {u"温度", u"Temp"},
           {u"温度", u"Temp"},
           {{u"none"}, {"800"}, {u"℃", u"ºF"}, {"8000", "400", "14720", "400"}, {1}},
           NoPeak()},
          // 11 CAP
          {"CAP",
           {u"コンデンサ", u"Capacitance"},
           {u"コンデンサ", u"Cap."},
           {{u"Auto", u"1nF", u"10nF", u"100nF", u"1uF", u"10uF", u"100uF", u"1mF", u"10mF", u"100mF"},
            {"AUTO", "1n", "10n", "100n", "1u", "10u", "100u", "1m", "10m", "100m"},
            {u"", u"nF", u"nF", u"nF", u"uF", u"uF", u"uF", u"mF", u"mF", u"mF"},
            {"", "1100", "1100", "1100", "1100", "1100", "1100", "1100", "1100", "1000"},
            {0, 3, 2, 1, 3, 2, 1, 3, 2, 1}},
           NoPeak()},
          // 12 nS
          {"nS", {u"nS", u"nS"}, {u"nS", u"nS"}, {{u"600nS"}, {"600"}, {u"nS"}, {"60000"}, {2}}, NoPeak()},
          // 13 DCuA
          {"DCuA",
           {u"DCuA", u"DCuA"},
           {u"DCuA", u"DCuA"},
           {{u"Auto", u"600uA", u"6000uA"},
            {"AUTO", "600u", "6000u"},
            {u"", u"uA", u"uA", u"uA"},
            {"", "60000", "60000"},
            {0, 2, 1, 0}},
           {{u"1200uA", u"12000uA"}, {"600u", "6000u"}, {u"uA", u"uA"}, {"12000", "12000"}, {1, 0}}},
          // 14 ACuA
          {"ACuA",
           {u"ACuA", u"ACuA"},
           {u"ACuA", u"ACuA"},
           {{u"Auto", u"600uA", u"6000uA"},
            {"AUTO", "600u", "6000u"},
            {u"", u"uA", u"uA"},
            {"", "60000", "60000"},
            {0, 2, 1}},
           {{u"1200uA", u"12000uA"}, {"600u", "6000u"}, {u"uA", u"uA"}, {"12000", "12000"}, {1, 0}}},
          // 15 DCmA
          {"DCmA",
           {u"DCmA", u"DCmA"},
           {u"DCmA", u"DCmA"},
           {{u"Auto", u"60mA", u"600mA"},
            {"AUTO", "60m", "600m"},
            {u"", u"mA", u"mA", u"mA"},
            {"", "60000", "60000"},
            {0, 3, 2, 1}},
           {{u"120mA", u"1200mA"}, {"60m", "600m"}, {u"mA", u"mA"}, {"12000", "12000"}, {2, 1}}},
          // 16 ACmA
          {"ACmA",
           {u"ACmA", u"ACmA"},
           {u"ACmA", u"ACmA"},
           {{u"Auto", u"60mA", u"600mA"},
            {"AUTO", "60m", "600m"},
            {u"", u"mA", u"mA"},
            {"", "60000", "60000"},
            {0, 3, 2}},
           {{u"120mA", u"1200mA"}, {"60m", "600m"}, {u"mA", u"mA"}, {"12000", "12000"}, {2, 1}}},
          // 17 DC_4_20mA
          {"DC_4_20mA",
           {u"DC 4-20mA", u"DC 4-20mA"},
           {u"DC 4-20mA", u"DC 4-20mA"},
           {{u"60mA"}, {"60m"}, {u"%"}, {"35000", "30000", "40000", "30000"}, {2, 0, 0, 0}},
           {{u""}, {"60m"}, {u""}, {""}, {0}}},
          // 18 DCA
          {"DCA",
           {u"DCA", u"DCA"},
           {u"DCA", u"DCA"},
           {{u"Auto", u"6A", u"10A"}, {"AUTO", "6", "10"}, {u"", u"A", u"A"}, {"", "60000", "10000"}, {0, 4, 3}},
           {{u"12A", u"15A"}, {"6", "10"}, {u"A", u"A"}, {"12000", "1500"}, {3, 2}}},
          // 19 ACA
          {"ACA",
           {u"ACA", u"ACA"},
           {u"ACA", u"ACA"},
           {{u"Auto", u"6A", u"10A"}, {"AUTO", "6", "10"}, {u"", u"A", u"A"}, {"", "60000", "10000"}, {0, 4, 3}},
           {{u"12A", u"15A"}, {"6", "10"}, {u"A", u"A"}, {"12000", "1500"}, {3, 2}}},
      },
      {{u"10", u"100", u"1k", u"10k", u"100k", u"1000k"},
       {"10", "100", "1k", "10k", "100k", "1000k"},
       {u"Hz", u"Hz", u"Hz", u"kHz", u"kHz", u"kHz"},
       {4, 3, 2, 4, 3, 2}},
      // RV7361
      {
          // 0 ACV
          {{"ACV", {u"ACV", u"ACV"}},
           {"dBm", {u"dBm", u"dBm"}},
           {"dBV", {u"dBV", u"dBV"}},
           {"CLAMP", {u"クランプ", u"Clamp"}}},
          // 1 dBm
          {{"ACV", {u"ACV", u"ACV"}},
           {"dBm", {u"dBm", u"dBm"}},
           {"dBV", {u"dBV", u"dBV"}},
           {"CLAMP", {u"クランプ", u"Clamp"}}},
          // 2 dBV
          {{"ACV", {u"ACV", u"ACV"}},
           {"dBm", {u"dBm", u"dBm"}},
           {"dBV", {u"dBV", u"dBV"}},
           {"CLAMP", {u"クランプ", u"Clamp"}}},
          // 3 CLAMP
          {{"ACV", {u"ACV", u"ACV"}},
           {"dBm", {u"dBm", u"dBm"}},
           {"dBV", {u"dBV", u"dBV"}},
           {"CLAMP", {u"クランプ", u"Clamp"}}},
          // 4 DCV
          {{"DCV", {u"DCV", u"DCV"}}},
          // 5 ACDCV
          {{"ACDCV", {u"DC+ACV", u"DC+ACV"}}, {"SEPV", {u"DCV,ACV", u"DCV,ACV"}}},
          // 6 SEPV
          {{"ACDCV", {u"DC+ACV", u"DC+ACV"}}, {"SEPV", {u"DCV,ACV", u"DCV,ACV"}}},
          // 7 CONT
          {{"CONT", {u"導通", u"Continuity"}}, {"DIODE", {u"ダイオード", u"Diode"}}},
          // 8 DIODE
          {{"CONT", {u"導通", u"Continuity"}}, {"DIODE", {u"ダイオード", u"Diode"}}},
          // 9 RES
          {{"RES", {u"抵抗", u"Resistance"}}, {"TEMP", {u"温度", u"Temp"}}},
          // 10 TEMP
          {{"RES", {u"抵抗", u"Resistance"}}, {"TEMP", {u"温度", u"Temp"}}},
          // 11 CAP
          {{"CAP", {u"コンデンサ", u"Capacitance"}}},
          // 12 nS
          {{"nS", {u"nS", u"nS"}}},
          // 13 DCuA
          {{"DCuA", {u"DCuA", u"DCuA"}}, {"ACuA", {u"ACuA", u"ACuA"}}},
          // 14 ACuA
          {{"DCuA", {u"DCuA", u"DCuA"}}, {"ACuA", {u"ACuA", u"ACuA"}}},
          // 15 DCmA
          {{"DCmA", {u"DCmA", u"DCmA"}}, {"ACmA", {u"ACmA", u"ACmA"}}, {"DC_4_20mA", {u"DC 4-20mA", u"DC 4-20mA"}}},
          // 16 ACmA
          {{"DCmA", {u"DCmA", u"DCmA"}}, {"ACmA", {u"ACmA", u"ACmA"}}, {"DC_4_20mA", {u"DC 4-20mA", u"DC 4-20mA"}}},
          // 17 DC_4_20mA
          {{"DCmA", {u"DCmA", u"DCmA"}}, {"ACmA", {u"ACmA", u"ACmA"}}, {"DC_4_20mA", {u"DC 4-20mA", u"DC 4-20mA"}}},
          // 18 DCA
          {{"DCA", {u"DCA", u"DCA"}}},
          // 19 ACA
          {{"ACA", {u"ACA", u"ACA"}}},
      },
      // RV7362
      {
          // 0 ACV
          {{"ACV", {u"ACV", u"ACV"}}, {"dBm", {u"dBm", u"dBm"}}, {"dBV", {u"dBV", u"dBV"}}},
          // 1 dBm
          {{"ACV", {u"ACV", u"ACV"}}, {"dBm", {u"dBm", u"dBm"}}, {"dBV", {u"dBV", u"dBV"}}},
          // 2 dBV
          {{"ACV", {u"ACV", u"ACV"}}, {"dBm", {u"dBm", u"dBm"}}, {"dBV", {u"dBV", u"dBV"}}},
          // 3 CLAMP
          {{"CLAMP", {u"クランプ", u"Clamp"}}},
          // 4 DCV
          {{"DCV", {u"DCV", u"DCV"}}},
          // 5 ACDCV
          {{"ACDCV", {u"DC+ACV", u"DC+ACV"}}, {"SEPV", {u"DCV,ACV", u"DCV,ACV"}}},
          // 6 SEPV
          {{"ACDCV", {u"DC+ACV", u"DC+ACV"}}, {"SEPV", {u"DCV,ACV", u"DCV,ACV"}}},
          // 7 CONT
          {{"CONT", {u"導通", u"Continuity"}}, {"DIODE", {u"ダイオード", u"Diode"}}},
          // 8 DIODE
          {{"CONT", {u"導通", u"Continuity"}}, {"DIODE", {u"ダイオード", u"Diode"}}},
          // 9 RES
          {{"RES", {u"抵抗", u"Resistance"}}, {"TEMP", {u"温度", u"Temp"}}},
          // 10 TEMP
          {{"RES", {u"抵抗", u"Resistance"}}, {"TEMP", {u"温度", u"Temp"}}},
          // 11 CAP
          {{"CAP", {u"コンデンサ", u"Capacitance"}}, {"nS", {u"nS", u"nS"}}},
          // 12 nS
          {{"CAP", {u"コンデンサ", u"Capacitance"}}, {"nS", {u"nS", u"nS"}}},
          // 13 DCuA
          {{"DCuA", {u"DCuA", u"DCuA"}}, {"ACuA", {u"ACuA", u"ACuA"}}},
          // 14 ACuA
          {{"DCuA", {u"DCuA", u"DCuA"}}, {"ACuA", {u"ACuA", u"ACuA"}}},
          // 15 DCmA
          {{"DCmA", {u"DCmA", u"DCmA"}}, {"ACmA", {u"ACmA", u"ACmA"}}, {"DC_4_20mA", {u"DC 4-20mA", u"DC 4-20mA"}}},
          // 16 ACmA
          {{"DCmA", {u"DCmA", u"DCmA"}}, {"ACmA", {u"ACmA", u"ACmA"}}, {"DC_4_20mA", {u"DC 4-20mA", u"DC 4-20mA"}}},
          // 17 DC_4_20mA
          {{"DCmA", {u"DCmA", u"DCmA"}}, {"ACmA", {u"ACmA", u"ACmA"}}, {"DC_4_20mA", {u"DC 4-20mA", u"DC 4-20mA"}}},
          // 18 DCA
          {{"DCA", {u"DCA", u"DCA"}}, {"ACA", {u"ACA", u"ACA"}}},
          // 19 ACA
          {{"DCA", {u"DCA", u"DCA"}}, {"ACA", {u"ACA", u"ACA"}}},
      }};
  return tables;
}

// No units or counts of its own: a FILTER column is translated back into
// the normal set before those are read.
const RangeSet& Rv736xFilterSet() {
  static const RangeSet set{{u"600V", u"1000V"}, {"600", "1000"}, {}, {}, {}};
  return set;
}
