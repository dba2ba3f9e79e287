// mirabo-cli: the window's lookups, copies and rebuild for scripts and batch work.
#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

#include "cli/Cli.h"
#include "data/Cp932Codec.h"
#include "platform/DataLayout.h"
#include "platform/ProgramFolder.h"

namespace mirabo {

namespace {

const char kUsage[] =
    "usage: mirabo-cli [--data DIR] COMMAND ...\n"
    "  DIR defaults to the program's folder, or ~/.local/share/mirabo when installed\n"
    "  browse [PREF [CITY]]   prefecture, city or town lines (0-based positions)\n"
    "  rebuild [--csv FILE]   rebuild the data files from KEN_ALL.CSV, ken_all.zip or utf_ken_all.zip\n"
    "  download [--url URL] [--timeout SECONDS]  download the national file and rebuild\n"
    "  code [--tsv] [--line-buffered] TEXT...  search by postcode (TEXT - reads one per line from stdin)\n"
    "  address [--tsv] [--line-buffered] TEXT...  search by address text\n"
    "  copy RECORD [--address] [--full-width] [--no-hyphen] [--with-pref] [--no-space]\n"
    "  copy RECORD --envelope|--envelope-lines  the code and address for an envelope, on one or two lines\n"
    "  info                   update information\n"
    "  changes                what the last rebuild added (+) and removed (-)\n"
    "  check [--header] [FILE|-]  verdict of each row of an address list (code, address)\n";

using Command = int (*)(Cli&, const QStringList&);

Command FindCommand(const QString& name) {
  if (name == u"browse") return RunBrowse;
  if (name == u"rebuild") return RunRebuild;
  if (name == u"code") return RunCode;
  if (name == u"address") return RunAddress;
  if (name == u"copy") return RunCopy;
  if (name == u"info") return RunInfo;
  if (name == u"changes") return RunChanges;
  if (name == u"check") return RunCheck;
  if (name == u"download") return RunDownload;
  return nullptr;
}

}  // namespace

int Cli::Fail(const QString& reason) {
  err << "mirabo-cli: " << reason << '\n' << Qt::flush;
  return kExitFailure;
}

namespace {

// A handle 0, 1 or 2 that the caller closed would go to the next file opened, and
// the output would land in a data file. Fill each gap with a read-only handle, so
// that writing to a closed standard output fails as it should.
void KeepStandardHandlesTaken() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1) continue;
    const int opened = ::open("/dev/null", O_RDONLY);
    if (opened >= 0 && opened != fd) ::close(opened);
  }
}

// Output that did not arrive is a failure, whatever the command reported.
int CheckedStatus(Cli& cli, QFile& stdoutFile, int status) {
  cli.out.flush();
  const bool flushed = stdoutFile.flush() && std::fflush(stdout) == 0;
  if (flushed && stdoutFile.error() == QFileDevice::NoError && cli.out.status() == QTextStream::Ok &&
      !std::ferror(stdout))
    return status;
  const QString reason = stdoutFile.error() != QFileDevice::NoError ? stdoutFile.errorString()
                                                                     : QString::fromLocal8Bit(std::strerror(errno));
  return cli.Fail(QStringLiteral("cannot write standard output: %1").arg(reason));
}

int Run(Cli& cli, QStringList args, char* argv[]) {
  if (args.size() >= 2 && args[0] == u"--data") {
    // The folder's own bytes: its name as text may not lead back to it.
    cli.dataFolder = UsableFolderPath(QByteArray(argv[2]));
    if (cli.dataFolder.isEmpty()) return cli.Fail(QStringLiteral("cannot open data folder %1").arg(args[1]));
    args = args.mid(2);
  }
  if (args.isEmpty() || args[0] == u"--help" || args[0] == u"-h") {
    (args.isEmpty() ? cli.err : cli.out) << kUsage << Qt::flush;
    return args.isEmpty() ? kExitFailure : kExitOk;
  }
  const Command command = FindCommand(args[0]);
  if (!command) return cli.Fail(QStringLiteral("unknown command: %1").arg(args[0]));
  try {
    cp932::Require();  // fail before any command reads or writes a file
    if (cli.dataFolder.isEmpty()) {  // no --data: the window's own layout rule
      // The folder's own bytes: Qt's text for a name that is not UTF-8 is empty.
      const QString programFolder = ProgramFolder();
      if (programFolder.isEmpty()) return cli.Fail(QStringLiteral("cannot find the program's folder"));
      const DataLayout layout = ChooseDataLayout(programFolder);
      if (!layout.error.isEmpty()) return cli.Fail(layout.error);
      cli.dataFolder = layout.dataFolder;
    }
    // A rebuild cut short is settled where the data set is opened (OpenForReading)
    // or replaced (the rebuild), under the locks that keep a running swap out.
    return command(cli, args.mid(1));
  } catch (const cp932::Unavailable& missing) {
    return cli.Fail(QString::fromLocal8Bit(missing.what()));
  }
}

}  // namespace

}  // namespace mirabo

int main(int argc, char* argv[]) {
  mirabo::KeepStandardHandlesTaken();
  QCoreApplication app(argc, argv);
  QFile stdoutFile;
  stdoutFile.open(stdout, QIODevice::WriteOnly);
  QTextStream out(&stdoutFile), err(stderr);
  out.setEncoding(QStringConverter::Utf8);
  err.setEncoding(QStringConverter::Utf8);
  mirabo::ConsolePlatform platform(err);
  mirabo::Cli cli{QString(), out, err, platform};  // filled by --data or the layout rule
  const int status = mirabo::Run(cli, app.arguments().mid(1), argv);
  return mirabo::CheckedStatus(cli, stdoutFile, status);
}
