// Value splitting for the national file. Works on bytes: in code page 932 and UTF-8
// alike, comma, quote, CR and LF never occur inside a multi-byte character.
#include "update/national/CsvLine.h"

#include <cstring>

namespace mirabo {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

const char* SkipBlanks(const char* p, const char* end) {
  while (p < end && IsBlank(*p)) ++p;
  return p;
}

QString Column(qsizetype index) { return QString::number(index + 1); }

// Reads a quoted value whose opening quote is at `open`; returns the position after
// the closing quote, or nullptr when the line ends first.
const char* ReadQuoted(const char* open, const char* end, CsvValue& value) {
  value.quoted = true;
  value.begin = open + 1;
  for (const char* p = open + 1; p < end; p += 2) {
    p = static_cast<const char*>(std::memchr(p, '"', size_t(end - p)));
    if (!p) break;
    if (p + 1 == end || p[1] != '"') {
      value.end = p;
      return p + 1;
    }
    value.doubledQuotes = true;  // and the loop steps over the pair
  }
  return nullptr;
}

}  // namespace

QByteArray CsvValue::Bytes() const {
  QByteArray bytes(begin, end - begin);
  if (doubledQuotes) bytes.replace("\"\"", "\"");
  return bytes;
}

std::optional<CsvFault> SplitCsvLine(const char* begin, const char* end, std::vector<CsvValue>& values,
                                     qsizetype maxValues) {
  values.clear();
  const char* p = begin;
  for (;;) {
    CsvValue value;
    const char* start = SkipBlanks(p, end);
    if (start < end && *start == '"') {
      const char* after = ReadQuoted(start, end, value);
      if (!after) return QStringLiteral("%1 列目の引用符が閉じていません").arg(Column(values.size()));
      p = SkipBlanks(after, end);
      if (p < end && *p != ',')
        return QStringLiteral("%1 列目の引用符のあとに余分な文字があります").arg(Column(values.size()));
    } else {
      value.begin = p;
      while (p < end && *p != ',') {
        if (*p == '"') return QStringLiteral("%1 列目の途中に引用符があります").arg(Column(values.size()));
        ++p;
      }
      value.end = p;
    }
    values.push_back(value);
    if (p == end || qsizetype(values.size()) > maxValues) return std::nullopt;
    ++p;  // the comma; a comma at the line's end leaves one more, empty value
  }
}

std::optional<qint64> ParseInteger(const CsvValue& value, qint64 min, qint64 max) {
  const char* p = SkipBlanks(value.begin, value.end);
  const char* end = value.end;
  while (end > p && IsBlank(end[-1])) --end;
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
  if (p == end) return std::nullopt;
  qint64 magnitude = 0;
  for (; p < end; ++p) {
    if (*p < '0' || *p > '9') return std::nullopt;
    magnitude = magnitude * 10 + (*p - '0');
    // Past every bound the file can hold; stop before the arithmetic overflows.
    if (magnitude > (qint64(1) << 40)) return std::nullopt;
  }
  const qint64 number = negative ? -magnitude : magnitude;
  if (number < min || number > max) return std::nullopt;
  return number;
}

}  // namespace mirabo
