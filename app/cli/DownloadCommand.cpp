// mirabo-cli download: fetch the national file's ZIP and rebuild from it in memory.
#include <unistd.h>

#include <optional>

#include "cli/Cli.h"
#include "update/NationalFile.h"
#include "update/Rebuild.h"
#include "update/download/NationalDownload.h"

namespace mirabo {

namespace {

const QString kUsage = QStringLiteral("usage: download [--url URL] [--timeout SECONDS]");
constexpr int kMaxTimeoutSeconds = 24 * 60 * 60;

struct DownloadArgs {
  QString url;
  int timeoutSeconds = kDefaultDownloadTimeoutSeconds;
};

std::optional<DownloadArgs> ParseArgs(const QStringList& args) {
  DownloadArgs parsed;
  for (qsizetype i = 0; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return std::nullopt;
    if (args[i] == u"--url" && !args[i + 1].isEmpty()) {
      parsed.url = args[i + 1];
    } else if (args[i] == u"--timeout") {
      bool number = false;
      parsed.timeoutSeconds = args[i + 1].toInt(&number);
      if (!number || parsed.timeoutSeconds < 1 || parsed.timeoutSeconds > kMaxTimeoutSeconds) return std::nullopt;
    } else {
      return std::nullopt;
    }
  }
  return parsed;
}

}  // namespace

int RunDownload(Cli& cli, const QStringList& args) {
  const std::optional<DownloadArgs> parsed = ParseArgs(args);
  if (!parsed) return cli.Fail(kUsage);

  NationalDownload download(DownloadUrls(parsed->url), parsed->timeoutSeconds);
  // Progress is for a person watching: a script reading standard error gets only the outcome.
  const bool showProgress = ::isatty(STDERR_FILENO) == 1;
  if (showProgress) {
    QObject::connect(&download, &NationalDownload::Progress, [&cli](qint64 received, qint64 total) {
      cli.err << '\r' << DownloadProgressText(received, total) << "\x1b[K" << Qt::flush;
    });
  }
  const PreparedRebuild prepared = WaitForDownload(download);
  if (showProgress) cli.err << '\n' << Qt::flush;
  const RebuildOutcome outcome = InstallRebuild(prepared, cli.dataFolder, {.files = &cli.platform.Files()});
  if (!outcome.ok) return cli.Fail(FailureMessage(outcome.failure));
  PrintRebuildOutcome(cli, outcome);
  return kExitOk;
}

}  // namespace mirabo
