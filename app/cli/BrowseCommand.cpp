// mirabo-cli browse: the lines of the prefecture, city or town list.
#include "cli/Cli.h"
#include "lookup/BrowseState.h"

namespace mirabo {

namespace {

bool ParsePosition(const QString& text, qint32& position) {
  bool ok = false;
  position = text.toInt(&ok);
  return ok && position >= 0;
}

}  // namespace

int RunBrowse(Cli& cli, const QStringList& args) {
  qint32 pref = 0, city = 0;
  if (args.size() > 2 || (args.size() >= 1 && !ParsePosition(args[0], pref)) ||
      (args.size() == 2 && !ParsePosition(args[1], city)))
    return cli.Fail(QStringLiteral("usage: browse [PREF [CITY]] with 0-based positions"));

  DataSet data;
  if (const auto failed = cli.OpenForReading(data)) return *failed;
  // The same steps as choosing the prefecture and the city in the window.
  BrowseState browse(data);
  QStringList lines = PrefectureLines(data);
  if (!args.isEmpty()) {
    if (pref >= lines.size()) return cli.Fail(QStringLiteral("no prefecture at position %1").arg(pref));
    browse.ChoosePref(pref);
    lines = browse.FillList().lines;
  }
  if (args.size() == 2) {
    if (city >= lines.size()) return cli.Fail(QStringLiteral("no city at position %1").arg(city));
    browse.ChooseCity(city);
    lines = browse.FillList().lines;
  }
  for (const QString& line : lines) cli.out << line << '\n';
  return kExitOk;
}

}  // namespace mirabo
