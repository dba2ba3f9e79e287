// mirabo-cli check: the verdict of every row of an address list, one output line per input line.
#include <QFile>

#include "cli/Cli.h"
#include "data/DataSet.h"
#include "listcheck/ListCheck.h"
#include "listcheck/ListRows.h"

namespace {

const char kCheckUsage[] = "usage: check [--header] [--] [FILE|-]";

struct CheckArgs {
  bool header = false;
  QString file = QStringLiteral("-");
};

bool ParseCheckArgs(const QStringList& args, CheckArgs& parsed) {
  bool options = true, haveFile = false;
  for (const QString& arg : args) {
    if (options && arg == u"--") {
      options = false;
    } else if (options && arg == u"--header") {
      parsed.header = true;
    } else if ((options && arg.size() > 1 && arg.startsWith(u'-')) || haveFile) {
      return false;
    } else {
      parsed.file = arg;
      haveFile = true;
    }
  }
  return true;
}

bool ReadInput(const QString& name, QByteArray& bytes) {
  QFile input(name);
  const bool opened = name == u"-" ? input.open(stdin, QIODevice::ReadOnly) : input.open(QIODevice::ReadOnly);
  if (!opened) return false;
  bytes = input.readAll();
  return input.error() == QFileDevice::NoError;
}

}  // namespace

int RunCheck(Cli& cli, const QStringList& args) {
  CheckArgs parsed;
  if (!ParseCheckArgs(args, parsed)) return cli.Fail(QString::fromLatin1(kCheckUsage));
  QByteArray bytes;
  if (!ReadInput(parsed.file, bytes)) return cli.Fail(QStringLiteral("cannot read %1").arg(parsed.file));
  QStringList lines = SplitListLines(DecodeListInput(bytes));
  DataSet data;
  if (const auto failed = cli.OpenForReading(data)) return *failed;

  if (parsed.header && !lines.isEmpty()) {
    const QStringList titles = SplitListRow(lines.takeFirst());
    // The titles of the columns the rows print, so the header lines up with them.
    cli.out << QStringLiteral("判定") << '\t' << titles.value(0) << '\t' << titles.value(1) << '\t'
            << QStringLiteral("候補") << '\n';
  }
  const AddressReader reader(data);
  data.CloseAll();
  bool allOk = true;
  for (const QString& line : lines) {
    const QStringList values = SplitListRow(line);
    if (IsBlankRow(values)) {
      cli.out << '\n';
      continue;
    }
    const RowVerdict result = CheckRow(reader, values.value(0), values.value(1));
    allOk = allOk && result.verdict == Verdict::Ok;
    cli.out << VerdictKey(result.verdict) << '\t' << values.value(0) << '\t' << values.value(1) << '\t'
            << result.suggestion << '\n';
  }
  cli.out.flush();
  return allOk ? kExitOk : kExitNothingFound;
}
