// Draws the program's own icon, a handheld meter in its holster, once as
// vector paths: written as an SVG and as a PNG of each size that desktops
// look for, in the icon theme's folder layout.
//
//   icon_generator OUTPUT_FOLDER NAME
//     writes OUTPUT_FOLDER/hicolor/<n>x<n>/apps/NAME.png and
//            OUTPUT_FOLDER/hicolor/scalable/apps/NAME.svg
//
// Needs no display: it runs on Qt's offscreen platform.

#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPainterPath>
#include <QSvgGenerator>
#include <cstdio>

#include "resources/picture_style.h"

namespace {

// The drawing's own square; every size is this one scaled.
constexpr int kGrid = 256;
constexpr int kSizes[] = {16, 24, 32, 48, 64, 128, 256};

const QColor kLcd(0xc8, 0xd6, 0xc4);

void DrawIcon(QPainter& p) {
  Smooth(p);
  p.setPen(Qt::NoPen);
  // The holster, then the meter's face inside it.
  p.setBrush(kAmber);
  p.drawRoundedRect(QRectF(36, 8, 184, 240), 34, 34);
  p.setBrush(kBody);
  p.drawRoundedRect(QRectF(52, 24, 152, 208), 20, 20);
  // The display with a reading on it.
  p.setBrush(kLcd);
  p.drawRoundedRect(QRectF(68, 40, 120, 62), 8, 8);
  QPainterPath reading;
  QFont digits = MakeFont(44, true);
  reading.addText(0, 0, digits, "1.04");
  const QRectF shape = reading.boundingRect();
  p.setBrush(kInk);
  p.drawPath(reading.translated(QPointF(128, 71) - shape.center()));
  // The rotary switch, its pointer and the marks of its positions.
  const QPointF dial(128, 156);
  p.setBrush(kMetal);
  p.drawEllipse(dial, 34, 34);
  p.setPen(QPen(kBodyText, 7, Qt::SolidLine, Qt::RoundCap));
  for (int angle = -60; angle <= 60; angle += 30) {
    QLineF mark = QLineF::fromPolar(46, 90 + angle).translated(dial);
    mark.setP1(mark.pointAt(0.85));
    p.drawLine(mark);
  }
  p.setPen(QPen(kInk, 10, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QLineF::fromPolar(26, 120).translated(dial));
  // The two input jacks, red and black.
  p.setPen(QPen(kMetal, 5));
  p.setBrush(kRedLead);
  p.drawEllipse(QPointF(96, 210), 11, 11);
  p.setBrush(kBlackLead);
  p.drawEllipse(QPointF(160, 210), 11, 11);
}

bool WritePng(const QString& folder, const QString& name, int size) {
  const QString dir = QString("%1/hicolor/%2x%2/apps").arg(folder).arg(size);
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.scale(qreal(size) / kGrid, qreal(size) / kGrid);
  DrawIcon(p);
  p.end();
  return QDir().mkpath(dir) && image.save(dir + "/" + name + ".png");
}

bool WriteSvg(const QString& folder, const QString& name) {
  const QString dir = folder + "/hicolor/scalable/apps";
  if (!QDir().mkpath(dir)) return false;
  QSvgGenerator svg;
  svg.setFileName(dir + "/" + name + ".svg");
  svg.setSize(QSize(kGrid, kGrid));
  svg.setViewBox(QRect(0, 0, kGrid, kGrid));
  svg.setTitle("Quorvia for RV7300s");
  QPainter p;
  if (!p.begin(&svg)) return false;
  DrawIcon(p);
  return p.end();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: icon_generator OUTPUT_FOLDER NAME\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  UseFontFamily(QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
  const QString folder = QString::fromLocal8Bit(argv[1]);
  const QString name = QString::fromLocal8Bit(argv[2]);
  bool written = WriteSvg(folder, name);
  if (!written) std::fprintf(stderr, "icon_generator: cannot write the SVG icon into %s\n", argv[1]);
  for (const int size : kSizes) {
    if (WritePng(folder, name, size)) continue;
    std::fprintf(stderr, "icon_generator: cannot write the %dx%d icon into %s\n", size, size, argv[1]);
    written = false;
  }
  return written ? 0 : 1;
}
