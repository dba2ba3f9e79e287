// mirabo-cli check: the verdict of every row of an address list, one output line per input line.
#include <cstdio>
#include <memory>

#include <QFile>

#include "cli/Cli.h"
#include "cli/InputLines.h"
#include "data/DataSet.h"
#include "listcheck/ListCheck.h"
#include "listcheck/ListRows.h"

namespace mirabo {

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

// Standard input, or the named file; null when it cannot be opened.
std::FILE* OpenInput(const QString& name) {
  return name == u"-" ? stdin : std::fopen(QFile::encodeName(name).constData(), "rbe");
}

}  // namespace

int RunCheck(Cli& cli, const QStringList& args) {
  CheckArgs parsed;
  if (!ParseCheckArgs(args, parsed)) return cli.Fail(QString::fromLatin1(kCheckUsage));
  std::FILE* input = OpenInput(parsed.file);
  if (!input) return cli.Fail(QStringLiteral("cannot read %1").arg(parsed.file));
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> closer(input == stdin ? nullptr : input, std::fclose);
  DataSet data;
  if (const auto failed = cli.OpenForReading(data)) return *failed;
  const AddressReader reader(data);
  data.CloseAll();

  // One line at a time: each line is decoded on its own, as UTF-8 when it is valid
  // UTF-8, otherwise as code page 932.
  InputLines lines(input);
  QByteArray bytes;
  bool allOk = true;
  for (bool header = parsed.header; lines.Next(bytes); header = false) {
    const QStringList values = SplitListRow(DecodeListInput(bytes));
    if (header) {
      // The titles of the columns the rows print, so the header lines up with them.
      cli.out << QStringLiteral("判定") << '\t' << values.value(0) << '\t' << values.value(1) << '\t'
              << QStringLiteral("候補") << '\n';
      continue;
    }
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
  if (lines.TooLong())
    return cli.Fail(QStringLiteral("%1: line %2 is longer than %3 bytes")
                        .arg(parsed.file).arg(lines.Number()).arg(InputLines::kMaxLineBytes));
  if (lines.Failed()) return cli.Fail(QStringLiteral("cannot read %1").arg(parsed.file));
  return allOk ? kExitOk : kExitNothingFound;
}

}  // namespace mirabo
