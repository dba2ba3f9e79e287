// Fitting texts to column widths counted in code page 932 bytes, for list lines and copies.
#pragma once

#include <QString>

namespace mirabo {

// The ideographic space that separates the parts of list lines.
inline constexpr QChar kWideSpace = u'\u3000';

// The text brought to exactly `width` bytes: padded with spaces, or cut after the
// longest run of whole characters that fits, with one space standing in for a
// double-byte character that would overhang the last byte. Empty for width <= 0.
QString FitToBytes(const QString& text, qint32 width);

// The part of the text before its first NUL character (a field read from never-written bytes).
QString CutAtNul(const QString& text);

// The text without its leading and trailing spaces (U+0020 only).
QString TrimSpaces(const QString& text);

// The common clean-up of a stored field: cut at NUL, then trimmed.
inline QString CleanField(const QString& text) { return TrimSpaces(CutAtNul(text)); }

}  // namespace mirabo
