// The graph of the current interval run: its scales, its time axis and the
// drawing, onto a canvas the shell provides.  The scale and geometry
// arithmetic are plain functions so that they can be checked number by
// number.
#pragma once

#include <cstdint>
#include <string>

#include "monitor/record_data.h"

class RecordStore;

struct GraphRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const GraphRect&) const = default;
};

// The vertical scale of one reading (main or sub).
struct GraphChannel {
  std::int32_t function = 0;  // of the run's first record (RES rule of the RV736X)
  std::int32_t top = 6000;    // count at the top edge of the plot
  std::int32_t bottom = 0;    // count at the bottom edge
  std::int32_t range = 0;     // range whose units top, bottom and the plot count in
  std::int32_t maxCount = 0, maxRange = 0;
  std::int32_t minCount = 0, minRange = 0;
  std::int32_t decimals = 3;  // of the scale labels
  std::u16string unitText;    // shown in brackets on the two-scale tab
  std::int32_t enabled = 1;
  std::int32_t dirty = 0;  // an extreme changed since the scale was computed
  bool operator==(const GraphChannel&) const = default;
};

// Recomputes top, bottom and range from the extremes when enabled and
// dirty (clears dirty).  `pointCount` is the run's record count: nothing
// more happens below 1.
void UpdateScale(GraphChannel& channel, int modelIndex, int pointCount);
// One growth step of the time axis; `spanSeconds` = seconds from the run's
// first record to its newest.
std::int32_t GrownTimeSpan(std::int32_t timeSpan, double spanSeconds);
// Label i (0 at the top .. 5 at the bottom) of a channel's scale.
std::u16string ScaleLabelText(const GraphChannel& channel, int i);
// "%02d:%02d:%02d" of whole seconds.
std::u16string SpanText(std::int32_t seconds);

// Tabs of the graph page.
enum GraphTab : int { kGraphMain = 0, kGraphSub = 1, kGraphBoth = 2 };
// The plot rectangle in the drawing area.
GraphRect PlotRect(const GraphRect& area, int tab);

// What the drawing needs of a surface.  Colours are 0xRRGGBB.
enum class GraphFont { time, scale, legend };  // 13x6, 13x5, 12x6 pixels
enum class TextAlign { left, centre, right };
class GraphCanvas {
 public:
  virtual ~GraphCanvas() = default;
  virtual void FillWhite(const GraphRect& area) = 0;
  // A 1-pixel line from (x1, y1) to (x2, y2), end point included.
  virtual void Line(int x1, int y1, int x2, int y2, std::uint32_t colour, bool dotted) = 0;
  // One line of text, vertically centred in `box`.
  virtual void Text(const GraphRect& box, std::u16string_view text, std::uint32_t colour, TextAlign align,
                    GraphFont font) = 0;
};

// The graph's state; the recording file keeps the channels, timeSpan,
// baseInterval, firstRecord and subShown.
class Graph {
 public:
  // Start of a run: the run begins at record `recordCount`, its ranges are
  // those of the template.
  void Prime(const _RECORD_DATA& record, std::int32_t recordCount, bool hasSub);
  // A graph extreme of the main (sub = false) or sub reading was replaced by
  // the template's reading, whose unit text is `unitText`.
  void FeedMaximum(bool sub, const _RECORD_DATA& record, std::u16string_view unitText, int modelIndex);
  void FeedMinimum(bool sub, const _RECORD_DATA& record, int modelIndex);
  // Empty scales (drawn by Draw with no plot until the next run).
  void Reset(int modelIndex);
  // The whole picture into `area` of the canvas: time span and scale
  // updates, background, grid, labels, and the plot of the run's records
  // (unless reset since the last run).
  void Draw(GraphCanvas& canvas, const GraphRect& area, const RecordStore& store, int modelIndex);

  int tabIndex = kGraphMain;
  GraphChannel mainChannel;
  GraphChannel subChannel;
  std::int32_t timeSpan = 10;
  std::int32_t baseInterval = 1;
  std::int32_t firstRecord = 1;
  std::int32_t subShown = 1;
  bool plotted = true;  // false after Reset: the empty graph until the next run's first record
  // Consecutive points in one pixel column are drawn as one vertical line,
  // and the two plots of the two-scale tab come from one pass; false draws
  // every segment plainly (the same pixels, for checking that).
  bool collapseColumns = true;
};
