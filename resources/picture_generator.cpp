// Draws every bitmap the monitor panel shows: the status icons, the common
// pictures and a connection diagram for each model and function.  The
// function tokens come from the catalogue, so the picture set follows the
// tables.
//
//   picture_generator OUTPUT_FOLDER      writes OUTPUT_FOLDER/Pictures/...
//
// Needs no display: it runs on Qt's offscreen platform.

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QSaveFile>
#include <QString>

#include <array>
#include <cmath>
#include <cstdio>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "catalogue/catalogue.h"
#include "link/identification.h"

namespace {

constexpr int kDiagramWidth = 330;
constexpr int kDiagramHeight = 195;
constexpr int kIconHeight = 20;

// One palette for the whole set.
const QColor kInk(0x1e, 0x29, 0x35);
const QColor kMuted(0x5f, 0x6b, 0x78);
const QColor kBand(0xe3, 0xea, 0xf2);
const QColor kPaper(0xff, 0xff, 0xff);
const QColor kIconOn(0x26, 0x34, 0x44);
const QColor kIconOver(0xb0, 0x1e, 0x1e);
// Never pure white inside an icon: white is the icons' transparent colour.
const QColor kIconText(0xf6, 0xf7, 0xf8);
const QColor kIconOff(0xb6, 0xbb, 0xc1);
const QColor kIconOffText(0xa4, 0xaa, 0xb1);
const QColor kRedLead(0xd3, 0x2f, 0x2f);
const QColor kBlackLead(0x26, 0x26, 0x26);
const QColor kBody(0x3b, 0x42, 0x4a);
const QColor kBodyText(0xee, 0xf1, 0xf4);
const QColor kWire(0x45, 0x55, 0x63);
const QColor kMetal(0x9e, 0xa7, 0xb0);
const QColor kWarning(0xc6, 0x28, 0x28);
const QColor kCaution(0xe6, 0x8a, 0x00);
const QColor kAmber(0xff, 0xc1, 0x07);
const QColor kAccent(0x1e, 0x6f, 0xd9);
const QColor kSensor(0x37, 0x47, 0x4f);

QString g_fontFamily;

QFont MakeFont(qreal pixels, bool bold) {
  QFont font(g_fontFamily);
  font.setPixelSize(qMax(1, qRound(pixels)));
  font.setBold(bold);
  return font;
}

qreal TextWidth(const QFont& font, const QString& text) { return QFontMetricsF(font).horizontalAdvance(text); }

// The largest font from `pixels` down whose `text` fits into `width`.
QFont FittingFont(const QString& text, int pixels, qreal width, bool bold) {
  QFont font = MakeFont(pixels, bold);
  while (pixels > 8 && TextWidth(font, text) > width) font = MakeFont(--pixels, bold);
  return font;
}

// ---------------------------------------------------------------- files

void AppendLe(QByteArray& bytes, quint32 value, int size) {
  for (int i = 0; i < size; ++i) bytes.append(char((value >> (8 * i)) & 0xff));
}

// A 24-bit bottom-up BMP with the 40-byte information header and no
// palette: the form the panel's loader reads.
QByteArray EncodeBmp(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  const int width = rgb.width();
  const int height = rgb.height();
  const int stride = (width * 3 + 3) & ~3;
  const quint32 pixelBytes = quint32(stride) * quint32(height);
  QByteArray bytes;
  bytes.reserve(int(54 + pixelBytes));
  bytes.append("BM");
  AppendLe(bytes, 54 + pixelBytes, 4);
  AppendLe(bytes, 0, 4);
  AppendLe(bytes, 54, 4);
  AppendLe(bytes, 40, 4);
  AppendLe(bytes, quint32(width), 4);
  AppendLe(bytes, quint32(height), 4);
  AppendLe(bytes, 1, 2);   // planes
  AppendLe(bytes, 24, 2);  // bits per pixel
  AppendLe(bytes, 0, 4);   // uncompressed
  AppendLe(bytes, pixelBytes, 4);
  AppendLe(bytes, 2835, 4);  // 72 dpi
  AppendLe(bytes, 2835, 4);
  AppendLe(bytes, 0, 4);
  AppendLe(bytes, 0, 4);
  for (int y = height - 1; y >= 0; --y) {
    const uchar* line = rgb.constScanLine(y);
    for (int x = 0; x < width; ++x) {
      bytes.append(char(line[3 * x + 2]));
      bytes.append(char(line[3 * x + 1]));
      bytes.append(char(line[3 * x]));
    }
    for (int pad = width * 3; pad < stride; ++pad) bytes.append('\0');
  }
  return bytes;
}

class Output {
 public:
  explicit Output(QString root) : root_(std::move(root)) {}

  void Write(const QImage& image, const QString& relative) {
    const QString path = root_ + "/Pictures/" + relative + ".bmp";
    QDir().mkpath(QFileInfo(path).absolutePath());
    // Written beside the target and renamed over it.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(EncodeBmp(image)) >= 0 && file.commit()) {
      ++written_;
    } else {
      std::fprintf(stderr, "picture_generator: cannot write %s\n", qPrintable(path));
      ++failed_;
    }
  }
  int written() const { return written_; }
  int failed() const { return failed_; }

 private:
  QString root_;
  int written_ = 0;
  int failed_ = 0;
};

QImage Canvas(int width, int height, const QColor& colour) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

void Smooth(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
}

// ---------------------------------------------------------------- status icons

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
  for (int bars = 0; bars <= 3; ++bars) out.Write(BatteryIcon(kBatteryWidth, bars, false), QString("common/st_batt%1").arg(bars));
  out.Write(BatteryIcon(kBatteryWidth, 3, true), "common/st_batt3_off");
}

// ---------------------------------------------------------------- diagram parts

constexpr qreal kBandHeight = 30;
constexpr qreal kContactY = 66;
constexpr qreal kLeftX = 105;
constexpr qreal kRightX = 225;
constexpr qreal kCentreX = 165;
constexpr qreal kProbeLength = 30;  // tip to the end of the handle
constexpr qreal kBodyTop = 142;
constexpr qreal kJackY = 160;
constexpr qreal kPlugTop = 127;  // where a plugged lead's cable leaves the plug

// The title band: the English name large, the Japanese one beside it when
// it differs, both shrunk together until they fit.
void TitleBand(QPainter& p, const QString& english, const QString& japanese, const QColor& band = kBand,
               const QColor& ink = kInk) {
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

enum class Terminal { Amp, MilliAmp, Com, Volt };

struct Jack {
  Terminal terminal;
  QString label;
};

using JackLayout = std::array<Jack, 4>;

// Each family's own order of input terminals, left to right.
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

// The lower edge of the meter with its input terminals.
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

// A test probe pointing up, its tip at `tip`.
void Probe(QPainter& p, QPointF tip, const QColor& colour, bool highVoltage = false) {
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

void WirePen(QPainter& p, qreal width = 2) {
  p.setPen(QPen(kWire, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
}

void Tag(QPainter& p, QPointF centre, const QString& text, int pixels = 12) {
  p.setPen(kMuted);
  p.setFont(MakeFont(pixels, true));
  p.drawText(QRectF(centre.x() - 60, centre.y() - 9, 120, 18), Qt::AlignCenter, text);
}

enum class Wave { Dc, Ac, AcDc };

void SineWave(QPainter& p, QPointF centre, qreal halfWidth, qreal amplitude) {
  QPainterPath path(centre - QPointF(halfWidth, 0));
  path.cubicTo(centre + QPointF(-halfWidth * 0.6, -amplitude * 1.3), centre + QPointF(-halfWidth * 0.4, -amplitude * 1.3),
               centre);
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

// A source drawn as a circle with its wave form; `plusOnRight` marks the
// positive side of a DC source.
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

// ---------------------------------------------------------------- connection diagrams

enum class Shape { Source, Resistor, Continuity, Diode, Capacitor, Thermocouple, Clamp, CurrentLoop, LoopTransmitter, NonContact };

struct Connection {
  Shape shape;
  Terminal red;
  Wave wave;
  QString tag;
  bool highVoltageProbe;
};

// What each function token needs; an unknown token is an error, so a new
// table row cannot go without a picture.
std::optional<Connection> ConnectionOf(std::string_view token) {
  struct Entry {
    std::string_view token;
    Connection connection;
  };
  const Terminal v = Terminal::Volt;
  const Terminal a = Terminal::Amp;
  const Terminal ma = Terminal::MilliAmp;
  static const Entry kEntries[] = {
      {"ACV", {Shape::Source, v, Wave::Ac, "", false}},
      {"DCV", {Shape::Source, v, Wave::Dc, "", false}},
      {"DCmV", {Shape::Source, v, Wave::Dc, "mV", false}},
      {"AutoV", {Shape::Source, v, Wave::AcDc, "AC / DC", false}},
      {"ACDCV", {Shape::Source, v, Wave::AcDc, "", false}},
      {"SEPV", {Shape::Source, v, Wave::AcDc, "", false}},
      {"LoZV", {Shape::Source, v, Wave::AcDc, "LoZ", false}},
      {"HzV", {Shape::Source, v, Wave::Ac, "Hz", false}},
      {"dBm", {Shape::Source, v, Wave::Ac, "dBm", false}},
      {"dBV", {Shape::Source, v, Wave::Ac, "dBV", false}},
      {"DCHV", {Shape::Source, v, Wave::Dc, "HV", true}},
      {"CONT", {Shape::Continuity, v, Wave::Dc, "", false}},
      {"RES", {Shape::Resistor, v, Wave::Dc, "", false}},
      {"nS", {Shape::Resistor, v, Wave::Dc, "nS", false}},
      {"CAP", {Shape::Capacitor, v, Wave::Dc, "", false}},
      {"DIODE", {Shape::Diode, v, Wave::Dc, "", false}},
      {"TEMP", {Shape::Thermocouple, v, Wave::Dc, "", false}},
      {"CLAMP", {Shape::Clamp, v, Wave::Ac, "", false}},
      {"VDET", {Shape::NonContact, v, Wave::Ac, "", false}},
      {"ACA", {Shape::CurrentLoop, a, Wave::Ac, "", false}},
      {"DCA", {Shape::CurrentLoop, a, Wave::Dc, "", false}},
      {"AutoA", {Shape::CurrentLoop, a, Wave::AcDc, "", false}},
      {"ACDCA", {Shape::CurrentLoop, a, Wave::AcDc, "", false}},
      {"HzA", {Shape::CurrentLoop, a, Wave::Ac, "Hz", false}},
      {"DCmA", {Shape::CurrentLoop, ma, Wave::Dc, "", false}},
      {"ACmA", {Shape::CurrentLoop, ma, Wave::Ac, "", false}},
      {"DCuA", {Shape::CurrentLoop, ma, Wave::Dc, "", false}},
      {"ACuA", {Shape::CurrentLoop, ma, Wave::Ac, "", false}},
      {"DC_4_20mA", {Shape::LoopTransmitter, ma, Wave::Dc, "", false}},
  };
  for (const Entry& entry : kEntries) {
    if (entry.token == token) return entry.connection;
  }
  return std::nullopt;
}

// Two probes touching the contacts, their cables running down to the plugs.
void ProbeLeads(QPainter& p, const JackLayout& jacks, Terminal red, bool redOnRight, bool highVoltage) {
  const QPointF redTip(redOnRight ? kRightX : kLeftX, kContactY + 3);
  const QPointF blackTip(redOnRight ? kLeftX : kRightX, kContactY + 3);
  const qreal redJack = JackX(jacks, red);
  const qreal comJack = JackX(jacks, Terminal::Com);
  Cable(p, QPointF(comJack, kPlugTop), blackTip + QPointF(0, kProbeLength), kBlackLead);
  Cable(p, QPointF(redJack, kPlugTop), redTip + QPointF(0, kProbeLength), kRedLead);
  Probe(p, blackTip, kBlackLead);
  Probe(p, redTip, kRedLead, highVoltage);
  Plug(p, comJack, kBlackLead);
  Plug(p, redJack, kRedLead);
}

// A sensor block (clamp handle, thermocouple plug) whose two cables run to
// the red terminal and COM.
void SensorLeads(QPainter& p, const JackLayout& jacks, Terminal red, bool redOnRight, qreal blockBottom) {
  const qreal redJack = JackX(jacks, red);
  const qreal comJack = JackX(jacks, Terminal::Com);
  const qreal side = redOnRight ? 1 : -1;
  Cable(p, QPointF(comJack, kPlugTop), QPointF(kCentreX - side * 6, blockBottom), kBlackLead);
  Cable(p, QPointF(redJack, kPlugTop), QPointF(kCentreX + side * 6, blockBottom), kRedLead);
  Plug(p, comJack, kBlackLead);
  Plug(p, redJack, kRedLead);
}

void ContactWires(QPainter& p, qreal innerLeft, qreal innerRight) {
  WirePen(p);
  p.drawLine(QPointF(kLeftX, kContactY), QPointF(innerLeft, kContactY));
  p.drawLine(QPointF(innerRight, kContactY), QPointF(kRightX, kContactY));
  Dot(p, QPointF(kLeftX, kContactY));
  Dot(p, QPointF(kRightX, kContactY));
}

void DrawCircuit(QPainter& p, const Connection& c, bool redOnRight) {
  const QPointF centre(kCentreX, kContactY);
  switch (c.shape) {
    case Shape::Source: {
      const qreal radius = 15;
      ContactWires(p, kCentreX - radius, kCentreX + radius);
      Source(p, centre, radius, c.wave, redOnRight);
      if (!c.tag.isEmpty()) Tag(p, centre - QPointF(0, radius + 10), c.tag);
      break;
    }
    case Shape::Resistor:
      ContactWires(p, kCentreX - 26, kCentreX + 26);
      Resistor(p, centre, 26, 7);
      if (!c.tag.isEmpty()) Tag(p, centre - QPointF(0, 20), c.tag);
      break;
    case Shape::Continuity:
      ContactWires(p, kCentreX, kCentreX);
      Speaker(p, centre - QPointF(0, 18));
      break;
    case Shape::Capacitor: {
      ContactWires(p, kCentreX - 5, kCentreX + 5);
      p.setPen(QPen(kWire, 3, Qt::SolidLine, Qt::FlatCap));
      p.drawLine(centre + QPointF(-5, -13), centre + QPointF(-5, 13));
      p.drawLine(centre + QPointF(5, -13), centre + QPointF(5, 13));
      break;
    }
    case Shape::Diode: {
      // Forward biased: the anode on the red lead's side.
      const qreal toward = redOnRight ? -1 : 1;  // from anode to cathode
      ContactWires(p, kCentreX - 10, kCentreX + 10);
      p.setPen(QPen(kWire, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.setBrush(kWire);
      p.drawPolygon(QPolygonF({centre + QPointF(-toward * 10, -9), centre + QPointF(-toward * 10, 9),
                               centre + QPointF(toward * 7, 0)}));
      p.setPen(QPen(kWire, 3, Qt::SolidLine, Qt::FlatCap));
      p.drawLine(centre + QPointF(toward * 9, -10), centre + QPointF(toward * 9, 10));
      break;
    }
    case Shape::Thermocouple:
    case Shape::Clamp:
    case Shape::NonContact:
    case Shape::CurrentLoop:
    case Shape::LoopTransmitter:
      break;
  }
}

void DrawCurrentLoop(QPainter& p, const Connection& c, bool redOnRight) {
  const qreal top = 44;
  WirePen(p);
  p.drawPolyline(QPolygonF({QPointF(kLeftX, kContactY), QPointF(kLeftX, top), QPointF(kRightX, top),
                            QPointF(kRightX, kContactY)}));
  Dot(p, QPointF(kLeftX, kContactY));
  Dot(p, QPointF(kRightX, kContactY));
  // The source's positive side drives current into the red lead.
  const qreal sourceX = redOnRight ? kCentreX - 28 : kCentreX + 28;
  const qreal loadX = redOnRight ? kCentreX + 28 : kCentreX - 28;
  if (c.shape == Shape::LoopTransmitter) {
    Source(p, QPointF(sourceX, top), 10, Wave::Dc, redOnRight);
    const QRectF box(loadX - 26, top - 9, 52, 18);
    WirePen(p);
    p.setBrush(kPaper);
    p.drawRoundedRect(box, 3, 3);
    p.setPen(kInk);
    p.setFont(FittingFont("4-20 mA", 11, box.width() - 6, true));
    p.drawText(box, Qt::AlignCenter, "4-20 mA");
  } else {
    Source(p, QPointF(sourceX, top), 10, c.wave, redOnRight);
    WirePen(p);
    p.fillRect(QRectF(loadX - 16, top - 6, 32, 12), kPaper);
    Resistor(p, QPointF(loadX, top), 16, 5);
  }
  // The circuit stays open between the contacts: the meter closes it.
  if (!c.tag.isEmpty()) Tag(p, QPointF(kCentreX, kContactY - 4), c.tag);
}

void DrawClamp(QPainter& p, const JackLayout& jacks, bool redOnRight) {
  const qreal wireY = 50;
  // The conductor with its current through the jaws.
  p.setPen(QPen(QColor(0x8d, 0x6e, 0x63), 6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(40, wireY), QPointF(290, wireY));
  p.setPen(QPen(kMuted, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawLine(QPointF(230, wireY - 11), QPointF(262, wireY - 11));
  p.drawPolyline(QPolygonF({QPointF(256, wireY - 15), QPointF(262, wireY - 11), QPointF(256, wireY - 7)}));
  Tag(p, QPointF(246, wireY + 13), "I");
  const qreal handleTop = 75;
  const qreal handleBottom = 100;
  p.setPen(QPen(kSensor, 7, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(kCentreX - 19, wireY - 19, 38, 38), 105 * 16, 330 * 16);
  p.setPen(Qt::NoPen);
  p.setBrush(kSensor);
  p.drawRect(QRectF(kCentreX - 5, wireY + 18, 10, handleTop - wireY - 16));
  p.drawRoundedRect(QRectF(kCentreX - 17, handleTop, 34, handleBottom - handleTop), 4, 4);
  SensorLeads(p, jacks, Terminal::Volt, redOnRight, handleBottom - 2);
}

void DrawThermocouple(QPainter& p, const JackLayout& jacks, bool redOnRight) {
  // The warm object, the bead touching it, the thermocouple's own plug.
  const QRectF object(kCentreX - 48, 38, 96, 12);
  p.setPen(QPen(QColor(0xd8, 0x43, 0x15), 1.4));
  p.setBrush(QColor(0xff, 0xcc, 0xbc));
  p.drawRoundedRect(object, 3, 3);
  const QPointF bead(kCentreX, object.bottom() + 4);
  const qreal blockTop = 80;
  const qreal blockBottom = 100;
  p.setPen(QPen(kWire, 1.6));
  p.drawLine(bead + QPointF(-1.5, 0), QPointF(kCentreX - 4, blockTop));
  p.drawLine(bead + QPointF(1.5, 0), QPointF(kCentreX + 4, blockTop));
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawEllipse(bead, 4, 4);
  p.setBrush(kSensor);
  p.drawRoundedRect(QRectF(kCentreX - 17, blockTop, 34, blockBottom - blockTop), 3, 3);
  p.setPen(kBodyText);
  p.setFont(MakeFont(12, true));
  p.drawText(QRectF(kCentreX - 17, blockTop, 34, blockBottom - blockTop), Qt::AlignCenter, "K");
  Tag(p, QPointF(kCentreX + 58, 66), "thermocouple", 11);
  SensorLeads(p, jacks, Terminal::Volt, redOnRight, blockBottom - 2);
}

void DrawNonContact(QPainter& p) {
  const qreal wireY = 60;
  p.setPen(QPen(kSensor, 9, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(40, wireY), QPointF(290, wireY));
  p.setPen(QPen(kAmber, 2.2, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  for (int i = 1; i <= 3; ++i) {
    const qreal r = 7 + 6 * i;
    p.drawArc(QRectF(kCentreX - r, wireY - r, 2 * r, 2 * r), 50 * 16, 80 * 16);
  }
  p.setPen(kInk);
  p.setFont(MakeFont(13, true));
  p.drawText(QRectF(10, 82, kDiagramWidth - 20, 18), Qt::AlignCenter, "Non-contact: no test leads");
  p.setFont(MakeFont(12, false));
  p.setPen(kMuted);
  p.drawText(QRectF(10, 101, kDiagramWidth - 20, 18), Qt::AlignCenter, "hold the meter's top near the wire");
}

QImage Diagram(Family family, const FunctionRow& row, const Connection& c) {
  QImage image = Canvas(kDiagramWidth, kDiagramHeight, kPaper);
  QPainter p(&image);
  Smooth(p);
  TitleBand(p, QString::fromUtf16(row.longName.english.data(), qsizetype(row.longName.english.size())),
            QString::fromUtf16(row.longName.japanese.data(), qsizetype(row.longName.japanese.size())));
  const JackLayout jacks = JacksOf(family);
  MeterTerminals(p, jacks);
  const bool redOnRight = JackX(jacks, c.red) > JackX(jacks, Terminal::Com);
  switch (c.shape) {
    case Shape::NonContact:
      DrawNonContact(p);
      break;
    case Shape::Clamp:
      DrawClamp(p, jacks, redOnRight);
      break;
    case Shape::Thermocouple:
      DrawThermocouple(p, jacks, redOnRight);
      break;
    case Shape::CurrentLoop:
    case Shape::LoopTransmitter:
      DrawCurrentLoop(p, c, redOnRight);
      ProbeLeads(p, jacks, c.red, redOnRight, false);
      break;
    default:
      DrawCircuit(p, c, redOnRight);
      ProbeLeads(p, jacks, c.red, redOnRight, c.highVoltageProbe);
      if (c.highVoltageProbe) {
        Tag(p, QPointF((redOnRight ? kRightX : kLeftX) + (redOnRight ? 1 : -1) * 44, kContactY + 20), "HV probe", 11);
      }
      break;
  }
  return image;
}

bool WriteDiagrams(Output& out) {
  bool ok = true;
  for (int model = 0; model < kModelCount; ++model) {
    if (model == 7) continue;  // the RV734X entry has no picture set
    const QString name = QString::fromUtf8(kModelNames[model].data(), qsizetype(kModelNames[model].size()));
    const Family family = FamilyOf(model);
    std::set<std::string_view> done;  // RV732X rows 15-19 repeat earlier tokens
    for (const FunctionRow& row : TablesOf(family).rows) {
      if (!done.insert(row.token).second) continue;
      const std::optional<Connection> connection = ConnectionOf(row.token);
      const QString token = QString::fromUtf8(row.token.data(), qsizetype(row.token.size()));
      if (!connection) {
        std::fprintf(stderr, "picture_generator: no connection drawing for %s\n", qPrintable(token));
        ok = false;
        continue;
      }
      out.Write(Diagram(family, row, *connection), name + "/" + name + token);
    }
  }
  return ok;
}

// ---------------------------------------------------------------- common pictures

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
    p.drawPolygon(QPolygonF({c + QPointF(1.5 * u, -6.5 * u), c + QPointF(-3.5 * u, 1 * u), c + QPointF(-0.2 * u, 1 * u),
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
    lines = phaseA ? QStringList{"A test lead is in a current", "terminal (A / mA), but the", "function is not current."}
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
  for (int i = 0; i < keys; ++i) p.drawRoundedRect(QRectF(lcd.left() + i * (keyWidth + 4), lcd.bottom() + 6, keyWidth, 8), 2, 2);
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
                           QPointF(screen.right() + 12, screen.bottom() + 10), QPointF(screen.left() - 12, screen.bottom() + 10)}));
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
  TextLines(p, QRectF(18, 134, kDiagramWidth - 36, 52), {"No USB adapter found.", "Plug the meter's cable into this PC."},
            14, kInk);
  return image;
}

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

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: picture_generator OUTPUT_FOLDER\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  g_fontFamily = QFontDatabase::families().contains("IPAGothic")
                     ? QString("IPAGothic")
                     : QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
  Output out(QString::fromLocal8Bit(argv[1]));
  WriteStatusIcons(out);
  WriteCommonPictures(out);
  const bool known = WriteDiagrams(out);
  std::printf("picture_generator: %d pictures in %s/Pictures (font %s)\n", out.written(), argv[1],
              qPrintable(g_fontFamily));
  return known && out.failed() == 0 ? 0 : 1;
}
