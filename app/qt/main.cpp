// CQM8000App: runs the main window modally; the program ends with it.
#include <QApplication>

#include "app/qt/main_window.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Quorvia for RV7300s");
  CQM8000Dlg window;
  return window.exec() == QDialog::Accepted ? 0 : 1;
}
