// The fresh folder, platform and window of each main-window test.
#include "window/WindowTest.h"

#include <QTest>

namespace mirabo {

QStringList Lines(const QListWidget* list) {
  QStringList lines;
  for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
  return lines;
}

void ClickRow(QListWidget* list, int row) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

void WindowTest::init() {
  folder_ = std::make_unique<TempFolder>();
  platform_ = std::make_unique<RecordingPlatform>();
  Prepare();
}

void WindowTest::cleanup() {
  Finish();
  window_.reset();
  platform_.reset();
  folder_.reset();
}

frmMirabo& WindowTest::OpenWindow() {
  DestroyWindow();
  window_ = std::make_unique<frmMirabo>(*platform_, folder_->Path());
  return *window_;
}

frmMirabo& WindowTest::OpenWindow(const DataLayout& layout) {
  DestroyWindow();
  window_ = std::make_unique<frmMirabo>(*platform_, layout);
  return *window_;
}

bool WindowTest::ShowWindow() {
  if (!window_) OpenWindow();
  window_->show();
  return QTest::qWaitForWindowExposed(window_.get());
}

}  // namespace mirabo
