// The names a data-file swap uses in one data folder, and its journal's text.
#pragma once

#include <array>
#include <optional>
#include <string>

#include <QString>

namespace mirabo {

// The four data files in their usual order, and the swap's files beside them: each
// data file's new version ("fuken.DAT.new") and, during a swap, its old one
// ("fuken.DAT.old"); the journal naming a swap in progress; the lock file of rebuilds.
class SwapPaths {
 public:
  static constexpr int kFiles = 4;

  // `dataFolder` ends in "/".
  explicit SwapPaths(const QString& dataFolder);

  const std::string& Folder() const { return folder_; }
  std::string Data(int file) const;
  std::string New(int file) const;
  std::string Old(int file) const;
  std::string Journal() const;
  std::string Lock() const;

 private:
  std::string folder_;  // ends in "/"
};

inline constexpr char kSwapJournalName[] = "mirabo.journal";
inline constexpr char kRebuildLockName[] = "mirabo.lock";

// The journal (mirabo.journal) names a swap in progress. It is plain ASCII, six
// lines each ended by LF, and nothing after the last:
//
//   mirabo data-file swap 1      what the file is, and the format's version
//   fuken.DAT old                one line per data file, in the usual order:
//   city.DAT old                   the data file's name, a space, then "old" when
//   ubinno.dat none                its old version is kept as "<name>.old" during
//   ubinind.dat old                the swap, "none" when it had none
//   end                          the journal was written whole
//
// The writer writes it with WriteDurably and syncs the folder before the first
// rename, and removes it (syncing the folder again) only once all four new files
// are in place and durable. The reader takes anything else (a missing line, a cut
// or unknown one, another version, bytes after "end", such as the zeros a power cut
// can leave) for a journal torn while it was written: no file was renamed yet, so
// the swap is rolled back, which only removes the new files.

// Which of the four data files existed before the swap and were kept as ".old".
using OldFilesKept = std::array<bool, SwapPaths::kFiles>;

std::string EncodeJournal(const OldFilesKept& kept);
// The journal's content, or nothing when it is incomplete or not a journal at all:
// the writer was stopped before any file was renamed.
std::optional<OldFilesKept> DecodeJournal(const std::string& text);

}  // namespace mirabo
