// GM32V30: the map generator's window program.
#include <QApplication>
#include <QDir>

#include "gui/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Glenmire32 v3.0");
  // What the window remembers (folders, the preview pane) lives under these names.
  QApplication::setOrganizationName("Glenmire");
  // The program's folder is where the program is, whatever its file name.
  glenmire::MainWindow frmGMMain(QCoreApplication::applicationDirPath() + QDir::separator());
  frmGMMain.show();
  return app.exec();
}
