// mirabo-cli browse: the lines of the prefecture, city or town list.
#include <climits>

#include "cli/Cli.h"
#include "lookup/Browse.h"

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
  QStringList lines = PrefectureLines(data);
  if (!args.isEmpty()) {
    if (pref >= lines.size()) return cli.Fail(QStringLiteral("no prefecture at position %1").arg(pref));
    lines = CityListOf(data, pref + 1).lines;
  }
  if (args.size() == 2) {
    if (city >= lines.size()) return cli.Fail(QStringLiteral("no city at position %1").arg(city));
    // As in the window: city position CITY is city record FirstCity + CITY of the prefecture.
    data.ReadPref(pref + 1);
    const qint64 cityRecNo = qint64(data.PrefRec.FirstCity) + city;  // FirstCity comes from the file
    data.ReadCity(cityRecNo >= 1 && cityRecNo <= INT_MAX ? qint32(cityRecNo) : 0);
    lines = TownListOf(data, data.CityRec.FirstEntry, data.CityRec.LastEntry).lines;
  }
  for (const QString& line : lines) cli.out << line << '\n';
  return kExitOk;
}
