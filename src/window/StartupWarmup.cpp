#include "window/StartupWarmup.h"

#include <system_error>

#include "data/Cp932Codec.h"

#if MIRABO_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace mirabo {

namespace {

void Warm() {
#if MIRABO_HAVE_FONTCONFIG
  FcInit();  // the current configuration, which Qt's font database then takes as it is
#endif
  try {
    cp932::Require();
  } catch (const cp932::Unavailable&) {
    // The program asks for the tables itself and reports their absence there.
  }
}

}  // namespace

StartupWarmup::StartupWarmup() {
  try {
    thread_ = std::thread(Warm);
  } catch (const std::system_error&) {
    // No thread to spare: Qt and the program load all of it themselves, as they would anyway.
  }
}

StartupWarmup::~StartupWarmup() { Wait(); }

void StartupWarmup::Wait() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace mirabo
