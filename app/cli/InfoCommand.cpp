// mirabo-cli info: the update information text, one line per line of the message.
#include "cli/Cli.h"
#include "data/DataSet.h"
#include "update/UpdateInfo.h"

namespace mirabo {

int RunInfo(Cli& cli, const QStringList& args) {
  if (!args.isEmpty()) return cli.Fail(QStringLiteral("usage: info"));
  DataSet data;
  if (const auto failed = cli.OpenForReading(data)) return *failed;
  const QString text = UpdateInfoText(IndexFileDate(cli.dataFolder, cli.platform.Files()), data.PrefCount, data.CityCount, data.IndexCount);
  data.CloseAll();
  cli.out << QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")) << '\n';
  return kExitOk;
}

}  // namespace mirabo
