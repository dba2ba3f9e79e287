#include "update/national/KenAllReadAhead.h"

#include <system_error>

namespace mirabo {

namespace {

constexpr size_t kBatchRows = 2048;
constexpr size_t kMaxReady = 4;  // enough to keep both threads busy, little held in memory

}  // namespace

KenAllReadAhead::KenAllReadAhead(const QByteArray& file) : reader_(file) {
  try {
    thread_ = std::thread([this] { Read(); });
  } catch (const std::system_error&) {
    // No thread to spare: NextBatch reads each batch itself.
  }
}

KenAllReadAhead::~KenAllReadAhead() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

bool KenAllReadAhead::FillBatch(std::vector<KenAllItem>& batch) {
  batch.resize(kBatchRows);
  size_t n = 0;
  bool more = true;
  while (n < kBatchRows && (more = reader_.Next(batch[n].row, batch[n].bytes, batch[n].asBytes))) ++n;
  batch.resize(n);
  return more;
}

void KenAllReadAhead::Read() {
  try {
    bool more = true;
    while (more) {
      std::vector<KenAllItem> batch;
      more = FillBatch(batch);
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [this] { return stop_ || ready_.size() < kMaxReady; });
      if (stop_) return;
      if (!batch.empty()) ready_.push_back(std::move(batch));
      changed_.notify_all();
    }
  } catch (...) {
    std::lock_guard lock(mutex_);
    failure_ = std::current_exception();
  }
  std::lock_guard lock(mutex_);
  done_ = true;
  changed_.notify_all();
}

bool KenAllReadAhead::NextBatch(std::vector<KenAllItem>& batch) {
  batch.clear();
  if (!thread_.joinable()) {
    if (!done_) done_ = !FillBatch(batch);
    return !batch.empty();
  }
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return !ready_.empty() || done_; });
  if (!ready_.empty()) {
    batch = std::move(ready_.front());
    ready_.pop_front();
    changed_.notify_all();
    return true;
  }
  if (failure_) std::rethrow_exception(failure_);
  return false;
}

}  // namespace mirabo
