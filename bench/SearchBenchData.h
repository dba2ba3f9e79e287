// A national-scale data set for the search benchmarks, built once per run in a temp folder.
#pragma once

#include <cstdio>
#include <cstdlib>

#include <QProcess>
#include <QTemporaryDir>

#include "data/DataSet.h"
#include "SilentPlatform.h"
#include "update/Rebuild.h"

namespace mirabo {

// The four data files made by the rebuild from `tests/support/make_ken_all.py --rows 124000`.
class NationalData {
 public:
  static NationalData& Get() {
    static NationalData data;
    return data;
  }
  QString Folder() const { return dir_.path() + u'/'; }

 private:
  NationalData() {
    const QString csv = Folder() + "KEN_ALL.CSV";
    const int status = QProcess::execute("python3", {MIRABO_MAKE_KEN_ALL, "--rows", "124000", "--out", csv});
    SilentPlatform platform;
    const RebuildOutcome outcome = RebuildDataFiles(Folder(), csv, {.files = &platform.Files()});
    if (status != 0 || !outcome.ok) {
      std::fprintf(stderr, "cannot build the data set: %s\n", qPrintable(FailureMessage(outcome.failure)));
      std::exit(2);
    }
  }
  QTemporaryDir dir_;
};

// The national data set, opened once and kept open for every benchmark of the program.
inline DataSet& OpenedData() {
  static DataSet* data = [] {
    auto* opened = new DataSet;
    opened->OpenDataFiles(NationalData::Get().Folder());
    return opened;
  }();
  return *data;
}

}  // namespace mirabo
