// The shapes that tell a reply from a stray line.
#include <gtest/gtest.h>

#include "link/reply_shape.h"

namespace {

struct ShapeCase {
  const char* command;
  const char* reply;
  bool fits;
};

TEST(ReplyShape, EachQueryTakesOnlyItsOwnReplies) {
  const ShapeCase cases[] = {
      {":STAT?", "000000000000000000000000", true},
      {":STAT?", "0000000000000000000000001234", true},
      {":STAT?", "00000000000000000000000", false},  // 23 digits
      {":STAT?", "00000000000000000000000x", false},
      {":STAT?", "3", false},
      {":STAT?", "CMD ERR", false},
      {":SYST:BATT?", "3", true},
      {":SYST:BATT?", "0", true},
      {":SYST:BATT?", "", false},
      {":SYST:BATT?", "DCV,6", false},
      {":SYST:BATT?", "000000000000000000000000", false},
      {":FETCCNTDISP?", "15000,15000,1", true},
      {":FETCCNTDISP?", "-0012,-12,-1", true},
      {":FETCCNTDISP2?", "CMD ERR", true},
      {":FETCCNTDISP?", "15000,15000", false},
      {":FETCCNTDISP?", "15000,1500a,1", false},
      {":FETCCNTDISP?", "1,2,3,4", false},
      {":FETCCNTDISP?", ",,", false},
      {":CALC:PEAK:MAX?", "-1000000", true},
      {":CALC:PEAK:MIN?", "1,2,3", false},
      {":CONF?", "DC_4_20mA,20m", true},
      {":CONF?", "CMD ERR", true},
      {":CONF2?", "FREQ,99.999k", true},
      {":CONF?", "15000,15000,1", false},
      {":CONF?", "DCV", false},
      {":CONF?", "DC V,6", false},
      {"*IDN?", "MAKER,RV7361,12345678,F   1.04", true},
      {"*IDN?", "RV7361", false},
      {":SYST:PEAK 1", "", true},  // any line
      {":FACT:INIT", "garbage \x7f", true},
  };
  for (const ShapeCase& c : cases) {
    EXPECT_EQ(ReplyFits(c.command, c.reply), c.fits) << c.command << " <- \"" << c.reply << '"';
  }
}

}  // namespace
