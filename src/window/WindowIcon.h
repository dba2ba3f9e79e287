// The main window's icon: the postal mark on a small card, drawn in 16 colours.
#pragma once

#include <QIcon>

namespace mirabo {

// The application's id: the name of its desktop entry and of its icon in the icon theme.
inline const QString kAppId = QStringLiteral("org.mirabo.Mirabo");

QIcon MiraboIcon();

}  // namespace mirabo
