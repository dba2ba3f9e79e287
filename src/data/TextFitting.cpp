// Fixed-width text fitting.
#include "data/TextFitting.h"

#include "data/Cp932Codec.h"

namespace mirabo {

QString FitToBytes(const QString& text, qint32 width) {
  if (width <= 0) return {};
  const int bytes = cp932::ByteWidth(text);
  if (bytes == width) return text;
  if (bytes < width) return text + QString(width - bytes, u' ');

  QString fitted;
  int count = 0;
  for (QChar c : text) {
    const bool doubleByte = cp932::IsDoubleByte(c);
    count += doubleByte ? 2 : 1;
    if (count <= width) {
      fitted += c;
    } else if (doubleByte && count == width + 1) {
      fitted += u' ';  // the overhanging half of a double-byte character
    } else {
      break;
    }
  }
  return fitted;
}

QString CutAtNul(const QString& text) {
  const qsizetype nul = text.indexOf(QChar(u'\0'));
  return nul < 0 ? text : text.left(nul);
}

QString TrimSpaces(const QString& text) {
  qsizetype first = 0;
  qsizetype end = text.size();
  while (first < end && text[first] == u' ') ++first;
  while (end > first && text[end - 1] == u' ') --end;
  return (first == 0 && end == text.size()) ? text : text.mid(first, end - first);
}

}  // namespace mirabo
