#include "catalogue/catalogue_tables.h"

const std::vector<std::u16string_view>& ContinuityThresholds() {
  static const std::vector<std::u16string_view> values{u"20", u"50", u"100", u"500"};
  return values;
}

const std::vector<std::u16string_view>& DiodeThresholds() {
  static const std::vector<std::u16string_view> values{u"0.15V", u"0.5V", u"1.0V", u"1.5V", u"2.0V", u"2.5V", u"3.0V"};
  return values;
}

const std::vector<std::u16string_view>& DbmImpedances() {
  static const std::vector<std::u16string_view> values{u"4",   u"8",   u"16",  u"32",  u"50",   u"75",  u"93",
                                                       u"110", u"125", u"135", u"150", u"200",  u"250", u"300",
                                                       u"500", u"600", u"800", u"900", u"1000", u"1200"};
  return values;
}
