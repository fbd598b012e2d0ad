#include "shell/qt/graph_page.h"

#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QTabBar>
#include <algorithm>
#include <cmath>
#include <iterator>

#include "shell/qt/fonts.h"
#include "shell/qt/qt_text.h"
#include "text/ui_text.h"

namespace {

constexpr TextId kTabs[] = {TextId::mainDisplay, TextId::subDisplay, TextId::mainAndSubDisplay};

QColor Colour(std::uint32_t rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// Height and average character width in pixels, as the Windows program asks
// for them; the width is reached by stretching whatever family stands in.
QFont MakeFont(int height, int width) {
  QFont font = PanelFont("MS UI Gothic", height);
  const int average = QFontMetrics(font).averageCharWidth();
  if (average > 0 && average != width) font.setStretch(static_cast<int>(std::lround(100.0 * width / average)));
  return font;
}

const QFont& FontOf(GraphFont which) {
  static const std::array<QFont, 3> fonts{MakeFont(13, 6), MakeFont(13, 5), MakeFont(12, 6)};
  switch (which) {
    case GraphFont::time:
      return fonts[0];
    case GraphFont::scale:
      return fonts[1];
    case GraphFont::legend:
      return fonts[2];
  }
  return fonts[0];
}

}  // namespace

QtGraphCanvas::QtGraphCanvas(QPainter& painter) : painter_(painter) {
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::TextAntialiasing, false);
}

void QtGraphCanvas::FillWhite(const GraphRect& area) {
  painter_.fillRect(QRect(area.left, area.top, area.Width(), area.Height()), Qt::white);
}

void QtGraphCanvas::Line(int x1, int y1, int x2, int y2, std::uint32_t colour, bool dotted) {
  // A square cap keeps the end point, as the canvas promises.
  painter_.setPen(QPen(Colour(colour), 1, dotted ? Qt::DotLine : Qt::SolidLine, Qt::SquareCap));
  painter_.drawLine(x1, y1, x2, y2);
}

void QtGraphCanvas::Text(const GraphRect& box, std::u16string_view text, std::uint32_t colour, TextAlign align,
                         GraphFont font) {
  const Qt::Alignment horizontal = align == TextAlign::left    ? Qt::AlignLeft
                                   : align == TextAlign::right ? Qt::AlignRight
                                                               : Qt::AlignHCenter;
  painter_.setFont(FontOf(font));
  painter_.setPen(Colour(colour));
  painter_.drawText(QRect(box.left, box.top, box.Width(), box.Height()),
                    static_cast<int>(horizontal | Qt::AlignVCenter | Qt::TextSingleLine), Q(text));
}

// kDrawingArea: shows the page's picture.
class CPpgGraph::Area : public QWidget {
 public:
  Area(CPpgGraph* page) : QWidget(page), page_(page) { setAttribute(Qt::WA_OpaquePaintEvent); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    page_->PaintArea(painter);
  }

 private:
  CPpgGraph* page_;
};

CPpgGraph::CPpgGraph(Graph& graph, const RecordStore& store, std::function<int()> modelIndex, QWidget* parent)
    : QWidget(parent), graph_(graph), store_(store), modelIndex_(std::move(modelIndex)) {
  setObjectName("CPpgGraph");
  tabs_ = new QTabBar(this);
  tabs_->setObjectName(QString::number(kTabControl));
  tabs_->setExpanding(false);
  tabs_->setStyleSheet("QTabBar::tab { padding: 3px 20px; }");
  for (const TextId tab : kTabs) tabs_->addTab(Q(Word(tab, 0)));
  tabs_->setCurrentIndex(0);
  area_ = new Area(this);
  area_->setObjectName(QString::number(kDrawingArea));
  Place();

  graph_.tabIndex = kGraphMain;
  graph_.firstRecord = 1;
  graph_.mainChannel.enabled = graph_.subChannel.enabled = 1;
  ResetGraph();
  connect(tabs_, &QTabBar::currentChanged, this, [this](int tab) {
    graph_.tabIndex = tab;
    RedrawGraph();
  });
}

QWidget* CPpgGraph::Control(int id) const {
  if (id == kTabControl) return tabs_;
  if (id == kDrawingArea) return area_;
  return nullptr;
}

void CPpgGraph::ResetGraph() {
  graph_.Reset(modelIndex_());
  RedrawGraph();
}

void CPpgGraph::RedrawGraph() {
  picture_ = Picture();
  fresh_ = true;
  area_->update();
}

void CPpgGraph::CopyGraph() {
  QImage image = Picture();
  if (image.isNull()) return;
  {
    QPainter painter(&image);
    QtGraphCanvas(painter).Line(0, 0, image.width() - 1, 0, 0x808080, false);
  }
  if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setImage(image);
}

void CPpgGraph::Relabel(int language) {
  for (int i = 0; i < static_cast<int>(std::size(kTabs)); ++i) tabs_->setTabText(i, Q(Word(kTabs[i], language)));
  RedrawGraph();
}

void CPpgGraph::resizeEvent(QResizeEvent*) { Place(); }

// By hand rather than by a layout: a hidden page is resized before it is
// shown, and the graph is drawn while hidden too.
void CPpgGraph::Place() {
  const int tabHeight = tabs_->sizeHint().height();
  tabs_->setGeometry(0, 0, width(), tabHeight);
  area_->setGeometry(0, tabHeight, width(), std::max(height() - tabHeight, 0));
}

// Every drawing moves the graph's state on (its time axis grows a step when
// the data reach its end), so each one is a whole drawing of the core.
QImage CPpgGraph::Picture() {
  Place();
  const QSize size = area_->size();
  if (size.isEmpty()) return {};
  QImage image(size, QImage::Format_RGB32);
  QPainter painter(&image);
  QtGraphCanvas canvas(painter);
  graph_.Draw(canvas, {0, 0, size.width(), size.height()}, store_, modelIndex_());
  return image;
}

// A paint that follows a redraw shows that picture; any other paint (an
// expose, a resize) draws anew.
void CPpgGraph::PaintArea(QPainter& painter) {
  if (!fresh_ || picture_.size() != area_->size()) picture_ = Picture();
  fresh_ = false;
  if (!picture_.isNull()) painter.drawImage(0, 0, picture_);
}
