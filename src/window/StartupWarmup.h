// Work the window's start needs that owes nothing to Qt, begun on a second thread
// before QApplication connects to the display, so that the two overlap.
#pragma once

#include <thread>

namespace mirabo {

// The larger part is the system's font configuration: Qt loads it at the window's first
// line of text, in the middle of building the window, and parsing it takes longer than
// all else the window does before its text. The code page tables come with it.
class StartupWarmup {
 public:
  StartupWarmup();
  ~StartupWarmup();  // waits for the thread
  StartupWarmup(const StartupWarmup&) = delete;
  StartupWarmup& operator=(const StartupWarmup&) = delete;

  // Returns once the work is done; the window is built after it, so that its first text
  // finds the configuration loaded rather than loading it again beside the thread.
  void Wait();

 private:
  std::thread thread_;
};

}  // namespace mirabo
