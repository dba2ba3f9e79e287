// Building and sorting the code index.
#include "update/CodeIndex.h"

#include <algorithm>

#include "data/Cp932Codec.h"
#include "data/Records.h"

namespace {

constexpr int kCodeChars = 7;
constexpr QStringView kSeparator = u"     ";  // four spaces and the sign position

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
