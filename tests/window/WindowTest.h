// The frame of the main-window tests: before each test a fresh data folder and a
// recording platform, and a main window over them once the test opens one; all three
// go when the test ends. Controls are found by their object names.
#pragma once

#include <QLineEdit>
#include <QListWidget>
#include <QObject>
#include <QStringList>
#include <memory>

#include "support/DataBuilder.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"
#include "window/ExtentList.h"
#include "window/frmMirabo.h"

namespace mirabo {

// The child of `parent` named `name`, of type T. A missing one stops the test program
// with both names: the test cannot go on without it, and a null would only crash later.
template <class T>
T* FindControl(const QObject& parent, const char* name) {
  T* control = parent.findChild<T*>(QString::fromLatin1(name));
  if (!control) qFatal("%s has no %s named \"%s\"", qPrintable(parent.objectName()), T::staticMetaObject.className(), name);
  return control;
}

// The lines of a list box, top to bottom.
QStringList Lines(const QListWidget* list);
// A left click on line `row` of a list box.
void ClickRow(QListWidget* list, int row);

class WindowTest : public QObject {
  Q_OBJECT

 protected:
  // Runs before each test, once the folder and platform are fresh: a test class writes
  // its data, opens its window or starts its server here. A failed QVERIFY skips the test.
  virtual void Prepare() {}
  // Runs after each test, before the window, platform and folder go.
  virtual void Finish() {}

  TempFolder& Folder() { return *folder_; }
  RecordingPlatform& Platform() { return *platform_; }

  // A new main window over Folder(), or over `layout`, in place of the one before,
  // as at the next start of the program.
  frmMirabo& OpenWindow();
  frmMirabo& OpenWindow(const DataLayout& layout);
  // Shows the window (opening one when there is none); false when it is never exposed.
  bool ShowWindow();
  frmMirabo& Window() { return *window_; }
  // Destroys the window without closing it: closing (and the unload that saves the
  // selection) is a step a test takes itself, with Window().close().
  void DestroyWindow() { window_.reset(); }

  // The window's control named `name`: Control<QLineEdit>("Text1").
  template <class T>
  T* Control(const char* name) const {
    return FindControl<T>(*window_, name);
  }
  // The controls most tests use: the search box and the three lists (the third holds
  // the towns of the chosen city, or the lines a search found).
  QLineEdit* SearchBox() const { return Control<QLineEdit>("Text1"); }
  ExtentList* Prefectures() const { return Control<ExtentList>("List1"); }
  ExtentList* Cities() const { return Control<ExtentList>("List2"); }
  ExtentList* Towns() const { return Control<ExtentList>("List3"); }

 private slots:
  void init();
  void cleanup();

 private:
  std::unique_ptr<TempFolder> folder_;
  std::unique_ptr<RecordingPlatform> platform_;
  std::unique_ptr<frmMirabo> window_;
};

}  // namespace mirabo
