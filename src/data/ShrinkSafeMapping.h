// A read-only mapping of a file that reads zero bytes, instead of faulting, where the
// file has been cut short since it was mapped.
#pragma once

#include <QtGlobal>

namespace mirabo {

// Reading a mapped page that a file no longer holds raises SIGBUS. While a mapping of
// this kind exists, a handler answers such a fault inside it by putting a page of zero
// bytes in the lost page's place, so that the read goes on and sees zeros, as pread
// past the new end would. Faults anywhere else go to the handler there was before.
class ShrinkSafeMapping {
 public:
  // The first `bytes` bytes of the file open as `fd`. Data() is null when they cannot
  // be mapped, or when too many mappings exist already; the caller then reads instead.
  ShrinkSafeMapping(int fd, qint64 bytes);
  ~ShrinkSafeMapping();
  ShrinkSafeMapping(const ShrinkSafeMapping&) = delete;
  ShrinkSafeMapping& operator=(const ShrinkSafeMapping&) = delete;

  const char* Data() const { return begin_; }
  qint64 Size() const { return qint64(length_); }  // 0 without a mapping

 private:
  char* begin_ = nullptr;
  size_t length_ = 0;
  int slot_ = -1;  // its place among the guarded ranges
};

}  // namespace mirabo
