#include "recording/graph.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <vector>

#include "base/models.h"
#include "catalogue/catalogue.h"
#include "recording/record_store.h"
#include "recording/tests/bitmap_canvas.h"

namespace {

constexpr std::uint32_t kRed = 0xFF0000, kBlue = 0x0000FF;
constexpr double kDay0 = 45000.0;  // some day in 2023
constexpr int kModel = kRv7361;
const GraphRect kArea{0, 0, 440, 250};

struct LineCall {
  int x1, y1, x2, y2;
  std::uint32_t colour;
  bool dotted;
};
struct TextCall {
  GraphRect box;
  std::u16string text;
  std::uint32_t colour;
  TextAlign align;
  GraphFont font;
};

class RecordingCanvas : public GraphCanvas {
 public:
  void FillWhite(const GraphRect& area) override { fills.push_back(area); }
  void Line(int x1, int y1, int x2, int y2, std::uint32_t colour, bool dotted) override {
    lines.push_back({x1, y1, x2, y2, colour, dotted});
  }
  void Text(const GraphRect& box, std::u16string_view text, std::uint32_t colour, TextAlign align,
            GraphFont font) override {
    texts.push_back({box, std::u16string(text), colour, align, font});
  }
  std::vector<LineCall> LinesIn(std::uint32_t colour) const {
    std::vector<LineCall> found;
    for (const LineCall& line : lines) {
      if (line.colour == colour) found.push_back(line);
    }
    return found;
  }
  std::vector<std::u16string> TextsIn(GraphFont font) const {
    std::vector<std::u16string> found;
    for (const TextCall& text : texts) {
      if (text.font == font) found.push_back(text.text);
    }
    return found;
  }
  std::vector<GraphRect> fills;
  std::vector<LineCall> lines;
  std::vector<TextCall> texts;
};

std::vector<int> Rows(int from, int to) {
  std::vector<int> rows;
  for (int y = from; y <= to; ++y) rows.push_back(y);
  return rows;
}

int Row(Family family, const char* token) { return FindFunction(family, token).value(); }

_RECORD_DATA Reading(double second, std::int32_t count, std::int32_t range = 3) {
  _RECORD_DATA record;
  record.mainFunction = Row(Family::RV736X, "DCV");
  record.mainCount = count;
  record.mainRange = range;
  record.timeDate = kDay0 + second / 86400.0;
  return record;
}

_RECORD_DATA WithSub(_RECORD_DATA record, std::int32_t count, std::int32_t range = 2) {
  record.subFunction = -1;
  record.subCount = count;
  record.subRange = range;
  record.hasSub = 1;
  return record;
}

// What the recording engine does with an interval record: prime at the
// run's first, feed the graph extremes, append, note the sub display.
class IntervalRun {
 public:
  explicit IntervalRun(Graph& graph) : graph_(graph) {}
  void Take(const _RECORD_DATA& record) {
    if (first_) {
      store.ResetStatistics();
      graph_.Prime(record, store.recordCount() + 1, record.hasSub != 0);
      first_ = false;
    }
    Feed(false, record);
    if (record.hasSub) Feed(true, record);
    store.Append(record);
    graph_.subShown = record.hasSub;
  }
  RecordStore store;

 private:
  void Feed(bool sub, const _RECORD_DATA& record) {
    const ExtremeValue sample{CDateTime(record.timeDate, CDateTime::valid),
                              sub ? record.subFunction : record.mainFunction, sub ? record.subCount : record.mainCount,
                              sub ? record.subRange : record.mainRange};
    if (UpdateMax(sub ? store.graphMaxSub : store.graphMaxMain, sample, true, kModel)) {
      graph_.FeedMaximum(sub, record, sub ? u"kHz" : u"V", kModel);
    }
    if (UpdateMin(sub ? store.graphMinSub : store.graphMinMain, sample, true, kModel)) {
      graph_.FeedMinimum(sub, record, kModel);
    }
  }
  Graph& graph_;
  bool first_ = true;
};

TEST(GraphScale, LimitsFollowTheExtremes) {
  const int dcv = Row(Family::RV736X, "DCV"), res = Row(Family::RV736X, "RES");
  struct Case {
    const char* what;
    int model, function;
    std::int32_t maxCount, maxRange, minCount, minRange;
    std::int32_t top, bottom, range;
  };
  const Case cases[] = {
      {"5 and 3: span raised to 10, widened to 10, floored at 0", kRv7361, dcv, 5, 1, 3, 1, 7, 0, 1},
      {"100 and 100: widened to a multiple of 5", kRv7361, dcv, 100, 1, 100, 1, 102, 97, 1},
      {"1500 and 1200: step 10", kRv7361, dcv, 1500, 1, 1200, 1, 1560, 1140, 1},
      {"all negative: the top capped at 0", kRv7361, dcv, -1, 1, -50, 1, 0, -60, 1},
      {"all negative, step 100 rounds away from the data", kRv7361, dcv, -120, 1, -4000, 1, 0, -4800, 1},
      {"all positive: the bottom floored at 0", kRv7361, dcv, 60, 1, 2, 1, 71, 0, 1},
      {"step 500", kRv7361, dcv, 52000, 1, 30000, 1, 56500, 25500, 1},
      {"minimum a range coarser: the maximum truncated there", kRv7361, dcv, 5999, 1, 600, 2, 601, 596, 2},
      {"maximum two ranges coarser", kRv7361, dcv, 1234, 3, 5678, 1, 1500, 0, 3},
      {"RV736X resistance: ranges 6 and 7 two decades apart", kRv7361, res, 5000, 7, 45000, 6, 6000, 0, 7},
      {"the same on the RV7362", kRv7362, res, 5000, 7, 45000, 6, 6000, 0, 7},
      {"the same counts one decade apart in another function", kRv7361, dcv, 5000, 7, 45000, 6, 5100, 4400, 7},
      {"the same counts one decade apart on another family", kRv7341, res, 5000, 7, 45000, 6, 5100, 4400, 7},
  };
  for (const Case& c : cases) {
    GraphChannel channel;
    channel.function = c.function;
    channel.maxCount = c.maxCount;
    channel.maxRange = c.maxRange;
    channel.minCount = c.minCount;
    channel.minRange = c.minRange;
    channel.dirty = 1;
    UpdateScale(channel, c.model, 1);
    EXPECT_EQ(channel.top, c.top) << c.what;
    EXPECT_EQ(channel.bottom, c.bottom) << c.what;
    EXPECT_EQ(channel.range, c.range) << c.what;
    EXPECT_EQ(channel.dirty, 0) << c.what;
  }
}

TEST(GraphScale, OnlyADirtyEnabledScaleWithPointsIsRecomputed) {
  GraphChannel channel;
  channel.maxCount = 1500;
  channel.minCount = 1200;
  const GraphChannel before = channel;

  UpdateScale(channel, kModel, 5);
  EXPECT_EQ(channel, before) << "not dirty";

  channel.dirty = 1;
  channel.enabled = 0;
  UpdateScale(channel, kModel, 5);
  EXPECT_EQ(channel.top, before.top) << "not enabled";
  EXPECT_EQ(channel.dirty, 1) << "stays dirty until enabled";

  channel.enabled = 1;
  UpdateScale(channel, kModel, 0);
  EXPECT_EQ(channel.top, before.top) << "no points";
  EXPECT_EQ(channel.dirty, 0);
}

TEST(GraphScale, ExtremeFeedTakesTheDecimalsOfTheCoarserRange) {
  // DCV of the RV736X: 6 V range (3) four decimals, 60 V range (4) three.
  Graph graph;
  _RECORD_DATA record = Reading(0, 5000, 4);
  graph.Prime(record, 1, false);
  graph.FeedMaximum(false, record, u"V", kModel);
  EXPECT_EQ(graph.mainChannel.decimals, 3);
  EXPECT_EQ(graph.mainChannel.unitText, u"V");

  record = Reading(1, 1234, 3);
  graph.FeedMinimum(false, record, kModel);
  EXPECT_EQ(graph.mainChannel.decimals, 3) << "a finer minimum keeps the maximum's places";
  EXPECT_EQ(graph.mainChannel.minRange, 3);

  record = Reading(2, 5999, 3);
  graph.FeedMaximum(false, record, u"V", kModel);
  EXPECT_EQ(graph.mainChannel.decimals, 4) << "both extremes in the 6 V range now";
  EXPECT_EQ(graph.mainChannel.dirty, 1);

  // The sub display's decimals come from the frequency table on function -1.
  record = WithSub(Reading(3, 5000, 4), 1234, 2);
  graph.FeedMaximum(true, record, u"kHz", kModel);
  EXPECT_EQ(graph.subChannel.decimals, SubDecimals(kModel, -1, 2, false));
  EXPECT_EQ(graph.subChannel.maxCount, 1234);
  EXPECT_EQ(graph.mainChannel.maxCount, 5999) << "the sub feed leaves the main scale alone";
}

TEST(GraphTime, AxisGrowsByAQuarterRoundedUp) {
  struct Case {
    std::int32_t span;
    double data;
    std::int32_t grown;
  };
  const Case cases[] = {
      {10, 9, 10},     {10, 10, 20},       {20, 25, 30},       {240, 240, 300},
      {296, 300, 390}, {2880, 2900, 3600}, {3000, 3000, 3780}, {10, std::nan(""), 10},
  };
  for (const Case& c : cases) EXPECT_EQ(GrownTimeSpan(c.span, c.data), c.grown) << c.span << " after " << c.data;
}

TEST(GraphTexts, ScaleLabelsAndTimes) {
  struct Case {
    std::int32_t top, bottom, decimals;
    int i;
    const char16_t* text;
  };
  const Case cases[] = {
      {7, 0, 3, 0, u"0.007"},
      {7, 0, 3, 1, u"0.006"},
      {7, 0, 3, 2, u"0.004"},
      {7, 0, 3, 5, u"0.000"},
      {1560, 1140, 1, 1, u"147.6"},
      {1560, 1140, 0, 1, u"1476"},
      {0, -60, 2, 1, u"-0.12"},
      {0, -60, 2, 5, u"-0.60"},
      {0, -25, 3, 1, u"-0.005"},
      {0, -4800, 0, 3, u"-2880"},
      {60000, 0, 3, 1, u"48.000"},
      // Odd differences (only from a file) round to the nearest count.
      {3, 0, 0, 4, u"1"},
      {0, -3, 0, 1, u"-1"},
      {1, -1, 0, 3, u"0"},
  };
  for (const Case& c : cases) {
    GraphChannel channel;
    channel.top = c.top;
    channel.bottom = c.bottom;
    channel.decimals = c.decimals;
    EXPECT_EQ(ScaleLabelText(channel, c.i), c.text) << c.top << "/" << c.bottom << " label " << c.i;
  }
  EXPECT_EQ(SpanText(0), u"00:00:00");
  EXPECT_EQ(SpanText(3725), u"01:02:05");
  EXPECT_EQ(SpanText(360000), u"100:00:00");
}

TEST(GraphDraw, TimeAxisGrowsOnceTheDataReachItsEnd) {
  Graph graph;
  graph.Reset(kModel);
  IntervalRun run(graph);
  RecordingCanvas canvas;
  for (int second = 0; second < 10; ++second) {
    run.Take(Reading(second, 1000 + (second % 3) * 100));
    canvas = {};
    graph.Draw(canvas, kArea, run.store, kModel);
  }
  EXPECT_EQ(graph.timeSpan, 10);
  EXPECT_EQ(canvas.TextsIn(GraphFont::time), (std::vector<std::u16string>{u"00:00:00", u"00:00:05", u"00:00:10"}));

  run.Take(Reading(10, 1500));
  canvas = {};
  graph.Draw(canvas, kArea, run.store, kModel);
  EXPECT_EQ(graph.timeSpan, 20);
  EXPECT_EQ(canvas.TextsIn(GraphFont::time), (std::vector<std::u16string>{u"00:00:00", u"00:00:10", u"00:00:20"}));
  const GraphRect plot = PlotRect(kArea, kGraphMain);
  const std::vector<LineCall> red = canvas.LinesIn(kRed);
  ASSERT_FALSE(red.empty());
  EXPECT_EQ(red.back().x2, plot.left + plot.Width() / 2) << "the record 10 s in lies in the middle";
  EXPECT_EQ(red.front().x1, plot.left + 1) << "the first record sits just inside the frame";

  graph.Draw(canvas, kArea, run.store, kModel);
  EXPECT_EQ(graph.timeSpan, 20) << "one step, and only when the data reach the end";
}

TEST(GraphDraw, OverStrokesToTheEdgeAndGapsForBlank) {
  // Plot 46..430 x 9..230 (384 x 221); 10 s axis: x = 46 + trunc(38.4 t).
  // Scale from 100 and 200: top 220, bottom 80; y = 9 + trunc(221 (220 - v) / 140),
  // so 150 lies at y 119, the edges at 10 and 228.
  Graph graph;
  graph.Reset(kModel);
  IntervalRun run(graph);
  const std::int32_t counts[] = {100, 200, 150, 150, 1000000, 150, -1000000, 150, 2000000, 150};
  for (int second = 0; second < 10; ++second) run.Take(Reading(second, counts[second]));
  BitmapCanvas canvas(440, 250);
  graph.Draw(canvas, kArea, run.store, kModel);
  ASSERT_EQ(graph.mainChannel.top, 220);
  ASSERT_EQ(graph.mainChannel.bottom, 80);
  ASSERT_EQ(graph.timeSpan, 10);

  EXPECT_EQ(canvas.Column(160, kRed), (std::vector<int>{119})) << "the level line before the over";
  EXPECT_EQ(canvas.Column(161, kRed), Rows(10, 119)) << "over: a stroke up at the last normal point";
  for (const int x : {162, 199, 237})
    EXPECT_EQ(canvas.Column(x, kRed), std::vector<int>{}) << "nothing over the over at " << x;
  EXPECT_EQ(canvas.Column(238, kRed), Rows(10, 228)) << "down from the top edge to 150, then to the bottom edge";
  EXPECT_EQ(canvas.Column(276, kRed), std::vector<int>{});
  EXPECT_EQ(canvas.Column(314, kRed), Rows(119, 228)) << "back up from the bottom edge";
  for (const int x : {315, 353, 391}) EXPECT_EQ(canvas.Column(x, kRed), std::vector<int>{}) << "blank: a gap at " << x;
}

TEST(GraphDraw, FinerRangesPlotInTheUnitsOfTheScaleRange) {
  // Geometry as above; three records 1 s apart whose extremes lie in
  // different ranges.  The RV736X's resistance ranges 6 and 7 are two
  // decades apart.
  struct Case {
    const char* what;
    const char* function;
    std::array<std::pair<std::int32_t, std::int32_t>, 3> readings;  // count, range
    std::int32_t top, bottom;
    std::array<int, 3> ys;
  };
  const Case cases[] = {
      {"6 V readings against a 60 V maximum", "DCV", {{{5000, 3}, {600, 4}, {5500, 3}}}, 620, 480, {198, 40, 119}},
      {"6 MOhm readings against a 60 MOhm maximum",
       "RES",
       {{{45000, 6}, {500, 7}, {48000, 6}}},
       510,
       440,
       {198, 40, 103}},
  };
  for (const Case& c : cases) {
    Graph graph;
    graph.Reset(kModel);
    IntervalRun run(graph);
    for (int second = 0; second < 3; ++second) {
      _RECORD_DATA record = Reading(second, c.readings[second].first, c.readings[second].second);
      record.mainFunction = Row(Family::RV736X, c.function);
      run.Take(record);
    }
    RecordingCanvas canvas;
    graph.Draw(canvas, kArea, run.store, kModel);
    EXPECT_EQ(graph.mainChannel.top, c.top) << c.what;
    EXPECT_EQ(graph.mainChannel.bottom, c.bottom) << c.what;
    const std::vector<LineCall> red = canvas.LinesIn(kRed);
    ASSERT_EQ(red.size(), 2u) << c.what;
    EXPECT_EQ(red[0].y1, c.ys[0]) << c.what;
    EXPECT_EQ(red[0].y2, c.ys[1]) << c.what;
    EXPECT_EQ(red[1].y2, c.ys[2]) << c.what;
  }
}

TEST(GraphDraw, SubTabWithoutSubReadingShowsOnlyGridAndTime) {
  Graph graph;
  graph.Reset(kModel);
  graph.tabIndex = kGraphSub;
  IntervalRun run(graph);
  for (int second = 0; second < 5; ++second) run.Take(Reading(second, 1000 + second));
  RecordingCanvas canvas;
  graph.Draw(canvas, kArea, run.store, kModel);
  EXPECT_TRUE(canvas.LinesIn(kRed).empty());
  EXPECT_TRUE(canvas.LinesIn(kBlue).empty());
  EXPECT_EQ(canvas.texts.size(), 3u) << "the three time labels";
  EXPECT_FALSE(canvas.LinesIn(0xADADAD).empty()) << "the grid";

  // Both scales: the sub half of the legend stays, its scale and plot go.
  graph.tabIndex = kGraphBoth;
  canvas = {};
  graph.Draw(canvas, kArea, run.store, kModel);
  EXPECT_FALSE(canvas.LinesIn(kRed).empty());
  EXPECT_TRUE(canvas.LinesIn(kBlue).empty());
  EXPECT_EQ(canvas.TextsIn(GraphFont::scale).size(), 6u);
  SetCatalogueLanguage(1);
  canvas = {};
  graph.Draw(canvas, kArea, run.store, kModel);
  EXPECT_EQ(canvas.TextsIn(GraphFont::legend), (std::vector<std::u16string>{u"-----Main", u"-----Sub"}));
}

TEST(GraphDraw, BothTabsPlotSubUnderMainWithTwoScales) {
  Graph graph;
  graph.Reset(kModel);
  graph.tabIndex = kGraphBoth;
  IntervalRun run(graph);
  for (int second = 0; second < 5; ++second) run.Take(WithSub(Reading(second, 1000 + second * 10), 500 - second));
  RecordingCanvas canvas;
  graph.Draw(canvas, kArea, run.store, kModel);
  const auto firstOf = [&](std::uint32_t colour) {
    return std::find_if(canvas.lines.begin(), canvas.lines.end(),
                        [&](const LineCall& l) { return l.colour == colour; });
  };
  ASSERT_NE(firstOf(kBlue), canvas.lines.end());
  ASSERT_NE(firstOf(kRed), canvas.lines.end());
  EXPECT_LT(firstOf(kBlue), firstOf(kRed)) << "the main plot lies on top";
  EXPECT_EQ(canvas.TextsIn(GraphFont::scale).size(), 12u) << "left and right scales";
  const GraphRect plot = PlotRect(kArea, kGraphBoth);
  for (const LineCall& line : canvas.LinesIn(kRed)) {
    EXPECT_LE(line.x2, plot.right - 2);
    EXPECT_GE(line.y2, plot.top);
  }
  std::vector<std::u16string> units;
  for (const TextCall& text : canvas.texts) {
    if (text.font == GraphFont::time && text.text.starts_with(u"[")) units.push_back(text.text);
  }
  EXPECT_EQ(units, (std::vector<std::u16string>{u"[V]", u"[kHz]"}));
}

TEST(GraphDraw, ResetGraphStaysEmptyUntilTheNextRun) {
  Graph graph;
  graph.Reset(kModel);
  IntervalRun run(graph);
  for (int second = 0; second < 30; ++second) run.Take(Reading(second, 1000 + second));
  RecordingCanvas canvas;
  for (int i = 0; i < 3; ++i) graph.Draw(canvas, kArea, run.store, kModel);
  const std::int32_t span = graph.timeSpan;

  graph.Reset(kModel);
  run.store.Append(Reading(500, 1234));  // a manual sample after the run
  for (int i = 0; i < 3; ++i) {
    canvas = {};
    graph.Draw(canvas, kArea, run.store, kModel);
  }
  EXPECT_TRUE(canvas.LinesIn(kRed).empty()) << "a repaint does not bring the run back";
  EXPECT_EQ(graph.timeSpan, span) << "nor moves the axis";
  EXPECT_EQ(canvas.TextsIn(GraphFont::scale).front(), u"60.000");
  EXPECT_EQ(canvas.TextsIn(GraphFont::scale).back(), u"0.000");

  IntervalRun next(graph);
  next.store = run.store;
  next.Take(Reading(600, 1234));
  canvas = {};
  graph.Draw(canvas, kArea, next.store, kModel);
  EXPECT_EQ(graph.firstRecord, next.store.recordCount());
  EXPECT_EQ(graph.timeSpan, 10);
  EXPECT_TRUE(canvas.LinesIn(kRed).empty()) << "one point draws no line";
  next.Take(Reading(601, 1300));
  canvas = {};
  graph.Draw(canvas, kArea, next.store, kModel);
  ASSERT_EQ(canvas.LinesIn(kRed).size(), 1u) << "only the new run";
}

TEST(GraphDraw, DamagedStateStaysInsideTheArea) {
  struct Case {
    const char* what;
    void (*damage)(Graph&);
  };
  const Case cases[] = {
      {"first record before the store", [](Graph& g) { g.firstRecord = -5; }},
      {"first record past the store", [](Graph& g) { g.firstRecord = 1000; }},
      {"zero time span",
       [](Graph& g) {
         g.timeSpan = 0;
         g.baseInterval = 0;
       }},
      {"negative time span",
       [](Graph& g) {
         g.timeSpan = -50;
         g.baseInterval = -5;
       }},
      {"flat scale",
       [](Graph& g) {
         g.mainChannel.top = g.mainChannel.bottom = 7;
         g.mainChannel.dirty = 0;
       }},
      {"upside-down scale",
       [](Graph& g) {
         g.mainChannel.top = -2147483647 - 1;
         g.mainChannel.bottom = 2147483647;
         g.mainChannel.dirty = 0;
       }},
      {"extreme extremes",
       [](Graph& g) {
         g.mainChannel.maxCount = 2147483647;
         g.mainChannel.minCount = -2147483647 - 1;
         g.mainChannel.maxRange = 2147483647;
         g.mainChannel.minRange = -2147483647 - 1;
         g.mainChannel.dirty = 1;
       }},
      {"huge decimals", [](Graph& g) { g.mainChannel.decimals = 1000000000; }},
      {"tab out of range", [](Graph& g) { g.tabIndex = 7; }},
  };
  for (const Case& c : cases) {
    Graph graph;
    graph.Reset(kModel);
    IntervalRun run(graph);
    for (int second = 0; second < 20; ++second) run.Take(Reading(second * 7, second % 4 == 0 ? 1000000 : 99 * second));
    c.damage(graph);
    RecordingCanvas canvas;
    graph.Draw(canvas, kArea, run.store, kModel);
    for (const LineCall& line : canvas.lines) {
      for (const auto& [x, y] : {std::pair{line.x1, line.y1}, std::pair{line.x2, line.y2}}) {
        EXPECT_TRUE(x >= kArea.left && x < kArea.right && y >= kArea.top && y < kArea.bottom)
            << c.what << ": " << x << "," << y;
      }
    }
    for (const TextCall& text : canvas.texts) EXPECT_LE(text.text.size(), 40u) << c.what;
  }
}

// Draws the run on each tab the fast way and segment by segment; returns
// the fast drawing's line count of each tab.
std::vector<int> ExpectSamePixels(const Graph& graph, const RecordStore& store, const char* what) {
  const GraphRect area{0, 0, 200, 120};
  std::vector<int> lineCounts;
  for (const int tab : {kGraphMain, kGraphSub, kGraphBoth}) {
    Graph collapsing = graph;
    collapsing.tabIndex = tab;
    Graph everySegment = collapsing;
    everySegment.collapseColumns = false;
    BitmapCanvas collapsed(200, 120), reference(200, 120);
    collapsing.Draw(collapsed, area, store, kModel);
    everySegment.Draw(reference, area, store, kModel);

    int differing = 0;
    for (std::size_t i = 0; i < collapsed.pixels.size(); ++i) differing += collapsed.pixels[i] != reference.pixels[i];
    EXPECT_EQ(differing, 0) << what << ", tab " << tab;
    const GraphRect plot = PlotRect(area, tab);
    const auto plotted = std::count(collapsed.pixels.begin(), collapsed.pixels.end(), tab == kGraphSub ? kBlue : kRed);
    EXPECT_GT(plotted, plot.Width()) << what << ", tab " << tab;
    EXPECT_LT(plotted, plot.Width() * plot.Height() / 2) << "not a solid block: " << what << ", tab " << tab;
    lineCounts.push_back(collapsed.lineCount);
  }
  return lineCounts;
}

TEST(GraphDraw, CollapsedColumnsCoverTheSamePixelsAsEverySegment) {
  // A dense noisy run, about 1800 records per column, with bursts of overs,
  // blank and OPEN gaps and a stretch in a coarser range.
  {
    Graph graph;
    graph.Reset(kModel);
    IntervalRun run(graph);
    std::mt19937 random(7300);
    std::normal_distribution<double> noise(0.0, 100.0);
    std::uniform_int_distribution<int> perHundredThousand(0, 99999);
    double level = 3000;
    int burst = 0;
    std::int32_t burstCount = 0;
    constexpr int kRecords = 200000;
    for (int second = 0; second < kRecords; ++second) {
      level = std::clamp(level + noise(random) * 0.15, -5000.0, 5000.0);
      std::int32_t count = static_cast<std::int32_t>(level + noise(random));
      std::int32_t range = 3;
      const int roll = perHundredThousand(random);
      if (burst == 0 && roll < 4) {
        burst = 3;
        burstCount = roll % 2 ? 1000000 : -1000000;
      }
      if (burst > 0) {
        --burst;
        count = burstCount;
      } else if (roll >= 98500) {
        count = roll < 99500 ? 2000000 : 3000000;
      } else if (second >= 120000 && second < 120300) {
        range = 4;
        count /= 10;
      }
      const double wave = 5000 + 2000 * std::sin(second / 20000.0) + noise(random) * 0.5;
      const std::int32_t sub = roll >= 99990 ? 1000000 : static_cast<std::int32_t>(wave);
      run.Take(WithSub(Reading(second, count, range), sub, 2));
    }
    graph.timeSpan = kRecords + 1000;
    for (const int lines : ExpectSamePixels(graph, run.store, "dense")) {
      EXPECT_LT(lines, 2000) << "a line per column and crossing, not per record";
    }
  }
  // A sparser one that jumps between two bands with many gaps, so that one
  // column holds separate strokes.
  {
    Graph graph;
    graph.Reset(kModel);
    IntervalRun run(graph);
    std::mt19937 random(7362);
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<int> jitter(-40, 40);
    constexpr int kRecords = 3000;
    bool high = false;
    for (int second = 0; second < kRecords; ++second) {
      const int roll = percent(random);
      if (percent(random) < 4) high = !high;
      std::int32_t count = (high ? 4000 : 1000) + jitter(random);
      if (roll < 25) count = 2000000;
      if (roll == 25 && second % 2) count = 1000000;
      if (roll == 26 && second % 2) count = -1000000;
      run.Take(WithSub(Reading(second, count), count == 2000000 ? 3000 : count + 500, 2));
    }
    graph.timeSpan = kRecords + 100;
    ExpectSamePixels(graph, run.store, "sparse");
  }
}

}  // namespace
