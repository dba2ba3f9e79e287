// One row of a text-to-text table test: a name, the text in and the text expected.
#pragma once

#include <ostream>

#include <QString>

namespace mirabo {

struct TextCase {
  const char* name;
  const char* in;   // UTF-8
  const char* out;  // UTF-8

  QString In() const { return QString::fromUtf8(in); }
  QString Out() const { return QString::fromUtf8(out); }
};
// Rows print as their names, so that test names and failures stay readable.
inline void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

}  // namespace mirabo
