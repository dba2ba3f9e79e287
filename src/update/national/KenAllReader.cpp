// The national file's rows: line splitting, value count and number checks, decoding.
#include "update/national/KenAllReader.h"

#include <cstring>

#include <QByteArrayView>

#include "data/Cp932Codec.h"

namespace mirabo {

namespace {

constexpr int kColumns = 15;
constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

bool HasUtf8Bom(const QByteArray& bytes) { return bytes.startsWith(kUtf8Bom); }

// Qt's check refuses overlong forms, surrogates and values past U+10FFFF.
bool IsValidUtf8(const char* begin, const char* end) { return QByteArrayView(begin, end - begin).isValidUtf8(); }

bool IsAscii(const char* begin, const char* end) {
  for (const char* p = begin; p < end; ++p)
    if (quint8(*p) >= 0x80) return false;
  return true;
}

QString EncodingName(TextEncoding encoding) {
  return encoding == TextEncoding::Utf8 ? QStringLiteral("UTF-8") : QStringLiteral("Shift-JIS（コードページ 932）");
}

// The text with control characters written as \xHH, so that a message shows them.
QString Visible(const QString& text) {
  QString shown;
  for (const QChar c : text) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F)
      shown += QStringLiteral("\\x") + QStringLiteral("%1").arg(c.unicode(), 2, 16, QChar(u'0')).toUpper();
    else
      shown += c;
  }
  return shown;
}

}  // namespace

KenAllReader::KenAllReader(const QByteArray& file) : pos_(file.constData()), end_(file.constData() + file.size()) {
  if (HasUtf8Bom(file)) {
    pos_ += 3;
    encoding_ = TextEncoding::Utf8;
    encodingDecided_ = true;
  }
  // A DOS end-of-file mark closes some older copies of the file; it is no row.
  if (end_ > pos_ && end_[-1] == '\x1A') --end_;
  values_.reserve(kColumns + 1);
}

bool KenAllReader::Refuse(qint64 line, const QString& what) {
  fault_ = KenAllFault{line, what};
  pos_ = end_;
  return false;
}

bool KenAllReader::Next(KenAllRow& row) {
  if (!NextLine()) return false;
  row.code = Text(values_[2]);
  row.pref = Text(values_[6]);
  row.city = Text(values_[7]);
  row.town = Text(values_[8]);
  return true;
}

bool KenAllReader::Next(KenAllRow& row, KenAllRowBytes& bytes, bool& asBytes) {
  if (!NextLine()) return false;
  const CsvValue* kept[] = {&values_[2], &values_[6], &values_[7], &values_[8]};
  asBytes = encoding_ == TextEncoding::Cp932;
  for (const CsvValue* value : kept) asBytes = asBytes && !value->doubledQuotes;
  if (!asBytes) {
    row = {Text(values_[2]), Text(values_[6]), Text(values_[7]), Text(values_[8])};
    return true;
  }
  const auto view = [](const CsvValue* value) { return std::string_view(value->begin, size_t(value->end - value->begin)); };
  bytes = {view(kept[0]), view(kept[1]), view(kept[2]), view(kept[3])};
  return true;
}

// The first CR or LF at or after `from`, or the file's end. The next LF is looked up
// once and kept, so that a file of CR-ended lines is not searched to its end per line.
const char* KenAllReader::LineEnd(const char* from) {
  if (!nextLineFeed_ || nextLineFeed_ < from) {
    nextLineFeed_ = static_cast<const char*>(std::memchr(from, '\n', size_t(end_ - from)));
    if (!nextLineFeed_) nextLineFeed_ = end_;
  }
  const void* carriageReturn = std::memchr(from, '\r', size_t(nextLineFeed_ - from));
  return carriageReturn ? static_cast<const char*>(carriageReturn) : nextLineFeed_;
}

bool KenAllReader::NextLine() {
  while (pos_ < end_ && !fault_) {
    ++line_;
    const char* lineEnd = LineEnd(pos_);
    const char* begin = pos_;
    pos_ = lineEnd;
    if (pos_ < end_ && *pos_++ == '\r' && pos_ < end_ && *pos_ == '\n') ++pos_;

    if (begin == lineEnd) {
      if (firstEmptyLine_ == 0) firstEmptyLine_ = line_;
      continue;
    }
    if (firstEmptyLine_ != 0) return Refuse(firstEmptyLine_, QStringLiteral("空の行があります"));
    if (std::memchr(begin, '\0', lineEnd - begin)) return Refuse(line_, QStringLiteral("NUL 文字が含まれています"));
    if (auto fault = CheckEncoding(begin, lineEnd)) return Refuse(line_, *fault);
    if (auto fault = SplitCsvLine(begin, lineEnd, values_, kColumns)) return Refuse(line_, *fault);
    if (values_.size() > kColumns)
      return Refuse(line_, QStringLiteral("値が %1 個より多くあります（15 個のはずです）").arg(kColumns));
    if (values_.size() != kColumns)
      return Refuse(line_, QStringLiteral("値が %1 個あります（15 個のはずです）").arg(values_.size()));
    if (auto fault = CheckNumbers()) return Refuse(line_, *fault);
    ++rows_;
    return true;
  }
  // What a failed download or copy leaves: nothing that could replace the data.
  if (!fault_ && rows_ == 0) Refuse(0, QStringLiteral("データの行がありません"));
  return false;
}

std::optional<QString> KenAllReader::CheckEncoding(const char* begin, const char* end) {
  if (!encodingDecided_) {
    if (IsAscii(begin, end)) return std::nullopt;
    encoding_ = IsValidUtf8(begin, end) ? TextEncoding::Utf8 : TextEncoding::Cp932;
    encodingDecided_ = true;
    return std::nullopt;
  }
  const bool valid = encoding_ == TextEncoding::Utf8 ? IsValidUtf8(begin, end) : cp932::IsValid(begin, end - begin);
  if (valid) return std::nullopt;
  return QStringLiteral("%1 として読めない文字があります（このファイルは %1 のはずです）").arg(EncodingName(encoding_));
}

std::optional<QString> KenAllReader::CheckNumbers() const {
  struct NumberColumn {
    int index;
    qint64 min, max;
  };
  static constexpr NumberColumn kNumbers[] = {
      {0, -2147483648LL, 2147483647LL}, {9, -32768, 32767},  {10, -32768, 32767},
      {11, -32768, 32767},              {12, -32768, 32767}, {13, -32768, 32767},
      {14, -32768, 32767}};
  for (const NumberColumn& column : kNumbers) {
    const CsvValue& value = values_[column.index];
    if (ParseInteger(value, column.min, column.max)) continue;
    QString shown = Visible(Text(value));
    if (shown.size() > 20) shown = shown.left(20) + QStringLiteral("…");
    return QStringLiteral("%1 列目「%2」は %3～%4 の整数ではありません")
        .arg(column.index + 1)
        .arg(shown)
        .arg(column.min)
        .arg(column.max);
  }
  return std::nullopt;
}

QString KenAllReader::Text(const CsvValue& value) const {
  if (value.doubledQuotes) {
    const QByteArray bytes = value.Bytes();
    return encoding_ == TextEncoding::Utf8 ? QString::fromUtf8(bytes) : cp932::Decode(bytes);
  }
  const qsizetype length = value.end - value.begin;
  return encoding_ == TextEncoding::Utf8 ? QString::fromUtf8(value.begin, length)
                                         : cp932::Decode(value.begin, length);
}

}  // namespace mirabo
