// The lines of a list or of standard input, read one at a time with a bound on each,
// so that memory stays flat however much comes.
#pragma once

#include <cstdio>

#include <QByteArray>

namespace mirabo {

class InputLines {
 public:
  // Longer than any address or list row a person writes.
  static constexpr qsizetype kMaxLineBytes = 4096;

  explicit InputLines(std::FILE* file) : file_(file) {}

  // The next line, without its LF and a CR before it. False at the end, and on a
  // line longer than kMaxLineBytes (TooLong) or a read error (Failed). A final line
  // break ends the last line and starts no other.
  bool Next(QByteArray& line);
  // The 1-based number of the line last given, or of the one too long.
  qint64 Number() const { return number_; }
  bool TooLong() const { return tooLong_; }
  bool Failed() const { return std::ferror(file_) != 0; }

 private:
  std::FILE* file_;
  qint64 number_ = 0;
  bool tooLong_ = false;
};

}  // namespace mirabo
