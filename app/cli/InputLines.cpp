// Reading bounded lines byte by byte from a buffered file.
#include "cli/InputLines.h"

namespace mirabo {

bool InputLines::Next(QByteArray& line) {
  if (tooLong_) return false;
  line.clear();
  int c = std::getc(file_);
  if (c == EOF) return false;
  ++number_;
  for (; c != EOF && c != '\n'; c = std::getc(file_)) {
    if (line.size() == kMaxLineBytes + 1) {  // room for the CR of a CR LF
      tooLong_ = true;
      return false;
    }
    line.append(char(c));
  }
  if (line.endsWith('\r')) line.chop(1);
  if (line.size() > kMaxLineBytes) {
    tooLong_ = true;
    return false;
  }
  return true;
}

}  // namespace mirabo
