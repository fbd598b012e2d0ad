// CPpgGraph: the graph page.  Three tabs (main, sub, both) over the drawing
// area, which the core's Graph paints through QPainter.
#pragma once

#include <QImage>
#include <QWidget>
#include <array>
#include <functional>

#include "recording/graph.h"
#include "recording/recording_engine.h"

class QPainter;
class QTabBar;

// The graph's canvas over a QPainter: aliased 1-pixel lines with both end
// points, texts in the page's three fonts.
class QtGraphCanvas : public GraphCanvas {
 public:
  explicit QtGraphCanvas(QPainter& painter);
  void FillWhite(const GraphRect& area) override;
  void Line(int x1, int y1, int x2, int y2, std::uint32_t colour, bool dotted) override;
  void Text(const GraphRect& box, std::u16string_view text, std::uint32_t colour, TextAlign align,
            GraphFont font) override;

 private:
  QPainter& painter_;
};

class CPpgGraph : public QWidget, public GraphPage {
 public:
  static constexpr int kTabControl = 1105;
  static constexpr int kDrawingArea = 1106;

  // `modelIndex` gives the current model index whenever the graph is drawn.
  CPpgGraph(Graph& graph, const RecordStore& store, std::function<int()> modelIndex, QWidget* parent);

  // Empty scales, drawn at once.
  void ResetGraph() override;
  // The whole picture drawn now and shown at the next paint.
  void RedrawGraph() override;
  // The picture with a closed border onto the clipboard as an image.
  void CopyGraph();
  // The tab labels in `language` (0 Japanese, 1 English); redraws, since the
  // legend follows the catalogue's language.
  void Relabel(int language);

  QWidget* Control(int id) const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  class Area;
  void Place();
  QImage Picture();
  void PaintArea(QPainter& painter);

  Graph& graph_;
  const RecordStore& store_;
  std::function<int()> modelIndex_;
  QTabBar* tabs_;
  Area* area_;
  QImage picture_;
  bool fresh_ = false;  // picture_ drawn since the last paint
};
