// Test helpers for texts: literals with NULs as QString, and readable failure messages.
#pragma once

#include <QString>
#include <QStringView>
#include <ostream>
#include <string_view>

// A QString of exactly these UTF-16 units; write u"\0\0"sv to keep NULs.
inline QString Text(std::u16string_view units) { return QStringView(units).toString(); }

// GoogleTest prints a QString as its text and its UTF-16 code units in hex.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << "\" [";
  for (qsizetype i = 0; i < text.size(); ++i) {
    *os << (i ? " " : "") << QString::number(text[i].unicode(), 16).rightJustified(4, u'0').toStdString();
  }
  *os << ']';
}
