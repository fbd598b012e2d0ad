// Draws every bitmap the monitor panel shows: the status icons, the common
// pictures and a connection diagram for each model and function.  The
// function tokens come from the catalogue, so the picture set follows the
// tables.
//
//   picture_generator OUTPUT_FOLDER      writes OUTPUT_FOLDER/Pictures/...
//
// Needs no display: it runs on Qt's offscreen platform.

#include <QFontDatabase>
#include <QGuiApplication>
#include <cstdio>

#include "resources/picture_sets.h"
#include "resources/picture_style.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: picture_generator OUTPUT_FOLDER\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  UseFontFamily(QFontDatabase::families().contains("IPAGothic")
                    ? QString("IPAGothic")
                    : QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
  Output out(QString::fromLocal8Bit(argv[1]));
  WriteStatusIcons(out);
  WriteCommonPictures(out);
  const bool known = WriteDiagrams(out);
  std::printf("picture_generator: %d pictures in %s/Pictures (font %s)\n", out.written(), argv[1],
              qPrintable(FontFamily()));
  return known && out.failed() == 0 ? 0 : 1;
}
