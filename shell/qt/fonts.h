// The Windows fonts the window is laid out for where they are installed,
// and the IPA Gothic of the same kind where they are not.
#pragma once

#include <QFont>

// A Windows family ("MS UI Gothic", "MS ゴシック") at a pixel height;
// "IPAPGothic" stands in for the proportional one, "IPAGothic" for the fixed
// one, so that Japanese never shows as boxes.
QFont PanelFont(const char* windowsFamily, int pixelHeight);

class QWidget;
// The width a window needs for the window manager to show its whole title
// beside the title bar's icon and buttons.
int WidthForTitle(const QWidget& window);
