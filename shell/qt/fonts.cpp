#include "shell/qt/fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>
#include <QWidget>

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

// What a title bar takes besides the title: the icon and the minimise,
// maximise and close buttons, with margins; the title's bold font is a
// little wider than the window's.
constexpr int kTitleBarExtras = 160;
constexpr double kBoldWidening = 1.15;

int WidthForTitle(const QWidget& window) {
  const int title = QFontMetrics(window.font()).horizontalAdvance(window.windowTitle());
  return static_cast<int>(title * kBoldWidening) + kTitleBarExtras;
}
