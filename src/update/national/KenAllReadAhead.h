// Reading the national file on a second thread, ahead of the rows' use.
#pragma once

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include <QByteArray>

#include "update/national/KenAllReader.h"

namespace mirabo {

// One row as KenAllReader::Next(row, bytes, asBytes) gives it.
struct KenAllItem {
  KenAllRow row;
  KenAllRowBytes bytes;
  bool asBytes = false;
};

// Reading and checking a row takes about as long as building its records: a reader on a
// second thread runs ahead and hands the rows over in batches, in their order, so that
// the two halves of a rebuild run side by side. The rows are KenAllReader's, unchanged.
class KenAllReadAhead {
 public:
  explicit KenAllReadAhead(const QByteArray& file);  // which must outlive the reader
  ~KenAllReadAhead();                                // stops the reader where it is
  KenAllReadAhead(const KenAllReadAhead&) = delete;
  KenAllReadAhead& operator=(const KenAllReadAhead&) = delete;

  // Replaces `batch` with the next rows; false, `batch` empty, once all are handed over.
  // An exception the reader met is thrown here.
  bool NextBatch(std::vector<KenAllItem>& batch);
  // The refused line, if reading stopped at one; to be asked once NextBatch is false.
  const std::optional<KenAllFault>& Fault() const { return reader_.Fault(); }

 private:
  void Read();
  // Reads up to one batch into `batch`; false once the reader has no more rows.
  bool FillBatch(std::vector<KenAllItem>& batch);

  KenAllReader reader_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::vector<KenAllItem>> ready_;  // at most kMaxReady batches
  bool done_ = false;                          // the reader has read its last row
  bool stop_ = false;                          // the rows are no longer wanted
  std::exception_ptr failure_;
  std::thread thread_;  // none when no thread could be started
};

}  // namespace mirabo
