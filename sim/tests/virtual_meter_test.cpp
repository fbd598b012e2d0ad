// The virtual meter's answers, command by command, without a line in
// between; its configuration and readings are read back with the program's
// own decoding, so a reply the program would misread fails here.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "base/models.h"
#include "catalogue/catalogue.h"
#include "catalogue/configuration.h"
#include "catalogue/reading_decode.h"
#include "catalogue/value_format.h"
#include "link/commands.h"
#include "link/identification.h"
#include "sim/virtual_meter.h"
#include "window/headless_controls.h"

namespace {

constexpr int kDigitPositions[] = {0, 5, 7, 8, 16, 18, 19, 20, 21};

std::string Answer(VirtualMeter& meter, std::string_view command) { return meter.Answer(command).bytes; }

// The reply without its line end.
std::string Ask(VirtualMeter& meter, std::string_view command) {
  std::string reply = meter.Answer(command).bytes;
  if (reply.size() >= 2 && reply.substr(reply.size() - 2) == "\r\n") reply.resize(reply.size() - 2);
  return reply;
}

VirtualMeter Meter(int model) { return VirtualMeter({std::string(kModelNames[model]), "1", "1.04"}); }

std::string Joined(std::string_view function, std::string_view range) {
  return std::string(function) + "," + std::string(range);
}

std::pair<std::string, std::string> Split(const std::string& reply) {
  const auto comma = reply.find(',');
  if (comma == std::string::npos) return {reply, ""};
  return {reply.substr(0, comma), reply.substr(comma + 1)};
}

// The replies of one acquisition cycle, decoded as the program decodes them.
struct Decoded {
  std::string status, config, reading, subConfig, subReading;
  _MONITOR_DATA data;
  DisplayNames names;
  DecodedValue main, sub;
  std::u16string rangeShown;  // the range list's selected entry
};

Decoded Decode(VirtualMeter& meter) {
  const int model = meter.ModelIndex();
  Decoded d;
  d.data.functionIndex = -1;
  d.data.rangeIndex = -1;
  d.status = Ask(meter, command::kStatus);
  ParseStatus(d.status, d.data);
  const bool peak = d.status[kStatusPeak] == '1';
  d.reading = Ask(meter, peak ? (model == kRv7341 ? command::kPeakMin : command::kPeakMax) : command::kMainReading);
  d.config = Ask(meter, command::kMainConfig);
  d.subReading = peak ? std::string(command::kCommandError) : Ask(meter, command::kSubReading);
  d.subConfig = peak ? std::string(command::kCommandError) : Ask(meter, command::kSubConfig);

  ListState lists;
  HeadlessControls controls;
  const auto [function, range] = Split(d.config);
  ApplyConfiguration(model, function, range, d.status, d.data, lists, controls);
  if (!command::IsCommandError(d.subConfig)) {
    const auto [subFunction, subRange] = Split(d.subConfig);
    ApplySubConfiguration(model, subFunction, subRange, d.status, d.data);
  }
  d.names = NamesAndLabels(model, d.data);
  d.main = DecodeMainReading(model, d.reading, d.data, d.names);
  d.sub = DecodeSubReading(model, d.subReading, d.data);
  d.rangeShown = controls.Selected(control::kRangeList);
  return d;
}

// The three integer fields of a measurement reply.
struct Fields {
  int shown = 0, count = 0, range = 0;
};
Fields FieldsOf(const std::string& reply) {
  Fields f;
  EXPECT_EQ(std::sscanf(reply.c_str(), "%d,%d,%d", &f.shown, &f.count, &f.range), 3) << reply;
  EXPECT_LE(reply.size(), 30u);
  return f;
}

// Digit positions hold digits, every other position '0' or '1'.
void ExpectWellFormedStatus(const std::string& status) {
  ASSERT_EQ(status.size(), 24u) << status;
  for (int i = 0; i < 24; ++i) {
    const bool digit =
        std::find(std::begin(kDigitPositions), std::end(kDigitPositions), i) != std::end(kDigitPositions);
    if (digit) {
      EXPECT_TRUE(status[i] >= '0' && status[i] <= '9') << status << " at " << i;
    } else {
      EXPECT_TRUE(status[i] == '0' || status[i] == '1') << status << " at " << i;
    }
  }
}

int FullScale(Family family, int row, RangeSetKind set, int column) {
  return std::stoi(std::string(FullScaleCount(family, row, set, column)));
}

// The rows a model answers in.  RV732X models with ranges of their own for
// a function answer in the extra row that holds them instead.
std::vector<int> RowsOf(int model) {
  const Family family = FamilyOf(model);
  std::vector<int> rows;
  for (int row = 0; row < RowCount(family); ++row) {
    const ModelRowMove* move = ModelSpecificRow(model, FunctionToken(family, row));
    const bool own = move && move->row == row;
    const bool replaced = move && move->row != row;
    if (family != Family::RV732X || own || (row < 15 && !replaced)) rows.push_back(row);
  }
  return rows;
}

TEST(VirtualMeter, IdentifiesItselfAsTheProbeExpects) {
  for (int model = 0; model < kModelCount; ++model) {
    VirtualMeter meter({std::string(kModelNames[model]), "A1B2", "0.83"});
    EXPECT_EQ(Answer(meter, command::kProductId), std::string(kModelNames[model]) + "\r\n");
    std::string idn = Answer(meter, command::kIdentify);
    ASSERT_EQ(idn.substr(idn.size() - 2), "\r\n");
    idn.resize(idn.size() - 2);
    const IdnFields fields = ParseIdnReply(idn);
    EXPECT_EQ(fields.serialNumber, "A1B2");
    EXPECT_EQ(fields.firmwareVersion, "0.83");
  }
}

TEST(VirtualMeter, AnswersTheAcquisitionQueries) {
  VirtualMeter meter({"RV7361", "1", "1.04"});
  // dBm reference impedance 15 (600 ohms) in positions 20 and 21.
  EXPECT_EQ(Answer(meter, command::kStatus), std::string(20, '0') + "15" + "00\r\n");
  EXPECT_EQ(Answer(meter, command::kBattery), "3\r\n");
  EXPECT_EQ(Answer(meter, command::kMainConfig), "DCV,6\r\n");
  EXPECT_EQ(Answer(meter, command::kSubConfig), "CMD ERR\r\n");
  EXPECT_EQ(Answer(meter, command::kSubReading), "CMD ERR\r\n");

  // Three comma-separated integer fields: display text, count, range number.
  const std::string reading = Answer(meter, command::kMainReading);
  ASSERT_EQ(reading.substr(reading.size() - 2), "\r\n");
  const Fields f = FieldsOf(reading.substr(0, reading.size() - 2));
  EXPECT_EQ(f.shown, f.count);
  EXPECT_NEAR(f.count, 15000, 35);  // 1.5 V on the 6 V range
  EXPECT_EQ(f.range, 2) << "the 6 V range counted from the first range after Auto";
}

// Every model, every function it has, every range: ":CONF f,r" is taken,
// ":CONF?" names it back, and the program decodes configuration and reading
// to that very row and column, with the value where it was put.
TEST(VirtualMeter, EveryFunctionAndRangeRoundTripsThroughTheProgramsDecoding) {
  for (int model = 0; model < kModelCount; ++model) {
    const Family family = FamilyOf(model);
    VirtualMeter meter = Meter(model);
    for (const int row : RowsOf(model)) {
      const std::string_view function = FunctionToken(family, row);
      const bool hasAuto = RangeName(family, row, RangeSetKind::normal, 0) == u"Auto";
      for (int column = 0; column < RangeCount(family, row, RangeSetKind::normal); ++column) {
        const std::string_view range = RangeToken(family, row, RangeSetKind::normal, column);
        SCOPED_TRACE(std::string(kModelNames[model]) + " " + Joined(function, range));
        ASSERT_EQ(Ask(meter, command::Configure(function, range)), "OK");
        meter.SetInput(0.5);
        const Decoded d = Decode(meter);
        ExpectWellFormedStatus(d.status);
        EXPECT_EQ(d.data.functionIndex.load(), row);
        if (hasAuto && column == 0) {
          EXPECT_EQ(d.status[kStatusAutoRange], '1');
          EXPECT_EQ(d.data.autoRange.load(), 1);
          EXPECT_GT(d.data.rangeIndex.load(), 0) << "auto-ranging reports a real range";
        } else {
          EXPECT_EQ(d.config, Joined(function, range));
          EXPECT_EQ(d.data.rangeIndex.load(), column);
          EXPECT_EQ(d.data.autoRange.load(), 0);
        }
        EXPECT_EQ(d.data.fetchRangeIndex.load(), d.data.rangeIndex.load());
        const bool countless = FullScaleCount(family, row, RangeSetKind::normal, d.data.rangeIndex).empty();
        EXPECT_EQ(d.data.mainBlank.load(), countless ? 1 : 0) << d.reading;
        EXPECT_EQ(d.data.mainOver.load(), 0) << d.reading;
        EXPECT_EQ(d.data.mainOpen.load(), 0) << d.reading;
        if (!countless) {
          const int full = FullScale(family, row, RangeSetKind::normal, d.data.rangeIndex);
          EXPECT_NEAR(d.main.count, full / 2, full / 100 + 3) << d.reading;
        }
      }
    }
  }
}

TEST(VirtualMeter, RefusedConfigurationsChangeNothing) {
  struct Case {
    int model;
    bool peak;
    const char* tokens;
  };
  const Case cases[] = {
      {kRv7361, false, "DCV,6k"},   {kRv7361, false, "FOO,6"},      {kRv7361, false, "dcv,6"},
      {kRv7361, false, "DCV,6,"},   {kRv7361, false, "CLAMP,AUTO"}, {kRv7321, false, "dBm,600"},
      {kRv7322, false, "DCV,600m"},  // the RV7322 has no 600 mV range
      {kRv7321, false, "VDET,1"},    // nor the RV7321 a high voltage detector
      {kRv7361, true, "DCV,600m"},  {kRv7361, true, "DCV,AUTO"},    {kRv7361, true, "RES,600"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(kModelNames[c.model]) + (c.peak ? " peak " : " ") + c.tokens);
    VirtualMeter meter = Meter(c.model);
    if (c.peak) {
      ASSERT_EQ(Ask(meter, command::kPeakOn), "OK");
    }
    const std::string config = Ask(meter, command::kMainConfig);
    const std::string status = Ask(meter, command::kStatus);
    EXPECT_EQ(Ask(meter, std::string(command::kConfigurePrefix) + c.tokens), "CMD ERR");
    EXPECT_EQ(Ask(meter, command::kMainConfig), config);
    EXPECT_EQ(Ask(meter, command::kStatus), status);
  }
}

TEST(VirtualMeter, AutoRangingPicksTheFinestRangeThatHoldsTheInput) {
  struct Case {
    int model;
    const char* function;
    const char* from;   // range the input is set on
    double input;       // fraction of that range's full scale
    const char* range;  // range auto-ranging settles on
    bool over;
  };
  const Case cases[] = {
      {kRv7361, "DCV", "6", 1.2, "60", false},     {kRv7361, "DCV", "6", 0.05, "600m", false},
      {kRv7361, "DCV", "1000", 1.5, "1000", true}, {kRv7321, "RES", "6k", 0.01, "600", false},
      {kRv7341, "CAP", "1u", 5, "10u", false},     {kRv7362, "ACV", "60m", 0.5, "60m", false},
      {kRv7322, "DCA", "10", 0.1, "6", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(kModelNames[c.model]) + " " + c.function + " " + std::to_string(c.input));
    VirtualMeter meter = Meter(c.model);
    ASSERT_EQ(Ask(meter, command::Configure(c.function, c.from)), "OK");
    meter.SetInput(c.input);
    ASSERT_EQ(Ask(meter, command::Configure(c.function, "AUTO")), "OK");
    const Decoded d = Decode(meter);
    EXPECT_EQ(d.config, Joined(c.function, c.range));
    EXPECT_EQ(d.data.autoRange.load(), 1);
    EXPECT_EQ(d.data.fetchRangeIndex.load(), d.data.rangeIndex.load());
    EXPECT_EQ(d.data.mainOver.load(), c.over ? 1 : 0) << d.reading;
    EXPECT_EQ(d.data.mainBlank.load(), 0) << d.reading;
  }
}

TEST(VirtualMeter, OverRangeOpenAndBlankReadings) {
  struct Case {
    int model;
    const char* function;
    const char* range;
    double input;
    bool open;
    bool fahrenheit;
    int count;  // marker, or the value's count give or take the noise
    bool marker;
  };
  const Case cases[] = {
      {kRv7361, "DCV", "6", 1.1, false, false, kOverCount, true},
      {kRv7361, "DCV", "6", -1.1, false, false, -kOverCount, true},
      {kRv7361, "RES", "600", 0.5, true, false, kOpenCount, true},
      {kRv7321, "CONT", "600", 0.5, true, false, kOpenCount, true},
      {kRv7341, "DIODE", "2", 0.5, true, false, kOpenCount, true},
      {kRv7361, "DCV", "6", 0.5, true, false, 0, false},  // voltage with nothing connected: about zero
      {kRv7321, "VDET", "0", 0.5, false, false, kBlankCount, true},
      {kRv7361, "TEMP", "800", -0.06, false, false, -kOverCount, true},  // below -40 degrees
      {kRv7361, "TEMP", "800", -0.04, false, false, -320, false},
      {kRv7361, "TEMP", "800", 1.05, false, true, kOverCount, true},
      {kRv7361, "TEMP", "800", 0.5, false, true, 7360, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(kModelNames[c.model]) + " " + c.function + " " + std::to_string(c.input));
    VirtualMeter meter = Meter(c.model);
    ASSERT_EQ(Ask(meter, command::Configure(c.function, c.range)), "OK");
    if (c.fahrenheit) {
      ASSERT_TRUE(meter.SetStatus(kStatusTemperatureUnit, '1'));
    }
    meter.SetInput(c.input);
    meter.SetOpenInput(c.open);
    const Decoded d = Decode(meter);
    const Fields f = FieldsOf(d.reading);
    if (c.marker) {
      EXPECT_EQ(f.shown, c.count);
      EXPECT_EQ(f.count, c.count);
    } else {
      EXPECT_NEAR(f.count, c.count, std::abs(c.count) / 100 + 3);
    }
    EXPECT_EQ(d.data.mainOver.load(), std::abs(c.count) == kOverCount ? 1 : 0);
    EXPECT_EQ(d.data.mainOpen.load(), c.count == kOpenCount ? 1 : 0);
    EXPECT_EQ(d.data.mainBlank.load(), c.count == kBlankCount ? 1 : 0);
  }
}

// REL shows the change since it was switched on; the count field stays the
// input's.  The RV7341 does the same with its zero adjustment.
TEST(VirtualMeter, RelShowsTheChangeSinceItWasSwitchedOn) {
  struct Case {
    int model;
    const char* on;
    const char* off;
  };
  const Case cases[] = {{kRv7361, command::kRelOn, command::kRelOff},
                        {kRv7321, command::kRelOn, command::kRelOff},
                        {kRv7341, command::kZeroAdjust, command::kOkQuery}};
  for (const Case& c : cases) {
    SCOPED_TRACE(kModelNames[c.model]);
    VirtualMeter meter = Meter(c.model);
    ASSERT_EQ(Ask(meter, command::Configure("DCV", "AUTO")), "OK");
    ASSERT_EQ(Ask(meter, c.on), "OK");
    EXPECT_EQ(meter.Status(kStatusRel), '1');
    EXPECT_EQ(meter.Status(kStatusAutoRange), '0') << "REL holds the range";

    const Fields first = FieldsOf(Ask(meter, command::kMainReading));
    const int zero = first.count - first.shown;
    EXPECT_LE(std::abs(first.shown), 40) << "right after switching on it reads about nothing";
    meter.SetInput(0.5);
    for (int i = 0; i < 5; ++i) {
      const Decoded d = Decode(meter);
      const Fields f = FieldsOf(d.reading);
      EXPECT_EQ(f.count - f.shown, zero) << "the zero stays where it was taken";
      EXPECT_EQ(d.main.count, f.shown) << "the program records the difference";
      EXPECT_EQ(d.data.fetchRangeIndex.load(), d.data.rangeIndex.load());
    }
    meter.SetInput(1.2);
    const Fields over = FieldsOf(Ask(meter, command::kMainReading));
    EXPECT_EQ(over.shown, kOverCount);
    EXPECT_EQ(over.count, kOverCount);
    EXPECT_EQ(Ask(meter, c.off), "OK");
    EXPECT_EQ(meter.Status(kStatusRel), '0');
    EXPECT_EQ(Ask(meter, c.on), "CMD ERR") << "no zero to take from an over range";
  }
  VirtualMeter rv7341 = Meter(kRv7341);
  EXPECT_EQ(Ask(rv7341, command::kRelOn), "CMD ERR") << "the RV7341 adjusts its zero instead";
}

TEST(VirtualMeter, PeakHoldFollowsTheReadingsInThePeakRanges) {
  struct Case {
    int model;
    const char* function;
    const char* range;
    const char* peakRange;  // where peak hold takes the range
  };
  const Case cases[] = {{kRv7361, "ACV", "6", "6"}, {kRv7341, "DCV", "6", "60"}, {kRv7362, "CLAMP", "50", "50"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(kModelNames[c.model]) + " " + c.function);
    const Family family = FamilyOf(c.model);
    VirtualMeter meter = Meter(c.model);
    ASSERT_EQ(Ask(meter, command::Configure(c.function, c.range)), "OK");
    EXPECT_EQ(Ask(meter, command::kPeakMax), "CMD ERR");
    ASSERT_EQ(Ask(meter, command::kPeakOn), "OK");
    const Decoded d = Decode(meter);
    EXPECT_EQ(d.config, Joined(c.function, c.peakRange));
    const int row = d.data.functionIndex;
    const int column = *FindRange(family, row, RangeSetKind::peak, c.peakRange);
    EXPECT_EQ(d.data.rangeIndex.load(), column);
    const int full = FullScale(family, row, RangeSetKind::peak, column);

    ASSERT_EQ(Ask(meter, command::kClear), "OK");
    meter.SetInput(0.6);
    for (int i = 0; i < 3; ++i) Ask(meter, command::kPeakMax);
    meter.SetInput(0.2);
    for (int i = 0; i < 3; ++i) Ask(meter, command::kPeakMin);
    const int tolerance = full / 100 + 3;
    EXPECT_NEAR(std::stoi(Ask(meter, command::kPeakMax)), full * 6 / 10, tolerance);
    EXPECT_NEAR(std::stoi(Ask(meter, command::kPeakMin)), full * 2 / 10, tolerance);
    ASSERT_EQ(Ask(meter, command::kClear), "OK");
    EXPECT_NEAR(std::stoi(Ask(meter, command::kPeakMax)), full * 2 / 10, tolerance) << "CLEAR starts afresh";
    meter.SetInput(2);
    EXPECT_EQ(std::stoi(Ask(meter, command::kPeakMax)), kOverCount);

    ASSERT_EQ(Ask(meter, command::kPeakOff), "OK");
    EXPECT_EQ(Ask(meter, command::kPeakMin), "CMD ERR");
    const auto [function, range] = Split(Ask(meter, command::kMainConfig));
    EXPECT_EQ(function, c.function);
    EXPECT_TRUE(FindRange(family, row, RangeSetKind::normal, range)) << range;
  }
  struct Refusal {
    int model;
    const char* function;
    const char* range;
  };
  for (const Refusal& r :
       {Refusal{kRv7321, "DCV", "6"}, Refusal{kRv7361, "RES", "600"}, Refusal{kRv7341, "CAP", "1u"}}) {
    SCOPED_TRACE(std::string(kModelNames[r.model]) + " " + r.function);
    VirtualMeter meter = Meter(r.model);
    ASSERT_EQ(Ask(meter, command::Configure(r.function, r.range)), "OK");
    EXPECT_EQ(Ask(meter, command::kPeakOn), "CMD ERR");
    EXPECT_EQ(meter.Status(kStatusPeak), '0');
  }
}

// Peak hold holds the range auto-ranging found; the meter keeps its
// auto-range flag meanwhile and ranges again when peak hold ends.
TEST(VirtualMeter, PeakHoldHoldsTheRangeAutoRangingFound) {
  struct Case {
    int model;
    std::u16string peakRange;  // the PEAK name of the 60 V range
  };
  for (const Case& c : {Case{kRv7341, u"120V"}, Case{kRv7361, u"60V"}}) {
    SCOPED_TRACE(kModelNames[c.model]);
    VirtualMeter meter = Meter(c.model);
    ASSERT_EQ(Ask(meter, command::Configure("DCV", "60")), "OK");
    meter.SetInput(0.5);
    ASSERT_EQ(Ask(meter, command::Configure("DCV", "AUTO")), "OK");
    ASSERT_EQ(Ask(meter, command::kMainConfig), "DCV,60");
    ASSERT_EQ(Ask(meter, command::kPeakOn), "OK");
    meter.SetInput(0.02);  // would range down to 6 V
    Decoded d = Decode(meter);
    EXPECT_EQ(d.status[kStatusAutoRange], '1');
    EXPECT_EQ(d.config, "DCV,60");
    EXPECT_EQ(d.rangeShown, c.peakRange);
    EXPECT_EQ(d.main.unit, u"V");

    ASSERT_EQ(Ask(meter, command::kPeakOff), "OK");
    d = Decode(meter);
    EXPECT_EQ(d.config, "DCV,6");
    EXPECT_EQ(d.rangeShown, u"Auto");
  }
}

// In peak hold ":CONF" takes and ":CONF?" names PEAK ranges, which the
// program decodes to the PEAK column.
TEST(VirtualMeter, EveryPeakRangeRoundTripsThroughTheProgramsDecoding) {
  for (const int model : {kRv7341, kRv7361, kRv7362}) {
    const Family family = FamilyOf(model);
    VirtualMeter meter = Meter(model);
    ASSERT_EQ(Ask(meter, command::kPeakOn), "OK");
    for (int row = 0; row < RowCount(family); ++row) {
      const std::string_view function = FunctionToken(family, row);
      if (RangeToken(family, row, RangeSetKind::peak, 0).empty()) continue;  // no peak hold there
      for (int column = 0; column < RangeCount(family, row, RangeSetKind::peak); ++column) {
        const std::string_view range = RangeToken(family, row, RangeSetKind::peak, column);
        SCOPED_TRACE(std::string(kModelNames[model]) + " " + Joined(function, range));
        ASSERT_EQ(Ask(meter, command::Configure(function, range)), "OK");
        const Decoded d = Decode(meter);
        EXPECT_EQ(d.config, Joined(function, range));
        EXPECT_EQ(d.data.functionIndex.load(), row);
        EXPECT_EQ(d.data.rangeIndex.load(), column);
        EXPECT_EQ(d.data.mainBlank.load(), FullScaleCount(family, row, RangeSetKind::peak, column).empty() ? 1 : 0);
        EXPECT_EQ(d.data.mainOver.load(), 0) << d.reading;
      }
    }
  }
}

TEST(VirtualMeter, TheRv736xFilterKeepsToTheHighAcVoltageRanges) {
  struct Case {
    const char* function;
    const char* from;
    int column600;  // normal column of 600 V
  };
  const Case cases[] = {{"ACV", "6", 5}, {"ACDCV", "60", 3}, {"SEPV", "AUTO", 3}};
  for (const int model : {kRv7361, kRv7362}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(kModelNames[model]) + " " + c.function);
      VirtualMeter meter = Meter(model);
      ASSERT_EQ(Ask(meter, command::Configure(c.function, c.from)), "OK");
      ASSERT_EQ(Ask(meter, command::kFilterOn), "OK");
      Decoded d = Decode(meter);
      EXPECT_EQ(d.status[kStatusFilter], '1');
      EXPECT_EQ(d.status[kStatusAutoRange], '0');
      EXPECT_EQ(d.config, Joined(c.function, "600"));
      EXPECT_EQ(d.data.rangeIndex.load(), c.column600);
      EXPECT_EQ(d.data.fetchRangeIndex.load(), c.column600);
      EXPECT_EQ(d.data.mainBlank.load(), 0);

      ASSERT_EQ(Ask(meter, command::Configure(c.function, "1000")), "OK");
      d = Decode(meter);
      EXPECT_EQ(d.status[kStatusFilter], '1');
      EXPECT_EQ(d.data.rangeIndex.load(), c.column600 + 1);
      EXPECT_EQ(d.data.fetchRangeIndex.load(), c.column600 + 1);

      ASSERT_EQ(Ask(meter, command::Configure(c.function, "6")), "OK");
      EXPECT_EQ(meter.Status(kStatusFilter), '0') << "a low range ends the filter";
    }
    VirtualMeter meter = Meter(model);
    EXPECT_EQ(Ask(meter, command::kFilterOn), "CMD ERR") << "no filter on DC volts";
    ASSERT_EQ(Ask(meter, command::Configure("ACV", "600")), "OK");
    ASSERT_EQ(Ask(meter, command::kFilterOn), "OK");
    ASSERT_EQ(Ask(meter, command::Configure("dBm", "600")), "OK");
    EXPECT_EQ(meter.Status(kStatusFilter), '0') << "leaving the AC voltage functions ends the filter";
  }
}

TEST(VirtualMeter, ModeCommandsChangeTheStatus) {
  struct Case {
    int model;
    const char* configure;  // ":CONF " tokens first, or none
    std::vector<const char*> commands;
    int position;
    char value;
    bool taken;  // the last command's answer: OK or CMD ERR
  };
  const Case cases[] = {
      {kRv7361, nullptr, {command::kRelOn}, 1, '1', true},
      {kRv7361, nullptr, {command::kRelOn, command::kRelOff}, 1, '0', true},
      {kRv7361, "ACV,6", {command::kFilterOn}, 2, '1', true},
      {kRv7361, "ACV,6", {command::kFilterOn, command::kFilterOff}, 2, '0', true},
      {kRv7361, nullptr, {command::kSlowOn}, 14, '1', true},
      {kRv7361, nullptr, {command::kSlowOn, command::kSlowOff}, 14, '0', true},
      {kRv7361, nullptr, {command::kPeakOn}, 15, '1', true},
      {kRv7361, nullptr, {command::kPeakOn, command::kPeakOff}, 15, '0', true},
      {kRv7361, nullptr, {command::kRelOn, command::kPeakOn}, 1, '0', true},  // peak hold ends REL
      {kRv7321, nullptr, {command::kFilterOn500}, 2, '1', true},
      {kRv7321, nullptr, {command::kFilterOn100, command::kFilterOff100}, 2, '0', true},
      {kRv7341, nullptr, {command::kPeakOn}, 15, '1', true},
      {kRv7341, nullptr, {command::kZeroAdjust, command::kOkQuery}, 1, '0', true},
      {kRv7321, nullptr, {command::kPeakOn}, 15, '0', false},
      {kRv7321, nullptr, {command::kClear}, 15, '0', false},
      {kRv7341, nullptr, {command::kSlowOn}, 14, '0', false},
      {kRv7361, nullptr, {command::kFilterOn}, 2, '0', false},
      {kRv7361, nullptr, {command::kPeakOn, command::kRelOn}, 1, '0', false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(kModelNames[c.model]) + " " + c.commands.back());
    VirtualMeter meter = Meter(c.model);
    if (c.configure) {
      ASSERT_EQ(Ask(meter, std::string(command::kConfigurePrefix) + c.configure), "OK");
    }
    std::string reply;
    for (const char* command : c.commands) reply = Ask(meter, command);
    EXPECT_EQ(reply, c.taken ? "OK" : "CMD ERR");
    const std::string status = Ask(meter, command::kStatus);
    ExpectWellFormedStatus(status);
    EXPECT_EQ(status[c.position], c.value);
  }
}

TEST(VirtualMeter, MeterSettingsOfTheRv736xAreStatusDigits) {
  struct Case {
    int model;
    std::string command;
    std::vector<std::pair<int, char>> digits;  // empty: refused
  };
  const Case cases[] = {
      {kRv7361, command::Conduct(3), {{18, '3'}}},
      {kRv7361, command::Diode(6), {{19, '6'}}},
      {kRv7362, command::Dbm(19), {{20, '1'}, {21, '9'}}},
      {kRv7362, command::Dbm(7), {{20, '0'}, {21, '7'}}},
      {kRv7361, command::Conduct(4), {}},
      {kRv7361, command::Diode(7), {}},
      {kRv7361, command::Dbm(20), {}},
      {kRv7361, command::Dbm(-1), {}},
      {kRv7361, std::string(command::kDbmPrefix) + "1x", {}},
      {kRv7321, command::Conduct(1), {}},
      {kRv7341, command::Dbm(3), {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(kModelNames[c.model]) + " " + c.command);
    VirtualMeter meter = Meter(c.model);
    std::string expected = Ask(meter, command::kStatus);
    for (const auto& [position, value] : c.digits) expected[position] = value;
    EXPECT_EQ(Ask(meter, c.command), c.digits.empty() ? "CMD ERR" : "OK");
    EXPECT_EQ(Ask(meter, command::kStatus), expected);
  }
}

// The meter's own keys, for the status positions a command does not reach.
TEST(VirtualMeter, StatusPositionsSetAsTheMetersKeysWould) {
  struct Case {
    int model;
    const char* configure;
    int position;
    char value;
    bool taken;
  };
  const Case cases[] = {
      {kRv7361, nullptr, 22, '1', true},  {kRv7361, nullptr, 17, '1', true},     {kRv7361, nullptr, 5, '7', true},
      {kRv7361, nullptr, 11, '1', true},  {kRv7361, "CLAMP,10", 11, '1', false},  // the clamp has no auto-ranging
      {kRv7361, nullptr, 3, '2', false},  {kRv7361, nullptr, 18, '4', false},    {kRv7361, nullptr, 20, '2', false},
      {kRv7321, nullptr, 18, '1', false}, {kRv7361, nullptr, 16, '7', false},    {kRv7361, nullptr, 24, '1', false},
      {kRv7361, nullptr, 4, 'x', false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(kModelNames[c.model]) + " status " + std::to_string(c.position) + " " + c.value);
    VirtualMeter meter = Meter(c.model);
    if (c.configure) {
      ASSERT_EQ(Ask(meter, std::string(command::kConfigurePrefix) + c.configure), "OK");
    }
    const std::string before = Ask(meter, command::kStatus);
    EXPECT_EQ(meter.SetStatus(c.position, c.value), c.taken);
    const std::string after = Ask(meter, command::kStatus);
    ExpectWellFormedStatus(after);
    if (c.taken) {
      EXPECT_EQ(after[c.position], c.value);
    } else {
      EXPECT_EQ(after, before);
    }
  }

  // The clamp remembers its range across other functions.
  VirtualMeter meter = Meter(kRv7361);
  ASSERT_EQ(Ask(meter, command::Configure("CLAMP", "50")), "OK");
  ASSERT_EQ(Ask(meter, command::Configure("DCV", "6")), "OK");
  EXPECT_EQ(meter.Status(kStatusClampMemory), '2');

  // Fahrenheit: the temperature reads in the other unit.
  ASSERT_EQ(Ask(meter, command::Configure("TEMP", "800")), "OK");
  meter.SetInput(0.25);  // 200 degrees Celsius
  ASSERT_TRUE(meter.SetStatus(kStatusTemperatureUnit, '1'));
  const Decoded d = Decode(meter);
  EXPECT_EQ(d.main.unit, u"ºF");
  EXPECT_NEAR(d.main.count, 3920, 12) << d.reading;  // 392.0 degrees Fahrenheit
}

TEST(VirtualMeter, SubDisplaysWhereTheFamilyHasThem) {
  struct Case {
    int model;
    const char* function;
    const char* range;
    double hertz;
    const char* subConfig;  // nullptr: no sub display
    std::u16string text, unit;
  };
  const Case cases[] = {
      {kRv7321, "ACV", "6", 50, "FREQ,100", u"50.00", u"Hz"},
      {kRv7321, "ACA", "6", 500, "FREQ,1k", u"500.0", u"Hz"},
      {kRv7341, "ACV", "6", 1500, "FREQ,10k", u"1.500", u"kHz"},
      {kRv7361, "ACV", "6", 50, "FREQ,100", u"50.000", u"Hz"},
      {kRv7361, "ACV", "6", 5, "FREQ,10", u"5.0000", u"Hz"},
      {kRv7362, "ACmA", "60m", 500000, "FREQ,1000k", u"500.00", u"kHz"},
      {kRv7361, "SEPV", "6", 50, "SEPV,6", u"0.6000", u"V"},  // the AC part of 1.5 V
      {kRv7361, "DCV", "6", 50, nullptr, u"", u""},
      {kRv7321, "DCV", "6", 50, nullptr, u"", u""},
      {kRv7341, "RES", "600", 50, nullptr, u"", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(kModelNames[c.model]) + " " + c.function + " " + std::to_string(c.hertz));
    VirtualMeter meter = Meter(c.model);
    ASSERT_EQ(Ask(meter, command::Configure(c.function, c.range)), "OK");
    meter.SetSignalFrequency(c.hertz);
    const Decoded d = Decode(meter);
    if (!c.subConfig) {
      EXPECT_EQ(d.subConfig, "CMD ERR");
      EXPECT_EQ(d.subReading, "CMD ERR");
      EXPECT_EQ(d.data.subPresent.load(), 0);
      continue;
    }
    EXPECT_EQ(d.subConfig, c.subConfig);
    EXPECT_EQ(d.data.subPresent.load(), 1);
    EXPECT_EQ(d.data.subFetchRangeIndex.load(), d.data.subRangeIndex.load());
    EXPECT_EQ(d.sub.text, c.text) << d.subReading;
    EXPECT_EQ(d.sub.unit, c.unit);
  }
  VirtualMeter meter = Meter(kRv7361);
  ASSERT_EQ(Ask(meter, command::Configure("ACV", "6")), "OK");
  ASSERT_EQ(Ask(meter, command::kPeakOn), "OK");
  EXPECT_EQ(Ask(meter, command::kSubConfig), "CMD ERR") << "in peak hold the sub display shows the other peak";
}

TEST(VirtualMeter, TheRv732xAutoVTellsAcFromDc) {
  for (const bool ac : {false, true}) {
    VirtualMeter meter = Meter(kRv7321);
    ASSERT_EQ(Ask(meter, command::Configure("AutoV", "600")), "OK");
    meter.SetAcInput(ac);
    SetCatalogueLanguage(1);
    const Decoded d = Decode(meter);
    EXPECT_EQ(d.names.mainLong, ac ? u"Auto ACV" : u"Auto DCV");
    EXPECT_EQ(d.data.fetchRangeIndex.load(), d.data.rangeIndex.load());
    EXPECT_EQ(d.data.mainBlank.load(), 0);
  }
}

// A slowly varying value with a little noise: close to the input, never
// still, and no jumps from one reading to the next; SLOW steadies it.
TEST(VirtualMeter, ReadingsWanderSlowlyAroundTheInput) {
  for (const int model : {kRv7321, kRv7341, kRv7361}) {
    for (const bool slow : {false, true}) {
      if (slow && model != kRv7361) continue;
      SCOPED_TRACE(std::string(kModelNames[model]) + (slow ? " slow" : ""));
      VirtualMeter meter = Meter(model);
      if (slow) {
        ASSERT_EQ(Ask(meter, command::kSlowOn), "OK");
      }
      const int level = FieldsOf(Ask(meter, command::kMainReading)).count;
      std::set<int> seen;
      int previous = level, largestStep = 0;
      for (int i = 0; i < 200; ++i) {
        const int count = FieldsOf(Ask(meter, command::kMainReading)).count;
        EXPECT_NEAR(count, level, level / 200 + 5);
        largestStep = std::max(largestStep, std::abs(count - previous));
        previous = count;
        seen.insert(count);
      }
      EXPECT_GT(seen.size(), 2u);
      EXPECT_LE(largestStep, slow ? 2 : 6);
    }
  }
}

// ":FACT:INIT" ends every mode and returns to DC volts; the meter's set-up
// stays, since the program reads it back after connecting.
TEST(VirtualMeter, FactoryInitReturnsToDcVoltsAndKeepsTheSetUp) {
  VirtualMeter meter = Meter(kRv7361);
  std::string expected = Ask(meter, command::kStatus);
  ASSERT_EQ(Ask(meter, command::Configure("ACV", "AUTO")), "OK");
  ASSERT_EQ(Ask(meter, command::kSlowOn), "OK");
  ASSERT_EQ(Ask(meter, command::kRelOn), "OK");
  ASSERT_EQ(Ask(meter, command::Dbm(3)), "OK");
  ASSERT_EQ(Ask(meter, command::Diode(5)), "OK");
  ASSERT_TRUE(meter.SetStatus(kStatusTemperatureUnit, '1'));
  ASSERT_TRUE(meter.SetStatus(kStatusCurrentLoop, '1'));
  for (const auto& [position, value] : {std::pair{19, '5'}, {20, '0'}, {21, '3'}, {22, '1'}, {17, '1'}}) {
    expected[position] = value;
  }
  EXPECT_EQ(Ask(meter, command::kFactoryInit), "OK");
  EXPECT_EQ(Ask(meter, command::kMainConfig), "DCV,6");
  EXPECT_EQ(Ask(meter, command::kStatus), expected);
  EXPECT_NEAR(FieldsOf(Ask(meter, command::kMainReading)).count, 15000, 35);

  VirtualMeter rv7324 = Meter(kRv7324);
  ASSERT_EQ(Ask(rv7324, command::Configure("ACV", "6")), "OK");
  ASSERT_EQ(Ask(rv7324, command::kFactoryInit), "OK");
  EXPECT_EQ(Decode(rv7324).data.functionIndex.load(), 15) << "the RV7324's own DC volts";
}

TEST(VirtualMeter, RefusesWhatItDoesNotKnow) {
  VirtualMeter meter({"RV7361", "1", "1.04"});
  const std::string configure(command::kConfigurePrefix);
  for (const std::string& bad :
       {std::string(), std::string("HELLO"), configure, configure + "DCV", configure + ",6",
        std::string(command::kDbmPrefix) + "x", command::MemoryData(0), command::MemoryData(401),
        std::string(command::kZeroAdjust), std::string(command::kOkQuery), std::string("qpid")}) {
    EXPECT_EQ(Answer(meter, bad), "CMD ERR\r\n") << bad;
  }
}

TEST(VirtualMeter, ZeroAdjustOnlyOnTheRv7341AndItTakesTime) {
  VirtualMeter meter({"RV7341", "1", "1.00"});
  const MeterReply reply = meter.Answer(command::kZeroAdjust);
  EXPECT_EQ(reply.bytes, "OK\r\n");
  EXPECT_GT(reply.delay, std::chrono::seconds(1)) << "longer than the normal wait would allow";
  EXPECT_EQ(meter.Status(1), '1');
  EXPECT_EQ(Answer(meter, command::kOkQuery), "OK\r\n");
}

TEST(VirtualMeter, MemoryRepliesAreRawBytes) {
  VirtualMeter meter({"RV7362", "1", "1.04"});
  VirtualMeter::MemoryRecord record{};
  record[0] = 0x42;
  record[31] = 0x0A;
  meter.StoreMemory(1, record);
  meter.StoreMemory(10, record);
  meter.StoreMemory(400, record);

  const std::string map = Answer(meter, command::kMemoryCheck);
  ASSERT_EQ(map.size(), 50u);
  EXPECT_EQ(static_cast<unsigned char>(map[0]), 0x01);   // slot 1: bit 0 of byte 0
  EXPECT_EQ(static_cast<unsigned char>(map[1]), 0x02);   // slot 10: bit 1 of byte 1
  EXPECT_EQ(static_cast<unsigned char>(map[49]), 0x80);  // slot 400: bit 7 of byte 49

  const std::string data = Answer(meter, command::MemoryData(10));
  EXPECT_EQ(data, std::string(record.begin(), record.end()));
  EXPECT_EQ(Answer(meter, command::MemoryData(2)), std::string(32, '\0'));

  // Firmware before 1.04 does not know the presence map; other families have no memory.
  VirtualMeter old({"RV7362", "1", "1.03"});
  EXPECT_EQ(Answer(old, command::kMemoryCheck), "CMD ERR\r\n");
  VirtualMeter handheld({"RV7321", "1", "1.04"});
  EXPECT_EQ(Answer(handheld, command::MemoryData(1)), "CMD ERR\r\n");
  EXPECT_FALSE(handheld.StoreReading(1));
}

// The meter's MEM key, read back byte by byte: little-endian fields at the
// offsets of the memory layout.
TEST(VirtualMeter, StoresItsReadingInTheMemoryLayout) {
  auto field = [](const VirtualMeter::MemoryRecord& r, int at, int width) {
    std::int64_t value = 0;
    for (int i = width - 1; i >= 0; --i) value = value * 256 + r[at + i];
    return width < 8 && value >= (std::int64_t{1} << (8 * width - 1)) ? value - (std::int64_t{1} << (8 * width))
                                                                      : value;
  };
  VirtualMeter meter({"RV7361", "1", "1.04"});
  ASSERT_EQ(Ask(meter, command::Configure("TEMP", "800")), "OK");
  meter.SetInput(0.25);  // 200 degrees Celsius
  ASSERT_TRUE(meter.StoreReading(3));
  ASSERT_TRUE(meter.MemoryPresent(3));
  const VirtualMeter::MemoryRecord temp = meter.Memory(3);
  EXPECT_EQ(field(temp, 4, 2), 10 + 2) << "function code: row + 2";
  EXPECT_NEAR(static_cast<double>(field(temp, 0, 4)), 3920, 12) << "in Fahrenheit tenths whatever the unit shown";
  EXPECT_EQ(temp[9] & 1, 1) << "the slot holds a reading";

  ASSERT_EQ(Ask(meter, command::Configure("DCV", "60")), "OK");
  meter.SetInput(-2);
  ASSERT_EQ(Ask(meter, command::kSlowOn), "OK");
  ASSERT_TRUE(meter.StoreReading(4));
  const VirtualMeter::MemoryRecord over = meter.Memory(4);
  EXPECT_EQ(field(over, 0, 4), -1000000);
  EXPECT_EQ(field(over, 6, 2), 3) << "over status";
  EXPECT_EQ(field(over, 8, 1), 3) << "range number of 60 V";
  EXPECT_EQ(over[9], 1 | 16) << "SLOW";

  ASSERT_EQ(Ask(meter, command::kPeakOn), "OK");
  meter.SetInput(0.5);
  ASSERT_TRUE(meter.StoreReading(5));
  const VirtualMeter::MemoryRecord peak = meter.Memory(5);
  EXPECT_EQ(field(peak, 10, 1), 4) << "peak hold";
  EXPECT_EQ(field(peak, 8, 1), 3) << "still the normal range's number";

  EXPECT_FALSE(meter.StoreReading(0));
  EXPECT_FALSE(meter.StoreReading(401));
  meter.ClearMemory();
  EXPECT_FALSE(meter.MemoryPresent(3));
  EXPECT_EQ(Answer(meter, command::kMemoryCheck), std::string(50, '\0'));
}

}  // namespace
