// A connection diagram for each model and function: how the test leads
// or the sensor go from the meter's terminals to what is measured.
#include <QPolygonF>
#include <cstdio>
#include <optional>
#include <set>
#include <string_view>

#include "base/models.h"
#include "catalogue/catalogue.h"
#include "link/identification.h"
#include "resources/diagram_parts.h"
#include "resources/picture_sets.h"

namespace {

enum class Shape {
  Source,
  Resistor,
  Continuity,
  Diode,
  Capacitor,
  Thermocouple,
  Clamp,
  CurrentLoop,
  LoopTransmitter,
  NonContact
};

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
      p.drawPolygon(QPolygonF(
          {centre + QPointF(-toward * 10, -9), centre + QPointF(-toward * 10, 9), centre + QPointF(toward * 7, 0)}));
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
  p.drawPolyline(QPolygonF(
      {QPointF(kLeftX, kContactY), QPointF(kLeftX, top), QPointF(kRightX, top), QPointF(kRightX, kContactY)}));
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

}  // namespace

bool WriteDiagrams(Output& out) {
  bool ok = true;
  for (int model = 0; model < kModelCount; ++model) {
    if (model == kRv734x) continue;  // the RV734X entry has no picture set
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
