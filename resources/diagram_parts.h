// The parts the diagrams are drawn from: the title band, the meter's
// terminals with plugs, cables and probes, and the circuit symbols.
#pragma once

#include <QPainter>
#include <QPointF>
#include <QString>
#include <array>

#include "catalogue/catalogue_tables.h"
#include "resources/picture_style.h"

inline constexpr qreal kBandHeight = 30;
inline constexpr qreal kContactY = 66;
inline constexpr qreal kLeftX = 105;
inline constexpr qreal kRightX = 225;
inline constexpr qreal kCentreX = 165;
inline constexpr qreal kProbeLength = 30;  // tip to the end of the handle
inline constexpr qreal kBodyTop = 142;
inline constexpr qreal kJackY = 160;
inline constexpr qreal kPlugTop = 127;  // where a plugged lead's cable leaves the plug

// The title band: the English name large, the Japanese one beside it when
// it differs, both shrunk together until they fit.
void TitleBand(QPainter& p, const QString& english, const QString& japanese, const QColor& band = kBand,
               const QColor& ink = kInk);

enum class Terminal { Amp, MilliAmp, Com, Volt };

struct Jack {
  Terminal terminal;
  QString label;
};

using JackLayout = std::array<Jack, 4>;

// Each family's own order of input terminals, left to right.
JackLayout JacksOf(Family family);
qreal JackX(int index);
qreal JackX(const JackLayout& jacks, Terminal terminal);
// The lower edge of the meter with its input terminals.
void MeterTerminals(QPainter& p, const JackLayout& jacks);
void Plug(QPainter& p, qreal x, const QColor& colour);
void Cable(QPainter& p, QPointF from, QPointF to, const QColor& colour);
// A test probe pointing up, its tip at `tip`.
void Probe(QPainter& p, QPointF tip, const QColor& colour, bool highVoltage = false);

void Dot(QPainter& p, QPointF at);
void WirePen(QPainter& p, qreal width = 2);
void Tag(QPainter& p, QPointF centre, const QString& text, int pixels = 12);

enum class Wave { Dc, Ac, AcDc };

void SineWave(QPainter& p, QPointF centre, qreal halfWidth, qreal amplitude);
void DcSign(QPainter& p, QPointF centre, qreal halfWidth);
// A source drawn as a circle with its wave form; `plusOnRight` marks the
// positive side of a DC source.
void Source(QPainter& p, QPointF centre, qreal radius, Wave wave, bool plusOnRight);
void Resistor(QPainter& p, QPointF centre, qreal halfWidth, qreal amplitude);
void Speaker(QPainter& p, QPointF centre);
