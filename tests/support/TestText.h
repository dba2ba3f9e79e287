// Texts in tests: UTF-8 literals as QString, literals that hold NULs, and readable
// GoogleTest failure messages for Qt's strings and bytes.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <ostream>
#include <string_view>

// A QString from a UTF-8 literal: U("東京都").
inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// A QString of exactly these UTF-16 units; write u"\0\0"sv to keep NULs.
inline QString Text(std::u16string_view units) { return QStringView(units).toString(); }

// A QString prints as its text and its UTF-16 code units in hex, so that look-alike
// characters (full-width, NUL, ideographic space) tell apart.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << "\" [";
  for (qsizetype i = 0; i < text.size(); ++i) {
    *os << (i ? " " : "") << QString::number(text[i].unicode(), 16).rightJustified(4, u'0').toStdString();
  }
  *os << ']';
}

// Bytes print as hex pairs; a long run (a whole data file) as its size and first bytes.
inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
  constexpr qsizetype kShown = 64;
  if (bytes.size() <= kShown) {
    *os << '[' << bytes.toHex(' ').toStdString() << ']';
    return;
  }
  *os << bytes.size() << " bytes [" << bytes.first(kShown).toHex(' ').toStdString() << " ...]";
}
