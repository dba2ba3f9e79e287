// One whole window start, for timing from outside: the main window over the data folder
// named on the command line; with --bare an empty Qt window, the comparison's baseline;
// with --bare-text a main window with a menu and a line of Japanese text, which loads
// the fonts any window with captions needs. Once the window has been painted and that
// paint handed to the display, the probe writes "shown" on its standard output: the
// start ends there, and the timing stops at that line. The process then quits; what
// runs after the first paint (the icon theme lookup, the teardown) is no part of it.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "data/Cp932Codec.h"
#include "platform/DataLayout.h"
#include "window/QtPlatform.h"
#include "window/StartupWarmup.h"
#include "window/frmMirabo.h"

namespace mirabo {

namespace {

// Reports the first paint of the watched window, and quits.
class FirstPaint : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint || painted_) return QObject::eventFilter(watched, event);
    painted_ = true;
    // Posted, so that it runs once the paint has been flushed to the display.
    QTimer::singleShot(0, qApp, [] {
      std::fputs("shown\n", stdout);
      std::fflush(stdout);
      QCoreApplication::exit(0);
    });
    return QObject::eventFilter(watched, event);
  }

 private:
  bool painted_ = false;
};

}  // namespace

}  // namespace mirabo

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: window_start_probe --bare | --bare-text | DATA_FOLDER\n");
    return 2;
  }
  // The program's start, as app/main.cpp makes it; the plain Qt windows have none of it.
  std::optional<mirabo::StartupWarmup> warmup;
  if (std::strcmp(argv[1], "--bare") != 0 && std::strcmp(argv[1], "--bare-text") != 0) warmup.emplace();
  QApplication app(argc, argv);
  if (warmup) warmup->Wait();
  const QStringList args = app.arguments().mid(1);
  mirabo::QtPlatform platform;
  std::unique_ptr<QWidget> window;
  if (args[0] == u"--bare") {
    window = std::make_unique<QWidget>();
  } else if (args[0] == u"--bare-text") {
    auto main = std::make_unique<QMainWindow>();
    main->setWindowTitle(QStringLiteral("郵便番号"));
    main->menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    main->setCentralWidget(new QLabel(QStringLiteral("郵便番号を入力してください")));
    window = std::move(main);
  } else {
    mirabo::cp932::Require();  // as the program does before it touches a file
    QString folder = args[0];
    if (!folder.endsWith(u'/')) folder += u'/';
    auto main = std::make_unique<mirabo::frmMirabo>(platform, mirabo::PortableLayout(folder));
    platform.SetMainWindow(main.get());
    QTimer::singleShot(0, main.get(), &mirabo::frmMirabo::FirstStart);
    window = std::move(main);
  }
  mirabo::FirstPaint watcher;
  window->installEventFilter(&watcher);
  window->show();
  return app.exec();
}
