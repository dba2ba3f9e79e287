// Writing ZIP archives into a byte array through libarchive's callbacks.
#include "support/ZipMaker.h"

#include <functional>
#include <memory>

#include <QHash>

#include <archive.h>
#include <archive_entry.h>

namespace mirabo {

namespace {

la_ssize_t Append(archive*, void* out, const void* data, size_t size) {
  static_cast<QByteArray*>(out)->append(static_cast<const char*>(data), qsizetype(size));
  return la_ssize_t(size);
}

// Writes each member's header, then lets `fill` write its data.
QByteArray Write(const QList<std::pair<QString, qint64>>& members,
                 const std::function<void(archive*, int)>& fill) {
  QByteArray out;
  std::unique_ptr<archive, decltype(&archive_write_free)> a(archive_write_new(), &archive_write_free);
  archive_write_set_format_zip(a.get());
  archive_write_set_options(a.get(), "zip:compression=deflate");
  archive_write_set_bytes_in_last_block(a.get(), 1);
  archive_write_open(a.get(), &out, nullptr, Append, nullptr);
  for (int i = 0; i < members.size(); ++i) {
    std::unique_ptr<archive_entry, decltype(&archive_entry_free)> entry(archive_entry_new(), &archive_entry_free);
    archive_entry_set_pathname_utf8(entry.get(), members[i].first.toUtf8().constData());
    archive_entry_set_filetype(entry.get(), AE_IFREG);
    archive_entry_set_perm(entry.get(), 0644);
    archive_entry_set_size(entry.get(), members[i].second);
    archive_write_header(a.get(), entry.get());
    fill(a.get(), i);
  }
  archive_write_close(a.get());
  return out;
}

}  // namespace

QByteArray MakeZip(const QList<ZipEntry>& entries) {
  QList<std::pair<QString, qint64>> members;
  for (const ZipEntry& entry : entries) members.append({entry.name, entry.bytes.size()});
  return Write(members, [&](archive* a, int i) {
    archive_write_data(a, entries[i].bytes.constData(), size_t(entries[i].bytes.size()));
  });
}

QByteArray MakeZipBomb(const QString& name, qint64 size) {
  // Deflating 200 MB takes about a second, and many cases serve the same bomb: each
  // one is made once per test program.
  static QHash<std::pair<QString, qint64>, QByteArray> made;
  const auto key = std::pair(name, size);
  if (!made.contains(key)) {
    made.insert(key, Write({{name, size}}, [size](archive* a, int) {
      const QByteArray zeros(1 << 20, '\0');
      for (qint64 left = size; left > 0; left -= zeros.size())
        archive_write_data(a, zeros.constData(), size_t(qMin<qint64>(left, zeros.size())));
    }));
  }
  return made.value(key);
}

}  // namespace mirabo
