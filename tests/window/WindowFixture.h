// A fresh main window over data sets written with support/DataBuilder.h.
#pragma once

#include <QApplication>
#include <QListWidget>
#include <QStringList>
#include <memory>

#include "support/DataBuilder.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"
#include "window/frmMirabo.h"

inline QStringList Lines(const QListWidget* list) {
  QStringList lines;
  for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
  return lines;
}
