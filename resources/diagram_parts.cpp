#include "resources/diagram_parts.h"

#include <QPainterPath>
#include <QPolygonF>

void TitleBand(QPainter& p, const QString& english, const QString& japanese, const QColor& band, const QColor& ink) {
  p.fillRect(QRectF(0, 0, kDiagramWidth, kBandHeight), band);
  const bool both = !japanese.isEmpty() && japanese != english;
  const qreal room = kDiagramWidth - 16;
  const qreal gap = 10;
  qreal size = 21;
  QFont big = MakeFont(size, true);
  QFont small = MakeFont(size * 0.72, false);
  auto total = [&] { return TextWidth(big, english) + (both ? gap + TextWidth(small, japanese) : 0); };
  while (size > 9 && total() > room) {
    size -= 1;
    big = MakeFont(size, true);
    small = MakeFont(size * 0.72, false);
  }
  qreal x = (kDiagramWidth - total()) / 2;
  const qreal baseline = kBandHeight / 2 + QFontMetricsF(big).capHeight() / 2;
  p.setPen(ink);
  p.setFont(big);
  p.drawText(QPointF(x, baseline), english);
  if (both) {
    x += TextWidth(big, english) + gap;
    p.setFont(small);
    p.drawText(QPointF(x, baseline), japanese);
  }
}

JackLayout JacksOf(Family family) {
  switch (family) {
    case Family::RV732X:
      return {{{Terminal::Amp, "A"}, {Terminal::MilliAmp, "mA µA"}, {Terminal::Com, "COM"}, {Terminal::Volt, "V Ω"}}};
    case Family::RV734X:
      return {{{Terminal::Amp, "A"}, {Terminal::MilliAmp, "mA"}, {Terminal::Com, "COM"}, {Terminal::Volt, "V Ω"}}};
    case Family::RV736X:
      break;
  }
  return {{{Terminal::Com, "COM"}, {Terminal::Volt, "V"}, {Terminal::MilliAmp, "µA mA"}, {Terminal::Amp, "A"}}};
}

qreal JackX(int index) { return 52 + 75 * index; }

qreal JackX(const JackLayout& jacks, Terminal terminal) {
  for (int i = 0; i < int(jacks.size()); ++i) {
    if (jacks[i].terminal == terminal) return JackX(i);
  }
  return JackX(0);
}

void MeterTerminals(QPainter& p, const JackLayout& jacks) {
  p.setPen(Qt::NoPen);
  p.setBrush(kBody);
  p.drawRoundedRect(QRectF(8, kBodyTop, kDiagramWidth - 16, 80), 14, 14);
  const QFont font = MakeFont(12, true);
  for (int i = 0; i < int(jacks.size()); ++i) {
    const QPointF centre(JackX(i), kJackY);
    const bool com = jacks[i].terminal == Terminal::Com;
    p.setPen(QPen(QColor(0x8c, 0x95, 0x9e), 1.2));
    p.setBrush(com ? QColor(0x14, 0x14, 0x14) : kRedLead);
    p.drawEllipse(centre, 11, 11);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x0a, 0x0a, 0x0a));
    p.drawEllipse(centre, 5.5, 5.5);
    p.setPen(kBodyText);
    p.setFont(font);
    p.drawText(QRectF(centre.x() - 36, kJackY + 13, 72, 17), Qt::AlignCenter, jacks[i].label);
  }
}

void Plug(QPainter& p, qreal x, const QColor& colour) {
  p.setPen(QPen(colour.darker(150), 1));
  p.setBrush(colour);
  p.drawRoundedRect(QRectF(x - 4.5, kPlugTop, 9, 12), 2, 2);
  p.drawRoundedRect(QRectF(x - 8, kPlugTop + 10, 16, 26), 3, 3);
  p.setPen(QPen(colour.lighter(140), 1.5));
  p.drawLine(QPointF(x - 4, kPlugTop + 14), QPointF(x - 4, kPlugTop + 32));
}

void Cable(QPainter& p, QPointF from, QPointF to, const QColor& colour) {
  const qreal bend = (from.y() - to.y()) * 0.6;
  QPainterPath path(from);
  path.cubicTo(from.x(), from.y() - bend, to.x(), to.y() + bend, to.x(), to.y());
  p.setPen(QPen(colour, 4, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
}

void Probe(QPainter& p, QPointF tip, const QColor& colour, bool highVoltage) {
  p.setPen(QPen(kMetal, 2.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(tip, tip + QPointF(0, 9));
  p.setPen(QPen(colour.darker(150), 1));
  p.setBrush(colour);
  const qreal half = highVoltage ? 6.5 : 4.5;
  p.drawRoundedRect(QRectF(tip.x() - half, tip.y() + 9, 2 * half, kProbeLength - 9), 3, 3);
  p.drawRoundedRect(QRectF(tip.x() - half - 3, tip.y() + 12, 2 * half + 6, 3.5), 1.5, 1.5);
  if (highVoltage) {
    p.setPen(Qt::NoPen);
    p.setBrush(kAmber);
    p.drawRect(QRectF(tip.x() - half, tip.y() + 19, 2 * half, 4));
  }
}

void Dot(QPainter& p, QPointF at) {
  p.setPen(Qt::NoPen);
  p.setBrush(kWire);
  p.drawEllipse(at, 3.2, 3.2);
}

void WirePen(QPainter& p, qreal width) {
  p.setPen(QPen(kWire, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
}

void Tag(QPainter& p, QPointF centre, const QString& text, int pixels) {
  p.setPen(kMuted);
  p.setFont(MakeFont(pixels, true));
  p.drawText(QRectF(centre.x() - 60, centre.y() - 9, 120, 18), Qt::AlignCenter, text);
}

void SineWave(QPainter& p, QPointF centre, qreal halfWidth, qreal amplitude) {
  QPainterPath path(centre - QPointF(halfWidth, 0));
  path.cubicTo(centre + QPointF(-halfWidth * 0.6, -amplitude * 1.3),
               centre + QPointF(-halfWidth * 0.4, -amplitude * 1.3), centre);
  path.cubicTo(centre + QPointF(halfWidth * 0.4, amplitude * 1.3), centre + QPointF(halfWidth * 0.6, amplitude * 1.3),
               centre + QPointF(halfWidth, 0));
  p.drawPath(path);
}

void DcSign(QPainter& p, QPointF centre, qreal halfWidth) {
  p.drawLine(centre + QPointF(-halfWidth, -2), centre + QPointF(halfWidth, -2));
  const qreal dash = halfWidth * 2 / 5;
  for (int i = 0; i < 3; ++i) {
    const qreal x = centre.x() - halfWidth + 2 * dash * i;
    p.drawLine(QPointF(x, centre.y() + 2.5), QPointF(x + dash, centre.y() + 2.5));
  }
}

void Source(QPainter& p, QPointF centre, qreal radius, Wave wave, bool plusOnRight) {
  WirePen(p);
  p.setBrush(kPaper);
  p.drawEllipse(centre, radius, radius);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kWire, 1.7, Qt::SolidLine, Qt::RoundCap));
  switch (wave) {
    case Wave::Ac:
      SineWave(p, centre, radius * 0.6, radius * 0.35);
      break;
    case Wave::Dc:
      DcSign(p, centre, radius * 0.5);
      break;
    case Wave::AcDc:
      SineWave(p, centre + QPointF(0, -radius * 0.3), radius * 0.5, radius * 0.22);
      DcSign(p, centre + QPointF(0, radius * 0.35), radius * 0.45);
      break;
  }
  if (wave != Wave::Ac) {
    const qreal side = plusOnRight ? 1 : -1;
    p.setPen(QPen(kWire, 1.6));
    const QPointF plus = centre + QPointF(side * (radius + 7), -radius * 0.75);
    p.drawLine(plus + QPointF(-3.5, 0), plus + QPointF(3.5, 0));
    p.drawLine(plus + QPointF(0, -3.5), plus + QPointF(0, 3.5));
  }
}

void Resistor(QPainter& p, QPointF centre, qreal halfWidth, qreal amplitude) {
  QPainterPath path(centre - QPointF(halfWidth, 0));
  const int peaks = 6;
  const qreal step = 2 * halfWidth / peaks;
  for (int i = 0; i < peaks; ++i) {
    const qreal x = centre.x() - halfWidth + step * (i + 0.5);
    path.lineTo(x, centre.y() + (i % 2 == 0 ? -amplitude : amplitude));
  }
  path.lineTo(centre + QPointF(halfWidth, 0));
  WirePen(p);
  p.drawPath(path);
}

void Speaker(QPainter& p, QPointF centre) {
  p.setPen(Qt::NoPen);
  p.setBrush(kWire);
  const qreal x = centre.x() - 9;
  const qreal y = centre.y();
  p.drawPolygon(QPolygonF({QPointF(x, y - 3.5), QPointF(x + 4, y - 3.5), QPointF(x + 9, y - 8), QPointF(x + 9, y + 8),
                           QPointF(x + 4, y + 3.5), QPointF(x, y + 3.5)}));
  p.setPen(QPen(kWire, 1.7, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(x + 6, y - 5, 10, 10), -50 * 16, 100 * 16);
  p.drawArc(QRectF(x + 5, y - 9, 18, 18), -50 * 16, 100 * 16);
}
