// The local HTTP server of the download tests (http_fixture.py), on 127.0.0.1 only.
#pragma once

#include <ostream>
#include <vector>

#include <QProcess>
#include <QString>
#include <QStringList>

#include "support/TestFiles.h"

namespace mirabo {

class HttpFixture {
 public:
  // Starts the server over a fresh folder; Ok() tells whether it answered in time.
  HttpFixture();
  ~HttpFixture();

  bool Ok() const { return port_ > 0; }
  // The folder whose files the server serves by name.
  const TempFolder& Root() const { return root_; }
  void Serve(const QString& name, const QByteArray& bytes) const;
  // The archives a download must refuse, each named for its fault: truncated.zip (half
  // of `csv` zipped), nocsv.zip, twocsv.zip (a.csv and b.csv) and bomb.zip (one member
  // that states more than the unpacking limit).
  void ServeBadArchives(const QByteArray& csv) const;
  // "http://127.0.0.1:PORT/" followed by `path`.
  QString Url(const QString& path) const;
  // The path and the Referer header of each request so far, in order. A client may
  // send a request again on a fresh connection, so counts are at least, not exactly.
  QStringList Paths() const;
  QStringList Referers() const;

 private:
  QStringList Column(int column) const;

  TempFolder root_;
  QProcess process_;
  int port_ = 0;
};

// An answer of the server that a download must refuse: the path asked for, and how the
// reason for the refusal begins after the address.
struct BadAnswer {
  const char* name;
  const char* path;
  const char* cause;
};
inline void PrintTo(const BadAnswer& answer, std::ostream* os) { *os << answer.name; }

// The refusals every download names alike, the window's and mirabo-cli's: a status that
// is no file, and each of the archives ServeBadArchives serves; then `more`.
std::vector<BadAnswer> BadAnswersAnd(const std::vector<BadAnswer>& more);

}  // namespace mirabo
