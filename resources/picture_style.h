// What every picture shares: the sizes, one palette, the font of its
// texts and the canvas it is drawn on.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

inline constexpr int kDiagramWidth = 330;
inline constexpr int kDiagramHeight = 195;
inline constexpr int kIconHeight = 20;

// One palette for the whole set.
inline const QColor kInk(0x1e, 0x29, 0x35);
inline const QColor kMuted(0x5f, 0x6b, 0x78);
inline const QColor kBand(0xe3, 0xea, 0xf2);
inline const QColor kPaper(0xff, 0xff, 0xff);
inline const QColor kIconOn(0x26, 0x34, 0x44);
inline const QColor kIconOver(0xb0, 0x1e, 0x1e);
// Never pure white inside an icon: white is the icons' transparent colour.
inline const QColor kIconText(0xf6, 0xf7, 0xf8);
inline const QColor kIconOff(0xb6, 0xbb, 0xc1);
inline const QColor kIconOffText(0xa4, 0xaa, 0xb1);
inline const QColor kRedLead(0xd3, 0x2f, 0x2f);
inline const QColor kBlackLead(0x26, 0x26, 0x26);
inline const QColor kBody(0x3b, 0x42, 0x4a);
inline const QColor kBodyText(0xee, 0xf1, 0xf4);
inline const QColor kWire(0x45, 0x55, 0x63);
inline const QColor kMetal(0x9e, 0xa7, 0xb0);
inline const QColor kWarning(0xc6, 0x28, 0x28);
inline const QColor kCaution(0xe6, 0x8a, 0x00);
inline const QColor kAmber(0xff, 0xc1, 0x07);
inline const QColor kAccent(0x1e, 0x6f, 0xd9);
inline const QColor kSensor(0x37, 0x47, 0x4f);

// The family of every text, chosen once before the first picture.
void UseFontFamily(const QString& family);
const QString& FontFamily();

QFont MakeFont(qreal pixels, bool bold);
qreal TextWidth(const QFont& font, const QString& text);
// The largest font from `pixels` down whose `text` fits into `width`.
QFont FittingFont(const QString& text, int pixels, qreal width, bool bold);

QImage Canvas(int width, int height, const QColor& colour);
void Smooth(QPainter& p);
