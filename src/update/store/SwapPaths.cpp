// Names of the swap's files and the journal's line format.
#include "update/store/SwapPaths.h"

#include <sstream>

#include <QFile>

#include "data/DataSet.h"

namespace mirabo {

namespace {

const char* const kDataNames[SwapPaths::kFiles] = {datafile::Pref, datafile::City, datafile::Entry, datafile::Index};

// The first line says what the file is; the last one that it was written whole.
constexpr char kJournalHeader[] = "mirabo data-file swap 1";
constexpr char kJournalEnd[] = "end";

}  // namespace

SwapPaths::SwapPaths(const QString& dataFolder) : folder_(QFile::encodeName(dataFolder).toStdString()) {
  if (folder_.empty() || folder_.back() != '/') folder_ += '/';
}

std::string SwapPaths::Data(int file) const { return folder_ + kDataNames[file]; }
std::string SwapPaths::New(int file) const { return Data(file) + ".new"; }
std::string SwapPaths::Old(int file) const { return Data(file) + ".old"; }
std::string SwapPaths::Journal() const { return folder_ + kSwapJournalName; }
std::string SwapPaths::Lock() const { return folder_ + kRebuildLockName; }

std::string EncodeJournal(const OldFilesKept& kept) {
  std::string text = std::string(kJournalHeader) + '\n';
  for (int file = 0; file < SwapPaths::kFiles; ++file)
    text += std::string(kDataNames[file]) + (kept[file] ? " old\n" : " none\n");
  return text + kJournalEnd + '\n';
}

std::optional<OldFilesKept> DecodeJournal(const std::string& text) {
  std::istringstream lines(text);
  std::string line;
  if (!std::getline(lines, line) || line != kJournalHeader) return std::nullopt;
  OldFilesKept kept{};
  for (int file = 0; file < SwapPaths::kFiles; ++file) {
    if (!std::getline(lines, line)) return std::nullopt;
    const std::string name = kDataNames[file];
    if (line == name + " old") kept[file] = true;
    else if (line != name + " none") return std::nullopt;
  }
  if (!std::getline(lines, line) || line != kJournalEnd) return std::nullopt;
  if (lines.peek() != std::char_traits<char>::eof()) return std::nullopt;
  return kept;
}

}  // namespace mirabo
