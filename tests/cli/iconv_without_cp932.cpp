// Preloaded into mirabo-cli by a test: iconv_open behaves as on a system without
// glibc's CP932 converter, and passes every other conversion through.
#include <dlfcn.h>
#include <iconv.h>
#include <strings.h>

#include <cerrno>

extern "C" iconv_t iconv_open(const char* to, const char* from) {
  if (strcasecmp(to, "CP932") == 0 || strcasecmp(from, "CP932") == 0) {
    errno = EINVAL;
    return iconv_t(-1);
  }
  using Open = iconv_t (*)(const char*, const char*);
  static const auto real = reinterpret_cast<Open>(dlsym(RTLD_NEXT, "iconv_open"));
  return real(to, from);
}
