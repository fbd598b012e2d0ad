#include "recording/graph.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "base/models.h"
#include "base/text_helpers.h"
#include "base/utf16.h"
#include "catalogue/catalogue.h"
#include "catalogue/value_format.h"
#include "recording/record_store.h"

namespace {

constexpr std::uint32_t kBorderGrey = 0x808080;
constexpr std::uint32_t kGridGrey = 0xADADAD;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kMainRed = 0xFF0000;
constexpr std::uint32_t kSubBlue = 0x0000FF;

// Truncation toward zero that saturates: a damaged recording file can put
// any number into the scales, and an out-of-range conversion is undefined.
std::int64_t Trunc(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kLimit = 9.0e18;
  return static_cast<std::int64_t>(std::clamp(value, -kLimit, kLimit));
}

std::int32_t To32(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

std::int64_t RoundUp(std::int64_t value, int step) {
  const std::int64_t r = value % step;
  return r > 0 ? value + (step - r) : value - r;
}

std::int64_t RoundDown(std::int64_t value, int step) {
  const std::int64_t r = value % step;
  return r >= 0 ? value - r : value - (step + r);
}

float PowerOfTen(std::int64_t exponent) {
  return static_cast<float>(std::pow(10.0, static_cast<double>(std::min<std::int64_t>(exponent, 400))));
}

bool IsResistance(int modelIndex, int function) { return FunctionToken(FamilyOf(modelIndex), function) == "RES"; }

// On the RV736X the two highest resistance ranges sit two decades above the
// next lower one, so counting ranges as decades needs one more step there.
std::int64_t Decade(bool resistanceRule, std::int32_t range) {
  return resistanceRule && range >= 7 ? std::int64_t{range} + 1 : range;
}

// Records are stamped in whole seconds, which a count of days does not hold
// exactly.
double SecondsBetween(double fromDays, double toDays) {
  const double seconds = (toDays - fromDays) * 86400.0;
  if (!(seconds > -1.0e15 && seconds < 1.0e15)) return std::isnan(seconds) ? 0.0 : std::clamp(seconds, -1.0e15, 1.0e15);
  // Half away from zero, inline: this runs for every record of every redraw.
  return static_cast<double>(static_cast<std::int64_t>(seconds + (seconds < 0 ? -0.5 : 0.5)));
}

// The plot's pen.  Long runs put thousands of points into one pixel
// column; the segments between them are vertical there, so they are kept as
// one span per column and drawn as one line when the pen leaves the column.
// Segments that cross columns are drawn as they come, which leaves the
// picture pixel for pixel the same.
class ColumnPen {
 public:
  ColumnPen(GraphCanvas& canvas, std::uint32_t colour, bool collapse)
      : canvas_(canvas), colour_(colour), collapse_(collapse) {}

  void MoveTo(int x, int y) {
    if (pending_ && x != column_) Flush();
    x_ = x;
    y_ = y;
  }

  void LineTo(int x, int y) {
    if (collapse_ && x == x_) {
      AddSpan(x, std::min(y_, y), std::max(y_, y));
    } else {
      Flush();
      canvas_.Line(x_, y_, x, y, colour_, false);
    }
    x_ = x;
    y_ = y;
  }

  void Flush() {
    if (pending_) canvas_.Line(column_, low_, column_, high_, colour_, false);
    pending_ = false;
  }

 private:
  // Spans that overlap or touch make one; an over stroke and the stroke
  // back from the edge meet there, so a run full of overs stays cheap.
  void AddSpan(int x, int low, int high) {
    if (pending_ && x == column_ && low <= high_ + 1 && high >= low_ - 1) {
      low_ = std::min(low_, low);
      high_ = std::max(high_, high);
      return;
    }
    Flush();
    pending_ = true;
    column_ = x;
    low_ = low;
    high_ = high;
  }

  GraphCanvas& canvas_;
  std::uint32_t colour_;
  bool collapse_;
  int x_ = 0, y_ = 0;
  bool pending_ = false;
  int column_ = 0, low_ = 0, high_ = 0;
};

// Lines held back, for a plot that must lie on top of one drawn later.
class LineBuffer : public GraphCanvas {
 public:
  void FillWhite(const GraphRect&) override {}
  void Line(int x1, int y1, int x2, int y2, std::uint32_t colour, bool dotted) override {
    lines_.push_back({x1, y1, x2, y2, colour, dotted});
  }
  void Text(const GraphRect&, std::u16string_view, std::uint32_t, TextAlign, GraphFont) override {}
  void DrawOn(GraphCanvas& canvas) const {
    for (const Held& line : lines_) canvas.Line(line.x1, line.y1, line.x2, line.y2, line.colour, line.dotted);
  }

 private:
  struct Held {
    int x1, y1, x2, y2;
    std::uint32_t colour;
    bool dotted;
  };
  std::vector<Held> lines_;
};

// One channel's plot: its scale, its pen and where the pen stands.
struct Trace {
  Trace(const GraphChannel& channel, bool sub, GraphCanvas& canvas, std::uint32_t colour, bool collapse)
      : sub(sub),
        top(static_cast<float>(channel.top)),
        span(static_cast<float>(std::int64_t{channel.top} - channel.bottom)),
        range(channel.range),
        pen(canvas, colour, collapse) {}
  bool sub;
  float top, span;
  std::int32_t range;
  ColumnPen pen;
  int previous = 0;  // state of the previous record
  int x = 0, y = 0;
  std::int32_t function = std::numeric_limits<std::int32_t>::min();  // the last one looked up
  bool resistance = false;
};

class Plotter {
 public:
  Plotter(const GraphRect& plot, std::int32_t timeSpan, int modelIndex, bool fast)
      : plot_(plot),
        timeSpan_(static_cast<float>(timeSpan)),
        rule_(IsRv736x(modelIndex)),
        model_(modelIndex),
        columnCache_(fast && plot.Width() > 0 && timeSpan > 0) {}

  // The traces in drawing order, in one pass over the records.
  void Plot(const RecordStore& store, std::int32_t first, std::int64_t n, Trace* const* traces, int traceCount) {
    double origin = 0.0;
    for (std::int64_t k = 0; k < n; ++k) {
      const _RECORD_DATA record = store.At(static_cast<std::size_t>(first - 1 + k));
      if (k == 0) origin = record.timeDate;
      int x = 0;
      bool placed = false;
      const auto recordX = [&] {
        if (!placed) x = X(origin, record.timeDate);
        placed = true;
        return x;
      };
      for (int i = 0; i < traceCount; ++i) Step(*traces[i], record, k, recordX);
    }
    for (int i = 0; i < traceCount; ++i) traces[i]->pen.Flush();
  }

 private:
  static int State(std::int32_t count) {
    if (count == kOverCount) return 1;
    if (count == -kOverCount) return 2;
    if (count == kBlankCount || count == kOpenCount) return 3;
    return 0;
  }

  template <typename RecordX>
  void Step(Trace& trace, const _RECORD_DATA& record, std::int64_t k, const RecordX& recordX) {
    const std::int32_t function = trace.sub ? record.subFunction : record.mainFunction;
    const std::int32_t count = trace.sub ? record.subCount : record.mainCount;
    const std::int32_t range = trace.sub ? record.subRange : record.mainRange;
    const int state = State(count);
    int& x = trace.x;
    int& y = trace.y;
    if (k == 0) {
      x = plot_.left + 1;
      y = Y(trace, state, function, count, range);
      trace.pen.MoveTo(x, y);
    } else if (trace.previous == 0) {
      // An over stands at the last normal point's x.
      if (state == 0 || state == 3) x = recordX();
      y = Y(trace, state, function, count, range);
      if (state != 3) trace.pen.LineTo(x, y);
    } else if (state == 0) {
      x = recordX();
      if (trace.previous == 1) y = plot_.top + 1;
      if (trace.previous == 2) y = plot_.bottom - 2;
      trace.pen.MoveTo(x, y);
      y = Y(trace, state, function, count, range);
      if (trace.previous == 3) {
        trace.pen.MoveTo(x, y);
      } else {
        trace.pen.LineTo(x, y);
      }
    }
    trace.previous = state;
  }

  // A run keeps its function, mostly: the token is looked up on a change.
  bool Resistance(Trace& trace, std::int32_t function) const {
    if (function != trace.function) {
      trace.function = function;
      trace.resistance = IsResistance(model_, function);
    }
    return trace.resistance;
  }

  int Y(Trace& trace, int state, std::int32_t function, std::int32_t count, std::int32_t range) {
    if (state == 1) return plot_.top + 1;
    if (state == 2) return plot_.bottom - 2;
    const bool rule = rule_ && Resistance(trace, function);
    const std::int64_t j = Decade(rule, range), c = Decade(rule, trace.range);
    std::int64_t v = count;
    for (std::int64_t step = j; step < c && v != 0; ++step) v /= 10;
    const float dv = trace.top - static_cast<float>(v);
    if (dv <= 0) return plot_.top + 1;
    if (dv > trace.span) return plot_.bottom - 2;
    // 0 < dv <= span here, so the quotient lies within the plot's height.
    const int y = plot_.top + static_cast<int>(static_cast<float>(plot_.Height()) * dv / trace.span);
    return std::min(y, plot_.bottom - 2);
  }

  std::int64_t Column(double seconds) const {
    return Trunc(static_cast<float>(plot_.Width()) * static_cast<float>(seconds) / timeSpan_);
  }

  int X(double originDays, double days) {
    const double t = SecondsBetween(originDays, days);
    if (!(columnCache_ && t >= cacheFrom_ && t < cacheTo_)) {
      cacheColumn_ = Column(t);
      if (columnCache_ && t >= 0) CacheColumnFrom(t);
    }
    const std::int64_t x = plot_.left + cacheColumn_;
    if (x < plot_.left) return plot_.left + 1;
    if (x > plot_.right - 2) return plot_.right - 2;
    return static_cast<int>(x);
  }

  // Thousands of consecutive seconds share a pixel column in a long run;
  // the column only grows with the time, so the seconds up to the next
  // column are found once (by search) instead of divided out one by one.
  void CacheColumnFrom(double t) {
    double same = t, step = 1, other = t + step;
    while (Column(other) == cacheColumn_ && step < 1.0e15) {
      same = other;
      step *= 2;
      other = same + step;
    }
    while (other - same > 1) {
      const double middle = std::floor(same + (other - same) / 2);
      (Column(middle) == cacheColumn_ ? same : other) = middle;
    }
    cacheFrom_ = t;
    cacheTo_ = other;
  }

  GraphRect plot_;
  float timeSpan_;
  bool rule_;
  int model_;
  bool columnCache_;
  double cacheFrom_ = 0, cacheTo_ = 0;  // seconds [from, to) lie in cacheColumn_
  std::int64_t cacheColumn_ = 0;
};

void ScaleLabels(GraphCanvas& canvas, const GraphChannel& channel, const GraphRect& box, TextAlign align) {
  for (int i = 0; i <= 5; ++i) {
    const int y = box.top + i * box.Height() / 5;
    canvas.Text({box.left, y - 10, box.right, y + 10}, ScaleLabelText(channel, i), kBlack, align, GraphFont::scale);
  }
}

int ChannelDecimals(bool sub, const _RECORD_DATA& record, std::int32_t range, int modelIndex) {
  return sub ? SubDecimals(modelIndex, record.subFunction, range, record.peakOn != 0)
             : MainDecimals(modelIndex, record.mainFunction, range, record.peakOn != 0);
}

}  // namespace

void UpdateScale(GraphChannel& channel, int modelIndex, int pointCount) {
  if (!channel.enabled || !channel.dirty) return;
  channel.dirty = 0;
  if (pointCount < 1) return;
  channel.range = std::max(channel.maxRange, channel.minRange);
  const bool rule = IsRv736x(modelIndex) && IsResistance(modelIndex, channel.function);
  const std::int64_t rMax = Decade(rule, channel.maxRange), rMin = Decade(rule, channel.minRange);
  float g = static_cast<float>(channel.maxCount);
  float f = static_cast<float>(channel.minCount);
  if (rMax > rMin) f = static_cast<float>(channel.minCount) / PowerOfTen(rMax - rMin);
  if (rMax < rMin) g = static_cast<float>(channel.maxCount) / PowerOfTen(rMin - rMax);
  float span = g - f;
  const int step = span > 10000 ? 500 : span > 1000 ? 100 : span > 100 ? 10 : 1;
  if (span < 10) span = 10;
  std::int64_t top = RoundUp(Trunc(g + span * 0.2f), step);
  if (g < 0 && f < 0 && top > 0) top = 0;
  std::int64_t bottom = RoundDown(Trunc(f - span * 0.2f), step);
  // Five label intervals of whole counts.
  const std::int64_t rest = (top - bottom) % 5;
  if (rest > 0) bottom -= 5 - rest;
  if (rest < 0) bottom += rest;
  if (g > 0 && f > 0 && bottom < 0) bottom = 0;
  channel.top = To32(top);
  channel.bottom = To32(bottom);
}

std::int32_t GrownTimeSpan(std::int32_t timeSpan, double spanSeconds) {
  if (!(spanSeconds >= timeSpan)) return timeSpan;
  std::int64_t grown = Trunc(timeSpan * 1.25);
  grown = RoundUp(grown, grown < 300 ? 10 : grown < 3600 ? 30 : 60);
  return To32(grown);
}

std::u16string ScaleLabelText(const GraphChannel& channel, int i) {
  const float difference = static_cast<float>(std::int64_t{channel.top} - channel.bottom);
  const float value = static_cast<float>(channel.top) - static_cast<float>(i) * difference / 5.0f;
  const long long rounded = std::llround(static_cast<double>(value));
  // Nothing longer than a 64-bit count can need more places.
  const int decimals = std::clamp(channel.decimals, 0, 20);
  char digits[32];
  std::snprintf(
      digits, sizeof digits, "%0*llu", decimals + 1,
      rounded < 0 ? 0ULL - static_cast<unsigned long long>(rounded) : static_cast<unsigned long long>(rounded));
  std::u16string text = rounded < 0 ? u"-" : u"";
  const std::u16string number = AsciiToUtf16(digits);
  text += number.substr(0, number.size() - decimals);
  if (decimals > 0) text += u"." + number.substr(number.size() - decimals);
  return text;
}

std::u16string SpanText(std::int32_t seconds) {
  seconds = std::max(seconds, 0);
  return ClockText(seconds / 3600, seconds / 60 % 60, seconds % 60);
}

GraphRect PlotRect(const GraphRect& area, int tab) {
  const bool both = tab == kGraphBoth;
  return {area.left + 46, area.top + (both ? 24 : 9), area.right - (both ? 46 : 10), area.bottom - 20};
}

void Graph::Prime(const _RECORD_DATA& record, std::int32_t recordCount, bool hasSub) {
  firstRecord = recordCount;
  mainChannel.maxRange = mainChannel.minRange = record.mainRange;
  if (hasSub) subChannel.maxRange = subChannel.minRange = record.subRange;
  plotted = true;
}

void Graph::FeedMaximum(bool sub, const _RECORD_DATA& record, std::u16string_view unitText, int modelIndex) {
  GraphChannel& channel = sub ? subChannel : mainChannel;
  const std::int32_t range = sub ? record.subRange : record.mainRange;
  channel.unitText = unitText;
  channel.maxCount = sub ? record.subCount : record.mainCount;
  channel.maxRange = range;
  // The labels take the places of the coarser range.
  if (range >= channel.minRange) channel.decimals = ChannelDecimals(sub, record, range, modelIndex);
  channel.dirty = 1;
}

void Graph::FeedMinimum(bool sub, const _RECORD_DATA& record, int modelIndex) {
  GraphChannel& channel = sub ? subChannel : mainChannel;
  const std::int32_t range = sub ? record.subRange : record.mainRange;
  channel.minCount = sub ? record.subCount : record.mainCount;
  channel.minRange = range;
  if (range >= channel.maxRange) channel.decimals = ChannelDecimals(sub, record, range, modelIndex);
  channel.dirty = 1;
}

void Graph::Reset(int modelIndex) {
  for (GraphChannel* channel : {&mainChannel, &subChannel}) {
    channel->unitText.clear();
    channel->top = FamilyOf(modelIndex) == Family::RV736X ? 60000 : 6000;
    channel->bottom = 0;
    channel->decimals = 3;
  }
  subShown = 1;
  plotted = false;
}

void Graph::Draw(GraphCanvas& canvas, const GraphRect& area, const RecordStore& store, int modelIndex) {
  const std::int32_t count = store.recordCount();
  // A damaged file may name a first record before the store's first.
  const std::int32_t first = std::max(firstRecord, 1);
  const std::int64_t n = std::max<std::int64_t>(std::int64_t{count} - first + 1, 0);

  // A reset graph stays as the reset left it until the next run begins:
  // repainting it neither brings back the old run nor moves its axes.
  if (plotted) {
    if (IsRv736x(modelIndex) && n > 0) {
      const _RECORD_DATA firstOfRun = store.At(static_cast<std::size_t>(first - 1));
      mainChannel.function = firstOfRun.mainFunction;
      if (subShown) subChannel.function = firstOfRun.subFunction;
    }
    if (n <= 1) {
      timeSpan = To32(std::int64_t{baseInterval} * 10);
    } else {
      const double d = SecondsBetween(store.At(static_cast<std::size_t>(first - 1)).timeDate,
                                      store.At(static_cast<std::size_t>(count - 1)).timeDate);
      timeSpan = GrownTimeSpan(timeSpan, d);
    }
    const int points = static_cast<int>(std::min<std::int64_t>(n, std::numeric_limits<int>::max()));
    UpdateScale(mainChannel, modelIndex, points);
    if (subShown) UpdateScale(subChannel, modelIndex, points);
  }

  const GraphRect& a = area;
  canvas.FillWhite(a);
  canvas.Line(a.left, a.top, a.left, a.bottom - 1, kBorderGrey, false);
  canvas.Line(a.left, a.bottom - 1, a.right - 1, a.bottom - 1, kBorderGrey, false);
  canvas.Line(a.right - 1, a.bottom - 1, a.right - 1, a.top, kBorderGrey, false);

  const int tab = tabIndex == kGraphSub || tabIndex == kGraphBoth ? tabIndex : kGraphMain;
  const GraphRect p = PlotRect(a, tab);
  for (int i = 1; i <= 9; ++i) {
    const int y = p.top + p.Height() * i / 10;
    canvas.Line(p.left, y, p.right - 1, y, kGridGrey, true);
  }
  for (int i = 1; i <= 9; ++i) {
    const int x = p.left + p.Width() * i / 10;
    canvas.Line(x, p.top, x, p.bottom - 1, kGridGrey, true);
  }
  canvas.Line(p.left, p.top, p.left, p.bottom - 1, kBlack, false);
  canvas.Line(p.left, p.bottom - 1, p.right - 1, p.bottom - 1, kBlack, false);
  canvas.Line(p.right - 1, p.bottom - 1, p.right - 1, p.top, kBlack, false);
  canvas.Line(p.right - 1, p.top, p.left, p.top, kBlack, false);

  const GraphRect timeBox{p.left, a.bottom - 20, p.right, a.bottom};
  canvas.Text(timeBox, SpanText(0), kBlack, TextAlign::left, GraphFont::time);
  canvas.Text(timeBox, SpanText(timeSpan / 2), kBlack, TextAlign::centre, GraphFont::time);
  canvas.Text(timeBox, SpanText(timeSpan), kBlack, TextAlign::right, GraphFont::time);

  const GraphRect leftLabels{a.left, p.top, a.left + 44, a.bottom - 20};
  const GraphRect rightLabels{a.right - 44, p.top, a.right, a.bottom - 20};
  // Both plots of the two-scale tab come from one pass over the records;
  // the main plot is held back so that it still lies on top.
  const auto plot = [&](bool withSub, bool withMain) {
    if (!plotted) return;
    LineBuffer heldMain;
    const bool together = collapseColumns && withSub && withMain;
    Trace sub(subChannel, true, canvas, kSubBlue, collapseColumns);
    Trace main(mainChannel, false, together ? static_cast<GraphCanvas&>(heldMain) : canvas, kMainRed, collapseColumns);
    if (together) {
      Trace* const traces[] = {&sub, &main};
      Plotter(p, timeSpan, modelIndex, true).Plot(store, first, n, traces, 2);
      heldMain.DrawOn(canvas);
      return;
    }
    for (Trace* trace : {withSub ? &sub : nullptr, withMain ? &main : nullptr}) {
      if (trace) Plotter(p, timeSpan, modelIndex, collapseColumns).Plot(store, first, n, &trace, 1);
    }
  };
  switch (tab) {
    case kGraphMain:
      ScaleLabels(canvas, mainChannel, leftLabels, TextAlign::right);
      plot(false, true);
      break;
    case kGraphSub:
      if (!subShown) break;
      ScaleLabels(canvas, subChannel, leftLabels, TextAlign::right);
      plot(true, false);
      break;
    case kGraphBoth: {
      ScaleLabels(canvas, mainChannel, leftLabels, TextAlign::right);
      const GraphRect legend{a.right / 2 - 20, a.top + 4, a.right - 46, a.top + 21};
      canvas.Line(legend.left, legend.top, legend.right - 1, legend.top, kGridGrey, false);
      canvas.Line(legend.right - 1, legend.top, legend.right - 1, legend.bottom - 1, kGridGrey, false);
      canvas.Line(legend.right - 1, legend.bottom - 1, legend.left, legend.bottom - 1, kGridGrey, false);
      canvas.Line(legend.left, legend.bottom - 1, legend.left, legend.top, kGridGrey, false);
      const int w = legend.Width();
      canvas.Text({legend.left + 2, legend.top, legend.left + w / 2, legend.bottom},
                  u"-----" + UiWord(TextId::mainDisplay), kMainRed, TextAlign::centre, GraphFont::legend);
      canvas.Text({legend.left + w / 2, legend.top, legend.left + w - 2, legend.bottom},
                  u"-----" + UiWord(TextId::subDisplay), kSubBlue, TextAlign::centre, GraphFont::legend);
      canvas.Text({a.left, a.top, a.left + 46, a.top + 19}, u"[" + mainChannel.unitText + u"]", kMainRed,
                  TextAlign::centre, GraphFont::time);
      if (subShown) {
        canvas.Text({a.right - 46, a.top, a.right, a.top + 19}, u"[" + subChannel.unitText + u"]", kSubBlue,
                    TextAlign::centre, GraphFont::time);
        ScaleLabels(canvas, subChannel, rightLabels, TextAlign::left);
      }
      plot(subShown != 0, true);
      break;
    }
  }
}
