// The names a data-file swap uses in one data folder, and its journal's text.
#pragma once

#include <array>
#include <optional>
#include <string>

#include <QString>

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

// Which of the four data files existed before the swap and were kept as ".old".
using OldFilesKept = std::array<bool, SwapPaths::kFiles>;

std::string EncodeJournal(const OldFilesKept& kept);
// The journal's content, or nothing when it is incomplete or not a journal at all:
// the writer was stopped before any file was renamed.
std::optional<OldFilesKept> DecodeJournal(const std::string& text);
