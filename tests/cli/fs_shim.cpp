// Preloaded into mirabo-cli by the swap tests: makes the K-th rename into a folder
// fail, or kills the process at the K-th step that changes the folder.
//
//   MIRABO_SHIM_DIR=/path/         the folder watched (a path prefix)
//   MIRABO_SHIM_FAIL_RENAME=K      the K-th rename from or into it fails with EIO
//   MIRABO_SHIM_KILL_STEP=K        SIGKILL before the K-th step: a rename or unlink
//                                  there, or any fsync
#include <dlfcn.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

int Setting(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::atoi(value) : 0;
}

bool InFolder(const char* path) {
  const char* folder = std::getenv("MIRABO_SHIM_DIR");
  return folder && path && std::strncmp(path, folder, std::strlen(folder)) == 0;
}

int steps = 0, renames = 0;

void Step() {
  if (++steps == Setting("MIRABO_SHIM_KILL_STEP")) ::kill(::getpid(), SIGKILL);
}

template <typename Function>
Function Next(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" int rename(const char* from, const char* to) {
  static const auto next = Next<int (*)(const char*, const char*)>("rename");
  if (InFolder(from) || InFolder(to)) {
    Step();
    if (++renames == Setting("MIRABO_SHIM_FAIL_RENAME")) {
      errno = EIO;
      return -1;
    }
  }
  return next(from, to);
}

extern "C" int unlink(const char* path) {
  static const auto next = Next<int (*)(const char*)>("unlink");
  if (InFolder(path)) Step();
  return next(path);
}

extern "C" int fsync(int fd) {
  static const auto next = Next<int (*)(int)>("fsync");
  Step();
  return next(fd);
}
