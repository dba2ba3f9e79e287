// Why an update step failed, as a value: its kind and the details its message names.
#pragma once

#include <vector>

#include <QString>

namespace mirabo {

struct UpdateStatus {
  enum Kind {
    kOk,
    // Before anything is written: the national file, the data folder, the rebuild lock.
    kNoNationalFile, kFileMissing, kFileUnreadable, kFileTooLarge, kNoDataFolder, kFolderNotWritable, kRebuildBusy,
    // The rebuild lock file: a link or no file at all; another account's, closed to us.
    kLockNotRegular, kLockOfOtherUser,
    // Writing the new files and swapping them in. kNewFilesRolledBackLater: the next opening
    // finishes the rollback; kSwapLeftovers: an earlier swap cut short cannot be settled.
    kNewFilesNotWritable, kNewFilesNotPlaced, kNewFilesRolledBackLater, kSwapLeftovers,
    // Opening the data: a swap cut short that cannot be settled, or one under way too long.
    kSwapUnfinished,
    // The national file's content, read or downloaded.
    kBadRow, kTooManyEntries, kZipBroken, kZipNoCsv, kZipTwoCsvs, kZipMemberTooLarge,
    // The download: kDownloadFailed holds one of these, or a content kind, per address.
    kDownloadFailed, kNotWebAddress, kHttpStatus, kNotZip, kTooManyRedirects, kInsecureRedirect,
    kSecureConnectionFailed, kNetworkFailed, kTransferBroken, kDownloadCancelled, kDownloadTimedOut, kDownloadTooLarge,
    // Reading the change report back.
    kReportUnreadable, kReportTooLarge, kReportDamaged,
  };

  Kind kind = kOk;
  QString file{};         // by name: the national file, the archive or the change report
  QString member{};       // the archive's member concerned
  QString otherMember{};  // kZipTwoCsvs: the second ".csv" member
  QString folder{};       // a path; the message shows it absolute
  QString url{};          // where a download attempt failed; empty before any request
  qint64 line = 0;        // 1-based; 0 for kBadRow: the whole file
  qint64 number = 0;      // an HTTP status, or a limit in MB or seconds
  QString reason{};       // the system's or a library's reason, or what is wrong with a row
  std::vector<UpdateStatus> attempts{};  // kDownloadFailed: each address's fault, in order

  bool ok() const { return kind == kOk; }
};

// The text the window's message box and the CLI's error line show, in Japanese;
// empty for kOk.
QString FailureMessage(const UpdateStatus& status);

// The system's text for an error number.
QString SystemReason(int error);

}  // namespace mirabo
