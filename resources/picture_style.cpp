#include "resources/picture_style.h"

#include <QFontMetricsF>

namespace {
QString fontFamily;
}  // namespace

void UseFontFamily(const QString& family) { fontFamily = family; }
const QString& FontFamily() { return fontFamily; }

QFont MakeFont(qreal pixels, bool bold) {
  QFont font(FontFamily());
  font.setPixelSize(qMax(1, qRound(pixels)));
  font.setBold(bold);
  return font;
}

qreal TextWidth(const QFont& font, const QString& text) { return QFontMetricsF(font).horizontalAdvance(text); }

QFont FittingFont(const QString& text, int pixels, qreal width, bool bold) {
  QFont font = MakeFont(pixels, bold);
  while (pixels > 8 && TextWidth(font, text) > width) font = MakeFont(--pixels, bold);
  return font;
}

QImage Canvas(int width, int height, const QColor& colour) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

void Smooth(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
}
