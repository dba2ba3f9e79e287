// The guarded ranges, the SIGBUS handler that serves zero pages in them, and the mapping.
#include "data/ShrinkSafeMapping.h"

#include <atomic>
#include <csignal>
#include <cstdint>
#include <mutex>

#include <sys/mman.h>
#include <unistd.h>

namespace mirabo {

namespace {

// Ranges are kept in fixed slots, so that the handler reads them without a lock.
constexpr int kSlots = 64;
std::atomic<std::uintptr_t> rangeBegin[kSlots];
std::atomic<std::uintptr_t> rangeEnd[kSlots];
std::uintptr_t pageBytes = 4096;
struct sigaction previousHandler {};

void OnBusError(int signal, siginfo_t* info, void* context) {
  const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
  for (int slot = 0; slot < kSlots; ++slot) {
    const std::uintptr_t begin = rangeBegin[slot].load(std::memory_order_acquire);
    if (begin == 0 || address < begin || address >= rangeEnd[slot].load(std::memory_order_acquire)) continue;
    // The page the file lost becomes a page of zeros; the faulting read then runs again.
    void* page = reinterpret_cast<void*>(address & ~(pageBytes - 1));
    if (::mmap(page, pageBytes, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) != MAP_FAILED) return;
    break;
  }
  // Not a fault of ours: what would have happened without this handler.
  if (previousHandler.sa_flags & SA_SIGINFO) {
    previousHandler.sa_sigaction(signal, info, context);
  } else if (previousHandler.sa_handler != SIG_DFL && previousHandler.sa_handler != SIG_IGN) {
    previousHandler.sa_handler(signal);
  } else {
    std::signal(SIGBUS, SIG_DFL);  // the read runs again and ends the process as before
  }
}

bool InstallHandler() {
  pageBytes = std::uintptr_t(::sysconf(_SC_PAGESIZE));
  struct sigaction action {};
  action.sa_sigaction = OnBusError;
  action.sa_flags = SA_SIGINFO | SA_NODEFER;
  sigemptyset(&action.sa_mask);
  return ::sigaction(SIGBUS, &action, &previousHandler) == 0;
}

bool HandlerInstalled() {
  static const bool installed = InstallHandler();
  return installed;
}

int TakeSlot(std::uintptr_t begin, std::uintptr_t end) {
  for (int slot = 0; slot < kSlots; ++slot) {
    std::uintptr_t free = 0;
    if (!rangeBegin[slot].compare_exchange_strong(free, std::uintptr_t(1))) continue;  // 1: being filled
    rangeEnd[slot].store(end, std::memory_order_release);
    rangeBegin[slot].store(begin, std::memory_order_release);
    return slot;
  }
  return -1;
}

}  // namespace

ShrinkSafeMapping::ShrinkSafeMapping(int fd, qint64 bytes) {
  if (fd < 0 || bytes <= 0 || !HandlerInstalled()) return;
  void* mapped = ::mmap(nullptr, size_t(bytes), PROT_READ, MAP_SHARED, fd, 0);
  if (mapped == MAP_FAILED) return;
  const auto begin = reinterpret_cast<std::uintptr_t>(mapped);
  slot_ = TakeSlot(begin, begin + std::uintptr_t(bytes));
  if (slot_ < 0) {
    ::munmap(mapped, size_t(bytes));
    return;
  }
  begin_ = static_cast<char*>(mapped);
  length_ = size_t(bytes);
}

ShrinkSafeMapping::~ShrinkSafeMapping() {
  if (!begin_) return;
  rangeEnd[slot_].store(0, std::memory_order_release);
  rangeBegin[slot_].store(0, std::memory_order_release);
  ::munmap(begin_, length_);
}

}  // namespace mirabo
