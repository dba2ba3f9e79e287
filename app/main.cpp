// The window program: the main window over the data files in the program's folder.
#include <QApplication>
#include <cstdio>

#include "data/Cp932Codec.h"
#include "window/LayoutTable.h"
#include "window/QtPlatform.h"
#include "window/frmMirabo.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QtPlatform platform;
  try {
    cp932::Require();  // every text on disk goes through it: without it, stop before touching a file
  } catch (const cp932::Unavailable& missing) {
    std::fprintf(stderr, "mirabo: %s\n", missing.what());
    platform.MessageBox(QStringLiteral("文字コード(CP932)の変換ができないため起動できません。"), kWindowTitle);
    return 2;
  }
  frmMirabo window(platform);
  platform.SetMainWindow(&window);
  window.show();
  return app.exec();
}
