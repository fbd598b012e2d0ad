#include "app/qt/fonts.h"

#include <QFontDatabase>
#include <QStringList>

QFont PanelFont(const char* windowsFamily, int pixelHeight) {
  const QStringList families = QFontDatabase::families();
  QString family = QString::fromUtf8(windowsFamily);
  if (!families.contains(family)) {
    const QString ipa = family.contains("UI") ? "IPAPGothic" : "IPAGothic";
    family = families.contains(ipa) ? ipa : QFont().family();
  }
  QFont font(family);
  font.setPixelSize(pixelHeight);
  return font;
}
