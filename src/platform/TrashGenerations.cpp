// The record is lines of "generation TAB path in the trash", oldest first.
#include "platform/TrashGenerations.h"

#include <map>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace mirabo {

namespace {

using Generations = std::map<qint64, QStringList>;

// A record of a few hundred bytes; a larger file is no record of this program's.
constexpr qint64 kMaxRecordBytes = 1 << 20;

Generations ReadRecord(const QString& record, FileOps& ops) {
  Generations generations;
  std::string bytes;
  if (ops.ReadRegular(EncodedPath(record), bytes, kMaxRecordBytes) != 0) return generations;
  for (const QByteArray& line : QByteArray::fromStdString(bytes).split('\n')) {
    const qsizetype tab = line.indexOf('\t');
    bool number = false;
    const qint64 generation = tab > 0 ? line.left(tab).toLongLong(&number) : 0;
    if (number) generations[generation] << QFile::decodeName(line.mid(tab + 1));
  }
  return generations;
}

void WriteRecord(const QString& record, const Generations& generations, FileOps& ops) {
  QByteArray text;
  for (const auto& [generation, paths] : generations)
    for (const QString& path : paths) text += QByteArray::number(generation) + '\t' + QFile::encodeName(path) + '\n';
  const std::string path = EncodedPath(record), temporary = path + ".new";
  if (ops.MakeFolder(EncodedPath(QFileInfo(record).absolutePath())) != 0) return;
  if (ops.Exists(temporary)) ops.Remove(temporary);
  if (ops.CreateDurably(temporary, {text.constData(), size_t(text.size())}, path) == 0) ops.Rename(temporary, path);
}

// Removes a recorded file from the trash with its information file; a path that is
// not in the "files" folder of a trash ("Trash", ".Trash-UID" or ".Trash/UID") is left alone.
void RemoveFromTrash(const QString& path, FileOps& ops) {
  const QFileInfo entry(path);
  QDir trash = entry.dir();
  if (!entry.isAbsolute() || trash.dirName() != u"files" || !trash.cdUp()) return;
  const QString name = trash.dirName(), parent = QFileInfo(trash.absolutePath()).dir().dirName();
  if (name != u"Trash" && !name.startsWith(u".Trash-") && parent != u".Trash") return;
  ops.Remove(EncodedPath(path));
  ops.Remove(EncodedPath(trash.filePath(QStringLiteral("info/%1.trashinfo").arg(entry.fileName()))));
}

}  // namespace

bool MoveGenerationToTrash(const std::vector<std::string>& paths, const QString& record, FileOps& ops, int keep) {
  QStringList landed;
  bool all = true;
  for (const std::string& path : paths) {
    std::string inTrash;
    all = ops.MoveToTrash(path, &inTrash) == 0 && all;
    if (!inTrash.empty()) landed << QFile::decodeName(inTrash.c_str());
  }
  if (landed.isEmpty()) return all;
  Generations generations = ReadRecord(record, ops);
  generations[generations.empty() ? 1 : generations.rbegin()->first + 1] = landed;
  while (int(generations.size()) > keep) {
    for (const QString& path : generations.begin()->second) RemoveFromTrash(path, ops);
    generations.erase(generations.begin());
  }
  WriteRecord(record, generations, ops);
  return all;
}

QString TrashRecordPath() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/mirabo/trashed.tsv");
}

}  // namespace mirabo
