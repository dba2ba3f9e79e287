#include "window/frmMirabo.h"
frmMirabo::frmMirabo(Platform&, const QString&, QWidget* parent) : QMainWindow(parent) {}
