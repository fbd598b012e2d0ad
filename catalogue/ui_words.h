// The words of the interface text table that catalogue texts are built from,
// by their number in that table.
#pragma once

#include "catalogue/catalogue_tables.h"

namespace word {
inline constexpr NamePair kMain{u"メイン：", u"Main："};                      // 15
inline constexpr NamePair kSub{u"サブ：", u"Sub："};                         // 16
inline constexpr NamePair kFrequencyShort{u"周波数", u"Freq."};             // 55
inline constexpr NamePair kFrequencyLong{u"周波数", u"Frequency"};          // 138
inline constexpr NamePair kOhm{u"Ω", u"Ohm"};                               // 139
inline constexpr NamePair kThreshold{u"しきい値 ", u"Threshold "};          // 142
inline constexpr NamePair kStandardImpedance{u"基準インピーダンス ", u"Standard Impedance "};  // 143
}  // namespace word
