// mirabo-cli: the window's lookups, copies and rebuild for scripts and batch work.
#include <QCoreApplication>
#include <QDir>

#include "cli/Cli.h"
#include "data/Cp932Codec.h"
#include "platform/DataLayout.h"
#include "update/SwapRecovery.h"

namespace {

const char kUsage[] =
    "usage: mirabo-cli [--data DIR] COMMAND ...\n"
    "  DIR defaults to the program's folder, or ~/.local/share/mirabo when installed\n"
    "  browse [PREF [CITY]]   prefecture, city or town lines (0-based positions)\n"
    "  rebuild [--csv FILE]   rebuild the data files from KEN_ALL.CSV, ken_all.zip or utf_ken_all.zip\n"
    "  download [--url URL] [--timeout SECONDS]  download the national file and rebuild\n"
    "  code [--tsv] TEXT...   search by postcode (TEXT - reads one per line from stdin)\n"
    "  address [--tsv] TEXT...  search by address text\n"
    "  copy RECORD [--address] [--full-width] [--no-hyphen] [--with-pref] [--no-space]\n"
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

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QTextStream out(stdout), err(stderr);
  out.setEncoding(QStringConverter::Utf8);
  err.setEncoding(QStringConverter::Utf8);
  ConsolePlatform platform(err);
  Cli cli{QString(), out, err, platform};

  QStringList args = app.arguments().mid(1);
  if (args.size() >= 2 && args[0] == u"--data") {
    cli.dataFolder = QDir(args[1]).absolutePath() + u'/';
    args = args.mid(2);
  }
  if (args.isEmpty() || args[0] == u"--help" || args[0] == u"-h") {
    (args.isEmpty() ? err : out) << kUsage << Qt::flush;
    return args.isEmpty() ? kExitFailure : kExitOk;
  }
  const Command command = FindCommand(args[0]);
  if (!command) return cli.Fail(QStringLiteral("unknown command: %1").arg(args[0]));
  try {
    cp932::Require();  // fail before any command reads or writes a file
    if (cli.dataFolder.isEmpty()) {  // no --data: the window's own layout rule
      const DataLayout layout = ChooseDataLayout(QCoreApplication::applicationDirPath());
      if (!layout.error.isEmpty()) return cli.Fail(layout.error);
      cli.dataFolder = layout.dataFolder;
    }
    // Every command opens the data set: a rebuild cut short is settled first.
    RecoverInterruptedSwap(cli.dataFolder, platform);
    const int status = command(cli, args.mid(1));
    out.flush();
    return status;
  } catch (const cp932::Unavailable& missing) {
    out.flush();
    return cli.Fail(QString::fromLocal8Bit(missing.what()));
  }
}
