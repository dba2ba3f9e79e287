// The main window's icon: the postal mark on a small card, drawn in 16 colours.
#pragma once

#include <QIcon>

QIcon MiraboIcon();
