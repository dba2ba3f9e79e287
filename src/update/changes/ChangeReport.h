// The change report CHANGES.TSV: made after every successful rebuild, read by the window and the CLI.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include <QByteArray>
#include <QList>
#include <QString>

#include "data/Records.h"
#include "data/ShrinkSafeMapping.h"
#include "platform/FileOps.h"
#include "update/changes/EntryChanges.h"
#include "update/UpdateStatus.h"
#include "update/changes/ChangeKinds.h"

namespace mirabo {

inline constexpr char kChangeReportName[] = "CHANGES.TSV";
inline const QString kChangeReportHeader = QStringLiteral("区分\t郵便番号\t都道府県\t市区町村\t町域");
inline const QString kRemovedKind = QStringLiteral("廃止");
inline const QString kAddedKind = QStringLiteral("追加");

// What one rebuild changed, for its closing message and the command line.
struct ChangeSummary {
  bool compared = false;  // false: there was no previous data (first import), and no report
  qint64 added = 0;
  qint64 removed = 0;
  ChangeKindCounts kinds;  // the same changes as the change list's rows count them
  qint64 newCodes = 0;
  qint64 retiredCodes = 0;
  QString reportError;  // why CHANGES.TSV could not be written or removed; empty when it was
};

// The report's bytes: UTF-8, lines ended by LF, the header, then one line per change:
// 廃止 or 追加, the code, prefecture, city and town, separated by TABs. A TAB, CR or LF
// inside a text is written as a space, so that every change stays one line of five fields.
QByteArray ChangeReportBytes(const QList<EntryChange>& changes);

// The entry file of a data set as it was before a rebuild replaced it: mapped, so that
// its 16 MB need not be copied, or else read.
class PreviousEntries {
 public:
  PreviousEntries() = default;
  explicit PreviousEntries(std::string bytes) : read_(std::move(bytes)) {}
  // The first `size` bytes of the file open as `fd`, which the caller still closes.
  PreviousEntries(int fd, qint64 size);

  // Without a whole record there is no previous data.
  bool Empty() const { return Bytes().size() < EntryRecord::Size; }
  // The bytes, as a view that lives as long as this does.
  QByteArray Bytes() const;

 private:
  std::unique_ptr<ShrinkSafeMapping> mapping_;  // null when the bytes were read
  std::string read_;
};

// The entry file of the data set in `dataFolder` (ending in "/"), taken before a rebuild
// replaces it; empty when there is no previous data: the file is missing, holds no
// whole record, cannot be opened, or is larger than any rebuild makes.
PreviousEntries ReadPreviousEntries(const QString& dataFolder, FileOps& ops);

// Called once the new data files are in place. Compares `previous` with `newEntries`
// and writes CHANGES.TSV through a temporary file (CHANGES.TSV.new) renamed over the
// old report; without previous data (`previous` Empty()), removes the report instead.
ChangeSummary ReportChanges(const QString& dataFolder, const PreviousEntries& previous,
                            const QByteArray& newEntries, FileOps& ops);

// Just before a swap: takes the report out of the folder, so that a swap cut short
// never leaves it beside data it does not describe. Its bytes, to be put back should
// the swap not happen; nothing when there was no readable report.
std::optional<QByteArray> TakeChangeReport(const QString& dataFolder, FileOps& ops);
// Puts a report taken by TakeChangeReport back; why it could not be, or empty.
QString PutBackChangeReport(const QString& dataFolder, const QByteArray& bytes, FileOps& ops);

// The report read back, in the file's order.
struct ChangeReportRead {
  bool found = false;    // false: there is no report
  UpdateStatus failure;  // a report that cannot be read, or a damaged line
  QList<EntryChange> changes{};
};
ChangeReportRead ReadChangeReport(const QString& dataFolder, FileOps& ops = SystemFileOps());
bool ChangeReportExists(const QString& dataFolder, FileOps& ops = SystemFileOps());

// The rebuild's closing message in the window; it counts the changes by the change
// list's kinds, so that its numbers are those of the list it offers to show.
QString RebuildDoneMessage(const ChangeSummary& summary);

}  // namespace mirabo
