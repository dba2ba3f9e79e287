#pragma once
#include <QMainWindow>
class Platform;
class frmMirabo : public QMainWindow {
  Q_OBJECT
 public:
  explicit frmMirabo(Platform& platform, const QString& dataFolder = {}, QWidget* parent = nullptr);
};
