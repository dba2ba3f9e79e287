// Reading the archive with libarchive straight from memory; nothing is unpacked to disk.
#include "update/national/ZipMember.h"

#include <memory>

#include <archive.h>
#include <archive_entry.h>

namespace mirabo {

namespace {

using ArchivePtr = std::unique_ptr<archive, decltype(&archive_read_free)>;

constexpr qint64 kChunk = 256 * 1024;

bool IsCsvName(const QString& name) {
  // Resource-fork copies that some archivers add beside each file are not data.
  if (name.startsWith(QStringLiteral("__MACOSX/"))) return false;
  return name.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
}

UpdateStatus Broken(archive* a) {
  const char* reason = archive_error_string(a);
  return {.kind = UpdateStatus::kZipBroken, .reason = reason ? QString::fromUtf8(reason) : QString()};
}

UpdateStatus TooLarge(const QString& name, qint64 maxBytes) {
  return {.kind = UpdateStatus::kZipMemberTooLarge, .member = name, .number = maxBytes / (1024 * 1024)};
}

QString EntryName(archive_entry* entry) {
  if (const char* utf8 = archive_entry_pathname_utf8(entry)) return QString::fromUtf8(utf8);
  const char* raw = archive_entry_pathname(entry);
  return raw ? QString::fromLocal8Bit(raw) : QString();
}

// Unpacks the current member into `member.bytes`, stopping as soon as it passes maxBytes.
void Unpack(archive* a, archive_entry* entry, qint64 maxBytes, ZipMember& member) {
  if (archive_entry_size_is_set(entry)) {
    const qint64 stated = archive_entry_size(entry);
    if (stated > maxBytes) {
      member.fault = TooLarge(member.name, maxBytes);
      return;
    }
    member.bytes.reserve(stated);
  }
  for (;;) {
    const qint64 room = maxBytes + 1 - member.bytes.size();
    const qsizetype at = member.bytes.size();
    member.bytes.resize(at + qMin(kChunk, room));
    const la_ssize_t got = archive_read_data(a, member.bytes.data() + at, size_t(member.bytes.size() - at));
    if (got < 0) {
      member.fault = Broken(a);
      return;
    }
    member.bytes.resize(at + got);
    if (member.bytes.size() > maxBytes) {
      member.fault = TooLarge(member.name, maxBytes);
      return;
    }
    if (got == 0) return;
  }
}

}  // namespace

bool IsZip(const QByteArray& bytes) { return bytes.startsWith(QByteArrayView("PK\x03\x04", 4)); }

ZipMember ReadCsvMember(const QByteArray& zip, qint64 maxBytes) {
  ZipMember member;
  ArchivePtr a(archive_read_new(), &archive_read_free);
  archive_read_support_format_zip(a.get());
  if (archive_read_open_memory(a.get(), zip.constData(), size_t(zip.size())) != ARCHIVE_OK) {
    member.fault = Broken(a.get());
    return member;
  }
  int found = 0;
  archive_entry* entry = nullptr;
  int status = ARCHIVE_OK;
  // Stops at the first fault: a second ".csv" member, or one that cannot be unpacked.
  while (member.fault.ok() &&
         ((status = archive_read_next_header(a.get(), &entry)) == ARCHIVE_OK || status == ARCHIVE_WARN)) {
    const QString name = EntryName(entry);
    if (archive_entry_filetype(entry) != AE_IFREG || !IsCsvName(name)) continue;
    if (++found > 1) {
      member.fault = {.kind = UpdateStatus::kZipTwoCsvs, .member = member.name, .otherMember = name};
    } else {
      member.name = name;
      Unpack(a.get(), entry, maxBytes, member);
    }
  }
  if (member.fault.ok() && status != ARCHIVE_EOF) member.fault = Broken(a.get());
  if (member.fault.ok() && found == 0) member.fault = {.kind = UpdateStatus::kZipNoCsv};
  if (!member.fault.ok()) member.bytes.clear();
  return member;
}

}  // namespace mirabo
