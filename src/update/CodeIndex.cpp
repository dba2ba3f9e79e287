// Building and sorting the code index.
#include "update/CodeIndex.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <optional>
#include <string_view>

#include "data/Cp932Codec.h"
#include "data/Records.h"

namespace mirabo {

namespace {

constexpr int kCodeChars = 7;
constexpr QStringView kSeparator = u"     ";  // four spaces and the sign position

// The first seven bytes of a code field as a number, when they are seven ASCII digits.
// They then decode to the same seven characters.
std::optional<quint32> SevenDigits(const char* code) {
  quint32 value = 0;
  for (int i = 0; i < kCodeChars; ++i) {
    if (code[i] < '0' || code[i] > '9') return std::nullopt;
    value = value * 10 + quint32(code[i] - '0');
  }
  return value;
}

// True when the decimal text of `a` sorts before that of `b`, as the keys' tails do.
bool DecimalTextBefore(qint32 a, qint32 b) {
  char textA[12], textB[12];
  const std::string_view viewA(textA, size_t(std::to_chars(textA, textA + sizeof textA, a).ptr - textA));
  const std::string_view viewB(textB, size_t(std::to_chars(textB, textB + sizeof textB, b).ptr - textB));
  return viewA < viewB;
}

// Entry numbers ordered by code, each in the low half, the code in the high half.
// A stable radix sort on the code (below 2^24: three passes of eight bits) keeps the
// entries of one code in numeric order; codes that several entries share then get
// their entries in the order of the numbers' decimal texts, as the keys compare.
std::vector<quint64> SortByCode(std::vector<quint64> items) {
  std::vector<quint64> sorted(items.size());
  for (int shift = 32; shift < 56; shift += 8) {
    size_t starts[257] = {};
    for (const quint64 item : items) ++starts[((item >> shift) & 0xFF) + 1];
    for (int b = 0; b < 256; ++b) starts[b + 1] += starts[b];
    for (const quint64 item : items) sorted[starts[(item >> shift) & 0xFF]++] = item;
    items.swap(sorted);
  }
  for (size_t first = 0; first < items.size();) {
    size_t end = first + 1;
    while (end < items.size() && items[end] >> 32 == items[first] >> 32) ++end;
    if (end - first > 1)
      std::sort(items.begin() + qsizetype(first), items.begin() + qsizetype(end),
                [](quint64 a, quint64 b) { return DecimalTextBefore(qint32(a & 0xFFFFFFFF), qint32(b & 0xFFFFFFFF)); });
    first = end;
  }
  return items;
}

// The index when every code begins with seven digits, as every row of the national
// file does: no keys as text. Nothing when a code does not.
std::optional<QByteArray> BuildDigitCodeIndex(const QByteArray& entryFile) {
  const qsizetype count = entryFile.size() / EntryRecord::Size;
  std::vector<quint64> items;
  items.reserve(size_t(count));
  for (qsizetype n = 1; n <= count; ++n) {
    const auto code = SevenDigits(entryFile.constData() + (n - 1) * EntryRecord::Size + EntryRecord::CodeOffset);
    if (!code) return std::nullopt;
    items.push_back(quint64(*code) << 32 | quint64(n));
  }
  items = SortByCode(std::move(items));

  QByteArray index(count * IndexRecord::Size, Qt::Uninitialized);
  char* out = index.data();
  for (const quint64 item : items) {
    const auto entryNo = qint32(item & 0xFFFFFFFF);
    const char* code = entryFile.constData() + qsizetype(entryNo - 1) * EntryRecord::Size + EntryRecord::CodeOffset;
    std::memcpy(out + IndexRecord::CodeOffset, code, kCodeChars);
    std::memset(out + IndexRecord::CodeOffset + kCodeChars, ' ', IndexRecord::CodeWidth - kCodeChars);
    record::PutNumber(out + IndexRecord::EntryNoOffset, entryNo);
    out += IndexRecord::Size;
  }
  return index;
}

}  // namespace

QString IndexKey(QStringView codeField, qint32 entryNo) {
  QString key;
  key.reserve(kCodeChars + kSeparator.size() + 10);
  key.append(codeField.left(kCodeChars)).append(kSeparator).append(QString::number(entryNo));
  return key;
}

qint32 EntryNoOfKey(QStringView key) {
  return key.right(6).trimmed().toInt();
}

void SortKeys(std::vector<QString>& keys) {
  // QString's operator< compares UTF-16 code units, without locale or folding.
  std::sort(keys.begin(), keys.end());
}

QByteArray BuildCodeIndex(const QByteArray& entryFile) {
  if (std::optional<QByteArray> index = BuildDigitCodeIndex(entryFile)) return *std::move(index);
  const qsizetype count = entryFile.size() / EntryRecord::Size;
  std::vector<QString> keys;
  keys.reserve(count);
  for (qsizetype n = 1; n <= count; ++n) {
    const char* code = entryFile.constData() + (n - 1) * EntryRecord::Size + EntryRecord::CodeOffset;
    keys.push_back(IndexKey(cp932::Decode(code, EntryRecord::CodeWidth), qint32(n)));
  }
  SortKeys(keys);

  QByteArray index(count * IndexRecord::Size, Qt::Uninitialized);
  IndexRecord record;
  for (qsizetype n = 0; n < count; ++n) {
    record.Code = keys[n].left(kCodeChars);
    record.EntryNo = EntryNoOfKey(keys[n]);
    record.Encode(index.data() + n * IndexRecord::Size);
  }
  return index;
}

}  // namespace mirabo
