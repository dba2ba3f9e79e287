// mirabo-cli copy: the text that copying entry RECORD puts on the clipboard.
#include <optional>

#include "cli/Cli.h"
#include "data/DataSet.h"
#include "lookup/CopyText.h"

namespace mirabo {

namespace {

const char kCopyUsage[] =
    "usage: copy RECORD [--address] [--full-width] [--no-hyphen] [--with-pref] [--no-space]"
    " | copy RECORD --envelope|--envelope-lines";

// Sets the option that `flag` names; false for an unknown flag.
bool ApplyFlag(const QString& flag, CopyOptions& options) {
  if (flag == u"--address") options.address = true;
  else if (flag == u"--full-width") options.fullWidth = true;
  else if (flag == u"--no-hyphen") options.hyphen = false;
  else if (flag == u"--with-pref") options.withPref = true;
  else if (flag == u"--no-space") options.spaces = false;
  else return false;
  return true;
}

struct CopyRequest {
  QString record;
  CopyOptions options;
  std::optional<EnvelopeLayout> envelope;  // the envelope text instead of the chosen format
};

// Sets the envelope layout that `flag` names; false for any other flag.
bool ApplyEnvelopeFlag(const QString& flag, CopyRequest& request) {
  if (flag == u"--envelope") request.envelope = EnvelopeLayout::OneLine;
  else if (flag == u"--envelope-lines") request.envelope = EnvelopeLayout::TwoLines;
  else return false;
  return true;
}

// Options may stand before or after RECORD; "--" ends them. Empty reason on success.
QString ParseCopyArgs(const QStringList& args, CopyRequest& request) {
  bool optionsEnded = false;
  for (const QString& arg : args) {
    if (!optionsEnded && arg == u"--") {
      optionsEnded = true;
    } else if (!optionsEnded && arg.startsWith(u"--")) {
      if (!ApplyEnvelopeFlag(arg, request) && !ApplyFlag(arg, request.options))
        return QStringLiteral("unknown option: %1").arg(arg);
    } else if (request.record.isNull()) {
      request.record = arg;
    } else {
      return QStringLiteral("more than one RECORD: %1").arg(arg);
    }
  }
  // The envelope has one fixed form: a format option beside it would be silently ignored.
  if (request.envelope && request.options != CopyOptions{})
    return QStringLiteral("--envelope and --envelope-lines take no format options");
  return request.record.isNull() ? QString::fromLatin1(kCopyUsage) : QString();
}

}  // namespace

int RunCopy(Cli& cli, const QStringList& args) {
  CopyRequest request;
  const QString reason = ParseCopyArgs(args, request);
  if (!reason.isEmpty()) return cli.Fail(reason);

  // Opened without creating anything; read access is enough for a copy.
  DataSet data;
  if (const auto failed = cli.OpenForReading(data)) return *failed;
  if (!data.EntryFile.IsOpen()) return cli.Fail(QStringLiteral("cannot open %1").arg(cli.dataFolder + datafile::Entry));
  const qint64 count = data.EntryCount;
  bool ok = false;
  const qint64 record = request.record.toLongLong(&ok);
  if (!ok || record < 1 || record > count)
    return cli.Fail(QStringLiteral("RECORD must be a number from 1 to %1: %2").arg(count).arg(request.record));
  data.ReadEntry(qint32(record));
  const EntryRecord& entry = data.EntryRec;
  cli.out << (request.envelope ? EnvelopeText(entry, *request.envelope) : CopyText(entry, request.options)) << '\n';
  return kExitOk;
}

}  // namespace mirabo
