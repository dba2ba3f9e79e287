// Rows of an address list as spreadsheets hand them over: bytes, lines, columns, and back.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace mirabo {

// UTF-8 when all of the bytes are valid UTF-8 (a leading byte-order mark is dropped),
// otherwise code page 932.
QString DecodeListInput(const QByteArray& bytes);

// The lines of the text, split at LF with a CR before it removed. A final line
// break ends the last line and does not start another one.
QStringList SplitListLines(const QString& text);

// The columns of one line: split at TAB when the line holds one, a cell wholly in
// double quotes unquoted ("" for a quote inside); otherwise read as CSV (commas,
// values in double quotes with "" for a quote inside).
QStringList SplitListRow(const QString& line);

// True when no column holds anything but whitespace: an empty line, or an empty
// spreadsheet row copied as "\t" or exported as ",,". Such a row is not checked.
bool IsBlankRow(const QStringList& values);

// One CSV line: a value holding a comma, quote, CR or LF is quoted, quotes doubled.
QString CsvLine(const QStringList& values);

}  // namespace mirabo
