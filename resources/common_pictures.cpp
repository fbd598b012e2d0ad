// The pictures every model shares: the lead-terminal warnings, the meter
// not connected, the cable to check.
#include <QPainterPath>
#include <QPolygonF>
#include <QStringList>
#include <cmath>

#include "resources/diagram_parts.h"
#include "resources/picture_sets.h"

namespace {

void WarningTriangle(QPainter& p, QPointF centre, qreal size, bool filled, bool highVoltage) {
  const QPolygonF triangle({centre + QPointF(0, -size * 0.55), centre + QPointF(size * 0.6, size * 0.45),
                            centre + QPointF(-size * 0.6, size * 0.45)});
  p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(filled ? QBrush(kAmber) : QBrush(kPaper));
  p.drawPolygon(triangle);
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  const qreal u = size / 20;
  const QPointF c = centre + QPointF(0, size * 0.12);
  if (highVoltage) {
    p.drawPolygon(
        QPolygonF({c + QPointF(1.5 * u, -6.5 * u), c + QPointF(-3.5 * u, 1 * u), c + QPointF(-0.2 * u, 1 * u),
                   c + QPointF(-1.5 * u, 6.5 * u), c + QPointF(3.5 * u, -1 * u), c + QPointF(0.2 * u, -1 * u)}));
  } else {
    p.drawRoundedRect(QRectF(c.x() - 1.1 * u, c.y() - 6 * u, 2.2 * u, 8 * u), u, u);
    p.drawEllipse(c + QPointF(0, 4.8 * u), 1.3 * u, 1.3 * u);
  }
}

void TextLines(QPainter& p, const QRectF& box, const QStringList& lines, int pixels, const QColor& ink) {
  QFont font = MakeFont(pixels, false);
  for (const QString& line : lines) {
    if (TextWidth(font, line) > box.width()) font = FittingFont(line, font.pixelSize(), box.width(), false);
  }
  p.setFont(font);
  p.setPen(ink);
  const qreal lineHeight = QFontMetricsF(font).height() + 2;
  qreal y = box.top() + (box.height() - lineHeight * lines.size()) / 2;
  for (const QString& line : lines) {
    p.drawText(QRectF(box.left(), y, box.width(), lineHeight), Qt::AlignLeft | Qt::AlignVCenter, line);
    y += lineHeight;
  }
}

// The lead-terminal warning: phase a shows the red lead in the current
// terminal, phase b where it belongs.
QImage LeadWarning(bool voltage, bool phaseA) {
  QImage image = Canvas(kDiagramWidth, kDiagramHeight, kPaper);
  QPainter p(&image);
  Smooth(p);
  TitleBand(p, "Check the test leads", "テストリード確認", voltage ? kWarning : kCaution, kIconText);
  WarningTriangle(p, QPointF(50, 70), 56, phaseA, voltage);
  QStringList lines;
  if (voltage) {
    lines = phaseA ? QStringList{"Voltage function, but the", "red lead is in a current", "terminal (A / mA)."}
                   : QStringList{"Move the red lead", "to the V terminal", "before measuring voltage."};
  } else {
    lines = phaseA
                ? QStringList{"A test lead is in a current", "terminal (A / mA), but the", "function is not current."}
                : QStringList{"Choose a current function,", "or move the red lead", "to the V terminal."};
  }
  TextLines(p, QRectF(98, 38, kDiagramWidth - 106, 82), lines, 14, kInk);
  const JackLayout jacks = JacksOf(Family::RV732X);
  MeterTerminals(p, jacks);
  const qreal comJack = JackX(jacks, Terminal::Com);
  const qreal wrongJack = JackX(jacks, Terminal::Amp);
  const qreal rightJack = JackX(jacks, Terminal::Volt);
  const qreal redJack = phaseA ? wrongJack : rightJack;
  Cable(p, QPointF(comJack, kPlugTop), QPointF(comJack - 8, kPlugTop - 18), kBlackLead);
  Cable(p, QPointF(redJack, kPlugTop), QPointF(redJack + 8, kPlugTop - 18), kRedLead);
  Plug(p, comJack, kBlackLead);
  Plug(p, redJack, kRedLead);
  if (phaseA) {
    p.setPen(QPen(kWarning, 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(wrongJack - 16, kPlugTop - 5, 32, kJackY + 13 - (kPlugTop - 5)), 6, 6);
  } else {
    // A cross over the terminal the lead came from.
    p.setPen(QPen(kWarning, 3, Qt::SolidLine, Qt::RoundCap));
    const QPointF c(wrongJack, kJackY);
    p.drawLine(c + QPointF(-8, -8), c + QPointF(8, 8));
    p.drawLine(c + QPointF(-8, 8), c + QPointF(8, -8));
  }
  return image;
}

// A small front view of a meter of the family.
void MeterFront(QPainter& p, const QRectF& r, Family family) {
  const bool dual = family == Family::RV736X;
  const QColor holster = dual ? QColor(0x2a, 0x8c, 0x82) : QColor(0xf0, 0xa8, 0x30);
  p.setPen(QPen(holster.darker(140), 1.5));
  p.setBrush(holster);
  p.drawRoundedRect(r, 14, 14);
  const QRectF face = r.adjusted(8, 8, -8, -8);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x2f, 0x35, 0x3b));
  p.drawRoundedRect(face, 8, 8);
  const QRectF lcd(face.left() + 7, face.top() + 7, face.width() - 14, dual ? 44 : 36);
  p.setPen(QPen(QColor(0x7d, 0x8c, 0x6e), 1));
  p.setBrush(QColor(0xc9, 0xd6, 0xba));
  p.drawRoundedRect(lcd, 3, 3);
  p.setPen(QColor(0x2b, 0x33, 0x28));
  p.setFont(MakeFont(20, true));
  p.drawText(QRectF(lcd.left(), lcd.top() + 2, lcd.width() - 6, 26), Qt::AlignRight | Qt::AlignVCenter, "----");
  if (dual) {
    p.setFont(MakeFont(11, true));
    p.drawText(QRectF(lcd.left(), lcd.bottom() - 15, lcd.width() - 6, 13), Qt::AlignRight | Qt::AlignVCenter, "---");
  }
  // Keys.
  const int keys = dual ? 4 : 3;
  const qreal keyWidth = (lcd.width() - (keys - 1) * 4) / keys;
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x90, 0x9a, 0xa4));
  for (int i = 0; i < keys; ++i)
    p.drawRoundedRect(QRectF(lcd.left() + i * (keyWidth + 4), lcd.bottom() + 6, keyWidth, 8), 2, 2);
  const qreal keysBottom = lcd.bottom() + 14;
  // Terminals along the bottom, the family name above them, the rotary
  // switch in the room left between the keys and the name.
  const qreal jackY = face.bottom() - 9;
  const QRectF nameBox(face.left(), jackY - 22, face.width(), 13);
  const qreal dialRadius = qMin<qreal>(21, (nameBox.top() - keysBottom) / 2 - 3);
  const QPointF dial(face.center().x(), (keysBottom + nameBox.top()) / 2);
  p.setBrush(QColor(0x1b, 0x1f, 0x23));
  p.setPen(QPen(QColor(0x90, 0x9a, 0xa4), 1.2));
  p.drawEllipse(dial, dialRadius, dialRadius);
  p.setPen(QPen(holster, 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(dial, dial + QPointF(-0.45, -0.7) * dialRadius);
  p.setPen(kBodyText);
  p.setFont(MakeFont(10, true));
  p.drawText(nameBox, Qt::AlignCenter, dual ? "RV736X" : "RV732X");
  for (int i = 0; i < 4; ++i) {
    const qreal x = face.left() + face.width() * (i + 0.5) / 4;
    p.setPen(Qt::NoPen);
    p.setBrush(i == (dual ? 0 : 2) ? QColor(0x10, 0x10, 0x10) : kRedLead);
    p.drawEllipse(QPointF(x, jackY), 5, 5);
  }
}

void Laptop(QPainter& p, const QRectF& screen) {
  p.setPen(QPen(kSensor, 1.5));
  p.setBrush(QColor(0x54, 0x6e, 0x7a));
  p.drawRoundedRect(screen, 5, 5);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xbb, 0xde, 0xfb));
  p.drawRect(screen.adjusted(6, 6, -6, -6));
  p.setBrush(QColor(0x90, 0xa4, 0xae));
  p.setPen(QPen(kSensor, 1.5));
  p.drawPolygon(QPolygonF({QPointF(screen.left() - 4, screen.bottom()), QPointF(screen.right() + 4, screen.bottom()),
                           QPointF(screen.right() + 12, screen.bottom() + 10),
                           QPointF(screen.left() - 12, screen.bottom() + 10)}));
}

// A USB-A plug whose tip points right, ending at `tip`.
void UsbPlug(QPainter& p, QPointF tip, const QColor& colour) {
  p.setPen(QPen(colour.darker(140), 1));
  p.setBrush(colour);
  p.drawRoundedRect(QRectF(tip.x() - 34, tip.y() - 7, 20, 14), 3, 3);
  p.setBrush(kMetal);
  p.drawRect(QRectF(tip.x() - 15, tip.y() - 5.5, 15, 11));
  p.setPen(Qt::NoPen);
  p.setBrush(kSensor);
  p.drawRect(QRectF(tip.x() - 11, tip.y() - 3, 3, 2));
  p.drawRect(QRectF(tip.x() - 11, tip.y() + 1, 3, 2));
}

void UsbCable(QPainter& p, QPointF from, QPointF plugTip, const QColor& colour) {
  const QPointF end = plugTip - QPointF(34, 0);
  QPainterPath path(from);
  path.cubicTo(from + QPointF(40, 0), end - QPointF(50, 0), end);
  p.setPen(QPen(colour, 4, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
  UsbPlug(p, plugTip, colour);
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour) {
  p.setPen(QPen(colour, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawLine(from, to);
  const QPointF d = (to - from) / std::sqrt(QPointF::dotProduct(to - from, to - from));
  const QPointF n(-d.y(), d.x());
  p.drawPolyline(QPolygonF({to - d * 8 + n * 6, to, to - d * 8 - n * 6}));
}

// The meter is not connected: the meter, its cable and the PC; phase a
// highlights the cable.
QImage Unconnected(Family family, bool phaseA) {
  QImage image = Canvas(kDiagramWidth, kDiagramHeight, kPaper);
  QPainter p(&image);
  Smooth(p);
  TitleBand(p, "UUT Unconnected", "測定器未接続");
  MeterFront(p, QRectF(18, 38, 94, 150), family);
  const QRectF screen(222, 44, 86, 58);
  Laptop(p, screen);
  const QPointF port(screen.left() - 10, screen.bottom() + 5);
  const QColor cable = phaseA ? kAccent : QColor(0x78, 0x84, 0x90);
  UsbCable(p, QPointF(112, 66), port - QPointF(phaseA ? 0 : 14, 0), cable);
  p.setPen(QPen(kSensor, 1.5));
  p.setBrush(kInk);
  p.drawRect(QRectF(port.x() - 1, port.y() - 6, 4, 12));
  if (phaseA) Arrow(p, port + QPointF(-60, 24), port + QPointF(-30, 10), kAccent);
  TextLines(p, QRectF(128, 126, kDiagramWidth - 134, 62),
            {"Turn the meter on and", "connect its USB cable", "to this PC."}, 14, kInk);
  return image;
}

// No adapter at all: check the cable.
QImage CheckCable(bool phaseA) {
  QImage image = Canvas(kDiagramWidth, kDiagramHeight, kPaper);
  QPainter p(&image);
  Smooth(p);
  TitleBand(p, "Check the cable", "ケーブルを確認");
  const QRectF screen(214, 46, 96, 62);
  Laptop(p, screen);
  const QPointF port(screen.left() - 10, screen.bottom() + 5);
  p.setPen(QPen(kSensor, 1.5));
  p.setBrush(kInk);
  p.drawRect(QRectF(port.x() - 1, port.y() - 6, 4, 12));
  const QColor cable = phaseA ? kAccent : QColor(0x78, 0x84, 0x90);
  const QPointF plugTip = port - QPointF(26, 0);
  // The meter's cable with its adapter housing.
  QPainterPath path(QPointF(14, 70));
  path.cubicTo(QPointF(40, 70), QPointF(50, 113), QPointF(70, 113));
  p.setPen(QPen(cable, 4, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
  p.drawLine(QPointF(118, 113), plugTip - QPointF(34, 0));
  p.setPen(QPen(cable.darker(140), 1));
  p.setBrush(cable);
  p.drawRoundedRect(QRectF(70, 103, 48, 20), 5, 5);
  p.setPen(kIconText);
  p.setFont(MakeFont(11, true));
  p.drawText(QRectF(70, 103, 48, 20), Qt::AlignCenter, "USB");
  UsbPlug(p, plugTip, cable);
  Arrow(p, plugTip + QPointF(4, 0), port - QPointF(4, 0), phaseA ? kCaution : QColor(0xc0, 0xc6, 0xcc));
  // The question.
  const QPointF badge(150, 70);
  p.setPen(QPen(kCaution.darker(120), 2));
  p.setBrush(phaseA ? QBrush(kCaution) : QBrush(kPaper));
  p.drawEllipse(badge, 17, 17);
  p.setPen(phaseA ? kIconText : kCaution.darker(120));
  p.setFont(MakeFont(24, true));
  p.drawText(QRectF(badge.x() - 17, badge.y() - 17, 34, 34), Qt::AlignCenter, "?");
  TextLines(p, QRectF(18, 134, kDiagramWidth - 36, 52),
            {"No USB adapter found.", "Plug the meter's cable into this PC."}, 14, kInk);
  return image;
}

}  // namespace

void WriteCommonPictures(Output& out) {
  out.Write(Canvas(kDiagramWidth, kDiagramHeight, Qt::white), "common/white");
  for (const bool phaseA : {true, false}) {
    const QString phase = phaseA ? "a" : "b";
    out.Write(LeadWarning(true, phaseA), "common/hv_" + phase);
    out.Write(LeadWarning(false, phaseA), "common/hc_" + phase);
    out.Write(Unconnected(Family::RV732X, phaseA), "common/uu_" + phase + "_RV732X");
    out.Write(Unconnected(Family::RV736X, phaseA), "common/uu_" + phase + "_RV736X");
    out.Write(CheckCable(phaseA), "common/cf_" + phase);
  }
}
