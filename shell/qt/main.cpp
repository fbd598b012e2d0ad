// CQM8000App: shows the main window and runs the application's event loop;
// the program ends when the main window ends its dialog (the exit flow).
#include <QApplication>
#include <QIcon>

#include "shell/qt/main_window.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Quorvia for RV7300s");
  // The installed icon (none in the build tree: then the window manager's own).
  QApplication::setDesktopFileName(QUORVIA_APP_ID);
  QApplication::setWindowIcon(QIcon::fromTheme(QUORVIA_APP_ID));
  // The window hides itself while the exit flow lets the meter go; the
  // program ends only when that flow ends the dialog, never because no
  // window happens to be visible.
  QApplication::setQuitOnLastWindowClosed(false);
  CQM8000Dlg window;
  QObject::connect(&window, &QDialog::finished, &application,
                   [](int result) { QApplication::exit(result == QDialog::Accepted ? 0 : 1); });
  window.show();
  return QApplication::exec();
}
