// The window program: the main window over the data of the portable or installed layout.
#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "data/Cp932Codec.h"
#include "platform/ProgramFolder.h"
#include "window/LayoutTable.h"
#include "window/QtPlatform.h"
#include "window/StartupWarmup.h"
#include "window/WindowIcon.h"
#include "window/frmMirabo.h"

int main(int argc, char* argv[]) {
  mirabo::StartupWarmup warmup;  // beside the connection to the display
  QApplication app(argc, argv);
  warmup.Wait();
  QGuiApplication::setDesktopFileName(mirabo::kAppId);  // ties the window to its desktop entry
  mirabo::QtPlatform platform;
  try {
    mirabo::cp932::Require();  // every text on disk goes through it: without it, stop before touching a file
  } catch (const mirabo::cp932::Unavailable& missing) {
    std::fprintf(stderr, "mirabo: %s\n", missing.what());
    platform.MessageBox(QStringLiteral("文字コード(CP932)の変換ができないため起動できません。"), mirabo::kWindowTitle);
    return 2;
  }
  // The folder's own bytes: Qt's text for a name that is not UTF-8 is empty.
  const QString programFolder = mirabo::ProgramFolder();
  if (programFolder.isEmpty()) {
    platform.MessageBox(QStringLiteral("プログラムのフォルダーが見つかりません。"), mirabo::kWindowTitle);
    return 1;
  }
  const mirabo::DataLayout layout = mirabo::ChooseDataLayout(programFolder);
  if (layout.dataFolder.isEmpty()) {  // no home folder to keep the data in
    platform.MessageBox(layout.error, mirabo::kWindowTitle);
    return 1;
  }
  mirabo::frmMirabo window(platform, layout);
  platform.SetMainWindow(&window);
  window.show();
  QTimer::singleShot(0, &window, &mirabo::frmMirabo::FirstStart);
  return app.exec();
}
