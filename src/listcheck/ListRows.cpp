// Decoding, splitting and writing the rows of address lists.
#include "listcheck/ListRows.h"

#include <QStringDecoder>

#include "data/Cp932Codec.h"

namespace mirabo {

QString DecodeListInput(const QByteArray& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8);  // drops a leading byte-order mark
  const QString text = utf8.decode(bytes);
  if (!utf8.hasError()) return text;
  return cp932::Decode(bytes);
}

QStringList SplitListLines(const QString& text) {
  QStringList lines = text.split(u'\n');
  if (lines.last().isEmpty()) lines.removeLast();
  for (QString& line : lines)
    if (line.endsWith(u'\r')) line.chop(1);
  return lines;
}

// A cell that a spreadsheet quoted on copying (it held a quote, a TAB or a line break).
QString UnquotedCell(const QString& cell) {
  if (cell.size() < 2 || !cell.startsWith(u'"') || !cell.endsWith(u'"')) return cell;
  return cell.mid(1, cell.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
}

QStringList SplitListRow(const QString& line) {
  if (line.contains(u'\t')) {
    QStringList cells = line.split(u'\t');
    for (QString& cell : cells) cell = UnquotedCell(cell);
    return cells;
  }
  QStringList values;
  QString value;
  bool quoted = false;
  for (qsizetype i = 0; i < line.size(); ++i) {
    const QChar c = line[i];
    if (quoted) {
      if (c != u'"') {
        value += c;
      } else if (i + 1 < line.size() && line[i + 1] == u'"') {
        value += c;
        ++i;
      } else {
        quoted = false;
      }
    } else if (c == u'"') {
      quoted = true;
    } else if (c == u',') {
      values << value;
      value.clear();
    } else {
      value += c;
    }
  }
  values << value;  // an unclosed quote runs to the end of the line
  return values;
}

bool IsBlankRow(const QStringList& values) {
  for (const QString& value : values)
    if (!value.trimmed().isEmpty()) return false;
  return true;
}

QString CsvLine(const QStringList& values) {
  QStringList fields;
  for (QString value : values) {
    if (value.contains(u',') || value.contains(u'"') || value.contains(u'\r') || value.contains(u'\n'))
      value = u'"' + value.replace(u'"', QStringLiteral("\"\"")) + u'"';
    fields << value;
  }
  return fields.join(u',');
}

}  // namespace mirabo
