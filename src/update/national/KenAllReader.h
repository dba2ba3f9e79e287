// Reading the national postcode file row by row: 15 values a row, typed and checked.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include <QByteArray>
#include <QString>

#include "update/national/CsvLine.h"

namespace mirabo {

// The values of one row that the data files keep.
struct KenAllRow {
  QString code;  // column 3
  QString pref;  // column 7
  QString city;  // column 8
  QString town;  // column 9
};

// The same values as the code page 932 bytes of the file, for a row that can be copied
// without decoding it: none of the four values holds a doubled quote.
struct KenAllRowBytes {
  std::string_view code, pref, city, town;
};

// The published edition is code page 932; a UTF-8 edition of the same rows exists too.
enum class TextEncoding { Cp932, Utf8 };

// A line that is refused: its 1-based number and what is wrong with it, in Japanese.
struct KenAllFault {
  qint64 line = 0;
  QString what;
};

// Walks the rows of a whole file held in memory (which must outlive the reader).
// Lines end in CR LF, LF or CR. Every row must hold exactly 15 values; column 1 must
// be a 32-bit signed integer and columns 10 to 15 16-bit signed integers. Empty lines
// at the end of the file are ignored; an empty line before a row is refused, and so
// is a NUL byte anywhere, and a file without a single row.
//
// The encoding: a UTF-8 byte order mark makes it UTF-8; else the first line with a
// byte above 0x7F decides, UTF-8 when that line is valid UTF-8, else code page 932.
// Every later line must be valid in that encoding, or it is refused.
class KenAllReader {
 public:
  explicit KenAllReader(const QByteArray& file);

  // Reads the next row into `row`. False at the end of the file or at a refused line,
  // after which Fault() tells which.
  bool Next(KenAllRow& row);
  // The same, except that a row of a code page 932 file that `bytes` can hold comes
  // there alone, `row` left as it was, and `asBytes` says so.
  bool Next(KenAllRow& row, KenAllRowBytes& bytes, bool& asBytes);
  const std::optional<KenAllFault>& Fault() const { return fault_; }

 private:
  // Moves to the next row and checks it; values_ then holds its values.
  bool NextLine();
  const char* LineEnd(const char* from);
  bool Refuse(qint64 line, const QString& what);
  std::optional<QString> CheckEncoding(const char* begin, const char* end);
  std::optional<QString> CheckNumbers() const;
  QString Text(const CsvValue& value) const;

  const char* pos_;
  const char* end_;
  const char* nextLineFeed_ = nullptr;  // the first LF at or after where it was last looked for
  TextEncoding encoding_ = TextEncoding::Cp932;  // as decided so far; code page 932 while every line was ASCII
  bool encodingDecided_ = false;
  qint64 line_ = 0;              // number of the line read last
  qint64 firstEmptyLine_ = 0;    // first of the empty lines read since the last row
  qint64 rows_ = 0;
  std::vector<CsvValue> values_;
  std::optional<KenAllFault> fault_;
};

}  // namespace mirabo
