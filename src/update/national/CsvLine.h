// Splitting one line of the national file into its values, and reading number values.
#pragma once

#include <optional>
#include <vector>

#include <QByteArray>
#include <QString>

namespace mirabo {

// One value of a line: a run of the line's bytes. A quoted value excludes its quotes;
// `doubledQuotes` says that "" inside it stands for one quote.
struct CsvValue {
  const char* begin = nullptr;
  const char* end = nullptr;
  bool quoted = false;
  bool doubledQuotes = false;

  // The value's bytes, with "" turned into ".
  QByteArray Bytes() const;
};

// What is wrong with a line, in Japanese, without the line number.
using CsvFault = QString;

// Splits the bytes [begin, end) of one line (no line end) into values separated by
// commas. A value may stand in double quotes, with spaces or tabs around them; inside
// the quotes a comma is part of the value and "" stands for one quote. Fails for a
// quote that is not closed, text after a closing quote, or a quote inside an
// unquoted value. `values` is cleared first. Splitting stops once `values` holds
// more than `maxValues`, so a line of nothing but commas costs no memory per comma.
std::optional<CsvFault> SplitCsvLine(const char* begin, const char* end, std::vector<CsvValue>& values,
                                     qsizetype maxValues);

// The value as a decimal integer in [min, max]: optional spaces, an optional sign,
// at least one digit, optional spaces. Nothing for anything else.
std::optional<qint64> ParseInteger(const CsvValue& value, qint64 min, qint64 max);

}  // namespace mirabo
