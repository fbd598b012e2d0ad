// The status strip's icons.
#include <QPolygonF>
#include <array>
#include <string_view>

#include "resources/picture_sets.h"
#include "resources/picture_style.h"

namespace {

void IconFrame(QPainter& p, int width, bool on, const QColor& onColour) {
  p.setPen(QPen(on ? onColour : kIconOff, 1.0));
  p.setBrush(on ? QBrush(onColour) : QBrush(Qt::NoBrush));
  p.drawRoundedRect(QRectF(0.5, 0.5, width - 1.0, kIconHeight - 1.0), 5, 5);
}

QImage TextIcon(int width, const QString& text, bool on, const QColor& onColour = kIconOn) {
  QImage image = Canvas(width, kIconHeight, Qt::white);
  QPainter p(&image);
  Smooth(p);
  IconFrame(p, width, on, onColour);
  p.setPen(on ? kIconText : kIconOffText);
  p.setFont(FittingFont(text, 13, width - 8, true));
  p.drawText(QRectF(0, 0, width, kIconHeight), Qt::AlignCenter, text);
  return image;
}

QImage BuzzerIcon(int width, bool on) {
  QImage image = Canvas(width, kIconHeight, Qt::white);
  QPainter p(&image);
  Smooth(p);
  IconFrame(p, width, on, kIconOn);
  const QColor ink = on ? kIconText : kIconOffText;
  const qreal x = width / 2.0 - 9;
  p.setPen(Qt::NoPen);
  p.setBrush(ink);
  p.drawPolygon(QPolygonF({QPointF(x, 7.5), QPointF(x + 3.5, 7.5), QPointF(x + 8, 3.5), QPointF(x + 8, 16.5),
                           QPointF(x + 3.5, 12.5), QPointF(x, 12.5)}));
  p.setPen(QPen(ink, 1.5, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(x + 6, 6.5, 7, 7), -50 * 16, 100 * 16);
  p.drawArc(QRectF(x + 5, 3.5, 13, 13), -50 * 16, 100 * 16);
  return image;
}

// bars 0-3; `off` draws the grey battery of the unconnected panel.
QImage BatteryIcon(int width, int bars, bool off) {
  QImage image = Canvas(width, kIconHeight, Qt::white);
  QPainter p(&image);
  Smooth(p);
  const QColor ink = off ? kIconOff : (bars == 0 ? kIconOver : kIconOn);
  p.setPen(QPen(ink, 1.6));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(1.8, 3.8, 28.4, 12.4), 2, 2);
  p.setPen(Qt::NoPen);
  p.setBrush(ink);
  p.drawRoundedRect(QRectF(31, 7.5, 3.5, 5), 1, 1);
  for (int i = 0; i < bars; ++i) p.drawRect(QRectF(4.5 + 8.2 * i, 6.5, 6.4, 7));
  return image;
}

}  // namespace

void WriteStatusIcons(Output& out) {
  struct Mode {
    const char* name;
    int width;
    QString text;
  };
  // Widths follow the strip's x offsets 0, 72, 114, 181, 240, 280, 324.
  const std::array<Mode, 6> modes = {{{"over", 68, "OVER"},
                                      {"rel", 38, "REL"},
                                      {"filter", 63, "FILTER"},
                                      {"slow", 55, "SLOW"},
                                      {"buzz", 36, ""},
                                      {"aps", 40, "APS"}}};
  for (const Mode& mode : modes) {
    for (const bool on : {true, false}) {
      const QString name = QString("common/st_%1_%2").arg(mode.name, on ? "on" : "off");
      if (mode.text.isEmpty()) {
        out.Write(BuzzerIcon(mode.width, on), name);
      } else {
        out.Write(TextIcon(mode.width, mode.text, on, std::string_view(mode.name) == "over" ? kIconOver : kIconOn),
                  name);
      }
    }
  }
  constexpr int kBatteryWidth = 36;
  for (int bars = 0; bars <= 3; ++bars)
    out.Write(BatteryIcon(kBatteryWidth, bars, false), QString("common/st_batt%1").arg(bars));
  out.Write(BatteryIcon(kBatteryWidth, 3, true), "common/st_batt3_off");
}
