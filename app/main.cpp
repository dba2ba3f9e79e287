// The window program: the main window over the data files in the program's folder.
#include <QApplication>

#include "window/QtPlatform.h"
#include "window/frmMirabo.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QtPlatform platform;
  frmMirabo window(platform);
  platform.SetMainWindow(&window);
  window.show();
  return app.exec();
}
