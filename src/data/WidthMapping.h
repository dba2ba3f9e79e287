// Full-width and half-width forms of characters, as the Japanese locale maps them.
#pragma once

#include <QString>

namespace mirabo {

// Full-width ASCII forms, the ideographic space and full-width katakana (voiced
// ones split into base and mark) become their half-width forms; the rest stays.
QString ToHalfWidth(const QString& text);

// ASCII, the space and half-width katakana (a base followed by its voicing mark
// joined into one character) become their full-width forms; the rest stays.
QString ToFullWidth(const QString& text);

}  // namespace mirabo
